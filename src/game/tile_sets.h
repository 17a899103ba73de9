#pragma once
// The game's fourteen tile strips (tanks, UFOs, projectiles, smoke, explosions), cut into their
// program-wide tile sets.

// Makes every tile set (the assets must be registered).
void CreateTileSets();
