// The SDL platform's audio output: a 16-bit stereo device at the system's preferred rate whose callback
// pulls every buffer from the engine's mixer.
#include <algorithm>
#include <climits>
#include <cstring>

#include "engine/media/sample_convert.h"
#include "engine/platform/sdl/sdl_platform_internal.h"

namespace {
// 512 frames is about 12 ms at 44100 Hz: short enough that effects land on the frame that fired them.
constexpr int kBufferFrames = 512;

SDL_AudioFormat SdlFormat(int format) {
  switch (format) {
    case kMono8:
    case kStereo8:
      return AUDIO_U8;
    case kMono16BE:
    case kStereo16BE:
      return AUDIO_S16MSB;
    default:
      return AUDIO_S16LSB;
  }
}

int PreferredRate() {
  SDL_AudioSpec spec;
  SDL_zero(spec);
  if (SDL_GetDefaultAudioInfo(nullptr, &spec, 0) == 0 && (spec.freq == 44100 || spec.freq == 48000)) {
    return spec.freq;
  }
  return 44100;
}

class SdlAudioDevice : public AudioDevice {
 public:
  SdlAudioDevice() = default;
  ~SdlAudioDevice() override {
    if (id_ != 0) SDL_CloseAudioDevice(id_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }

  bool Open() {
    SDL_AudioSpec want;
    SDL_zero(want);
    want.freq = PreferredRate();
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = kBufferFrames;
    want.callback = &SdlAudioDevice::Fill;
    want.userdata = this;
    // Only the rate may differ; SDL adapts format, channels and buffer size to the hardware itself.
    id_ = SDL_OpenAudioDevice(nullptr, 0, &want, &spec_, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    return id_ != 0;
  }

  int Rate() const override { return spec_.freq; }
  int BufferFrames() const override { return spec_.samples; }

  bool Convert(const TAudioSample& sample, std::vector<int16_t>* out) override {
    out->clear();
    const int bytes_per_frame = SampleFormatBytesPerFrame(sample.format);
    if (bytes_per_frame <= 0 || sample.hertz <= 0 || sample.length <= 0) return false;
    const int64_t bytes = static_cast<int64_t>(sample.length) * bytes_per_frame;
    if (bytes > static_cast<int64_t>(sample.samples.size())) return false;

    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, SdlFormat(sample.format),
                          static_cast<Uint8>(SampleFormatChannels(sample.format)), sample.hertz, AUDIO_S16SYS,
                          2, Rate()) < 0 ||
        bytes * cvt.len_mult > INT_MAX) {
      // SDL cannot take it in one piece; the engine's own converter can.
      return ConvertSampleToStereo16(sample, Rate(), out);
    }
    // The whole sample in one call: SDL's streaming interface would hold back the tail after a flush.
    std::vector<uint8_t> buffer(static_cast<size_t>(bytes * cvt.len_mult));
    std::memcpy(buffer.data(), sample.samples.data(), static_cast<size_t>(bytes));
    cvt.buf = buffer.data();
    cvt.len = static_cast<int>(bytes);
    if (cvt.needed && SDL_ConvertAudio(&cvt) != 0) return ConvertSampleToStereo16(sample, Rate(), out);
    const int produced = cvt.needed ? cvt.len_cvt / 4 : cvt.len / 4;

    // Every input frame must come out: the resampler may round the length by a frame or two, so fix it
    // to the exact converted length, holding the last frame where it fell short.
    const int64_t expected = ConvertedFrameCount(sample.length, sample.hertz, Rate());
    out->resize(static_cast<size_t>(expected) * 2);
    const int64_t copy = std::min<int64_t>(produced, expected);
    std::memcpy(out->data(), buffer.data(), static_cast<size_t>(copy) * 4);
    for (int64_t i = copy; i < expected && copy > 0; ++i) {
      (*out)[i * 2] = (*out)[(copy - 1) * 2];
      (*out)[i * 2 + 1] = (*out)[(copy - 1) * 2 + 1];
    }
    return true;
  }

  void Start(MixCallback callback) override {
    SDL_LockAudioDevice(id_);
    callback_ = std::move(callback);
    SDL_UnlockAudioDevice(id_);
    SDL_PauseAudioDevice(id_, 0);
  }

 private:
  static void SDLCALL Fill(void* userdata, Uint8* stream, int len) {
    auto* self = static_cast<SdlAudioDevice*>(userdata);
    if (!self->callback_) {
      std::memset(stream, 0, static_cast<size_t>(len));
      return;
    }
    self->callback_(reinterpret_cast<int16_t*>(stream), len / 4);
  }

  SDL_AudioDeviceID id_ = 0;
  SDL_AudioSpec spec_{};
  MixCallback callback_;
};
}  // namespace

std::shared_ptr<AudioDevice> SdlPlatform::OpenAudio() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
  auto device = std::make_shared<SdlAudioDevice>();
  // Without a device the destructor also undoes the subsystem start.
  if (!device->Open()) return nullptr;
  return device;
}
