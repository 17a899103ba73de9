#pragma once
// Streamed music: a track stays as its embedded Ogg Vorbis bytes and is decoded a little ahead of the
// mixer while it plays. StreamedTrack is the loaded sound; each play of it reads through its own
// StreamCursor.
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "engine/audio/stream_ring.h"
#include "engine/media/ogg_reader.h"
#include "engine/media/stream.h"

class StreamedTrack {
 public:
  // Null unless the bytes are an Ogg Vorbis stream the decoder accepts and its first frames decode.
  static std::shared_ptr<StreamedTrack> Open(const TRamStream& data, int output_rate);

  int OutputRate() const { return output_rate_; }
  // One pass of the track in output frames: the same count a whole conversion would give.
  int64_t Frames() const { return frames_; }
  // A decoding error met while playing marks the track: it is not played again.
  bool Broken() const { return broken_.load(); }
  void MarkBroken();

 private:
  friend class StreamCursor;
  StreamedTrack() = default;

  TRamStream data_{nullptr, 0};
  int source_rate_ = 0;
  int64_t source_frames_ = 0;
  int output_rate_ = 0;
  int64_t frames_ = 0;
  // The first output frames, decoded at load, so that a play (and every loop) starts at once, before
  // the decoder has been opened again.
  std::vector<int16_t> head_;
  std::atomic<bool> broken_{false};
};

// One play of a track: output frames produced by Fill (decoder thread) and taken by Take (mixer).
class StreamCursor {
 public:
  StreamCursor(std::shared_ptr<StreamedTrack> track, bool loop);

  // Mixer side, never blocking: up to `frames` frames into `stereo`; returns how many were ready.
  int Take(int16_t* stereo, int frames) { return ring_.Pop(stereo, frames); }
  // Nothing more will come (a once track has ended or decoding failed) and everything was taken.
  bool Finished() const { return done_.load(std::memory_order_acquire) && ring_.Available() == 0; }
  const StreamedTrack& Track() const { return *track_; }

  // Decoder side: tops the buffer up; returns whether it added anything.
  bool Fill();

 private:
  friend class StreamedTrack;
  bool FillLocked();
  // Produces up to `frames` frames of the stream from next_; 0 when the stream has ended or failed.
  int Produce(int16_t* stereo, int frames);
  // Makes source frames first..last available in window_; false on a decoding error.
  bool Need(int64_t first, int64_t last);
  void Fail();

  std::shared_ptr<StreamedTrack> track_;
  bool loop_;
  StreamRing ring_;
  std::atomic<bool> done_{false};

  std::mutex producing_;  // Fill may be called from the feeder thread and, on request, the mixer
  std::unique_ptr<OggVorbisReader> reader_;
  int64_t next_ = 0;             // output frame of the current pass that is produced next
  std::vector<int16_t> window_;  // decoded source frames, stereo, from window_start_
  int64_t window_start_ = 0;
  bool seek_ = true;  // the reader must be positioned before the next read
  bool failed_ = false;
  size_t released_ = 0;  // Ogg bytes up to here have had their pages handed back
};

// Output frames each play holds decoded ahead of the mixer, and the part of them decoded at load.
constexpr int kStreamBufferFrames = 32768;
constexpr int kStreamHeadFrames = 16384;
