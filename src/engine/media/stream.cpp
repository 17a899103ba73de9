#include "engine/media/stream.h"

#include <cctype>
#include <cstring>

#include "engine/media/embedded.h"

size_t TRamStream::Read(void* out, size_t count) {
  const size_t n = count < size_ - pos_ ? count : size_ - pos_;
  if (n > 0) std::memcpy(out, buf_ + pos_, n);
  pos_ += n;
  return n;
}

uint32_t TRamStream::ReadU32LE() {
  uint8_t b[4] = {};
  if (!ReadBlock(b, 4)) return 0;
  return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

uint16_t TRamStream::ReadU16LE() {
  uint8_t b[2] = {};
  if (!ReadBlock(b, 2)) return 0;
  return static_cast<uint16_t>(b[0] | b[1] << 8);
}

bool TRamStream::ReadBlock(void* out, size_t count) {
  if (count > size_ - pos_) {
    // Like a file read that runs out: what there is is consumed, and the read has failed.
    Read(out, count);
    failed_ = true;
    return false;
  }
  Read(out, count);
  return true;
}

bool TRamStream::Skip(size_t count) {
  if (count > size_ - pos_) {
    pos_ = size_;
    failed_ = true;
    return false;
  }
  pos_ += count;
  return true;
}

SplitUrlResult SplitUrl(const std::string& url) {
  SplitUrlResult result;
  const size_t sep = url.find("::");
  if (sep == std::string::npos) {
    result.path = url;
    return result;
  }
  result.has_protocol = true;
  result.protocol = url.substr(0, sep);
  for (char& c : result.protocol) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  result.path = url.substr(sep + 2);
  return result;
}

std::unique_ptr<TRamStream> OpenStream(const std::string& url) {
  const SplitUrlResult split = SplitUrl(url);
  // The program reads nothing from disk: plain paths and other protocols open nothing.
  if (!split.has_protocol || split.protocol != "incbin") return nullptr;
  const uint8_t* data = nullptr;
  size_t size = 0;
  if (!IncbinLookup(split.path, &data, &size)) return nullptr;
  return std::make_unique<TRamStream>(data, size);
}
