#include "game/regions.h"

#include <bit>

#include "engine/graphics.h"
#include "game/player.h"
#include "game/tile_lookup.h"
#include "game/ufo_base.h"
#include "game/weapon_base.h"
#include "sprite/collision.h"
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

bool PicturesTouch(const Shape& a, const Shape& b) {
  if (!a.tiles || !b.tiles) return false;
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

void UfosInCell(int cell) {
  const auto& ufos = gRegions.ufos[cell];
  for (size_t i = 0; i < ufos.size(); ++i) {
    IUfoBase& first = *ufos[i].object;
    if (!first.blnDraw) continue;
    const Shape firstShape = UfoShape(first);
    for (size_t j = i + 1; j < ufos.size(); ++j) {
      IUfoBase& second = *ufos[j].object;
      if (!second.blnDraw || !FirstSharedCell(ufos[i].cells, ufos[j].cells, cell)) continue;
      if (Collide(firstShape, UfoShape(second))) {
        first.HitUfo();
        second.HitUfo();
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
