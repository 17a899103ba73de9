#pragma once
// TSprite: the moving-picture record every game object extends: speeds, scale, smoke emission and the
// frame animation state. Time stamps are clock values in milliseconds, held in doubles.
#include "sprite/sprite_base.h"

class TSprite : public TSpriteBase {
 public:
  // Direction codes: the four arrow directions combine as sums.
  static constexpr int cDOWN = 1;
  static constexpr int cLEFT = 2;
  static constexpr int cDOWNLEFT = 3;
  static constexpr int cUP = 4;
  static constexpr int cUPLEFT = 6;
  static constexpr int cRIGHT = 8;
  static constexpr int cDOWNRIGHT = 9;
  static constexpr int cUPRIGHT = 12;

  // Stores the time stamp of the last animation step; creators start it far behind the clock.
  virtual int SetFrameDelayDefault(int value);

  float xspeed = 0, yspeed = 0;  // this frame's step in pixels
  float basespeed = 180;
  float speed = 180;
  float maxspeed = 240;
  float minspeed = 100;
  float xscale = 1, yscale = 1;
  int lastx = 0, lasty = 0;
  float smokestart = 0;
  int smoketype = 0;
  double smokedelay = 0;
  int smokeinterval = 100;
  int smokeframedelay = 25;
  int smokestartframe = 0;
  float smokescale = 1;
  int CurFrame = 0;
  int CurAnimFrame = 0;
  int StillFrame = 0;
  int StartAnimFrame = 1;
  int TotalAnimFrames = 3;
  int FrameDelayInterval = 500;
  double FrameDelay = 5;
  int FrameCount = 0;
  int FrameSequences = 3;
  int CurDirection = 0;
  int TotalDirections = 8;
};
