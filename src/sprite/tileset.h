#pragma once
// TVOTileset: an image strip cut into equal tiles, handle at the tile centre, shared by every sprite of
// one kind.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/media/media.h"

// The smallest rectangle of a tile holding all its solid pixels (alpha >= 128), in pixels from the
// tile's top-left corner, right and bottom included; empty when the tile has no solid pixel.
struct TSolidBounds {
  int left = 0, top = 0, right = -1, bottom = -1;
  bool Empty() const { return right < left; }
};

// One row of a tile as bits, bit x set where pixel x is solid (tiles up to 128 pixels wide).
using TSolidRow = unsigned __int128;
inline constexpr int kMaxSolidRowWidth = 128;

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
  // Per tile, where its solid pixels lie, so the collision pass can skip pixel tests that cannot
  // succeed. Empty when not measured (then every tile counts as solid throughout).
  std::vector<TSolidBounds> solidBounds;
  // Per tile, per row, its solid pixels as bits; empty for tiles wider than kMaxSolidRowWidth.
  std::vector<std::vector<TSolidRow>> solidRows;

  // Measures solidBounds and solidRows from the image's pixels.
  void MeasureSolidBounds();
};
