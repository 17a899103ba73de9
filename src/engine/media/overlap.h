#pragma once
// The pixel test behind FramesOverlap: whether two image frames, placed as DrawImage places them under
// one 2 x 2 transform, share a screen pixel that is solid (alpha >= 128) in both.
#include "engine/media/image.h"

// (ax, ay) and (bx, by) are where the handles land (position plus origin). The transform maps a local
// point (px, py) to (px * ix + py * iy, px * jx + py * jy) before that offset. Returns 1 or 0; a frame
// index outside the image, or a transform that flattens the quads to nothing, gives 0.
int FramesOverlapTransformed(const TImage& a, float ax, float ay, int frame_a, const TImage& b, float bx,
                             float by, int frame_b, float ix, float iy, float jx, float jy);
