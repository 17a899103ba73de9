#pragma once
// IUfoBase: what every UFO shares: a compass heading and its speeds, a curved path through random control
// points, the retreat cycle into the distance and back, hit points with a short invincibility (and
// flashing) after each counted hit, a smoke trail once badly damaged, a tilt, a bounce off other UFOs
// and the frame animation. The kinds choose which pieces they use in their own Move and Shoot.
#include <array>
#include <cstdint>
#include <memory>

#include "sprite/point.h"
#include "sprite/sprite.h"

class TVOTileset;

// What tells one UFO kind from another at creation: one row per kind.
struct TUfoKindTraits {
  int type;                 // the sprite kind
  float startLife;          // hits of 0.1 to destroy it, in tenths
  int frameSequences;       // rows of heading frames in its strip
  int directionInterval;    // ms between changes of heading
  int initialRetreatRate;   // ms before the first retreat
  int attackRetreatRate;    // ms between retreats while attacking
  int smokeLifeDivisor;     // smoke starts below life / this
  int smokeType;            // the smoke particle kind
  int weaponDelayInterval;  // ms between shots
};

class IUfoBase : public TSprite {
 public:
  static constexpr int HOVER = 0;
  static constexpr int MOVE_RIGHT = 1;
  static constexpr int MOVE_LEFT = 2;
  static constexpr float RETREATED_SCALE = 0.8f;
  static constexpr int SPLINE_X = 0;
  static constexpr int SPLINE_Y = 1;

  // One frame of motion, animation, retreat and shooting.
  virtual int Move(int w, int h) = 0;
  virtual int Shoot() = 0;
  // Flashing, smoke trail and the current tile at the UFO's scale and tilt.
  virtual int Draw(const std::shared_ptr<TVOTileset>& tiles);
  virtual int Scale(float f);
  // Away in the distance (scale below 0.8): cannot shoot or be hit.
  virtual bool Retreated();
  // True when the hit counted (the UFO was not still invincible from the previous one).
  virtual bool Hit(float damage);
  // Animation group of a heading (0 level, 1 leftwards, 2 rightwards); restarts the animation there.
  virtual int GetAnimFrame(int heading);
  // This frame's step for the current direction; the argument is not used.
  virtual float GetXSpeed(int arg);
  virtual float GetYSpeed(int arg);
  // Advances the tilt toward the side flown to and back; returns 0.
  virtual int GetRotationDegree();
  virtual int GetDirectionDegree(int heading);
  // Slow down, turn to directionnext, speed up again.
  virtual int ChangeXSpeed();
  // One step of the retreat cycle (with the retreat and attack sounds).
  virtual int Retreat();
  // Bounce after touching another UFO.
  virtual int HitUfo();
  virtual int ChangeDirection();
  virtual int SplineY(int s0, int c0, int s1, int c1, int s2, int c2, int s3, int c3, float t);
  virtual int SplineX(int c0, int s0, int c1, int s1, int c2, int s2, int c3, int s3, float t);
  virtual int SetSplinePoints(int startx, int starty, int w, int h);
  virtual int SetSplinePointsXPatterned(int startx, int starty, int arg, int h);
  virtual int CycleSplinePoints(int w, int h);
  virtual int ChangeSpline();
  virtual std::shared_ptr<TPoint> GetRandCoords(int w, int h);
  virtual std::shared_ptr<TPoint> GetRandYCoords(int x, int arg);
  virtual std::shared_ptr<TPoint> GetRandXCoords(int arg, int limit, int y);

  int rotation = 0;
  int rotationincrement = 1;
  bool rotationhit = false;
  int direction = 0;
  int directionnext = 0;
  float directionchangespeed = 10;
  bool directionchanged = false;
  int Spline = 0;
  std::array<std::shared_ptr<TPoint>, 8> SplineCoords;
  float SplinePos = 0;
  float EndSplinePos = 5;
  float SplineInc = 0.02f;
  int UFOYPosMax = 175;
  int64_t directionlife = 0;
  int directioninterval = 1000;
  float life = 0.3f;
  float speedincrement = 0;
  float damage = 1;
  float alpha = 1;
  float alphaincrement = 0.1f;
  double invincibilitydelay = 0;
  float invincibilityinterval = 500;
  bool blnAnimate = true;
  int intMovement = 0;
  bool blnAllowRetreat = true;
  bool blnRetreatBack = true;
  float RetreatSpeed = 0.02f;
  double RetreatLife = 0;
  int RetreatInterval = 8000;
  float RetreatMinSize = 0.3f;
  float InitialRetreatRate = 0;
  float AttackRetreatRate = 0;
  bool blnDraw = true;
  bool blnReverseDir = false;
  double weapondelay = 0;
  int weapondelayinterval = 0;

 protected:
  // The frame animation step after the motion; r is the group GetAnimFrame gave in this call, or 0.
  int AnimationStep(int r);
  // Picks a new random heading and restarts the animation in its group; returns the group.
  int ChooseHeading();
  // Shared shot: a fireball when not retreated and the shot interval has passed.
  int FireFireball(bool withSound);
  // Straight flight of the green and boss kinds: stops on an axis at the field's edges.
  int FlyStraight(int w, int h);
  // Restarts the animation in a heading's group: level at frame 0, rightwards at 4, leftwards at
  // leftStart (the kinds' sheets differ there); returns the group as GetAnimFrame does.
  int StartHeadingAnimation(int heading, int leftStart);
  // The retreat's scale step, while one is under way: toward full size or RetreatMinSize, ending at either.
  void StepRetreatScale(double now);
  // The numbers every kind sets at creation, from the kind's row of the table.
  void Setup(const TUfoKindTraits& kind, int x, int y, int imageIndex, int index, int retreatInterval);
};
