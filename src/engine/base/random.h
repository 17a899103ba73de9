#pragma once
// The engine's random numbers: Park-Miller (48271) by Schrage's method, seed 4660 at start, so every
// run draws the same sequence.
double RandomDouble(double min, double max);
int RandomInt(int min, int max);
// Sets the state (tests only; the game never re-seeds). 0 and negative seeds are moved into range.
void SeedRandom(int seed);
int RandomState();
