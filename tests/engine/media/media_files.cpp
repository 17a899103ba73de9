#include "engine/media/media_files.h"

#include <png.h>
#include <vorbis/vorbisenc.h>

#include <cmath>
#include <list>

#include "engine/media/embedded.h"

namespace media_files {

namespace {

void Put32(Bytes* out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out->push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Put16(Bytes* out, uint16_t v) {
  out->push_back(static_cast<uint8_t>(v));
  out->push_back(static_cast<uint8_t>(v >> 8));
}
void PutTag(Bytes* out, const std::string& tag) {
  for (int i = 0; i < 4; ++i) out->push_back(static_cast<uint8_t>(tag[static_cast<size_t>(i)]));
}

Bytes WriteImage(png_image* image, const void* pixels, const void* colormap) {
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(image, nullptr, &size, 0, pixels, 0, colormap)) return {};
  Bytes out(size);
  if (!png_image_write_to_memory(image, out.data(), &size, 0, pixels, 0, colormap)) return {};
  out.resize(size);
  return out;
}

}  // namespace

Bytes MakePng(int width, int height, int channels, const Bytes& pixels, bool sixteen_bit) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  static const png_uint_32 kFormats[] = {0, PNG_FORMAT_GRAY, PNG_FORMAT_GA, PNG_FORMAT_RGB, PNG_FORMAT_RGBA};
  image.format = kFormats[channels];
  if (!sixteen_bit) return WriteImage(&image, pixels.data(), nullptr);
  // The simplified API writes linear 16-bit data as 16-bit channels.
  image.format |= PNG_FORMAT_FLAG_LINEAR;
  std::vector<uint16_t> wide(pixels.size());
  for (size_t i = 0; i < pixels.size(); ++i) wide[i] = static_cast<uint16_t>(pixels[i] * 257);
  return WriteImage(&image, wide.data(), nullptr);
}

Bytes MakePalettePng(int width, int height, const Bytes& palette_rgba, const Bytes& indices) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGBA_COLORMAP;
  image.colormap_entries = static_cast<png_uint_32>(palette_rgba.size() / 4);
  return WriteImage(&image, indices.data(), palette_rgba.data());
}

Bytes Chunk(const std::string& tag, const Bytes& body) {
  Bytes out;
  PutTag(&out, tag);
  Put32(&out, static_cast<uint32_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

Bytes MakeWav(const WavSpec& spec) {
  Bytes body;
  PutTag(&body, "WAVE");
  PutTag(&body, "fmt ");
  Put32(&body, static_cast<uint32_t>(16 + spec.fmt_extra.size()));
  Put16(&body, static_cast<uint16_t>(spec.format_tag));
  Put16(&body, static_cast<uint16_t>(spec.channels));
  Put32(&body, static_cast<uint32_t>(spec.rate));
  const int block = spec.channels * spec.bits / 8;
  Put32(&body, static_cast<uint32_t>(spec.rate * block));
  Put16(&body, static_cast<uint16_t>(block));
  Put16(&body, static_cast<uint16_t>(spec.bits));
  body.insert(body.end(), spec.fmt_extra.begin(), spec.fmt_extra.end());
  body.insert(body.end(), spec.between.begin(), spec.between.end());
  PutTag(&body, "data");
  Put32(&body, static_cast<uint32_t>(spec.data_length >= 0 ? spec.data_length : int64_t(spec.data.size())));
  body.insert(body.end(), spec.data.begin(), spec.data.end());
  Bytes out;
  PutTag(&out, "RIFF");
  Put32(&out, static_cast<uint32_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

Bytes MakeOgg(int channels, int rate, int frames) {
  Bytes out;
  vorbis_info info;
  vorbis_info_init(&info);
  if (vorbis_encode_init_vbr(&info, channels, rate, 0.1f) != 0) {
    vorbis_info_clear(&info);
    return out;
  }
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_dsp_state dsp;
  vorbis_block block;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block_init(&dsp, &block);
  ogg_stream_state os;
  ogg_stream_init(&os, 1);
  ogg_page page;
  ogg_packet packet;
  auto append_page = [&out](const ogg_page& p) {
    out.insert(out.end(), p.header, p.header + p.header_len);
    out.insert(out.end(), p.body, p.body + p.body_len);
  };

  ogg_packet header, header_comment, header_code;
  vorbis_analysis_headerout(&dsp, &comment, &header, &header_comment, &header_code);
  ogg_stream_packetin(&os, &header);
  ogg_stream_packetin(&os, &header_comment);
  ogg_stream_packetin(&os, &header_code);
  while (ogg_stream_flush(&os, &page) != 0) append_page(page);

  const int kChunk = 1024;
  for (int done = 0; done <= frames;) {
    const int n = frames - done < kChunk ? frames - done : kChunk;
    if (n == 0) {
      vorbis_analysis_wrote(&dsp, 0);  // end of stream
    } else {
      float** buffer = vorbis_analysis_buffer(&dsp, n);
      for (int i = 0; i < n; ++i) {
        const float v = 0.25f * std::sin(static_cast<float>(done + i) * 0.05f);
        for (int c = 0; c < channels; ++c) buffer[c][i] = c == 0 ? v : -v;
      }
      vorbis_analysis_wrote(&dsp, n);
    }
    done += n == 0 ? 1 : n;
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
        ogg_stream_packetin(&os, &packet);
        while (ogg_stream_pageout(&os, &page) != 0) append_page(page);
      }
    }
  }
  while (ogg_stream_flush(&os, &page) != 0) append_page(page);

  ogg_stream_clear(&os);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  return out;
}

std::string RegisterCopy(const std::string& name, Bytes bytes) {
  static std::list<Bytes> kept;  // registered bytes must outlive every stream over them
  kept.push_back(std::move(bytes));
  RegisterEmbedded(name, kept.back().data(), kept.back().size());
  return "incbin::" + name;
}

}  // namespace media_files
