#pragma once
// The game round: one frame of play (PlayGame), the new-game and next-level set-ups, the spawners and
// the update and draw passes over the object lists. The tutorial reuses the spawners and passes.
#include <memory>

class TPlayer;

// One frame of the play screen: set-ups when due, moves, collisions, then drawing back to front.
int PlayGame();
// The moving half of a frame with the given tank: region grid, tank, UFOs, shots, particles, then the
// collision pass against that tank.
int UpdateWorld(const std::shared_ptr<TPlayer>& tank);
// The drawing half: every object back to front, the tank last.
int DrawWorld(const std::shared_ptr<TPlayer>& tank);
// Level 9 (the next frame starts level 10), empty lists, a second of invincibility for gPlayer.
int NewGame();
// Next level number and empty lists.
int NextLevel();

// Adds count UFOs at random places above the line; allowRetreat false makes them full size for good.
int SpawnScoutUfos(int count, bool allowRetreat);
int SpawnGreenUfos(int count, bool allowRetreat);
int SpawnBoss1Ufos(int count, bool allowRetreat);

// Move each live object and enter it into the region grid; drop the dead ones.
int UpdateUfos();
int UpdateTankWeapons();
int UpdateUfoWeapons();
int UpdateParticles();

// Draw passes, called in this order to build the picture from back to front.
int DrawDistantParticles();
int DrawDistantUfos();
int DrawNearParticles();
int DrawTankWeapons();
int DrawUfoWeapons();
int DrawNearUfos();
