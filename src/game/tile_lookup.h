#pragma once
// Kind code to tile set, one lookup per object list (the same code may name different strips in
// different lists). Unknown codes give a null tile set.
#include <memory>

class TVOTileset;

const std::shared_ptr<TVOTileset>& GetTankTiles(int code);
const std::shared_ptr<TVOTileset>& GetTankWeaponTiles(int code);
const std::shared_ptr<TVOTileset>& GetUfoWeaponTiles(int code);
const std::shared_ptr<TVOTileset>& GetUfoTiles(int code);
const std::shared_ptr<TVOTileset>& GetParticleTiles(int code);
