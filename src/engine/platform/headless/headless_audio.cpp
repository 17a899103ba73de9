// The headless audio output: a 44100 Hz device with 512-frame buffers that plays only when a test
// pulls frames through HeadlessPlatform::Mix.
#include "engine/media/sample_convert.h"
#include "engine/platform/headless/headless_platform.h"

namespace {
class HeadlessAudioDevice : public AudioDevice {
 public:
  int Rate() const override { return 44100; }
  int BufferFrames() const override { return 512; }
  bool Convert(const TAudioSample& sample, std::vector<int16_t>* out) override {
    return ConvertSampleToStereo16(sample, Rate(), out);
  }
  void Start(MixCallback callback) override { callback_ = std::move(callback); }
  bool MixesOnRequest() const override { return true; }

  void Pull(int16_t* stereo, int frames) {
    if (callback_) callback_(stereo, frames);
  }

 private:
  MixCallback callback_;
};
}  // namespace

std::shared_ptr<AudioDevice> HeadlessPlatform::OpenAudio() {
  if (!audio_available_) return nullptr;
  audio_ = std::make_shared<HeadlessAudioDevice>();
  return audio_;
}

std::vector<int16_t> HeadlessPlatform::Mix(int frames) {
  if (frames <= 0) return {};
  std::vector<int16_t> out(static_cast<size_t>(frames) * 2, 0);
  if (audio_) static_cast<HeadlessAudioDevice&>(*audio_).Pull(out.data(), frames);
  return out;
}
