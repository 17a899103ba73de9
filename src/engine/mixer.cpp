#include "engine/mixer.h"

#include <algorithm>

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
  for (size_t i = 0; i < count; ++i) {
    stereo[i] = static_cast<int16_t>(std::clamp<int32_t>(sum_[i], INT16_MIN, INT16_MAX));
  }
}
