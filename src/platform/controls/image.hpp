// An image control: windowless, shows a picture object shared by identity
// (assigning another control's Picture shares that very object). Without
// Stretch it takes the picture's natural size; with Stretch the picture is
// drawn over its whole extent.
#pragma once

#include "platform/controls/control.hpp"

namespace lumora {

class ImageControl final : public Control {
 public:
  ImageControl();

  bool IsWindowed() const override { return false; }

  PicturePtr Picture() const { return m_Picture; }
  void Picture(PicturePtr picture);
  bool Stretch() const { return m_Stretch; }
  void Stretch(bool value);

  const MemberTable& Members() const override;

 private:
  void SizeToPicture();

  PicturePtr m_Picture;
  bool m_Stretch = false;
};

// The class is called Image on forms and in late-bound access.
using Image = ImageControl;

}  // namespace lumora
