#include "game/particle_base.h"

#include <cmath>

#include "common/delta.h"
#include "engine/platform/platform.h"
#include "engine/render/render.h"
#include "sprite/compass.h"
#include "sprite/tileset.h"

int IParticleBase::Draw(const std::shared_ptr<TVOTileset>& tiles) {
  if (blnChangeAlpha && alpha > stopalpha) alpha -= alphaincrement;
  if (tiles && tiles->image && blnDraw) {
    SetScale(xscale, yscale);
    SetRotation(static_cast<float>(rotation));
    SetAlpha(alpha);
    DrawImage(tiles->image, static_cast<float>(static_cast<int>(x)), static_cast<float>(static_cast<int>(y)),
              CurFrame);
    SetAlpha(1);
    SetRotation(0);
    SetScale(1, 1);
  }
  return 0;
}

bool IParticleBase::Retreated() {
  return blnRetreated;
}

float IParticleBase::GetXSpeed(int angle) {
  return static_cast<float>(CompassXStep(angle) * static_cast<double>(speed) * TDelta::Time());
}

float IParticleBase::GetYSpeed(int angle) {
  return static_cast<float>(CompassYStep(angle) * static_cast<double>(speed) * TDelta::Time());
}

int IParticleBase::GetRotationDegree(int heading) {
  return CompassAngle(heading);
}

void IParticleBase::Start(int new_x, int new_y, int type, int new_index, int frameInterval) {
  x = static_cast<float>(new_x);
  y = static_cast<float>(new_y);
  intType = type;
  intImageIndex = type;
  index = new_index;
  rotation = 0;
  FrameDelay = 15;
  FrameDelayInterval = frameInterval;
  TotalAnimFrames = 16;
}

int IParticleBase::StepAnimation() {
  const double now = static_cast<double>(ClockMillis());
  if (std::abs(now - FrameDelay) > FrameDelayInterval) {
    ++CurAnimFrame;
    if (CurAnimFrame > TotalAnimFrames - 1) blnDraw = false;
    FrameDelay = now;
    CurFrame = CurAnimFrame;
  }
  return 0;
}
