#pragma once
// TSpriteBase: identity and position shared by every game object (tank, UFOs, shots, particles).
#include <string>

class TSpriteBase {
 public:
  virtual ~TSpriteBase() = default;

  int intImageIndex = 0;  // kind code of the tile set the object is drawn with
  int intType = -1;       // kind code of the object itself
  int index = 0;          // number within its list; not unique, so never used to find an object
  std::string id;
  float x = 0, y = 0;  // centre of the picture in screen pixels
  float h = 0, w = 0;
  int intCenterX = 0, intCenterY = 0;  // half extents for the movers' edge tests; 0 for every object
};
