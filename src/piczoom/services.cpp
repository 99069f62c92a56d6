// ZelPicZoom's queries and services: which picture edges are in view, the
// shown size, the shown image, saving it, clearing the picture, the About box.
#include "frame/about_hook.hpp"
#include "piczoom/zel_pic_zoom.hpp"
#include "platform/errors.hpp"
#include "platform/picture/picture.hpp"

namespace lumora {

namespace {

int16_t Bool16(bool value) {
  return value ? int16_t{-1} : int16_t{0};
}

}  // namespace

// Read from the bars alone, so it is current while PictureScrolled runs.
PicturePositions ZelPicZoom::PicturePosition() const {
  PicturePositions positions;
  Step([&] { positions.ppTop = Bool16(VScroll->Value() == 0); });
  Step([&] { positions.ppBottom = Bool16(VScroll->Value() == VScroll->Max()); });
  Step([&] { positions.ppLeft = Bool16(HScroll->Value() == 0); });
  Step([&] { positions.ppRight = Bool16(HScroll->Value() == HScroll->Max()); });
  return positions;
}

PictureSizes ZelPicZoom::PictureSize() const {
  PictureSizes sizes;
  if (Met([&] { return HasPicture(); })) {
    Step([&] { sizes.psWidth = picScroll->Width(); });
    Step([&] { sizes.psHeight = picScroll->Height(); });
  } else {
    Step([&] { sizes.psWidth = 0; });
    Step([&] { sizes.psHeight = 0; });
  }
  return sizes;
}

// The picture box's persistent image: the picture as shown, at its zoomed size.
PicturePtr ZelPicZoom::Image() const {
  PicturePtr image;
  Step([&] { image = picScroll->Image(); });
  return image;
}

// Writes the shown image as BMP data under exactly the path given, whatever
// its extension says. The write is atomic: a path that cannot be written
// gets nothing and an existing file there stays as it was.
void ZelPicZoom::SaveTo(std::string& PicturePath) {
  PicturePtr image;
  Step([&] { image = picScroll->Image(); });
  if (Met([&] { return !image || image->Handle() == 0; })) return;
  Step([&] { SavePicture(*image, PicturePath); });
}

void ZelPicZoom::Clear() {
  Step([&] { Picture(nullptr); });
}

void ZelPicZoom::AboutBox() {
  Step([&] { ShowAboutBox(); });
}

}  // namespace lumora
