// Checks every committed asset against the manifest the game loads: names, pixel sizes, PNG format,
// tile layouts, WAV header fields and Ogg Vorbis channel count and rate.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> ReadFile(const std::string& relative) {
  std::ifstream in(std::string(VX_SOURCE_DIR) + "/assets/" + relative, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t BE32(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}
uint32_t LE32(const uint8_t* p) {
  return uint32_t(p[3]) << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}
uint16_t LE16(const uint8_t* p) {
  return uint16_t(p[1] << 8 | p[0]);
}

struct PngSpec {
  const char* name;
  int width, height;
  int tile_w, tile_h, tiles;  // tiles 0: a single picture
};

const PngSpec kPngs[] = {
    {"lanternworks.png", 120, 100, 0, 0, 0}, {"mouse.png", 32, 32, 0, 0, 0},
    {"title3.png", 800, 600, 0, 0, 0},       {"font.png", 320, 288, 32, 32, 90},
    {"menubutton.png", 229, 69, 0, 0, 0},    {"menubuttonhover.png", 229, 69, 0, 0, 0},
    {"greentank.png", 320, 128, 64, 64, 10}, {"hovertank.png", 256, 192, 64, 64, 12},
    {"scoutufo.png", 256, 192, 64, 64, 12},  {"greenufo.png", 256, 192, 64, 64, 12},
    {"boss1ufo.png", 384, 192, 96, 96, 8},   {"tank_fireball.png", 128, 32, 32, 32, 4},
    {"tank_missile.png", 64, 32, 16, 32, 4}, {"ufo_fireball.png", 128, 32, 32, 32, 4},
    {"smokey_1.png", 256, 256, 64, 64, 16},  {"smokey_2.png", 256, 256, 64, 64, 16},
    {"smokey_3.png", 256, 256, 64, 64, 16},  {"explode_1.png", 256, 256, 64, 64, 16},
    {"explode_2.png", 256, 256, 64, 64, 16}, {"explode_3.png", 256, 256, 64, 64, 16},
};

TEST(AssetManifest, EveryPngHasItsSizeFormatAndTileLayout) {
  for (const PngSpec& spec : kPngs) {
    SCOPED_TRACE(spec.name);
    const std::vector<uint8_t> data = ReadFile(std::string("Images/") + spec.name);
    ASSERT_GE(data.size(), 33u) << "missing or truncated";
    const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ASSERT_TRUE(std::equal(signature, signature + 8, data.begin()));
    ASSERT_EQ(std::string(data.begin() + 12, data.begin() + 16), "IHDR");
    EXPECT_EQ(BE32(&data[16]), uint32_t(spec.width));
    EXPECT_EQ(BE32(&data[20]), uint32_t(spec.height));
    EXPECT_EQ(data[24], 8) << "bit depth";
    EXPECT_EQ(data[25], 6) << "colour type RGBA";
    EXPECT_EQ(data[28], 0) << "not interlaced";
    if (spec.tiles > 0) {
      EXPECT_EQ((spec.width / spec.tile_w) * (spec.height / spec.tile_h), spec.tiles);
      EXPECT_EQ(spec.width % spec.tile_w, 0);
      EXPECT_EQ(spec.height % spec.tile_h, 0);
    }
  }
}

struct WavSpec {
  const char* name;
  int channels, rate, bits;
};

const WavSpec kWavs[] = {
    {"mouseover.wav", 1, 11025, 8},    {"explode.wav", 1, 11025, 8},      {"mouseclick.wav", 2, 44100, 16},
    {"tankmissile.wav", 2, 44100, 16}, {"ufofireball.wav", 2, 44100, 16}, {"ufoattack.wav", 2, 44100, 16},
    {"uforetreat.wav", 2, 44100, 16},
};

TEST(AssetManifest, EveryWavIsPlainPcmWithItsChannelsRateAndDepth) {
  for (const WavSpec& spec : kWavs) {
    SCOPED_TRACE(spec.name);
    const std::vector<uint8_t> data = ReadFile(std::string("Sounds/") + spec.name);
    ASSERT_GE(data.size(), 44u) << "missing or truncated";
    EXPECT_EQ(std::string(data.begin(), data.begin() + 4), "RIFF");
    EXPECT_EQ(LE32(&data[4]), data.size() - 8) << "RIFF size";
    EXPECT_EQ(std::string(data.begin() + 8, data.begin() + 12), "WAVE");
    EXPECT_EQ(std::string(data.begin() + 12, data.begin() + 16), "fmt ");
    EXPECT_EQ(LE32(&data[16]), 16u) << "fmt chunk length";
    EXPECT_EQ(LE16(&data[20]), 1) << "PCM";
    EXPECT_EQ(LE16(&data[22]), spec.channels);
    EXPECT_EQ(LE32(&data[24]), uint32_t(spec.rate));
    const int block = spec.channels * spec.bits / 8;
    EXPECT_EQ(LE32(&data[28]), uint32_t(spec.rate * block)) << "byte rate";
    EXPECT_EQ(LE16(&data[32]), block) << "block align";
    EXPECT_EQ(LE16(&data[34]), spec.bits);
    EXPECT_EQ(std::string(data.begin() + 36, data.begin() + 40), "data") << "data follows fmt";
    const uint32_t length = LE32(&data[40]);
    EXPECT_EQ(length, data.size() - 44) << "data length";
    EXPECT_EQ(length % block, 0u);
    EXPECT_GT(length, 0u);
  }
}

// Reads the identification header of the first Vorbis stream: channels, rate, and the last granule
// position (the length in frames).
struct OggInfo {
  bool vorbis = false;
  int channels = 0;
  uint32_t rate = 0;
  uint64_t frames = 0;
};

OggInfo ReadOgg(const std::vector<uint8_t>& data) {
  OggInfo info;
  size_t pos = 0;
  bool first = true;
  while (pos + 27 <= data.size() && std::string(data.begin() + pos, data.begin() + pos + 4) == "OggS") {
    uint64_t granule = 0;
    for (int i = 7; i >= 0; --i) granule = granule << 8 | data[pos + 6 + i];
    const int segments = data[pos + 26];
    if (pos + 27 + segments > data.size()) break;
    size_t body = 0;
    for (int i = 0; i < segments; ++i) body += data[pos + 27 + i];
    const size_t start = pos + 27 + segments;
    if (start + body > data.size()) break;
    if (first && body >= 30 && data[start] == 1 &&
        std::string(data.begin() + start + 1, data.begin() + start + 7) == "vorbis") {
      info.vorbis = true;
      info.channels = data[start + 11];
      info.rate = LE32(&data[start + 12]);
    }
    if (granule != ~0ULL) info.frames = granule;
    first = false;
    pos = start + body;
  }
  return info;
}

TEST(AssetManifest, BothMusicTracksAreStereoVorbisAt44100AndBetween45And90Seconds) {
  for (const char* name : {"menuambient.ogg", "8_Bit_Battle_Metal.ogg"}) {
    SCOPED_TRACE(name);
    const std::vector<uint8_t> data = ReadFile(std::string("Sounds/") + name);
    ASSERT_GT(data.size(), 1000u) << "missing or truncated";
    const OggInfo info = ReadOgg(data);
    EXPECT_TRUE(info.vorbis);
    EXPECT_EQ(info.channels, 2);
    EXPECT_EQ(info.rate, 44100u);
    EXPECT_GE(info.frames, 45u * 44100);
    EXPECT_LE(info.frames, 90u * 44100);
  }
}

}  // namespace
