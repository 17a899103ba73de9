#include "game/weapon_base.h"

#include <cmath>

#include "common/delta.h"
#include "common/globals.h"
#include "engine/audio/audio.h"
#include "engine/platform/platform.h"
#include "engine/render/render.h"
#include "game/clock_index.h"
#include "game/explosion_particle.h"
#include "game/smoke_particle.h"
#include "sprite/compass.h"
#include "sprite/sprite_kind.h"
#include "sprite/tileset.h"

int IWeaponBase::Draw(const std::shared_ptr<TVOTileset>& tiles) {
  const int64_t now = ClockMillis();
  if (smoketype > 0 && static_cast<double>(now) > smokedelay + smokeinterval) {
    gParticleList.AddLast(TSmokeParticle::Create(static_cast<int>(x), static_cast<int>(y), smoketype,
                                                 ClockTenths(), smokescale, smokeframedelay,
                                                 smokestartframe));
    smokedelay = static_cast<double>(now);
  }
  if (tiles && tiles->image && blnDraw) {
    SetRotation(static_cast<float>(rotation));
    DrawImage(tiles->image, static_cast<float>(static_cast<int>(x)), static_cast<float>(static_cast<int>(y)),
              CurFrame);
    SetRotation(0);
  }
  return 0;
}

int IWeaponBase::GetRotationDegree(int heading) {
  return CompassAngle(heading);
}

int IWeaponBase::Hit() {
  if (!blnDraw) return 0;
  gParticleList.AddLast(
      TExplosionParticle::Create(static_cast<int>(x), static_cast<int>(y), explosiontype, ClockTenths()));
  blnDraw = false;
  if (gExplodeSound) PlaySound(gExplodeSound);
  return 0;
}

float IWeaponBase::GetXSpeed(int angle) {
  return static_cast<float>(CompassXStep(angle) * static_cast<double>(speed) * TDelta::Time());
}

float IWeaponBase::GetYSpeed(int angle) {
  return static_cast<float>(CompassYStep(angle) * static_cast<double>(speed) * TDelta::Time());
}

int IWeaponBase::Fly(int w, int h, bool falling) {
  xspeed = GetXSpeed(rotation);
  yspeed = GetYSpeed(rotation);
  if (x + xspeed - intCenterX < 0) {
    blnDraw = false;
  } else if (x + intCenterX + xspeed > w) {
    blnDraw = false;
  }
  if (falling) {
    if (y + intCenterY + yspeed > h) blnDraw = false;
  } else if (y + yspeed - intCenterY < 0) {
    blnDraw = false;
  }
  x += xspeed;
  y += yspeed;

  const double now = static_cast<double>(ClockMillis());
  if (std::abs(now - FrameDelay) > FrameDelayInterval) {
    ++CurAnimFrame;
    if (CurAnimFrame > TotalAnimFrames - 1) CurAnimFrame = 0;
    FrameDelay = now;
    CurFrame = CurAnimFrame;
  }
  return 0;
}

void IWeaponBase::Setup(int new_x, int new_y, int type, int imageIndex, int new_index, float new_speed,
                        float new_damage, int explosion, int smokeInterval, float smokeScale) {
  intType = type;
  index = new_index;
  intImageIndex = imageIndex;
  x = static_cast<float>(new_x);
  y = static_cast<float>(new_y);
  rotation = 0;
  basespeed = new_speed;
  speed = new_speed;
  maxspeed = 350;
  damage = new_damage;
  FrameDelay = 15;
  FrameDelayInterval = 100;
  TotalAnimFrames = 4;
  explosiontype = explosion;
  smoketype = kKindSmoke2;
  smokestartframe = 0;
  smokeinterval = smokeInterval;
  smokeframedelay = 0;
  smokescale = smokeScale;
}
