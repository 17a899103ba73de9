#include "engine/audio/music_stream.h"

#include <algorithm>
#include <cstdio>
#include <new>

#include "engine/media/embedded.h"
#include "engine/media/sample_convert.h"

namespace {
constexpr int kDecodeChunk = 2048;  // source frames per decoder call
constexpr int kFillChunk = 4096;    // output frames per push into the buffer
// Source frames already used are dropped from the window once this many have gathered.
constexpr int64_t kWindowSlack = 8192;
// Bytes of Ogg data read between handing their pages back.
constexpr size_t kReleaseStep = 64 * 1024;
}  // namespace

std::shared_ptr<StreamedTrack> StreamedTrack::Open(const TRamStream& data, int output_rate) {
  if (output_rate <= 0) return nullptr;
  std::unique_ptr<OggVorbisReader> reader = OggVorbisReader::Open(data);
  if (!reader) return nullptr;
  std::shared_ptr<StreamedTrack> track(new StreamedTrack());
  track->data_ = data;
  track->source_rate_ = reader->Rate();
  track->source_frames_ = reader->Frames();
  track->output_rate_ = output_rate;
  track->frames_ = ConvertedFrameCount(track->source_frames_, track->source_rate_, output_rate);
  if (track->frames_ <= 0) return nullptr;

  // The head is the start of a pass made by an ordinary cursor that has no head to copy yet.
  const int head = static_cast<int>(std::min<int64_t>(kStreamHeadFrames, track->frames_));
  std::vector<int16_t> frames(static_cast<size_t>(head) * 2);
  StreamCursor first(track, false);
  first.reader_ = std::move(reader);
  if (first.Produce(frames.data(), head) != head || first.failed_) return nullptr;
  track->head_ = std::move(frames);
  ReleaseEmbeddedPages(data.Data(), data.Size());
  return track;
}

void StreamedTrack::MarkBroken() {
  if (!broken_.exchange(true))
    std::fprintf(stderr, "vextoron: a music track failed to decode; it stays silent\n");
}

StreamCursor::StreamCursor(std::shared_ptr<StreamedTrack> track, bool loop)
    : track_(std::move(track)), loop_(loop), ring_(kStreamBufferFrames) {
  // A play starts from the head decoded at load: no waiting for the decoder thread, no silence.
  const int head = static_cast<int>(track_->head_.size() / 2);
  next_ = ring_.Push(track_->head_.data(), head);
}

bool StreamCursor::Fill() {
  std::lock_guard<std::mutex> lock(producing_);
  if (done_.load(std::memory_order_relaxed)) return false;
  try {
    return FillLocked();
  } catch (const std::bad_alloc&) {
    // Out of memory on the decoder's side: this play ends, as a decoding error would end it.
    Fail();
    track_->MarkBroken();
    return false;
  }
}

bool StreamCursor::FillLocked() {
  int room = ring_.Capacity() - ring_.Available();
  bool added = false;
  int16_t chunk[kFillChunk * 2];
  while (room > 0) {
    const int n = Produce(chunk, std::min(room, kFillChunk));
    if (n == 0) break;
    ring_.Push(chunk, n);
    room -= n;
    added = true;
  }
  if (failed_) track_->MarkBroken();
  // The Ogg bytes decoded so far need not stay in memory; they are paged in again for the next loop.
  if (reader_ && reader_->BytesRead() >= released_ + kReleaseStep) {
    released_ = reader_->BytesRead();
    ReleaseEmbeddedPages(track_->data_.Data(), released_);
  }
  return added;
}

int StreamCursor::Produce(int16_t* stereo, int frames) {
  const StreamedTrack& track = *track_;
  const int64_t head = static_cast<int64_t>(track.head_.size() / 2);
  const int64_t rate = track.output_rate_;
  const int64_t hertz = track.source_rate_;
  const int64_t length = track.source_frames_;
  int produced = 0;
  while (produced < frames) {
    if (next_ >= track.frames_) {
      if (!loop_) {
        done_.store(true, std::memory_order_release);
        break;
      }
      // The seam: the next pass begins with the head again, then the decoder goes back to where the
      // head ends. Every pass is the same frames, so the loop neither gaps nor repeats.
      next_ = 0;
      seek_ = true;
    }
    if (next_ < head) {
      const int n = static_cast<int>(std::min<int64_t>(head - next_, frames - produced));
      std::copy_n(track.head_.data() + next_ * 2, n * 2, stereo + produced * 2);
      next_ += n;
      produced += n;
      continue;
    }
    // Output frame i sits at source position i * hertz / rate: the same straight-line conversion as
    // converting the whole decoded track at once, so streaming changes no sample.
    const int64_t num = next_ * hertz;
    const int64_t k = std::min(num / rate, length - 1);
    const int64_t next = std::min(k + 1, length - 1);
    const int64_t frac = num / rate >= length - 1 ? 0 : num % rate;
    if (seek_) {
      const bool opened = !reader_;
      if (!reader_) reader_ = OggVorbisReader::Reopen(track.data_);
      if (!reader_ || !reader_->SeekFrame(k)) {
        Fail();
        break;
      }
      // Opening reads the stream's end and seeking reads here and there; of all that only the pages
      // from the new position on are needed again, and they come back as decoding reaches them.
      if (opened) {
        ReleaseEmbeddedPages(track.data_.Data(), track.data_.Size());
        released_ = 0;
      }
      window_.clear();
      window_start_ = k;
      seek_ = false;
    }
    if (!Need(k, frac != 0 ? next : k)) {
      Fail();
      break;
    }
    const int16_t* a = window_.data() + (k - window_start_) * 2;
    const int16_t* b = window_.data() + (next - window_start_) * 2;
    for (int c = 0; c < 2; ++c) {
      stereo[produced * 2 + c] =
          frac == 0 ? a[c] : static_cast<int16_t>(a[c] + (int64_t{b[c]} - a[c]) * frac / rate);
    }
    ++next_;
    ++produced;
    if (k - window_start_ >= kWindowSlack) {
      window_.erase(window_.begin(), window_.begin() + (k - window_start_) * 2);
      window_start_ = k;
    }
  }
  return produced;
}

bool StreamCursor::Need(int64_t first, int64_t last) {
  if (first < window_start_) return false;
  const int channels = reader_->Channels();
  int16_t decoded[kDecodeChunk * 2];
  while (window_start_ + static_cast<int64_t>(window_.size() / 2) <= last) {
    // The track's declared length is never reached early by a whole stream: 0 here is a cut stream.
    const int got = reader_->Read(decoded, kDecodeChunk);
    if (got <= 0) return false;
    for (int i = 0; i < got; ++i) {
      window_.push_back(decoded[i * channels]);
      window_.push_back(decoded[i * channels + channels - 1]);
    }
  }
  return true;
}

void StreamCursor::Fail() {
  failed_ = true;
  done_.store(true, std::memory_order_release);
}
