// The six pictures of the container's scroll buttons, 9 x 17 pixels, 24-bit:
// U raised with a black arrow, N raised with a greyed arrow, D sunken with the
// arrow one pixel right and down. Drawn once per thread and shared by every
// container on it, so that buttons and holders compare by identity.
#pragma once

#include "platform/variant.hpp"

namespace lumora {

struct ScrollButtonPictures {
  PicturePtr UpN, UpU, UpD;
  PicturePtr DownN, DownU, DownD;
};

const ScrollButtonPictures& ButtonPictures();

// Pixel size of every button picture.
constexpr int32_t kButtonPixelWidth = 9;
constexpr int32_t kButtonPixelHeight = 17;

}  // namespace lumora
