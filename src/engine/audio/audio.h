#pragma once
// Sounds and channels: LoadSound, AllocChannel, PlaySound, PauseChannel, StopChannel.
#include <memory>
#include <string>
#include <vector>

#include "engine/audio/pcm.h"
#include "engine/media/audio_sample.h"

enum SoundFlags : int { kSoundLoop = 1, kSoundHardware = 2 };

class StreamedTrack;

// A loaded sound: PCM held decoded in the output's format, or music streamed from its Ogg data.
class TSound {
 public:
  TSound(std::shared_ptr<const PcmData> pcm, bool loop) : pcm_(std::move(pcm)), loop_(loop) {}
  TSound(std::shared_ptr<StreamedTrack> track, bool loop) : track_(std::move(track)), loop_(loop) {}
  bool Loops() const { return loop_; }
  // The decoded PCM; null for a streamed sound.
  const std::shared_ptr<const PcmData>& Pcm() const { return pcm_; }
  // The track a streamed sound plays; null for a decoded one.
  const std::shared_ptr<StreamedTrack>& Track() const { return track_; }

 private:
  std::shared_ptr<const PcmData> pcm_;
  std::shared_ptr<StreamedTrack> track_;
  bool loop_;
};
using SoundRef = std::shared_ptr<TSound>;

struct Voice;

// A voice that plays one sound at a time: idle, playing or paused.
class TChannel {
 public:
  TChannel();
  ~TChannel();
  // 1 only while playing; 0 when idle (never started, stopped or ended) or paused.
  int Playing() const;
  std::shared_ptr<Voice> voice() const { return voice_; }

 private:
  std::shared_ptr<Voice> voice_;
};
using ChannelRef = std::shared_ptr<TChannel>;

// Null when the data cannot be read or decoded. Flags: 1 loop, 2 hardware buffer (ignored).
SoundRef LoadSound(const std::string& url, int flags);
SoundRef LoadSound(std::shared_ptr<TAudioSample> sample, int flags);
// As LoadSound, but Ogg Vorbis data is not decoded at load: each play decodes it a little ahead of the
// mixer on a decoder thread (other data loads as with LoadSound). Null, as with LoadSound, when the data
// does not open as a sound or its start does not decode. A decoding error met later while playing ends
// that play, reports it once on stderr and leaves the sound silent from then on.
SoundRef LoadSoundStreamed(const std::string& url, int flags);

ChannelRef AllocChannel();
// Plays from the beginning, looping if the sound loops. With a channel, whatever it played or held
// paused stops first; without one a new channel is made for this play.
ChannelRef PlaySound(const SoundRef& sound, const ChannelRef& channel = nullptr);
int PauseChannel(const ChannelRef& channel);
int StopChannel(const ChannelRef& channel);

// The output's sample rate and buffer size in frames (0 when silent).
int AudioOutputRate();
int AudioOutputBufferFrames();
bool AudioOutputSilent();

// Every sound, music and effects, silenced or heard again; channels go on playing meanwhile.
void SetAudioMuted(bool muted);
bool AudioMuted();

// For ResetEngine: the audio output closed and every channel gone, as at program start.
void ResetAudioState();
