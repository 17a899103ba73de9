#include "sprite/sprite.h"

int TSprite::SetFrameDelayDefault(int value) {
  FrameDelay = static_cast<double>(value);
  return 0;
}
