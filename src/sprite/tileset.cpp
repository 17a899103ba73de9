#include "sprite/tileset.h"

#include <algorithm>
#include <cstdint>

std::shared_ptr<TVOTileset> TVOTileset::Create(const std::string& url, int tilewidth, int tileheight) {
  auto tiles = std::make_shared<TVOTileset>();
  if (tilewidth <= 0 || tileheight <= 0) return tiles;
  int count = -1;
  ImageRef strip = LoadAllCells(url, tilewidth, tileheight, &count, -1);
  if (count < 0) return tiles;
  tiles->tilewidth = tilewidth;
  tiles->tileheight = tileheight;
  tiles->tilecount = count;
  tiles->image = std::move(strip);
  tiles->intCenterX = tilewidth / 2;
  tiles->intCenterY = tileheight / 2;
  if (tiles->image) {
    CentreHandle(tiles->image);
    tiles->MeasureSolidBounds();
    // Until a sprite of the kind is first drawn, only the alpha is needed (for collisions); the colours
    // are decoded again for the texture.
    tiles->image->DropColour();
  }
  return tiles;
}

void TVOTileset::MeasureSolidBounds() {
  solidBounds.clear();
  solidRows.clear();
  if (!image) return;
  for (int f = 0; f < image->FrameCount(); ++f) {
    TSolidBounds bounds;
    std::vector<TSolidRow> rows;
    const TPixmap* pixels = image->pixmaps[f].get();
    if (pixels) {
      rows.resize(pixels->width <= kMaxSolidRowWidth ? pixels->height : 0);
      for (int y = 0; y < pixels->height; ++y) {
        for (int x = 0; x < pixels->width; ++x) {
          uint8_t rgba[4];
          pixels->GetRGBA(x, y, rgba);
          if (rgba[3] < 128) continue;
          if (!rows.empty()) rows[y] |= TSolidRow{1} << x;
          if (bounds.Empty()) {
            bounds = {x, y, x, y};
          } else {
            bounds.left = std::min(bounds.left, x);
            bounds.right = std::max(bounds.right, x);
            bounds.top = std::min(bounds.top, y);
            bounds.bottom = std::max(bounds.bottom, y);
          }
        }
      }
    }
    solidBounds.push_back(bounds);
    solidRows.push_back(std::move(rows));
  }
}
