#include "about/resources.hpp"

namespace lumora {

PicturePtr AboutLogo() {
  thread_local const PicturePtr logo = LoadPicture(AboutLogoGif());
  return logo;
}

PicturePtr AboutIcon() {
  thread_local const PicturePtr icon = LoadPicture(AboutIconGif());
  return icon;
}

}  // namespace lumora
