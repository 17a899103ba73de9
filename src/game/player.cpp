#include "game/player.h"

#include "sprite/tileset.h"

std::shared_ptr<TPlayer> TPlayer::Create(int x, int y, int kind) {
  auto tank = std::make_shared<TPlayer>();
  tank->intType = kind;
  tank->intImageIndex = kind;
  tank->x = static_cast<float>(x);
  tank->y = static_cast<float>(y);
  tank->lastx = x;
  tank->lasty = y;
  tank->TotalAnimFrames = 5;
  tank->SetFrameDelayDefault(8);
  return tank;
}

int TPlayer::Draw(const std::shared_ptr<TVOTileset>&) {
  return 0;
}
int TPlayer::Move(int) {
  return 0;
}
int TPlayer::GetAnimFrame(int direction) {
  return direction == 1 ? 1 : 0;
}
bool TPlayer::Hit(float) {
  return false;
}
int TPlayer::MakeInvincible() {
  return 0;
}
int TPlayer::Shoot() {
  return 0;
}
int TPlayer::ShootFireball() {
  return 0;
}
int TPlayer::ShootMissile() {
  return 0;
}
