#include "engine/media/image.h"

#include <new>

#include "engine/base/null_on_failure.h"
#include "engine/media/decoders.h"
#include "engine/media/embedded.h"
#include "engine/media/stream.h"

namespace {

bool gAutoMidHandle = false;

// An image of `count` frames with no pixels yet; the caller fills every frame.
ImageRef MakeImage(int width, int height, int count, int flags) {
  if (width < 1 || height < 1 || width > kMaxImageDimension || height > kMaxImageDimension) return nullptr;
  if (count < 1 || static_cast<int64_t>(width) * height * count > kMaxImagePixels) return nullptr;
  auto image = std::make_shared<TImage>();
  image->width = width;
  image->height = height;
  image->flags = flags == -1 ? kDefaultImageFlags : flags;
  // The mask colour is black and never changes.
  image->mask_r = image->mask_g = image->mask_b = 0;
  image->pixmaps.resize(count);
  image->frames.resize(count);
  image->seqs.assign(count, 0);
  return image;
}

std::shared_ptr<TPixmap> DecodeUrl(const std::string& url) {
  std::unique_ptr<TRamStream> stream = OpenStream(url);
  if (!stream) return nullptr;
  std::shared_ptr<TPixmap> pixmap = DecodeImageChain(*stream);
  ReleaseEmbeddedPages(stream->Data(), stream->Size());
  return pixmap;
}

void ApplyAutoMidHandle(const ImageRef& image) {
  if (gAutoMidHandle) CentreHandle(image);
}

// Which pixels of a pixmap are solid, one bit each (all of them for a format without alpha, as the
// overlap test counts such a frame).
std::shared_ptr<TPixmap> SolidOf(const TPixmap& pixmap) {
  auto solid = TPixmap::Create(pixmap.width, pixmap.height, kFormatSolid1);
  if (!solid) return nullptr;
  for (int y = 0; y < pixmap.height; ++y) {
    uint8_t* out = solid->Row(y);
    for (int x = 0; x < pixmap.width; ++x) {
      uint8_t rgba[4];
      pixmap.GetRGBA(x, y, rgba);
      // The collision test counts a pixel from half alpha up.
      if (rgba[3] >= 128) SetSolidBit(out, x);
    }
  }
  return solid;
}

// The cells of a decoded picture as the frames of a new image that remembers where they came from.
ImageRef CutCells(const TPixmap& whole, const std::string& url, int cell_width, int cell_height,
                  int first_cell, int cell_count, int flags) {
  const TPixmap* pixmap = &whole;
  const int across = pixmap->width / cell_width;
  const int down = pixmap->height / cell_height;
  if (static_cast<int64_t>(first_cell) + cell_count > static_cast<int64_t>(across) * down) return nullptr;
  ImageRef image = MakeImage(cell_width, cell_height, cell_count, flags);
  if (!image) return nullptr;
  for (int i = 0; i < cell_count; ++i) {
    const int cell = first_cell + i;
    image->SetPixmap(i, pixmap->CopyWindow((cell % across) * cell_width, (cell / across) * cell_height,
                                           cell_width, cell_height));
    if (!image->pixmaps[i]) return nullptr;
  }
  image->source = TImageSource{url, cell_width, cell_height, first_cell};
  ApplyAutoMidHandle(image);
  return image;
}

// The image's pixels decoded again from its source, as they were loaded.
ImageRef Decode(const TImage& image) {
  const TImageSource& s = image.source;
  if (s.url.empty()) return nullptr;
  if (s.cell_width == 0) return LoadImage(s.url, image.flags);
  return LoadStripImage(s.url, s.cell_width, s.cell_height, s.first_cell, image.FrameCount(), image.flags);
}

}  // namespace

bool TImage::DropColour() {
  if (colour_dropped) return true;
  if (source.url.empty()) return false;
  std::vector<std::shared_ptr<TPixmap>> solids;
  try {
    solids.resize(pixmaps.size());
    for (size_t i = 0; i < pixmaps.size(); ++i) {
      if (!pixmaps[i] || !(solids[i] = SolidOf(*pixmaps[i]))) return false;
    }
  } catch (const std::bad_alloc&) {
    return false;  // short of memory the colours simply stay
  }
  pixmaps = std::move(solids);
  colour_dropped = true;
  return true;
}

