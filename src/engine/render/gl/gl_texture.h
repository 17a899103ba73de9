#pragma once
// Textures of image frames for the OpenGL renderer: the frames of one image packed into one texture
// atlas (each frame ringed by a copy of its own edge pixels, so filtering never bleeds between
// frames), so that draws of one image strip batch into one draw call.
#include <memory>
#include <vector>

#include "engine/render/render_backend.h"

struct TImage;

// One entry per frame; null entries where a texture could not be made (no pixels, too large).
std::vector<std::shared_ptr<ImageFrame>> MakeGlFrames(const TImage& image);
