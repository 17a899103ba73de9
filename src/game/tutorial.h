#pragma once
// TTutorial: the five lessons (driving, firing, a UFO, a bombing UFO, a retreating UFO) and the
// closing page. Each lesson runs the real game objects with the tutorial's own tank until its goal is
// met, then waits for Enter.
#include <memory>
#include <string>

#include "engine/media/media.h"
#include "game/kept_world.h"

class TText;
class TPlayer;

class TTutorial {
 public:
  std::string strComplete = "Excellent! Press enter to continue!";
  std::string strRule1 = "Press the left and right arrow keys to move";
  std::string strRule2 = "Press the shift key with left/right arrows to move faster";
  std::string strRule3 = "Press the space bar to fire";
  std::string strRule4 = "Destroy the UFO";
  std::string strRule5 = "Avoid the bombs or shoot to destroy them";
  std::string strRule6 = "UFOs can move away into the distance";
  std::string strRule7 = "UFOs cannot attack the tank while they are away";
  std::string strRule8 = "The tank cannot attack UFOs while they are away";
  std::string strRule9 = "Score weapons and armor upgrades by killing the UFOs";
  std::string strRule10 = "Stronger UFOs offer better weapon or armor upgrades";
  std::string strFinished = "C O N G R A D U L A T I O N S !";
  std::string strFinished2 = "You have successfully completed this tutorial!";
  std::string strFinished3 = "Press enter to continue!";
  // The same lines for a player on a pad, shown while the last input came from one.
  std::string strPadComplete = "Excellent! Press the A button to continue!";
  std::string strPadRule1 = "Use the d-pad or the left stick to move";
  std::string strPadRule2 = "Hold the right shoulder or trigger to move faster";
  std::string strPadRule3 = "Press the A button to fire";
  std::string strPadFinished3 = "Press the A button to continue!";
  int intMaxRule = 5;
  int intCurrentRule = 1;
  std::shared_ptr<TText> objRule, objRule2, objRule3;
  std::shared_ptr<TPlayer> objTank;
  bool blnReadyForNextLesson = false;
  bool blnPlayTutorial = true;

  static constexpr int kFinishedPage = 99;

  // One frame: the current page, then Enter handling. The font argument is not used.
  int Draw(const ImageRef& font);
  // Moves on to the next lesson (after the last, to the closing page) with a new tank and empty lists.
  int NextRule();
  // Empties the four object lists.
  int Reset();
  // The game in progress is set aside for the visit (the lessons use the same lists) and given back
  // untouched when the visit ends, with nothing of the lessons left in it.
  void KeepGameAside() { keptGame_.Keep(); }
  void GiveGameBack() { keptGame_.GiveBack(); }
  int TeachTankMovement(bool canFire);
  int TeachShootingUFO();
  int TeachShootingUFOBombs(bool canRetreat);
  int ShowFinishedTutorial();

 private:
  // Called when a page starts, so only presses made during this page count.
  void ForgetEarlierPresses();
  // Marks the goal as met; Enter counts only when pressed after this moment.
  void GoalMet();
  void DrawLines();
  // The line's text for the device the player uses now: the pad's wording or the keyboard's.
  std::string ForDevice(const std::string& text) const;
  std::shared_ptr<TText> DeviceLine(const std::string& text, int y) const;

  TKeptWorld keptGame_;
};

// An instruction line: blue letters 24 pixels high, 12 apart, centred on x 400 at the given y.
std::shared_ptr<TText> TutorialLine(const std::string& text, int y);
