#pragma once
// Readable streams over embedded bytes, and URL splitting ("incbin::name").
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// A read-only memory stream. Typed reads set a sticky failure flag when the data runs out instead of
// throwing; decoders check Failed() and report "not decoded".
class TRamStream {
 public:
  TRamStream(const uint8_t* data, size_t size) : buf_(data), size_(size) {}

  size_t Read(void* out, size_t count);  // copies min(count, remaining), returns the number copied
  void Seek(size_t pos) { pos_ = pos > size_ ? size_ : pos; }
  size_t Pos() const { return pos_; }
  size_t Size() const { return size_; }
  const uint8_t* Data() const { return buf_; }
  bool Eof() const { return pos_ >= size_; }

  // Typed reads: on running out they set the failure flag and return 0 / false.
  uint32_t ReadU32LE();
  uint16_t ReadU16LE();
  bool ReadBlock(void* out, size_t count);
  bool Skip(size_t count);
  bool Failed() const { return failed_; }
  void ClearFailure() { failed_ = false; }

 private:
  const uint8_t* buf_;
  size_t size_;
  size_t pos_ = 0;
  bool failed_ = false;
};

struct SplitUrlResult {
  bool has_protocol = false;
  std::string protocol;  // lower-cased
  std::string path;
};
SplitUrlResult SplitUrl(const std::string& url);

// A stream over the bytes a URL names, or null. Only "incbin::" URLs of registered names open.
std::unique_ptr<TRamStream> OpenStream(const std::string& url);
