// Twips (1/1440 inch), the unit of every stored window place and size, and pixels.
#pragma once

#include <cmath>

#include <QPaintDevice>

namespace vek {

inline double twipsPerPixel(const QPaintDevice& device) {
  return 1440.0 / device.logicalDpiX();
}

inline int twipsToPixels(double twips, const QPaintDevice& device) {
  return int(std::lround(twips / twipsPerPixel(device)));
}

inline double pixelsToTwips(int pixels, const QPaintDevice& device) {
  return pixels * twipsPerPixel(device);
}

}  // namespace vek
