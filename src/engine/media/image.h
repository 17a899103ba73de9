#pragma once
// TImage: an image of one or more equal frames with a handle point, as drawn by DrawImage; plus the
// loaders that make images from "incbin::" URLs.
#include <memory>
#include <string>
#include <vector>

#include "engine/media/pixmap.h"

class ImageFrame;

enum ImageFlags : int { kImageMasked = 1, kImageFiltered = 2, kImageMipmapped = 4 };
constexpr int kDefaultImageFlags = kImageMasked | kImageFiltered;

struct TImage {
  int width = 0;  // size of one frame
  int height = 0;
  int flags = 0;
  int mask_r = 0, mask_g = 0, mask_b = 0;
  float handle_x = 0, handle_y = 0;
  std::vector<std::shared_ptr<TPixmap>> pixmaps;    // decoded pixels, one per frame
  std::vector<std::shared_ptr<ImageFrame>> frames;  // textures of the current graphics generation
  std::vector<int> seqs;                            // generation each texture was made for; 0 = none

  int FrameCount() const { return static_cast<int>(pixmaps.size()); }
  // Stores a frame's pixels (masked first when the image is masked and the pixels have no alpha) and
  // drops its texture so that the next draw makes a new one.
  void SetPixmap(int frame, std::shared_ptr<TPixmap> pixmap);
};
using ImageRef = std::shared_ptr<TImage>;

// An empty image of `count` frames of width x height; null for a bad size.
ImageRef CreateImage(int width, int height, int count, int flags);
// flags -1 means the default flags (masked and filtered). Failures give null.
ImageRef LoadImage(const std::string& url, int flags = -1);
ImageRef LoadImage(std::shared_ptr<TPixmap> pixmap, int flags = -1);
ImageRef LoadStripImage(const std::string& url, int cell_width, int cell_height, int first_cell,
                        int cell_count, int flags = -1);
// Puts the handle at the frame's centre (width * 0.5, height * 0.5).
void CentreHandle(const ImageRef& image);
// When on, the loaders centre the handle of every new image. Off at start.
void AutoMidHandle(bool on);
