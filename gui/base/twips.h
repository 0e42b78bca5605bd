// Twips (1/1440 inch), the unit of the windows' designed geometry, and screen pixels.
//
// Operations:
//   TwipsToPixels(twips, twips_per_pixel)    the nearest whole number of pixels
//   PixelsToTwips(pixels, twips_per_pixel)   pixels in twips
#ifndef TAVLO_GUI_BASE_TWIPS_H
#define TAVLO_GUI_BASE_TWIPS_H

int TwipsToPixels(float twips, float twips_per_pixel);
float PixelsToTwips(int pixels, float twips_per_pixel);

#endif
