#include "game/regions.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

#include "common/collision.h"
#include "common/globals.h"
#include "engine/render/render.h"
#include "game/player.h"
#include "game/tile_lookup.h"
#include "game/ufo_base.h"
#include "game/weapon_base.h"
#include "sprite/sprite_kind.h"
#include "sprite/tileset.h"

TRegionGrid gRegions;

namespace {

constexpr int kCellWidth = gScreenWidth / 3;
constexpr int kCellHeight = gScreenHeight / 3;
// A shot still above the tank's line bursts on the ground once it reaches it.
constexpr int kGroundY = gScreenHeight - 100;

// What the pass needs of one object: its picture, where it is drawn and its box.
struct Shape {
  const TVOTileset* tiles = nullptr;
  int x = 0, y = 0, frame = 0;
  float left = 0, top = 0, right = 0, bottom = 0;
};

Shape ShapeOf(const TSprite& sprite, const std::shared_ptr<TVOTileset>& tiles) {
  Shape shape;
  shape.tiles = tiles && tiles->image ? tiles.get() : nullptr;
  const float cx = tiles ? static_cast<float>(tiles->intCenterX) : 0;
  const float cy = tiles ? static_cast<float>(tiles->intCenterY) : 0;
  shape.x = static_cast<int>(sprite.x);
  shape.y = static_cast<int>(sprite.y);
  shape.frame = sprite.CurFrame;
  shape.left = sprite.x - cx;
  shape.top = sprite.y - cy;
  shape.right = sprite.x + cx;
  shape.bottom = sprite.y + cy;
  return shape;
}

bool BoxesTouch(const Shape& a, const Shape& b) {
  return TCollision::BoundingBox(a.left, a.top, a.right, a.bottom, b.left, b.top, b.right, b.bottom) == 1;
}

// The screen rectangle (pixels, ends included) of a shape's solid pixels, widened by a pixel for safety;
// false when the tile has none.
bool SolidRect(const Shape& s, int64_t* left, int64_t* top, int64_t* right, int64_t* bottom) {
  const TImage& image = *s.tiles->image;
  const int64_t x0 = static_cast<int64_t>(std::ceil(s.x - image.handle_x - 0.5));
  const int64_t y0 = static_cast<int64_t>(std::ceil(s.y - image.handle_y - 0.5));
  const auto& all = s.tiles->solidBounds;
  if (s.frame < 0 || s.frame >= static_cast<int>(all.size())) {
    *left = x0 - 1;
    *top = y0 - 1;
    *right = x0 + image.width;
    *bottom = y0 + image.height;
    return true;
  }
  const TSolidBounds& b = all[s.frame];
  if (b.Empty()) return false;
  *left = x0 + b.left - 1;
  *top = y0 + b.top - 1;
  *right = x0 + b.right + 1;
  *bottom = y0 + b.bottom + 1;
  return true;
}

enum class Meet { kNo, kYes, kMaybe };

// The exact pixel test from the tiles' solid row bits, when both tiles have them; kMaybe otherwise.
Meet SolidRowsMeet(const Shape& a, const Shape& b) {
  const auto& aRows = a.tiles->solidRows;
  const auto& bRows = b.tiles->solidRows;
  if (a.frame < 0 || a.frame >= static_cast<int>(aRows.size()) || b.frame < 0 ||
      b.frame >= static_cast<int>(bRows.size())) {
    return Meet::kMaybe;
  }
  const auto& as = aRows[a.frame];
  const auto& bs = bRows[b.frame];
  if (as.empty() || bs.empty()) return Meet::kMaybe;
  const TImage& ai = *a.tiles->image;
  const TImage& bi = *b.tiles->image;
  const int64_t ax0 = static_cast<int64_t>(std::ceil(a.x - ai.handle_x - 0.5));
  const int64_t ay0 = static_cast<int64_t>(std::ceil(a.y - ai.handle_y - 0.5));
  const int64_t bx0 = static_cast<int64_t>(std::ceil(b.x - bi.handle_x - 0.5));
  const int64_t by0 = static_cast<int64_t>(std::ceil(b.y - bi.handle_y - 0.5));
  const int64_t dx = bx0 - ax0;  // b's pixel 0 lies over a's pixel dx
  if (dx >= kMaxSolidRowWidth || dx <= -kMaxSolidRowWidth) return Meet::kNo;
  const int64_t first = std::max<int64_t>(0, by0 - ay0);
  const int64_t last =
      std::min<int64_t>(static_cast<int64_t>(as.size()), by0 + static_cast<int64_t>(bs.size()) - ay0);
  for (int64_t row = first; row < last; ++row) {
    const TSolidRow bRow = bs[static_cast<size_t>(ay0 + row - by0)];
    const TSolidRow shifted = dx >= 0 ? bRow << dx : bRow >> -dx;
    if (as[static_cast<size_t>(row)] & shifted) return Meet::kYes;
  }
  return Meet::kNo;
}

// Whether the solid parts of two tiles meet, from what is known of their rows, before any pixel test
// (which runs at scale 1 without rotation, as the pictures are placed here).
Meet SolidPartsMeet(const Shape& a, const Shape& b) {
  int64_t al, at, ar, ab, bl, bt, br, bb;
  if (!SolidRect(a, &al, &at, &ar, &ab) || !SolidRect(b, &bl, &bt, &br, &bb)) return Meet::kNo;
  if (!(al <= br && bl <= ar && at <= bb && bt <= ab)) return Meet::kNo;
  return SolidRowsMeet(a, b);
}

bool PicturesTouch(const Shape& a, const Shape& b) {
  if (!a.tiles || !b.tiles) return false;
  const Meet meet = SolidPartsMeet(a, b);
  if (meet != Meet::kMaybe) return meet == Meet::kYes;
  return FramesOverlap(a.tiles->image, a.x, a.y, a.frame, b.tiles->image, b.x, b.y, b.frame) == 1;
}

bool Collide(const Shape& a, const Shape& b) {
  return BoxesTouch(a, b) && PicturesTouch(a, b);
}

// True in the lowest cell that both objects were entered in, so each pair is met once per frame.
bool FirstSharedCell(uint16_t a, uint16_t b, int cell) {
  const unsigned shared = static_cast<unsigned>(a & b);
  return shared != 0 && std::countr_zero(shared) == cell;
}

Shape UfoShape(const IUfoBase& ufo) {
  return ShapeOf(ufo, GetUfoTiles(ufo.intImageIndex));
}
Shape TankShotShape(const IWeaponBase& shot) {
  return ShapeOf(shot, GetTankWeaponTiles(shot.intImageIndex));
}
Shape UfoShotShape(const IWeaponBase& shot) {
  return ShapeOf(shot, GetUfoWeaponTiles(shot.intImageIndex));
}

void TankShotsInCell(int cell) {
  for (const auto& w : gRegions.tankWeapons[cell]) {
    IWeaponBase& shot = *w.object;
    if (!shot.blnDraw) continue;
    const Shape shotShape = TankShotShape(shot);
    for (const auto& u : gRegions.ufos[cell]) {
      if (!shot.blnDraw) break;
      IUfoBase& ufo = *u.object;
      if (!ufo.blnDraw || ufo.Retreated() || !FirstSharedCell(w.cells, u.cells, cell)) continue;
      if (Collide(shotShape, UfoShape(ufo)) && ufo.Hit(shot.damage)) shot.Hit();
    }
    for (const auto& b : gRegions.ufoWeapons[cell]) {
      if (!shot.blnDraw) break;
      IWeaponBase& bomb = *b.object;
      if (!bomb.blnDraw || !FirstSharedCell(w.cells, b.cells, cell)) continue;
      if (Collide(shotShape, UfoShotShape(bomb))) {
        bomb.Hit();
        shot.Hit();
      }
    }
  }
}

void UfoShotsInCell(int cell, const std::shared_ptr<TPlayer>& tank) {
  if (gRegions.ufoWeapons[cell].empty()) return;
  Shape tankShape;
  if (tank) tankShape = ShapeOf(*tank, GetTankTiles(tank->intImageIndex));
  for (const auto& b : gRegions.ufoWeapons[cell]) {
    IWeaponBase& bomb = *b.object;
    if (!bomb.blnDraw) continue;
    const Shape bombShape = UfoShotShape(bomb);
    if (tank && BoxesTouch(bombShape, tankShape)) {
      if (PicturesTouch(tankShape, bombShape) && tank->Hit(bomb.damage)) bomb.Hit();
    } else if (bomb.y >= kGroundY) {
      bomb.Hit();
    }
  }
}

// UFO pairs of one cell, swept from left to right so that only UFOs whose boxes meet in x are paired.
// Each bounce is the same turn applied once per contact, so the order of the pairs does not matter.
void UfosInCell(int cell) {
  struct Entry {
    Shape shape;
    IUfoBase* ufo;
    uint16_t cells;
  };
  static std::vector<Entry> live;  // kept between frames to save allocations
  live.clear();
  for (const auto& u : gRegions.ufos[cell]) {
    if (u.object->blnDraw) live.push_back({UfoShape(*u.object), u.object.get(), u.cells});
  }
  std::sort(live.begin(), live.end(),
            [](const Entry& a, const Entry& b) { return a.shape.left < b.shape.left; });
  for (size_t i = 0; i < live.size(); ++i) {
    const Entry& first = live[i];
    for (size_t j = i + 1; j < live.size() && live[j].shape.left <= first.shape.right; ++j) {
      const Entry& second = live[j];
      if (!FirstSharedCell(first.cells, second.cells, cell)) continue;
      if (Collide(first.shape, second.shape)) {
        first.ufo->HitUfo();
        second.ufo->HitUfo();
      }
    }
  }
}

template <class T>
void Enter(std::array<std::vector<TRegionEntry<T>>, TRegionGrid::kCells>& grid,
           const std::shared_ptr<T>& object, uint16_t cells) {
  for (int r = 0; r < TRegionGrid::kCells; ++r) {
    if (cells & (1u << r)) grid[r].push_back({object, cells});
  }
}

uint16_t CellsOf(const TSprite& sprite, const std::shared_ptr<TVOTileset>& tiles) {
  return RegionCells(sprite.x, sprite.y, tiles ? tiles->intCenterX : 0, tiles ? tiles->intCenterY : 0);
}

}  // namespace

