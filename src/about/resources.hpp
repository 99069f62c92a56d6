// The About box's pictures, built into the library from resources/: the
// 174 x 167 logo drawn behind the dialog's contents and its window icon.
#pragma once

#include <cstdint>
#include <span>

#include "platform/picture/picture.hpp"

namespace lumora {

// The encoded GIF files (generated from resources/ at build time).
std::span<const uint8_t> AboutLogoGif();
std::span<const uint8_t> AboutIconGif();

// The decoded pictures, one shared object each per thread.
PicturePtr AboutLogo();
PicturePtr AboutIcon();

}  // namespace lumora
