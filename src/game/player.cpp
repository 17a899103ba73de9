#include "game/player.h"

#include <cmath>

#include "common/actions.h"
#include "common/delta.h"
#include "common/globals.h"
#include "engine/audio/audio.h"
#include "engine/platform/platform.h"
#include "engine/render/render.h"
#include "game/clock_index.h"
#include "game/tank_fireball.h"
#include "game/tank_missile.h"
#include "sprite/flash.h"
#include "sprite/sprite_kind.h"
#include "sprite/tileset.h"

namespace {
constexpr float kHitRumbleStrength = 0.6f;
constexpr int kHitRumbleMillis = 250;
}  // namespace

std::shared_ptr<TPlayer> TPlayer::Create(int x, int y, int kind) {
  auto tank = std::make_shared<TPlayer>();
  tank->intType = kind;
  tank->intImageIndex = kind;
  tank->x = static_cast<float>(x);
  tank->y = static_cast<float>(y);
  tank->lastx = x;
  tank->lasty = y;
  tank->TotalAnimFrames = 5;
  tank->SetFrameDelayDefault(8);
  return tank;
}

int TPlayer::Draw(const std::shared_ptr<TVOTileset>& tiles) {
  const double now = static_cast<double>(ClockMillis());
  if (std::abs(now) >= invincibilitydelay + invincibilityinterval) {
    alpha = 1;
  } else {
    StepFlash(alpha, alphaincrement, 0.5f);
  }
  if (tiles && tiles->image) {
    SetAlpha(alpha);
    DrawImage(tiles->image, x, y, CurFrame);
    SetAlpha(1);
  }
  return 0;
}

int TPlayer::Move(int maxX) {
  int dir = 0;
  xspeed = 0;
  yspeed = 0;
  blnMoveX = false;
  const double frame = TDelta::Time();
  speed = static_cast<float>(basespeed * frame);
  speedmodifier = 1;

  const bool left = ActionDown(kActionLeft) != 0;
  const bool right = ActionDown(kActionRight) != 0;
  const bool fire = ActionDown(kActionFire) != 0;
  if (ActionDown(kActionFaster) && !fire) {
    speed = static_cast<float>(basespeed * 1.5 * frame);
    speedmodifier = 2;
  }
  if (left) {
    dir += cLEFT;
    blnMoveX = true;
    xspeed = -speed;
  }
  if (right) {
    dir += cRIGHT;
    blnMoveX = true;
    xspeed = speed;
  }
  if (left && right) {
    dir -= cLEFT + cRIGHT;
    blnMoveX = false;
    xspeed = 0;
  }
  if (fire && blnEnableFire) Shoot();

  // A step that would cross an edge ends on the edge.
  if (x + xspeed - intCenterX < 0) {
    x = static_cast<float>(intCenterX);
    xspeed = 0;
  } else if (x + intCenterX + xspeed > maxX) {
    x = static_cast<float>(maxX - intCenterX);
    xspeed = 0;
  }

  int facing = CurDirection;
  if (dir == cLEFT) facing = 0;
  if (dir == cRIGHT) facing = 1;
  CurDirection = facing;
  const int row = GetAnimFrame(facing);
  x += xspeed;

  const double now = static_cast<double>(ClockMillis());
  if (std::abs(now - FrameDelay) > FrameDelayInterval && (blnMoveX || blnMoveY)) {
    CurAnimFrame += blnReverseDir ? -1 : 1;
    if (CurAnimFrame == TotalAnimFrames - 1) {
      blnReverseDir = true;
    } else if (CurAnimFrame == StartAnimFrame) {
      blnReverseDir = false;
    }
    FrameDelay = now;
  } else if (!blnMoveX && !blnMoveY) {
    CurAnimFrame = 0;
    blnReverseDir = false;
  }
  CurFrame = row * TotalAnimFrames + CurAnimFrame;
  return 0;
}

int TPlayer::GetAnimFrame(int direction) {
  return direction == 1 ? 1 : 0;
}

bool TPlayer::Hit(float damage) {
  if (static_cast<double>(ClockMillis()) > invincibilitydelay + invincibilityinterval) {
    life -= damage;
    MakeInvincible();
    // Felt as well as seen, on a pad that can.
    RumblePads(kHitRumbleStrength, kHitRumbleMillis);
    return true;
  }
  return false;
}

int TPlayer::MakeInvincible() {
  invincibilitydelay = static_cast<double>(ClockMillis());
  return 0;
}

int TPlayer::Shoot() {
  const double now = static_cast<double>(ClockMillis());
  if (std::abs(now - weapondelay) > weapondelayinterval) {
    if (intWeaponType == kKindTankFireball) {
      ShootFireball();
    } else if (intWeaponType == kKindTankMissile) {
      ShootMissile();
      if (gTankMissileSound) PlaySound(gTankMissileSound);
    }
    weapondelay = now;
  }
  return 0;
}

int TPlayer::ShootFireball() {
  gTankWeaponList.AddLast(
      TTankFireball::Create(static_cast<int>(x), static_cast<int>(y), kKindTankFireball, ClockTenths()));
  return 0;
}

int TPlayer::ShootMissile() {
  gTankWeaponList.AddLast(
      TTankMissile::Create(static_cast<int>(x), static_cast<int>(y), kKindTankMissile, ClockTenths()));
  return 0;
}
