#pragma once
// The software mixer: any number of voices, each playing stereo 16-bit PCM at the output rate from a
// position, once or looping, summed with saturation. The audio device's thread calls Mix while the game
// thread starts, pauses and stops voices, so every voice field is guarded by the mixer's lock.
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "engine/audio/pcm.h"

// One playing slot. Its fields belong to the mixer and are read and written only under its lock.
struct Voice {
  enum class State { kIdle, kPlaying, kPaused };
  State state = State::kIdle;
  std::shared_ptr<const PcmData> pcm;
  int64_t position = 0;  // next frame to play
  bool loop = false;
};

class Mixer {
 public:
  // Starts `pcm` on the voice from its first frame; whatever the voice had is dropped. Empty PCM leaves
  // the voice idle.
  void Play(const std::shared_ptr<Voice>& voice, std::shared_ptr<const PcmData> pcm, bool loop);
  // A playing voice keeps its position and stops sounding; other voices are unchanged.
  void Pause(const std::shared_ptr<Voice>& voice);
  void Stop(const std::shared_ptr<Voice>& voice);
  bool IsPlaying(const Voice& voice) const;
  Voice::State StateOf(const Voice& voice) const;
  int64_t PositionOf(const Voice& voice) const;
  void StopAll();
  // Voices currently sounding (the mixer keeps them alive even when their channels are dropped).
  int ActiveVoices() const;

  // Fills `frames` stereo frames: the sum of every playing voice, limited to 16 bits without clipping
  // (loud peaks are scaled down, never wrapped or flattened). Voices that play once become idle after
  // their last frame.
  void Mix(int16_t* stereo, int frames);

 private:
  void Remove(const Voice* voice);
  void Limit(int16_t* stereo, int frames);

  mutable std::mutex mutex_;
  std::vector<std::shared_ptr<Voice>> active_;
  std::vector<int32_t> sum_;
  float gain_ = 1.0f;        // the limiter's gain, carried from buffer to buffer
  int32_t last_level_ = 0;   // the limiter's input level at the last frame it saw
  std::vector<float> need_;  // per frame: the lowest gain that frame or a later one of the buffer needs
};

// The engine's one mixer, which the audio output plays (tests and benchmarks look inside it).
Mixer& AudioMixer();
