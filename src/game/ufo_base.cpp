#include "game/ufo_base.h"

#include <cmath>
#include <numbers>

#include "common/delta.h"
#include "common/globals.h"
#include "common/random_number.h"
#include "engine/audio/audio.h"
#include "engine/base/base.h"
#include "engine/platform/platform.h"
#include "engine/render/render.h"
#include "game/clock_index.h"
#include "game/smoke_particle.h"
#include "game/spline.h"
#include "game/ufo_fireball.h"
#include "sprite/compass.h"
#include "sprite/flash.h"
#include "sprite/sprite_kind.h"
#include "sprite/tileset.h"

namespace {
double Now() {
  return static_cast<double>(ClockMillis());
}
double CosDegrees(double degrees) {
  return std::cos(degrees * std::numbers::pi / 180.0);
}
int Draw0To(int max) {
  return gRandomNumber ? gRandomNumber->Rnd(0, max) : 0;
}
int DrawBetween(int min, int max) {
  return gRandomNumber ? gRandomNumber->Rnd(min, max) : min;
}
}  // namespace

int IUfoBase::Draw(const std::shared_ptr<TVOTileset>& tiles) {
  const double now = Now();
  if (now >= invincibilitydelay + invincibilityinterval) {
    alpha = 1;
  } else {
    StepFlash(alpha, alphaincrement, 0.3f);
  }
  if (life <= smokestart && now > smokedelay + smokeinterval) {
    auto puff = TSmokeParticle::Create(static_cast<int>(x), static_cast<int>(y), smoketype, ClockTenths(),
                                       xscale, 50, 0);
    puff->blnRetreated = Retreated();
    gParticleList.AddLast(puff);
    smokedelay = now;
  }
  if (tiles && tiles->image && blnDraw) {
    SetScale(xscale, yscale);
    SetAlpha(alpha);
    SetRotation(static_cast<float>(rotation));
    DrawImage(tiles->image, static_cast<float>(static_cast<int>(x)), static_cast<float>(static_cast<int>(y)),
              CurFrame);
    SetRotation(0);
    SetAlpha(1);
    SetScale(1, 1);
  }
  return 0;
}

int IUfoBase::Scale(float f) {
  xscale = f;
  yscale = f;
  return 0;
}

bool IUfoBase::Retreated() {
  return xscale < RETREATED_SCALE;
}

bool IUfoBase::Hit(float hitDamage) {
  const double now = Now();
  if (now <= invincibilitydelay + invincibilityinterval) return false;
  life -= hitDamage;
  invincibilitydelay = now;
  if (life <= 0) blnDraw = false;
  return true;
}

int IUfoBase::GetAnimFrame(int heading) {
  return StartHeadingAnimation(heading, 8);
}

int IUfoBase::StartHeadingAnimation(int heading, int leftStart) {
  switch (heading) {
    case 0:
    case 4:
      StartAnimFrame = CurAnimFrame = 0;
      return 0;
    case 5:
    case 6:
    case 7:
      StartAnimFrame = CurAnimFrame = leftStart;
      return 1;
    case 1:
    case 2:
    case 3:
      StartAnimFrame = CurAnimFrame = 4;
      return 2;
    default:
      return 0;
  }
}

float IUfoBase::GetXSpeed(int) {
  return static_cast<float>(CompassXStep(direction) * static_cast<double>(speed) * TDelta::Time());
}

float IUfoBase::GetYSpeed(int) {
  return static_cast<float>(CompassYStep(direction) * static_cast<double>(speed) * TDelta::Time());
}

int IUfoBase::GetRotationDegree() {
  if (direction > 0 && direction < 180) {
    if (!rotationhit) {
      rotation += rotationincrement;
      if (rotation >= 45) {
        rotation = 45;
        rotationhit = true;
      }
    } else if (rotation != 0) {
      rotation -= rotationincrement;
    }
  } else if (direction > 180 && direction < 359) {
    if (!rotationhit) {
      rotation -= rotationincrement;
      if (rotation <= -45) {
        rotation = -45;
        rotationhit = true;
      }
    } else if (rotation != 0) {
      rotation += rotationincrement;
    }
  } else {
    rotation = 0;
  }
  return 0;
}

