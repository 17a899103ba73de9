#include "engine/audio/mixer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

void Mixer::Play(const std::shared_ptr<Voice>& voice, std::shared_ptr<const PcmData> pcm, bool loop) {
  if (!voice) return;
  std::lock_guard<std::mutex> lock(mutex_);
  Remove(voice.get());
  voice->position = 0;
  voice->loop = loop;
  if (!pcm || pcm->FrameCount() == 0) {
    voice->pcm.reset();
    voice->state = Voice::State::kIdle;
    return;
  }
  voice->pcm = std::move(pcm);
  voice->state = Voice::State::kPlaying;
  active_.push_back(voice);
}

void Mixer::Pause(const std::shared_ptr<Voice>& voice) {
  if (!voice) return;
  std::lock_guard<std::mutex> lock(mutex_);
  if (voice->state != Voice::State::kPlaying) return;
  voice->state = Voice::State::kPaused;
  Remove(voice.get());
}

void Mixer::Stop(const std::shared_ptr<Voice>& voice) {
  if (!voice) return;
  std::lock_guard<std::mutex> lock(mutex_);
  voice->state = Voice::State::kIdle;
  voice->pcm.reset();
  voice->position = 0;
  Remove(voice.get());
}

bool Mixer::IsPlaying(const Voice& voice) const {
  return StateOf(voice) == Voice::State::kPlaying;
}

Voice::State Mixer::StateOf(const Voice& voice) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return voice.state;
}

int64_t Mixer::PositionOf(const Voice& voice) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return voice.position;
}

void Mixer::StopAll() {
  std::lock_guard<std::mutex> lock(mutex_);
  for (const auto& voice : active_) {
    voice->state = Voice::State::kIdle;
    voice->pcm.reset();
    voice->position = 0;
  }
  active_.clear();
  gain_ = 1.0f;
  last_level_ = 0;
}

int Mixer::ActiveVoices() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return static_cast<int>(active_.size());
}

void Mixer::Remove(const Voice* voice) {
  auto it = std::find_if(active_.begin(), active_.end(), [voice](const auto& v) { return v.get() == voice; });
  if (it != active_.end()) active_.erase(it);
}

void Mixer::Mix(int16_t* stereo, int frames) {
  if (frames <= 0) return;
  const size_t count = static_cast<size_t>(frames) * 2;
  std::lock_guard<std::mutex> lock(mutex_);
  sum_.assign(count, 0);
  for (const auto& voice : active_) {
    const int16_t* pcm = voice->pcm->frames.data();
    const int64_t length = voice->pcm->FrameCount();
    int64_t pos = voice->position;
    size_t out = 0;
    // Copy in runs up to the end of the sound, wrapping a looping one straight back to frame 0.
    while (out < count) {
      if (pos >= length) {
        if (!voice->loop) break;
        pos = 0;
      }
      const int64_t run = std::min<int64_t>(length - pos, static_cast<int64_t>((count - out) / 2));
      const int16_t* src = pcm + pos * 2;
      for (int64_t i = 0; i < run * 2; ++i) sum_[out + i] += src[i];
      out += static_cast<size_t>(run) * 2;
      pos += run;
    }
    voice->position = pos;
    if (pos >= length && !voice->loop) {
      voice->state = Voice::State::kIdle;
      voice->pcm.reset();
      voice->position = 0;
    }
  }
  std::erase_if(active_, [](const auto& v) { return v->state != Voice::State::kPlaying; });
  Limit(stereo, frames);
}

// A limiter in place of hard clipping: when the sum would leave the 16-bit range, it is scaled down just
// enough, so loud peaks keep their shape instead of being flattened. The gain for each frame is the
// lowest any later frame of the buffer needs, reached by a ramp of about 1.5 ms from the gain before
// (a step at once would click on whatever was sounding), and it recovers smoothly over about 0.2 s.
// A mix that fits passes unchanged.
void Mixer::Limit(int16_t* stereo, int frames) {
  constexpr float kAttackPerFrame = 1.0f / 64;      // a whole swing of the gain in 64 frames
  constexpr float kRecoveryPerFrame = 1.0f / 8192;  // from silence-level gain to 1 in about 0.2 s
  // A gain step times the level it acts on is the click it makes; below this many 16-bit steps the
  // gain may fall at once (so a loud sound starting out of silence is scaled from its first frame).
  constexpr float kInaudibleStep = 16.0f;
  const size_t count = static_cast<size_t>(frames) * 2;
  need_.resize(static_cast<size_t>(frames));
  float need = 1.0f;
  for (int f = frames - 1; f >= 0; --f) {
    for (size_t c = 0; c < 2; ++c) {
      const int32_t v = sum_[2 * static_cast<size_t>(f) + c];
      if (v > INT16_MAX) need = std::min(need, static_cast<float>(INT16_MAX) / static_cast<float>(v));
      if (v < INT16_MIN) need = std::min(need, static_cast<float>(INT16_MIN) / static_cast<float>(v));
    }
    need_[static_cast<size_t>(f)] = need;
  }
  const auto level_of = [this](int f) {
    const size_t i = 2 * static_cast<size_t>(f);
    return std::max(std::abs(sum_[i]), std::abs(sum_[i + 1]));
  };
  if (need == 1.0f && gain_ == 1.0f) {
    for (size_t i = 0; i < count; ++i) stereo[i] = static_cast<int16_t>(sum_[i]);
    last_level_ = level_of(frames - 1);
    return;
  }
  float g = gain_;
  int32_t level = last_level_;
  for (int f = 0; f < frames; ++f) {
    const float target = need_[static_cast<size_t>(f)];
    if (target < g) {
      const float step =
          level > 0 ? std::max(kAttackPerFrame, kInaudibleStep / static_cast<float>(level)) : 1.0f;
      g = std::max(target, g - step);
    } else {
      g = std::min(target, g + kRecoveryPerFrame);
    }
    for (size_t c = 0; c < 2; ++c) {
      const size_t i = 2 * static_cast<size_t>(f) + c;
      const int32_t scaled = static_cast<int32_t>(std::lround(static_cast<float>(sum_[i]) * g));
      stereo[i] = static_cast<int16_t>(std::clamp<int32_t>(scaled, INT16_MIN, INT16_MAX));
    }
    level = level_of(f);
  }
  gain_ = g;
  last_level_ = level;
}
