// PNG decoding with libpng, reading straight from the stream.
//
// libpng reports errors by longjmp. The two functions that call setjmp below hold only plain values
// and pointers, and every C++ object (the pixel buffer, the row table, the libpng structures' owner)
// lives in their caller, so no destructor is ever skipped.
#include <png.h>

#include <csetjmp>
#include <vector>

#include "engine/media/decoders.h"

namespace {

void ReadFromStream(png_structp png, png_bytep out, size_t count) {
  auto* stream = static_cast<TRamStream*>(png_get_io_ptr(png));
  if (!stream->ReadBlock(out, count)) png_error(png, "truncated");
}

// Errors unwind to the setjmp of the running step; nothing is printed.
void OnError(png_structp png, png_const_charp) {
  png_longjmp(png, 1);
}
void OnWarning(png_structp, png_const_charp) {}

// Frees the libpng structures however decoding ends.
class PngReader {
 public:
  PngReader() {
    png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (png_) info_ = png_create_info_struct(png_);
  }
  ~PngReader() {
    if (png_) png_destroy_read_struct(&png_, info_ ? &info_ : nullptr, nullptr);
  }
  PngReader(const PngReader&) = delete;
  PngReader& operator=(const PngReader&) = delete;

  png_structp png() const { return png_; }
  png_infop info() const { return info_; }

 private:
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
};

struct PngLayout {
  png_uint_32 width;
  png_uint_32 height;
  int bit_depth;
  int color_type;
  int channels;
  size_t row_bytes;
  size_t raw_row_bytes;  // as stored in the file, before the transforms
};

// Deflate cannot expand data by more than about 1032 times, so a file this short cannot hold more
// pixel data than this; a header claiming more is refused before its buffer is allocated.
constexpr uint64_t kMaxDeflateRatio = 1032;

// Reads the header, sets up the transforms to 8-bit grey, RGB or RGBA and reports the decoded layout.
bool ReadHeader(png_structp png, png_infop info, TRamStream* stream, PngLayout* layout) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_read_fn(png, stream, ReadFromStream);
  png_set_sig_bytes(png, 8);
  png_set_user_limits(png, kMaxImageDimension, kMaxImageDimension);
  png_read_info(png, info);

  layout->raw_row_bytes = png_get_rowbytes(png, info);
  const int color_type = png_get_color_type(png, info);
  const bool has_trns = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  png_set_strip_16(png);
  png_set_expand(png);
  // Grey with alpha is delivered as RGBA: the grey value goes into red, green and blue.
  if (color_type == PNG_COLOR_TYPE_GRAY_ALPHA || (color_type == PNG_COLOR_TYPE_GRAY && has_trns)) {
    png_set_gray_to_rgb(png);
  }
  png_set_interlace_handling(png);
  png_read_update_info(png, info);

  layout->width = png_get_image_width(png, info);
  layout->height = png_get_image_height(png, info);
  layout->bit_depth = png_get_bit_depth(png, info);
  layout->color_type = png_get_color_type(png, info);
  layout->channels = png_get_channels(png, info);
  layout->row_bytes = png_get_rowbytes(png, info);
  return true;
}

bool ReadRows(png_structp png, png_infop info, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_image(png, rows);
  png_read_end(png, info);
  return true;
}

int FormatFor(const PngLayout& layout) {
  if (layout.bit_depth != 8) return 0;
  switch (layout.color_type) {
    case PNG_COLOR_TYPE_GRAY:
      return layout.channels == 1 ? kFormatI8 : 0;
    case PNG_COLOR_TYPE_RGB:
      return layout.channels == 3 ? kFormatRGB888 : 0;
    case PNG_COLOR_TYPE_RGB_ALPHA:
      return layout.channels == 4 ? kFormatRGBA8888 : 0;
    default:
      return 0;
  }
}

}  // namespace

std::shared_ptr<TPixmap> DecodePng(TRamStream& stream) {
  png_byte signature[8];
  if (!stream.ReadBlock(signature, sizeof signature) || png_sig_cmp(signature, 0, sizeof signature) != 0) {
    return nullptr;
  }
  PngReader reader;
  if (!reader.png() || !reader.info()) return nullptr;

  PngLayout layout{};
  if (!ReadHeader(reader.png(), reader.info(), &stream, &layout)) return nullptr;
  const int format = FormatFor(layout);
  if (format == 0) return nullptr;
  if (layout.width > static_cast<png_uint_32>(kMaxImageDimension) ||
      layout.height > static_cast<png_uint_32>(kMaxImageDimension)) {
    return nullptr;
  }
  const uint64_t raw_bytes = static_cast<uint64_t>(layout.height) * (layout.raw_row_bytes + 1);
  if (raw_bytes / kMaxDeflateRatio > stream.Size() - stream.Pos()) return nullptr;
  // TPixmap::Create refuses sizes over the pixel limit before anything is allocated.
  auto pixmap = TPixmap::Create(static_cast<int>(layout.width), static_cast<int>(layout.height), format);
  if (!pixmap || layout.row_bytes != static_cast<size_t>(pixmap->width) * BytesPerPixel(format))
    return nullptr;

  // Rows are decoded straight into the buffer; its pitch is the row size rounded up to 4.
  std::vector<png_bytep> rows(layout.height);
  for (png_uint_32 y = 0; y < layout.height; ++y) rows[y] = pixmap->Row(static_cast<int>(y));
  if (!ReadRows(reader.png(), reader.info(), rows.data())) return nullptr;
  return pixmap;
}
