#include "engine/platform/sdl/sdl_keymap.h"

#include <SDL.h>

namespace {
int FromSymbol(SDL_Keycode sym) {
  if (sym >= SDLK_a && sym <= SDLK_z) return 'A' + (sym - SDLK_a);
  if (sym >= SDLK_0 && sym <= SDLK_9) return '0' + (sym - SDLK_0);
  if (sym >= SDLK_F1 && sym <= SDLK_F12) return 112 + (sym - SDLK_F1);
  if (sym >= SDLK_F13 && sym <= SDLK_F24) return 124 + (sym - SDLK_F13);
  if (sym >= SDLK_KP_1 && sym <= SDLK_KP_9) return 97 + (sym - SDLK_KP_1);
  switch (sym) {
    case SDLK_BACKSPACE:
      return 8;
    case SDLK_TAB:
      return 9;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
    case SDLK_RETURN2:
      return 13;
    case SDLK_PAUSE:
      return 19;
    case SDLK_CAPSLOCK:
      return 20;
    case SDLK_ESCAPE:
      return 27;
    case SDLK_SPACE:
      return 32;
    case SDLK_PAGEUP:
      return 33;
    case SDLK_PAGEDOWN:
      return 34;
    case SDLK_END:
      return 35;
    case SDLK_HOME:
      return 36;
    case SDLK_LEFT:
      return 37;
    case SDLK_UP:
      return 38;
    case SDLK_RIGHT:
      return 39;
    case SDLK_DOWN:
      return 40;
    case SDLK_PRINTSCREEN:
      return 44;
    case SDLK_INSERT:
      return 45;
    case SDLK_DELETE:
      return 46;
    case SDLK_LGUI:
      return 91;
    case SDLK_RGUI:
      return 92;
    case SDLK_APPLICATION:
      return 93;
    case SDLK_KP_0:
      return 96;
    case SDLK_KP_MULTIPLY:
      return 106;
    case SDLK_KP_PLUS:
      return 107;
    case SDLK_KP_MINUS:
      return 109;
    case SDLK_KP_PERIOD:
      return 110;
    case SDLK_KP_DIVIDE:
      return 111;
    case SDLK_NUMLOCKCLEAR:
      return 144;
    case SDLK_SCROLLLOCK:
      return 145;
    case SDLK_LSHIFT:
      return 160;
    case SDLK_RSHIFT:
      return 161;
    case SDLK_LCTRL:
      return 162;
    case SDLK_RCTRL:
      return 163;
    case SDLK_LALT:
      return 164;
    case SDLK_RALT:
      return 165;
    case SDLK_SEMICOLON:
      return 186;
    case SDLK_EQUALS:
      return 187;
    case SDLK_COMMA:
      return 188;
    case SDLK_MINUS:
      return 189;
    case SDLK_PERIOD:
      return 190;
    case SDLK_SLASH:
      return 191;
    case SDLK_BACKQUOTE:
      return 192;
    case SDLK_LEFTBRACKET:
      return 219;
    case SDLK_BACKSLASH:
      return 220;
    case SDLK_RIGHTBRACKET:
      return 221;
    case SDLK_QUOTE:
      return 222;
    default:
      return 0;
  }
}

int FromScancode(int scancode) {
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) return 'A' + (scancode - SDL_SCANCODE_A);
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) return '1' + (scancode - SDL_SCANCODE_1);
  if (scancode == SDL_SCANCODE_0) return '0';
  return 0;
}
}  // namespace

int VirtualKeyFromSdl(int32_t sym, int scancode) {
  const int key = FromSymbol(sym);
  return key != 0 ? key : FromScancode(scancode);
}

int GameButtonFromSdl(uint8_t sdl_button) {
  switch (sdl_button) {
    case SDL_BUTTON_LEFT:
      return 1;
    case SDL_BUTTON_RIGHT:
      return 2;
    case SDL_BUTTON_MIDDLE:
      return 3;
    default:
      return 0;
  }
}
