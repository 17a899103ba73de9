#pragma once
// The game's own random generator: Lehmer / Park-Miller (16807 mod 2147483647) kept in a double, with an
// integer draw that rounds through the decimal text of the value. UFO paths and headings draw from it.
#include <memory>
#include <string>

class TRandomNumber {
 public:
  static std::shared_ptr<TRandomNumber> Create(double seed);

  // Stores the seed only; the running sequence is not changed.
  virtual int setseed(double s);
  // The next value of the sequence as a fraction in (0, 1].
  virtual double getnumber();
  virtual double RndDouble(double min, double max);
  // A whole number from min to max, halves rounded up.
  virtual int Rnd(double min, double max);

  virtual ~TRandomNumber() = default;

  double seed = 0;
  double last = 0;

  // The rounding Rnd applies to a drawn value: the digit after the point of its "%#.17lg" text decides
  // between Ceil (5 and up) and Floor.
  static int RoundDrawn(double v);
  // Moves any seed into 1..2147483646, where the sequence never collapses to 0 or goes negative.
  static double NormaliseSeed(double seed);
};