bool TilesOverlap(const TVOTileset& a, int ax, int ay, int aframe, const TVOTileset& b, int bx, int by,
                  int bframe) {
  if (!a.image || !b.image) return false;
  Shape sa, sb;
  sa.tiles = &a;
  sa.x = ax;
  sa.y = ay;
  sa.frame = aframe;
  sb.tiles = &b;
  sb.x = bx;
  sb.y = by;
  sb.frame = bframe;
  return PicturesTouch(sa, sb);
}

uint16_t RegionCells(float x, float y, int cx, int cy) {
  const int left = static_cast<int>(x - cx);
  const int top = static_cast<int>(y - cy);
  const int right = static_cast<int>(x + cx);
  const int bottom = static_cast<int>(y + cy);
  uint16_t cells = 0;
  for (int r = 0; r < TRegionGrid::kCells; ++r) {
    const int x1 = (r % 3) * kCellWidth;
    const int y1 = (r / 3) * kCellHeight;
    const int x2 = x1 + kCellWidth;
    const int y2 = y1 + kCellHeight;
    if (TCollision::PointToBox(left, top, x1, y1, x2, y2) ||
        TCollision::PointToBox(left, bottom, x1, y1, x2, y2) ||
        TCollision::PointToBox(right, top, x1, y1, x2, y2) ||
        TCollision::PointToBox(right, bottom, x1, y1, x2, y2)) {
      cells |= static_cast<uint16_t>(1u << r);
    }
  }
  return cells;
}

