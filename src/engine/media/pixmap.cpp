#include "engine/media/pixmap.h"

#include <cstring>
#include <new>

int BytesPerPixel(int format) {
  switch (format) {
    case kFormatI8:
    case kFormatA8:
      return 1;
    case kFormatBGR888:
    case kFormatRGB888:
      return 3;
    case kFormatBGRA8888:
    case kFormatRGBA8888:
      return 4;
    default:
      return 0;
  }
}

bool FormatHasAlpha(int format) {
  return format == kFormatA8 || format == kFormatBGRA8888 || format == kFormatRGBA8888 ||
         format == kFormatSolid1;
}

namespace {
// Bytes of one row's pixels before alignment; 0 for an unknown format.
int64_t RowBytes(int format, int width) {
  if (format == kFormatSolid1) return (static_cast<int64_t>(width) + 7) / 8;
  return static_cast<int64_t>(width) * BytesPerPixel(format);
}
}  // namespace

std::shared_ptr<TPixmap> TPixmap::Create(int width, int height, int format) {
  if (RowBytes(format, 1) == 0) return nullptr;
  if (width < 1 || height < 1 || width > kMaxImageDimension || height > kMaxImageDimension) return nullptr;
  if (static_cast<int64_t>(width) * height > kMaxImagePixels) return nullptr;
  try {
    auto pixmap = std::make_shared<TPixmap>();
    pixmap->width = width;
    pixmap->height = height;
    pixmap->format = format;
    pixmap->pitch = static_cast<int>((RowBytes(format, width) + 3) & ~3);
    pixmap->pixels.assign(static_cast<size_t>(pixmap->pitch) * height, 0);
    return pixmap;
  } catch (const std::bad_alloc&) {
    return nullptr;  // out of memory is a failed pixmap like any other
  }
}

std::shared_ptr<TPixmap> TPixmap::CopyWindow(int x, int y, int w, int h) const {
  if (x < 0 || y < 0 || w < 1 || h < 1) return nullptr;
  if (static_cast<int64_t>(x) + w > width || static_cast<int64_t>(y) + h > height) return nullptr;
  auto copy = Create(w, h, format);
  if (!copy) return nullptr;
  if (format == kFormatSolid1) {
    for (int row = 0; row < h; ++row) {
      const uint8_t* from = Row(y + row);
      uint8_t* to = copy->Row(row);
      for (int i = 0; i < w; ++i)
        if (SolidBit(from, x + i)) SetSolidBit(to, i);
    }
    return copy;
  }
  const int bpp = BytesPerPixel(format);
  for (int row = 0; row < h; ++row) {
    std::memcpy(copy->Row(row), Row(y + row) + static_cast<size_t>(x) * bpp, static_cast<size_t>(w) * bpp);
  }
  return copy;
}

void TPixmap::GetRGBA(int x, int y, uint8_t out[4]) const {
  const uint8_t* p = Row(y) + static_cast<size_t>(x) * BytesPerPixel(format);
  switch (format) {
    case kFormatI8:
      out[0] = out[1] = out[2] = p[0];
      out[3] = 255;
      break;
    case kFormatA8:
      out[0] = out[1] = out[2] = 255;
      out[3] = p[0];
      break;
    case kFormatBGR888:
      out[0] = p[2], out[1] = p[1], out[2] = p[0], out[3] = 255;
      break;
    case kFormatRGB888:
      out[0] = p[0], out[1] = p[1], out[2] = p[2], out[3] = 255;
      break;
    case kFormatBGRA8888:
      out[0] = p[2], out[1] = p[1], out[2] = p[0], out[3] = p[3];
      break;
    case kFormatRGBA8888:
      out[0] = p[0], out[1] = p[1], out[2] = p[2], out[3] = p[3];
      break;
    case kFormatSolid1:
      out[0] = out[1] = out[2] = 255;
      out[3] = SolidBit(Row(y), x) ? 255 : 0;
      break;
    default:
      out[0] = out[1] = out[2] = out[3] = 0;
      break;
  }
}

std::shared_ptr<TPixmap> TPixmap::MaskedCopy(int mask_r, int mask_g, int mask_b) const {
  auto out = Create(width, height, kFormatRGBA8888);
  if (!out) return nullptr;
  // First pass: every pixel in RGBA with the mask colour marked by alpha 0, so that the neighbour
  // averages below read plain bytes.
  for (int y = 0; y < height; ++y) {
    uint8_t* dst = out->Row(y);
    for (int x = 0; x < width; ++x, dst += 4) {
      GetRGBA(x, y, dst);
      const bool masked = dst[0] == mask_r && dst[1] == mask_g && dst[2] == mask_b;
      dst[3] = masked ? 0 : 255;
    }
  }
  // Second pass: colour each masked pixel with its unmasked neighbours' average. Only unmasked pixels
  // are read, and they are never rewritten, so one buffer serves as source and result.
  for (int y = 0; y < height; ++y) {
    uint8_t* row = out->Row(y);
    for (int x = 0; x < width; ++x) {
      uint8_t* dst = row + static_cast<size_t>(x) * 4;
      if (dst[3] != 0) continue;
      int sum_r = 0, sum_g = 0, sum_b = 0, count = 0;
      for (int ny = y - 1; ny <= y + 1; ++ny) {
        if (ny < 0 || ny >= height) continue;
        const uint8_t* nrow = out->Row(ny);
        for (int nx = x - 1; nx <= x + 1; ++nx) {
          if (nx < 0 || nx >= width) continue;
          const uint8_t* n = nrow + static_cast<size_t>(nx) * 4;
          if (n[3] == 0) continue;
          sum_r += n[0], sum_g += n[1], sum_b += n[2];
          ++count;
        }
      }
      if (count > 0) {
        dst[0] = static_cast<uint8_t>(sum_r / count);
        dst[1] = static_cast<uint8_t>(sum_g / count);
        dst[2] = static_cast<uint8_t>(sum_b / count);
      } else {
        dst[0] = dst[1] = dst[2] = 0;
      }
    }
  }
  return out;
}
