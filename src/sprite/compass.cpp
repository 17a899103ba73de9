#include "sprite/compass.h"

namespace {
int StepIndex(int angle) {
  if (angle < 0 || angle > 315 || angle % 45 != 0) return -1;
  return angle / 45;
}
}  // namespace

int CompassXStep(int angle) {
  static constexpr int kSteps[8] = {0, 1, 1, 1, 0, -1, -1, -1};
  const int i = StepIndex(angle);
  return i < 0 ? 0 : kSteps[i];
}

int CompassYStep(int angle) {
  static constexpr int kSteps[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
  const int i = StepIndex(angle);
  return i < 0 ? 0 : kSteps[i];
}

int CompassAngle(int heading) {
  return heading >= 0 && heading <= 7 ? 45 * heading : 0;
}
