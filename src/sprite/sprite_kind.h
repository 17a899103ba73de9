#pragma once
// The sprite kind codes. One number names an object's kind (intType) and the tile set it is drawn with
// (intImageIndex); each object list has its own lookup, so 201 is the hover tank among tanks and the
// missile among tank shots.

inline constexpr int kKindTank = 100;
inline constexpr int kKindHoverTank = 201;
inline constexpr int kKindTankFireball = 200;
inline constexpr int kKindTankMissile = 201;
inline constexpr int kKindScoutUfo = 300;
inline constexpr int kKindGreenUfo = 301;
inline constexpr int kKindBoss1Ufo = 310;
inline constexpr int kKindUfoFireball = 400;
inline constexpr int kKindSmoke1 = 500;
inline constexpr int kKindSmoke2 = 501;
inline constexpr int kKindSmoke3 = 502;
inline constexpr int kKindExplosion1 = 503;
inline constexpr int kKindExplosion2 = 504;
inline constexpr int kKindExplosion3 = 505;
