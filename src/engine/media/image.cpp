#include "engine/media/image.h"

#include "engine/base/null_on_failure.h"
#include "engine/media/decoders.h"
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
  return stream ? DecodeImageChain(*stream) : nullptr;
}

void ApplyAutoMidHandle(const ImageRef& image) {
  if (gAutoMidHandle) CentreHandle(image);
}

}  // namespace

void TImage::SetPixmap(int frame, std::shared_ptr<TPixmap> pixmap) {
  if (frame < 0 || frame >= FrameCount() || !pixmap) return;
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
  return LoadImage(DecodeUrl(url), flags);
}

ImageRef LoadStripImage(const std::string& url, int cell_width, int cell_height, int first_cell,
                        int cell_count, int flags) {
  return NullOnFailure([&]() -> ImageRef {
    if (cell_width < 1 || cell_height < 1 || first_cell < 0 || cell_count < 1) return nullptr;
    std::shared_ptr<TPixmap> pixmap = DecodeUrl(url);
    if (!pixmap) return nullptr;
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
    ApplyAutoMidHandle(image);
    return image;
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