std::shared_ptr<const TImage> TImage::Colour() const {
  // Not owning: the caller holds the image itself while it uses the result.
  if (!colour_dropped) return std::shared_ptr<const TImage>(std::shared_ptr<const TImage>(), this);
  ImageRef colour = Decode(*this);
  if (!colour || colour->FrameCount() != FrameCount() || colour->width != width || colour->height != height)
    return nullptr;
  return colour;
}

void TImage::SetPixmap(int frame, std::shared_ptr<TPixmap> pixmap) {
  if (frame < 0 || frame >= FrameCount() || !pixmap) return;
  if (colour_dropped) {
    // The other frames must have their colours back before the source stops describing them.
    std::shared_ptr<const TImage> colour = Colour();
    if (!colour) return;
    pixmaps = colour->pixmaps;
    colour_dropped = false;
  }
  source = TImageSource();
  if ((flags & kImageMasked) && !FormatHasAlpha(pixmap->format)) {
    pixmap = pixmap->MaskedCopy(mask_r, mask_g, mask_b);
    if (!pixmap) return;
  }
  pixmaps[frame] = std::move(pixmap);
  if (frame < static_cast<int>(frames.size())) frames[frame].reset();
  if (frame < static_cast<int>(seqs.size())) seqs[frame] = 0;
}

ImageRef CreateImage(int width, int height, int count, int flags) {
  return NullOnFailure([&]() -> ImageRef {
    ImageRef image = MakeImage(width, height, count, flags);
    if (!image) return nullptr;
    for (int i = 0; i < count; ++i) image->pixmaps[i] = TPixmap::Create(width, height, kFormatRGBA8888);
    ApplyAutoMidHandle(image);
    return image;
  });
}

ImageRef LoadImage(std::shared_ptr<TPixmap> pixmap, int flags) {
  return NullOnFailure([&]() -> ImageRef {
    if (!pixmap) return nullptr;
    ImageRef image = MakeImage(pixmap->width, pixmap->height, 1, flags);
    if (!image) return nullptr;
    image->SetPixmap(0, std::move(pixmap));
    if (!image->pixmaps[0]) return nullptr;
    ApplyAutoMidHandle(image);
    return image;
  });
}

ImageRef LoadImage(const std::string& url, int flags) {
  return NullOnFailure([&]() -> ImageRef {
    ImageRef image = LoadImage(DecodeUrl(url), flags);
    if (image) image->source.url = url;
    return image;
  });
}

ImageRef LoadStripImage(const std::string& url, int cell_width, int cell_height, int first_cell,
                        int cell_count, int flags) {
  return NullOnFailure([&]() -> ImageRef {
    if (cell_width < 1 || cell_height < 1 || first_cell < 0 || cell_count < 1) return nullptr;
    std::shared_ptr<TPixmap> pixmap = DecodeUrl(url);
    if (!pixmap) return nullptr;
    return CutCells(*pixmap, url, cell_width, cell_height, first_cell, cell_count, flags);
  });
}

ImageRef LoadAllCells(const std::string& url, int cell_width, int cell_height, int* cell_count, int flags) {
  *cell_count = -1;
  return NullOnFailure([&]() -> ImageRef {
    std::shared_ptr<TPixmap> pixmap = DecodeUrl(url);
    if (!pixmap) return nullptr;
    *cell_count =
        cell_width < 1 || cell_height < 1 ? 0 : (pixmap->width / cell_width) * (pixmap->height / cell_height);
    if (*cell_count < 1) return nullptr;
    return CutCells(*pixmap, url, cell_width, cell_height, 0, *cell_count, flags);
  });
}

void CentreHandle(const ImageRef& image) {
  if (!image) return;
  image->handle_x = image->width * 0.5f;
  image->handle_y = image->height * 0.5f;
}

void AutoMidHandle(bool on) {
  gAutoMidHandle = on;
}
