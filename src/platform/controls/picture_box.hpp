// A picture box: a windowed surface that shows a picture, keeps a persistent
// image (AutoRedraw) that code draws on through PaintPicture and its hDC, and
// holds child controls in a scale of its own (pixels, twips, or a user
// vertical scale set by writing ScaleHeight).
#pragma once

#include <cstdint>

#include <memory>

#include "platform/controls/control.hpp"
#include "platform/gdi.hpp"
#include "platform/persistent_image.hpp"

namespace lumora {

struct PaintRequest;

class PictureBox : public Control, public Container {
 public:
  PictureBox();
  ~PictureBox() override;

  // --- Scale ----------------------------------------------------------------
  // 1 twips, 3 pixels (the default), 0 user (after ScaleHeight or ScaleWidth
  // was written). Setting 1 or 3 drops a user scale; other values: error 380.
  int16_t ScaleMode() const { return m_ScaleMode; }
  void ScaleMode(int16_t mode);
  // The client area (inside the border) in this box's scale.
  float ScaleWidth() const;
  float ScaleHeight() const;
  float ScaleLeft() const { return 0; }
  float ScaleTop() const { return 0; }
  // Writing ScaleHeight makes the client area's height stand for that many
  // units (ScaleTop 0): a user vertical scale that children, PaintPicture and
  // pointer Y use. It stays when the box is resized (the units stretch).
  // 0: error 380 (a negative value runs the axis upwards). ScaleWidth
  // likewise for the horizontal axis.
  void ScaleHeight(float units);
  void ScaleWidth(float units);

  // --- Appearance -------------------------------------------------------------
  OleColor BackColor() const { return m_BackColor; }
  void BackColor(OleColor value);  // unknown system colour: error 380
  OleColor ForeColor() const { return m_ForeColor; }
  void ForeColor(OleColor value);
  int16_t BorderStyle() const { return m_BorderStyle; }
  void BorderStyle(int16_t value);  // 0 or 1; else error 380
  int16_t Appearance() const { return m_Appearance; }
  void Appearance(int16_t value);  // 0 flat (1-pixel border), 1 3D (2-pixel)
  int32_t BorderPixels() const;
  // The client area's size in pixels.
  int32_t ClientPixelWidth() const;
  int32_t ClientPixelHeight() const;

  // --- Picture ----------------------------------------------------------------
  // The picture shown at the client area's top-left (null: none). With
  // AutoSize the box takes the picture's natural size (plus its border) in
  // the container's scale as soon as a picture with pixels is assigned.
  PicturePtr Picture() const { return m_Picture; }
  void Picture(PicturePtr picture);
  bool AutoSize() const { return m_AutoSize; }
  void AutoSize(bool value);

  // --- Persistent image ------------------------------------------------------
  // With AutoRedraw, drawing goes to a persistent image of the client size,
  // made lazily at the first drawing (BackColor with Picture at 0,0). A size
  // change releases the image at once; the next drawing makes the new one, so
  // at most one image exists at a time. Turning AutoRedraw off keeps what
  // was drawn as what the box shows.
  bool AutoRedraw() const { return m_AutoRedraw; }
  void AutoRedraw(bool value);
  // The persistent image as a picture object: the same object until the image
  // changes. Makes the image if there is none (error 480 if refused).
  PicturePtr Image();
  // A device context of the persistent image (made if needed; error 480).
  Hdc hDC();
  // Clears the image to BackColor and redraws Picture at 0,0.
  void Cls();
  void Refresh() override;
  // Draws a picture on the persistent image: coordinates in this box's
  // scale; left-out arguments (Missing) give the whole picture at its natural
  // size. Arguments: Picture, X1, Y1, Width1, Height1, X2, Y2, Width2,
  // Height2, Opcode. Errors: 91 no picture, 481 empty picture, 480 image
  // refused, 5 unsupported opcode.
  void PaintPicture(const Variant& Picture, const Variant& X1, const Variant& Y1,
                    const Variant& Width1 = Missing{}, const Variant& Height1 = Missing{},
                    const Variant& X2 = Missing{}, const Variant& Y2 = Missing{},
                    const Variant& Width2 = Missing{}, const Variant& Height2 = Missing{},
                    const Variant& Opcode = Missing{});

  // What the box shows: its persistent image when one exists, else null (the
  // renderer then draws BackColor and Picture). Reading its tiles makes them.
  PersistentImage* ShownImage() const;
  // How many persistent images were made over the box's life (for tests).
  int32_t ImagesMade() const { return m_ImagesMade; }

  // --- Container interface ------------------------------------------------------
  ScaleMapping ClientScale() const override;
  PixelRect ClientFormRect() const override;
  Form* ContainerForm() const override { return ParentForm(); }
  int32_t ContainerWindow() const override { return hWnd(); }
  Control* ContainerControl() override { return this; }

  const MemberTable& Members() const override;

 protected:
  void OnExtentChanged() override;

 private:
  // Makes the image if needed: BackColor, and Picture at 0,0 unless the
  // caller is about to cover every pixel.
  PersistentImage& EnsureImage(bool withPicture = true);
  bool HasImageOfClientSize() const;
  bool CoversWholeImage(const PaintRequest& request) const;
  void ReleaseImage();
  void ImageChanged();
  void SizeToPicture();

  int16_t m_ScaleMode = 3;
  double m_BaseUnits = 1;       // units per pixel of the twips or pixel mode
  float m_UserScaleWidth = 0;   // 0: no user horizontal scale
  float m_UserScaleHeight = 0;  // 0: no user vertical scale
  OleColor m_BackColor = kSysButtonFace;
  OleColor m_ForeColor = kSysButtonText;
  int16_t m_BorderStyle = 1;
  int16_t m_Appearance = 1;
  PicturePtr m_Picture;
  bool m_AutoSize = false;
  bool m_AutoRedraw = false;
  // Made tile by tile as it is shown or read, which the renderer does
  // through a const box.
  mutable PersistentImage m_Image;
  PicturePtr m_ImagePicture;           // cached Image() result
  uint64_t m_ImagePictureVersion = 0;  // the image's version it was made at
  int32_t m_ImagesMade = 0;
  std::unique_ptr<DeviceContext> m_Dc;  // made at the first hDC; follows m_Image
};

}  // namespace lumora
