#include "app/credits.h"

#include "common/globals.h"
#include "engine/platform/platform.h"
#include "engine/render/render.h"
#include "ui/line.h"

namespace {

// Who made the game, told truthfully: the project itself, and for pictures and music the generators in
// tools/ that make every one of them from code. A centred line must fit 32 characters.
constexpr const char* kProgrammer = "The VEXTORON project";
constexpr const char* kArtist = "tools/gen_images.py";
constexpr const char* kArtistHandle = "(made from code alone)";
constexpr const char* kMenuComposer = "tools/music/ambient.py";
constexpr const char* kPlayComposer = "tools/music/metal.py";
// The game has no web address; its README tells where everything comes from.
constexpr const char* kWebAddress = "See README.md";

std::string BuildCreditsText() {
  std::string text;
  text += "/rgb(100,100,255)/cVEXTORON/n/n";
  text += "/rgb(255,255,255)The idea for this game came from/n";
  text += "the original game written on the/n";
  text += "Commodore VIC20./n/n";
  text += "I'd also like to thank those who/n";
  text += "have helped me with this project/n";
  text += "to make it work./n/n/n/n";
  text += "/rgb(100,100,255)/cVEXTORON/n/n";
  text += "/rgb(0,255,255)PROGRAMMED BY:/n";
  text += std::string("/rgb(0,0,255)/c") + kProgrammer + "/n";
  text += "/c(lanternworks)/n/n";
  text += "/rgb(150,50,255)GRAPHICS BY:/n";
  text += std::string("/rgb(0,0,255)/c") + kArtist + "/n";
  text += std::string("/c") + kArtistHandle + "/n/n";
  text += "/rgb(150,50,255)MUSIC BY:/n";
  text += "/rgb(0,0,255)/c'7vu Dovov'/n";
  text += "/c(Game Menu Music)/n";
  text += "/cby/n";
  text += std::string("/c") + kMenuComposer + "/n/n";
  text += "/c'8 Bit Metal'/n";
  text += "/c(Game Play Music)/n";
  text += "/cby/n";
  text += std::string("/c") + kPlayComposer + "/n/n/n/n/n";
  text += std::string("/rgb(255,128,128)/c") + kWebAddress;
  return text;
}

}  // namespace

const std::string& CreditsText() {
  static const std::string text = BuildCreditsText();
  return text;
}

const std::string& ProgrammerName() {
  static const std::string name = kProgrammer;
  return name;
}

int DrawCredits() {
  int red = 0, green = 0, blue = 0;
  GetColor(&red, &green, &blue);
  if (gCreditsLine) gCreditsLine->Draw(CreditsText(), gFontImage, nullptr, nullptr, 0, -9.99f, 1);
  SetColor(red, green, blue);
  return 0;
}

int DrawOptions() {
  ButtonPresses(1);
  return DrawCredits();
}
