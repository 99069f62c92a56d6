#include "platform/controls/image.hpp"

#include "platform/controls/member_rows.hpp"
#include "platform/picture/picture.hpp"

namespace lumora {

ImageControl::ImageControl() : Control("Image") {
  TabStop(false);
}

void ImageControl::Picture(PicturePtr picture) {
  CountPropertyWrite();
  m_Picture = std::move(picture);
  if (!m_Stretch) SizeToPicture();
}

void ImageControl::Stretch(bool value) {
  m_Stretch = value;
  if (!m_Stretch) SizeToPicture();
}

void ImageControl::SizeToPicture() {
  if (!m_Picture || m_Picture->Handle() == 0) return;
  const ScaleMapping m = ContainerScale();
  Move(Left(), Top(), static_cast<float>(m_Picture->PixelWidth() * m.unitsPerPixelX),
       static_cast<float>(m_Picture->PixelHeight() * m.unitsPerPixelY));
}

const MemberTable& ImageControl::Members() const {
  static const MemberTable table(
      &ControlMembers(), {
                             Property("Picture", &ImageControl::Picture, &ImageControl::Picture),
                             Property("Stretch", &ImageControl::Stretch, &ImageControl::Stretch),
                         });
  return table;
}

}  // namespace lumora
