#include "engine/audio/audio.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <system_error>

#include "engine/audio/mixer.h"
#include "engine/base/null_on_failure.h"
#include "engine/media/decoders.h"
#include "engine/media/stream.h"
#include "engine/platform/seam.h"

namespace {
using PcmFuture = std::shared_future<std::shared_ptr<const PcmData>>;

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

PcmFuture ReadyFuture(std::shared_ptr<const PcmData> pcm) {
  std::promise<std::shared_ptr<const PcmData>> promise;
  promise.set_value(std::move(pcm));
  return promise.get_future().share();
}
}  // namespace

bool TSound::Ready() const {
  return !pcm_.valid() || pcm_.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

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
    return std::make_shared<TSound>(ReadyFuture(std::move(pcm)), (flags & kSoundLoop) != 0);
  });
}

SoundRef LoadSoundAsync(const std::string& url, int flags) {
  AudioOutput& out = EnsureOutput();
  return NullOnFailure([&]() -> SoundRef {
    std::shared_ptr<TRamStream> stream = OpenStream(url);
    if (!stream) return nullptr;
    // The worker keeps its own reference to the device, so a reset meanwhile cannot pull it away. What
    // it fails with (memory) makes the sound empty, never an exception at the first PlaySound.
    auto decode = [stream, device = out.device]() -> std::shared_ptr<const PcmData> {
      return NullOnFailure([&]() -> std::shared_ptr<const PcmData> {
        std::shared_ptr<TAudioSample> sample = DecodeAudioChain(*stream);
        if (!sample) return nullptr;
        return ToPcm(device, *sample);
      });
    };
    PcmFuture pcm;
    try {
      pcm = std::async(std::launch::async, decode).share();
    } catch (const std::system_error&) {
      // No thread to be had: decode here instead.
      pcm = ReadyFuture(decode());
    }
    return std::make_shared<TSound>(std::move(pcm), (flags & kSoundLoop) != 0);
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
