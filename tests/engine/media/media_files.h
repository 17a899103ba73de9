#pragma once
// Small PNG, WAV and Ogg Vorbis files made in memory for the decoder and loader tests.
#include <cstdint>
#include <string>
#include <vector>

namespace media_files {

using Bytes = std::vector<uint8_t>;

// A PNG of the given channel count (1 grey, 2 grey+alpha, 3 RGB, 4 RGBA) from tightly packed 8-bit pixels;
// with sixteen_bit set each value v is written as the 16-bit v * 257.
Bytes MakePng(int width, int height, int channels, const Bytes& pixels, bool sixteen_bit = false);
// A palette PNG whose entries are RGBA (so it carries a transparency chunk); indices one byte a pixel.
Bytes MakePalettePng(int width, int height, const Bytes& palette_rgba, const Bytes& indices);

// A RIFF WAVE file. `fmt_extra` bytes are appended to the 16-byte fmt chunk (its length grows), and
// `between` is placed as whole chunks between fmt and data. `data_length` is the length written in the
// data header (by default the real length).
struct WavSpec {
  int format_tag = 1;
  int channels = 1;
  int rate = 22050;
  int bits = 16;
  Bytes fmt_extra;
  Bytes between;
  Bytes data;
  int64_t data_length = -1;
};
Bytes MakeWav(const WavSpec& spec);
// A chunk: 4-character tag, little-endian length, body.
Bytes Chunk(const std::string& tag, const Bytes& body);

// An Ogg Vorbis file of `frames` frames of a quiet sine at `rate`.
Bytes MakeOgg(int channels, int rate, int frames);

// Registers a copy of the bytes (kept alive until the process ends) and returns its "incbin::" URL.
std::string RegisterCopy(const std::string& name, Bytes bytes);

}  // namespace media_files