int ClearRegions() {
  for (int r = 0; r < TRegionGrid::kCells; ++r) {
    gRegions.ufos[r].clear();
    gRegions.ufoWeapons[r].clear();
    gRegions.tankWeapons[r].clear();
  }
  return 0;
}

int AddToRegions(const std::shared_ptr<IUfoBase>& ufo) {
  if (!ufo) return 0;
  Enter(gRegions.ufos, ufo, CellsOf(*ufo, GetUfoTiles(ufo->intImageIndex)));
  return 0;
}

int AddToRegions(const std::shared_ptr<IWeaponBase>& shot) {
  if (!shot) return 0;
  if (shot->intType == kKindUfoFireball) {
    Enter(gRegions.ufoWeapons, shot, CellsOf(*shot, GetUfoWeaponTiles(shot->intImageIndex)));
  } else if (shot->intType == kKindTankFireball || shot->intType == kKindTankMissile) {
    Enter(gRegions.tankWeapons, shot, CellsOf(*shot, GetTankWeaponTiles(shot->intImageIndex)));
  }
  return 0;
}

int AddToRegions(const std::shared_ptr<TPlayer>& tank) {
  if (!tank) return 0;
  const uint16_t cells = CellsOf(*tank, GetTankTiles(tank->intImageIndex));
  if (cells != 0) tank->intRegion = 15 - std::countl_zero(cells);
  return 0;
}

int CheckCollisions(const std::shared_ptr<TPlayer>& tank) {
  for (int r = 0; r < TRegionGrid::kCells; ++r) {
    TankShotsInCell(r);
    UfoShotsInCell(r, tank);
    UfosInCell(r);
  }
  return 0;
}
