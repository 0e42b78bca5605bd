#include "base/twips.h"

#include <cmath>

int TwipsToPixels(float twips, float twips_per_pixel) {
  return static_cast<int>(std::lround(twips / twips_per_pixel));
}

float PixelsToTwips(int pixels, float twips_per_pixel) {
  return static_cast<float>(pixels) * twips_per_pixel;
}
