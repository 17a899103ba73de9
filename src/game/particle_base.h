#pragma once
// IParticleBase: a picture that plays its strip once where it was made (smoke, explosions) and then
// ends. Particles never move and never collide; a far particle is drawn behind the near UFOs.
#include <memory>

#include "sprite/sprite.h"

class TVOTileset;

class IParticleBase : public TSprite {
 public:
  // One animation step when due; the particle ends with its 16th step.
  virtual int Move(int w, int h) = 0;
  virtual int Draw(const std::shared_ptr<TVOTileset>& tiles);
  virtual bool Retreated();
  virtual float GetXSpeed(int angle);
  virtual float GetYSpeed(int angle);
  virtual int GetRotationDegree(int heading);

  float alpha = 1;
  float alphaincrement = 0.1f;
  float stopalpha = 0;
  bool blnChangeAlpha = false;
  bool blnRetreated = false;
  int rotation = 0;
  float speedincrement = 0;
  bool blnDraw = true;

 protected:
  // The step both kinds share: next tile once more than FrameDelayInterval ms have passed.
  int StepAnimation();
  // What both kinds set when made: where, which strip (type is both the kind and its tile set), and
  // 16 steps of frameInterval ms each.
  void Start(int x, int y, int type, int index, int frameInterval);
};
