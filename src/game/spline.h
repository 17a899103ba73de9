#pragma once
// The curve UFO paths follow: through four knots (parameter s, value c), blending the line through knot
// 1 (slope from knots 0 and 2) into the line through knot 2 (slope from knots 1 and 3) with a cosine
// weight, so it passes knot 1 at s1 and knot 2 at s2 and swings smoothly beyond them.

// The unclamped value at parameter t. Knots 1 and 2 must have different parameters.
double SplineBlend(int s0, int c0, int s1, int c1, int s2, int c2, int s3, int c3, float t);
// The value truncated toward zero and held within 0..upper.
int SplineClamp(double value, int upper);
