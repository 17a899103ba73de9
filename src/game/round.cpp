#include "game/round.h"

int PlayGame() {
  return 0;
}
int NewGame() {
  return 0;
}
int NextLevel() {
  return 0;
}
int SpawnScoutUfos(int, bool) {
  return 0;
}
int SpawnGreenUfos(int, bool) {
  return 0;
}
int SpawnBoss1Ufos(int, bool) {
  return 0;
}
int UpdateUfos() {
  return 0;
}
int UpdateTankWeapons() {
  return 0;
}
int UpdateUfoWeapons() {
  return 0;
}
int UpdateParticles() {
  return 0;
}
int DrawDistantParticles() {
  return 0;
}
int DrawDistantUfos() {
  return 0;
}
int DrawNearParticles() {
  return 0;
}
int DrawTankWeapons() {
  return 0;
}
int DrawUfoWeapons() {
  return 0;
}
int DrawNearUfos() {
  return 0;
}
