#include "engine/audio/audio.h"

#include <algorithm>
#include <atomic>
#include <exception>

#include "engine/audio/mixer.h"
#include "engine/audio/music_stream.h"
#include "engine/audio/stream_feeder.h"
#include "engine/base/null_on_failure.h"
#include "engine/media/decoders.h"
#include "engine/media/embedded.h"
#include "engine/media/stream.h"
#include "engine/platform/seam.h"

namespace {

struct AudioOutput {
  bool opened = false;
  std::shared_ptr<AudioDevice> device;  // null while silent
  // One mixer for the whole run: channels made before a reset still find it.
  std::shared_ptr<Mixer> mixer = std::make_shared<Mixer>();
};

// Read by the device's thread on every buffer.
std::atomic<bool> g_muted{false};

// Muting silences what reaches the device, not the mix: every channel plays on where it was.
void MixOutput(Mixer& mixer, int16_t* stereo, int frames) {
  mixer.Mix(stereo, frames);
  if (g_muted.load(std::memory_order_relaxed) && frames > 0)
    std::fill_n(stereo, static_cast<size_t>(frames) * 2, 0);
}

AudioOutput& Output() {
  static AudioOutput output;
  return output;
}

// The output opens on first use; without a device every sound operation quietly does nothing.
AudioOutput& EnsureOutput() {
  AudioOutput& out = Output();
  if (!out.opened) {
    out.opened = true;
    out.device = GetPlatform().OpenAudio();
    if (out.device) {
      out.mixer->SetDecodeOnDemand(out.device->MixesOnRequest());
      std::shared_ptr<Mixer> mixer = out.mixer;
      out.device->Start([mixer](int16_t* stereo, int frames) { MixOutput(*mixer, stereo, frames); });
    }
  }
  return out;
}

// Turns a decoded sample into the output's format once, so mixing never converts. A silent output
// keeps no PCM at all.
std::shared_ptr<const PcmData> ToPcm(const std::shared_ptr<AudioDevice>& device, const TAudioSample& sample) {
  auto pcm = std::make_shared<PcmData>();
  if (!device) return pcm;
  if (!device->Convert(sample, &pcm->frames)) return nullptr;
  pcm->rate = device->Rate();
  return pcm;
}
}  // namespace

TChannel::TChannel() : voice_(std::make_shared<Voice>()) {}

// A dropped channel's voice stays with the mixer until its sound ends.
TChannel::~TChannel() = default;

int TChannel::Playing() const {
  return Output().mixer->IsPlaying(*voice_) ? 1 : 0;
}

SoundRef LoadSound(const std::string& url, int flags) {
  EnsureOutput();
  return NullOnFailure([&]() -> SoundRef {
    std::unique_ptr<TRamStream> stream = OpenStream(url);
    if (!stream) return nullptr;
    std::shared_ptr<TAudioSample> sample = DecodeAudioChain(*stream);
    ReleaseEmbeddedPages(stream->Data(), stream->Size());
    if (!sample) return nullptr;
    return LoadSound(std::move(sample), flags);
  });
}

SoundRef LoadSound(std::shared_ptr<TAudioSample> sample, int flags) {
  AudioOutput& out = EnsureOutput();
  return NullOnFailure([&]() -> SoundRef {
    if (!sample) return nullptr;
    std::shared_ptr<const PcmData> pcm = ToPcm(out.device, *sample);
    if (!pcm) return nullptr;
    return std::make_shared<TSound>(std::move(pcm), (flags & kSoundLoop) != 0);
  });
}

SoundRef LoadSoundStreamed(const std::string& url, int flags) {
  AudioOutput& out = EnsureOutput();
  return NullOnFailure([&]() -> SoundRef {
    std::unique_ptr<TRamStream> stream = OpenStream(url);
    if (!stream) return nullptr;
    // A silent output keeps no PCM, so its sounds are only checked, as LoadSound would.
    const int rate = out.device ? out.device->Rate() : 44100;
    std::shared_ptr<StreamedTrack> track = StreamedTrack::Open(*stream, rate);
    if (!track) return LoadSound(url, flags);  // not Ogg Vorbis: decoded as any other sound
    if (!out.device) return std::make_shared<TSound>(std::make_shared<PcmData>(), (flags & kSoundLoop) != 0);
    return std::make_shared<TSound>(std::move(track), (flags & kSoundLoop) != 0);
  });
}

ChannelRef AllocChannel() {
  EnsureOutput();
  return std::make_shared<TChannel>();
}

ChannelRef PlaySound(const SoundRef& sound, const ChannelRef& channel) {
  AudioOutput& out = EnsureOutput();
  ChannelRef target = channel ? channel : std::make_shared<TChannel>();
  if (!out.device) return target;
  if (!sound) {
    out.mixer->Stop(target->voice());
    return target;
  }
  if (const std::shared_ptr<StreamedTrack>& track = sound->Track()) {
    // A track that failed to decode stays silent, like a sound that never loaded.
    if (track->Broken() || track->OutputRate() != out.device->Rate()) {
      out.mixer->Stop(target->voice());
      return target;
    }
    // Short of memory or of a thread for the decoder, the play stays silent.
    try {
      auto cursor = std::make_shared<StreamCursor>(track, sound->Loops());
      if (!out.device->MixesOnRequest()) FeedStream(cursor);
      out.mixer->Play(target->voice(), std::move(cursor), sound->Loops());
    } catch (const std::exception&) {
      out.mixer->Stop(target->voice());
    }
    return target;
  }
  out.mixer->Play(target->voice(), sound->Pcm(), sound->Loops());
  return target;
}

int PauseChannel(const ChannelRef& channel) {
  if (channel) Output().mixer->Pause(channel->voice());
  return 0;
}

int StopChannel(const ChannelRef& channel) {
  if (channel) Output().mixer->Stop(channel->voice());
  return 0;
}

int AudioOutputRate() {
  const AudioOutput& out = EnsureOutput();
  return out.device ? out.device->Rate() : 0;
}

int AudioOutputBufferFrames() {
  const AudioOutput& out = EnsureOutput();
  return out.device ? out.device->BufferFrames() : 0;
}

bool AudioOutputSilent() {
  return !EnsureOutput().device;
}

Mixer& AudioMixer() {
  return *Output().mixer;
}

void SetAudioMuted(bool muted) {
  g_muted.store(muted, std::memory_order_relaxed);
}

bool AudioMuted() {
  return g_muted.load(std::memory_order_relaxed);
}

void ResetAudioState() {
  g_muted.store(false, std::memory_order_relaxed);
  AudioOutput& out = Output();
  out.mixer->StopAll();
  // Dropping the device closes it; its callback holds the mixer, not this state.
  out.device.reset();
  out.opened = false;
}
