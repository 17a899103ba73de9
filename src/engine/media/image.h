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

// Where a loaded image's pixels come from, so that they can be decoded again after being let go.
struct TImageSource {
  std::string url;  // empty: the pixels were handed over in memory and are kept
  int cell_width = 0, cell_height = 0, first_cell = 0;  // cell_width 0: the whole picture is frame 0
};

struct TImage {
  int width = 0;  // size of one frame
  int height = 0;
  int flags = 0;
  int mask_r = 0, mask_g = 0, mask_b = 0;
  float handle_x = 0, handle_y = 0;
  std::vector<std::shared_ptr<TPixmap>> pixmaps;    // decoded pixels, one per frame
  std::vector<std::shared_ptr<ImageFrame>> frames;  // textures of the current graphics generation
  std::vector<int> seqs;                            // generation each texture was made for; 0 = none
  TImageSource source;
  // Once the textures exist the colours are needed no more: each pixmap then holds only which of its
  // frame's pixels are solid (one bit each), which is all the overlap test reads, and the colours are
  // decoded again from the source when a new window needs new textures.
  bool colour_dropped = false;

  int FrameCount() const { return static_cast<int>(pixmaps.size()); }
  // Stores a frame's pixels (masked first when the image is masked and the pixels have no alpha) and
  // drops its texture so that the next draw makes a new one. The image keeps its pixels from then on.
  void SetPixmap(int frame, std::shared_ptr<TPixmap> pixmap);
  // Keeps only each frame's solid mask when the image can decode its colours again; false when it cannot
  // (then nothing changes).
  bool DropColour();
  // The frames in full colour: the image itself, or a copy decoded again from the source (null if that
  // fails).
  std::shared_ptr<const TImage> Colour() const;
};
using ImageRef = std::shared_ptr<TImage>;

// An empty image of `count` frames of width x height; null for a bad size.
ImageRef CreateImage(int width, int height, int count, int flags);
// flags -1 means the default flags (masked and filtered). Failures give null.
ImageRef LoadImage(const std::string& url, int flags = -1);
ImageRef LoadImage(std::shared_ptr<TPixmap> pixmap, int flags = -1);
ImageRef LoadStripImage(const std::string& url, int cell_width, int cell_height, int first_cell,
                        int cell_count, int flags = -1);
// Every whole cell of the picture, row by row, decoding it once. `cell_count` gets the number of whole
// cells (-1 when the picture does not decode); the image is null when there are none or it cannot be
// made.
ImageRef LoadAllCells(const std::string& url, int cell_width, int cell_height, int* cell_count,
                      int flags = -1);
// Puts the handle at the frame's centre (width * 0.5, height * 0.5).
void CentreHandle(const ImageRef& image);
// When on, the loaders centre the handle of every new image. Off at start.
void AutoMidHandle(bool on);
