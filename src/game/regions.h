#pragma once
// The region grid of the collision pass: the screen cut into 3 x 3 cells, rebuilt every frame. Each cell
// holds the UFOs, UFO shots and tank shots whose picture boxes touch it (the objects themselves, so two
// objects with the same index are never confused). CheckCollisions then tests only objects that share a
// cell: boxes first, then the pictures pixel by pixel.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class IUfoBase;
class IWeaponBase;
class TPlayer;
class TVOTileset;

// One object entered in a cell, with the set of every cell it was entered in (bit r for cell r), so a
// pair sharing several cells is dealt with only in the first of them.
template <class T>
struct TRegionEntry {
  std::shared_ptr<T> object;
  uint16_t cells = 0;
};

struct TRegionGrid {
  static constexpr int kCells = 9;
  std::array<std::vector<TRegionEntry<IUfoBase>>, kCells> ufos;
  std::array<std::vector<TRegionEntry<IWeaponBase>>, kCells> ufoWeapons;
  std::array<std::vector<TRegionEntry<IWeaponBase>>, kCells> tankWeapons;
};

extern TRegionGrid gRegions;

// The cells (bit r for cell r) that at least one corner of the box (x - cx, y - cy)-(x + cx, y + cy)
// lies in. Off-screen corners, and the strip x >= 799 at the right, lie in no cell.
uint16_t RegionCells(float x, float y, int cx, int cy);

// FramesOverlap of two tiles drawn at (ax, ay) and (bx, by) at scale 1 without rotation, answered from
// the tiles' measured solid rows where they settle it.
bool TilesOverlap(const TVOTileset& a, int ax, int ay, int aframe, const TVOTileset& b, int bx, int by,
                  int bframe);

// Empties every cell.
int ClearRegions();
// Enters a UFO, a shot (by its kind: tank shot or UFO shot) or a tank (which only notes its last cell).
int AddToRegions(const std::shared_ptr<IUfoBase>& ufo);
int AddToRegions(const std::shared_ptr<IWeaponBase>& shot);
int AddToRegions(const std::shared_ptr<TPlayer>& tank);
// Applies this frame's hits: tank shots on UFOs and on UFO shots, UFO shots on the tank in play (or on
// the ground), UFOs bouncing off each other. Objects that ended earlier in the pass take no more part.
int CheckCollisions(const std::shared_ptr<TPlayer>& tank);
