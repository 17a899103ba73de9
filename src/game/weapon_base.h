#pragma once
// IWeaponBase: a shot in flight (the tank's fireballs and missiles, the UFOs' fireballs). It flies
// straight, trails smoke, and bursts into an explosion with a bang when it hits.
#include <memory>

#include "sprite/sprite.h"

class TVOTileset;

class IWeaponBase : public TSprite {
 public:
  // One frame of flight and animation; a shot whose next position lies beyond its edges ends silently.
  virtual int Move(int w, int h) = 0;
  // Smoke trail, then the current tile.
  virtual int Draw(const std::shared_ptr<TVOTileset>& tiles);
  virtual int GetRotationDegree(int heading);
  // Bursts: explosion particle, explosion sound, shot ended. A shot that has already ended does not
  // burst again.
  virtual int Hit();
  // This frame's step for a compass angle (0 is up for the tank's shots).
  virtual float GetXSpeed(int angle);
  virtual float GetYSpeed(int angle);

  int rotation = 0;
  float speedincrement = 0;
  float damage = 1;
  int explosiontype = 0;
  bool blnDraw = true;

 protected:
  // Shared flight: left and right edges always end the shot; falling shots end below h, rising ones
  // above 0.
  int Fly(int w, int h, bool falling);
  // Fills in the numbers every kind sets at creation.
  void Setup(int x, int y, int type, int imageIndex, int index, float speed, float damage, int explosion,
             int smokeInterval, float smokeScale);
};