int IUfoBase::GetDirectionDegree(int heading) {
  return CompassAngle(heading);
}

int IUfoBase::ChangeXSpeed() {
  if (directionchanged) return 0;
  if (direction != directionnext) {
    xspeed -= directionchangespeed;
    if (xspeed <= minspeed) direction = directionnext;
  } else {
    xspeed += directionchangespeed;
    if (xspeed >= basespeed) {
      xspeed = basespeed;
      directionchanged = true;
    }
  }
  return 0;
}

int IUfoBase::Retreat() {
  if (!blnAllowRetreat) {
    blnRetreatBack = false;
    return 0;
  }
  const double now = Now();
  if (now > RetreatLife + RetreatInterval) {
    blnRetreatBack = true;
    RetreatSpeed = -RetreatSpeed;
    if (RetreatSpeed < 0) {
      RetreatInterval = static_cast<int>(InitialRetreatRate);
      if (gUfoRetreatSound) PlaySound(gUfoRetreatSound);
    } else {
      RetreatInterval = static_cast<int>(AttackRetreatRate);
      if (gUfoAttackSound) PlaySound(gUfoAttackSound);
    }
    RetreatLife = now;
  }
  StepRetreatScale(now);
  return 0;
}

void IUfoBase::StepRetreatScale(double now) {
  if (!blnRetreatBack) return;
  float s = xscale + RetreatSpeed;
  if (s >= 1) {
    s = 1;
    blnRetreatBack = false;
    RetreatLife = now;
  }
  if (s <= RetreatMinSize) {
    s = RetreatMinSize;
    blnRetreatBack = false;
    RetreatLife = now;
  }
  Scale(s);
}

int IUfoBase::HitUfo() {
  switch (direction) {
    case 0:
      direction = 180;
      break;
    case 180:
      direction = 0;
      break;
    case 90:
      direction = 270;
      break;
    case 270:
      direction = 90;
      break;
    case 45:
      direction = 315;
      break;
    case 315:
      direction = 45;
      break;
    case 135:
      direction = 225;
      break;
    case 225:
      direction = 135;
      break;
    default:
      break;
  }
  return 0;
}

int IUfoBase::ChangeDirection() {
  CurDirection = Draw0To(360) % 8;
  return 0;
}

int IUfoBase::SplineY(int s0, int c0, int s1, int c1, int s2, int c2, int s3, int c3, float t) {
  return SplineClamp(SplineBlend(s0, c0, s1, c1, s2, c2, s3, c3, t), gScreenHeight - UFOYPosMax);
}

int IUfoBase::SplineX(int c0, int s0, int c1, int s1, int c2, int s2, int c3, int s3, float t) {
  return SplineClamp(SplineBlend(s0, c0, s1, c1, s2, c2, s3, c3, t), gScreenWidth);
}

int IUfoBase::SetSplinePoints(int startx, int starty, int w, int h) {
  SplineCoords[0] = SplineCoords[0] ? SplineCoords[7]
                                    : TPoint::Create(static_cast<float>(startx), static_cast<float>(starty));
  for (int i = 1; i < 8; ++i) SplineCoords[i] = GetRandCoords(w, h);
  return 0;
}

int IUfoBase::SetSplinePointsXPatterned(int startx, int starty, int arg, int h) {
  SplineCoords[0] = SplineCoords[0] ? SplineCoords[7]
                                    : TPoint::Create(static_cast<float>(startx), static_cast<float>(starty));
  for (int i = 1; i < 8; ++i) {
    const int y_value = DrawBetween(10, h);
    SplineCoords[i] = GetRandXCoords(arg, h, y_value);
  }
  return 0;
}

int IUfoBase::CycleSplinePoints(int w, int h) {
  SplineCoords[0] = SplineCoords[1];
  SplineCoords[1] = SplineCoords[2];
  SplineCoords[2] = SplineCoords[3];
  SplineCoords[3] = GetRandCoords(w, h);
  return 0;
}

int IUfoBase::ChangeSpline() {
  Spline = RandomInt(0, 100) > 50 ? SPLINE_X : SPLINE_Y;
  return 0;
}

