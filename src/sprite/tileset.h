#pragma once
// TVOTileset: an image strip cut into equal tiles, handle at the tile centre, shared by every sprite of
// one kind. CreateTileSets makes the fourteen strips of the game into their globals.
#include <memory>
#include <string>

#include "engine/image.h"

class TVOTileset {
 public:
  // Loads the strip at url cut into whole tiles of tilewidth x tileheight. A strip that does not load
  // gives a tile set with a null image and all counts 0.
  static std::shared_ptr<TVOTileset> Create(const std::string& url, int tilewidth, int tileheight);

  ImageRef image;
  int tileheight = 0;
  int tilewidth = 0;
  int tilecount = 0;
  int intCenterX = 0, intCenterY = 0;  // half the tile size, truncated
};

// Makes the tank, UFO, projectile, smoke and explosion tile sets (the assets must be registered).
void CreateTileSets();
