#pragma once
// TPlayer: the player's tank. Drives along its line under the arrow keys (Shift for more speed), fires
// upwards with Space, and after each accepted hit is invincible and flashes for a second.
#include <cstdint>
#include <memory>

#include "sprite/sprite.h"

class TVOTileset;

class TPlayer : public TSprite {
 public:
  // A tank of the given kind at (x, y), standing, with its animation due on the first move.
  static std::shared_ptr<TPlayer> Create(int x, int y, int kind);

  // Invincibility flashing, then the current tile at the tank's position.
  virtual int Draw(const std::shared_ptr<TVOTileset>& tiles);
  // Reads the keys, may fire, drives (stopping at 0 and maxX) and animates.
  virtual int Move(int maxX);
  // Strip row for a facing: 1 for right, 0 otherwise.
  virtual int GetAnimFrame(int direction);
  // True if the hit was taken (the tank was not invincible).
  virtual bool Hit(float damage);
  virtual int MakeInvincible();
  // Fires the current weapon when more than weapondelayinterval ms have passed since the last shot.
  virtual int Shoot();
  virtual int ShootFireball();
  virtual int ShootMissile();

  float life = 5;
  float maxlife = 5;
  float alpha = 1;
  float alphaincrement = 0.1f;
  double invincibilitydelay = 0;
  float invincibilityinterval = 1000;
  float speedmodifier = 1;
  int intWeaponType = 201;
  double weapondelay = 0;
  int weapondelayinterval = 500;
  bool blnMoveX = false;
  bool blnMoveY = false;
  bool blnReverseDir = false;
  int intRegion = 8;
  bool blnEnableFire = false;
};