std::shared_ptr<TPoint> IUfoBase::GetRandCoords(int w, int h) {
  const int px = Draw0To(w);
  const int py = Draw0To(h - UFOYPosMax);
  return TPoint::Create(static_cast<float>(px), static_cast<float>(py));
}

std::shared_ptr<TPoint> IUfoBase::GetRandYCoords(int px, int) {
  const int r1 = DrawBetween(20, 150);
  const int r2 = DrawBetween(50, 300);
  const int py = static_cast<int>(CosDegrees(px) * r1 + r2);
  return TPoint::Create(static_cast<float>(px), static_cast<float>(py));
}

std::shared_ptr<TPoint> IUfoBase::GetRandXCoords(int, int limit, int py) {
  const int r = DrawBetween(20, limit - 150);
  const int px = static_cast<int>(CosDegrees(py) * 80 + r);
  if (py > limit - UFOYPosMax) py = limit - UFOYPosMax;
  return TPoint::Create(static_cast<float>(px), static_cast<float>(py));
}

int IUfoBase::AnimationStep(int r) {
  const double now = Now();
  if (!(std::abs(now - FrameDelay) > FrameDelayInterval) || !blnAnimate) return 0;
  CurAnimFrame += blnReverseDir ? -1 : 1;
  if (r == 0) {
    if (CurAnimFrame > StartAnimFrame + TotalAnimFrames - 1) {
      blnReverseDir = true;
    } else if (CurAnimFrame <= StartAnimFrame) {
      blnReverseDir = false;
    }
  } else {
    if (CurAnimFrame > StartAnimFrame + TotalAnimFrames) {
      blnReverseDir = true;
    } else if (CurAnimFrame <= StartAnimFrame) {
      blnReverseDir = false;
      blnAnimate = false;
    }
  }
  FrameDelay = now;
  CurFrame = r * FrameSequences + CurAnimFrame;
  return 0;
}

int IUfoBase::ChooseHeading() {
  ChangeDirection();
  directionlife = ClockMillis();
  direction = GetDirectionDegree(CurDirection);
  const int r = GetAnimFrame(CurDirection);
  blnAnimate = true;
  blnReverseDir = false;
  return r;
}

int IUfoBase::FireFireball(bool withSound) {
  if (Retreated()) return 0;
  const double now = Now();
  if (std::abs(now - weapondelay) > weapondelayinterval) {
    gUfoWeaponList.AddLast(
        TUfoFireball::Create(static_cast<int>(x), static_cast<int>(y), kKindUfoFireball, ClockTenths()));
    weapondelay = now;
    if (withSound && gUfoFireballSound) PlaySound(gUfoFireballSound);
  }
  return 0;
}

int IUfoBase::FlyStraight(int w, int h) {
  xspeed = GetXSpeed(rotation);
  yspeed = GetYSpeed(rotation);
  if (x + xspeed - intCenterX < 0) {
    xspeed = 0;
  } else if (x + intCenterX + xspeed > w) {
    xspeed = 0;
  }
  if (y + yspeed - intCenterY < 0) {
    yspeed = 0;
  } else if (y + intCenterY + yspeed > h - UFOYPosMax) {
    yspeed = 0;
  }
  x += xspeed;
  y += yspeed;
  return 0;
}

void IUfoBase::Setup(const TUfoKindTraits& kind, int new_x, int new_y, int imageIndex, int new_index,
                     int retreatInterval) {
  intType = kind.type;
  index = new_index;
  intImageIndex = imageIndex;
  x = static_cast<float>(new_x);
  y = static_cast<float>(new_y);
  life = kind.startLife;
  directioninterval = kind.directionInterval;
  InitialRetreatRate = kind.initialRetreatRate;
  AttackRetreatRate = kind.attackRetreatRate;
  RetreatInterval = retreatInterval;
  smokestart = life / static_cast<float>(kind.smokeLifeDivisor);
  smoketype = kind.smokeType;
  weapondelayinterval = kind.weaponDelayInterval;
  speedincrement = 280;
  damage = 0.1f;
  FrameDelay = 15;
  FrameDelayInterval = 100;
  TotalAnimFrames = 3;
  FrameSequences = kind.frameSequences;
  Scale(0.3f);
}
