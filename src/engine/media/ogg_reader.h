#pragma once
// OggVorbisReader: an Ogg Vorbis stream over embedded bytes, decoded piece by piece, so that music can be
// played while it decodes instead of being held decoded in memory.
#include <vorbis/vorbisfile.h>

#include <cstdint>
#include <memory>

#include "engine/media/stream.h"

class OggVorbisReader {
 public:
  // Null unless the bytes from the stream's position on are a whole Ogg Vorbis stream (its last page
  // closes it) of one or two channels at an accepted rate with a known length. Decoding errors further
  // in show only when reading reaches them.
  static std::unique_ptr<OggVorbisReader> Open(const TRamStream& stream);
  // Open for bytes that an earlier Open accepted: it leaves out the walk over every page to the stream's
  // end, which would read (and so bring into memory) the whole of the bytes once more.
  static std::unique_ptr<OggVorbisReader> Reopen(const TRamStream& stream);
  ~OggVorbisReader();
  OggVorbisReader(const OggVorbisReader&) = delete;
  OggVorbisReader& operator=(const OggVorbisReader&) = delete;

  int Channels() const { return channels_; }
  int Rate() const { return rate_; }
  int64_t Frames() const { return frames_; }

  // Decodes up to `max_frames` frames as interleaved 16-bit PCM at Channels(): the number of frames, 0 at
  // the end of the data, -1 on a decoding error.
  int Read(int16_t* out, int max_frames);
  // Positions the next Read exactly at `frame`; false if the library cannot.
  bool SeekFrame(int64_t frame);
  // How far into the bytes the decoder has read.
  size_t BytesRead() const { return stream_.Pos(); }

 private:
  explicit OggVorbisReader(const TRamStream& stream) : stream_(stream) {}
  static std::unique_ptr<OggVorbisReader> OpenChecked(const TRamStream& stream, bool check_end);

  TRamStream stream_;  // the decoder reads through this copy; the bytes stay in place
  OggVorbis_File file_{};
  int channels_ = 0;
  int rate_ = 0;
  int64_t frames_ = 0;
  bool open_ = false;
};
