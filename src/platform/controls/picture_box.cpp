#include "platform/controls/picture_box.hpp"

#include <algorithm>
#include <cmath>

#include "platform/controls/member_rows.hpp"
#include "platform/controls/paint_args.hpp"
#include "platform/errors.hpp"
#include "platform/numeric.hpp"
#include "platform/picture/picture.hpp"

namespace lumora {

namespace {

void CheckZeroOrOne(int16_t value) {
  if (value != 0 && value != 1) Fail(kErrInvalidPropertyValue);
}

}  // namespace

PictureBox::PictureBox() : Control("PictureBox") {}

PictureBox::~PictureBox() = default;

void PictureBox::ScaleMode(int16_t mode) {
  if (mode != kScaleTwips && mode != kScalePixels) Fail(kErrInvalidPropertyValue);
  m_ScaleMode = mode;
  m_BaseUnits = mode == kScaleTwips ? kTwipsPerPixel : 1;
  m_UserScaleWidth = 0;
  m_UserScaleHeight = 0;
}

float PictureBox::ScaleWidth() const {
  if (m_UserScaleWidth != 0) return m_UserScaleWidth;
  return static_cast<float>(ClientPixelWidth() * m_BaseUnits);
}

float PictureBox::ScaleHeight() const {
  if (m_UserScaleHeight != 0) return m_UserScaleHeight;
  return static_cast<float>(ClientPixelHeight() * m_BaseUnits);
}

void PictureBox::ScaleHeight(float units) {
  CountPropertyWrite();
  if (units == 0 || !std::isfinite(units)) Fail(kErrInvalidPropertyValue);
  m_UserScaleHeight = units;
  m_ScaleMode = 0;
}

void PictureBox::ScaleWidth(float units) {
  CountPropertyWrite();
  if (units == 0 || !std::isfinite(units)) Fail(kErrInvalidPropertyValue);
  m_UserScaleWidth = units;
  m_ScaleMode = 0;
}

void PictureBox::BackColor(OleColor value) {
  CountPropertyWrite();
  ResolveColor(value);
  if (value == m_BackColor) return;
  m_BackColor = value;
  // A new background erases what was drawn.
  if (m_Image.Exists()) Cls();
}

void PictureBox::ForeColor(OleColor value) {
  ResolveColor(value);
  m_ForeColor = value;
}

void PictureBox::BorderStyle(int16_t value) {
  CheckZeroOrOne(value);
  m_BorderStyle = value;
  OnExtentChanged();
}

void PictureBox::Appearance(int16_t value) {
  CheckZeroOrOne(value);
  m_Appearance = value;
  OnExtentChanged();
}

int32_t PictureBox::BorderPixels() const {
  if (m_BorderStyle == 0) return 0;
  return m_Appearance == 1 ? 2 : 1;
}

int32_t PictureBox::ClientPixelWidth() const {
  return std::max(0, FormRect().width - 2 * BorderPixels());
}

int32_t PictureBox::ClientPixelHeight() const {
  return std::max(0, FormRect().height - 2 * BorderPixels());
}

void PictureBox::Picture(PicturePtr picture) {
  CountPropertyWrite();
  m_Picture = std::move(picture);
  if (m_AutoSize) SizeToPicture();
  // The picture is the image's background: what was drawn is replaced.
  if (m_Image.Exists()) Cls();
}

void PictureBox::AutoSize(bool value) {
  m_AutoSize = value;
  if (m_AutoSize) SizeToPicture();
}

void PictureBox::SizeToPicture() {
  if (!m_Picture || m_Picture->Handle() == 0) return;
  const ScaleMapping m = ContainerScale();
  const int32_t border = 2 * BorderPixels();
  Move(Left(), Top(), static_cast<float>((m_Picture->PixelWidth() + border) * m.unitsPerPixelX),
       static_cast<float>((m_Picture->PixelHeight() + border) * m.unitsPerPixelY));
}

void PictureBox::AutoRedraw(bool value) {
  m_AutoRedraw = value;
}

PicturePtr PictureBox::Image() {
  PersistentImage& image = EnsureImage();
  if (m_ImagePicture && m_ImagePictureVersion == image.Version()) return m_ImagePicture;
  Raster pixels = image.Whole();
  // Code may have drawn through the hDC without changing a pixel: the same
  // picture still shows the image.
  if (!m_ImagePicture || !(m_ImagePicture->Pixels() == pixels))
    m_ImagePicture = Picture::FromRaster(std::move(pixels));
  m_ImagePictureVersion = image.Version();
  return m_ImagePicture;
}

void PictureBox::Cls() {
  if (!m_AutoRedraw && !m_Image.Exists()) return;  // nothing drawn that could be cleared
  const bool existed = HasImageOfClientSize();
  PersistentImage& image = EnsureImage();
  if (existed) {
    image.Clear(ToArgb(ResolveColor(m_BackColor)), m_Picture);
    ImageChanged();
  }
}

Hdc PictureBox::hDC() {
  EnsureImage();
  if (!m_Dc) m_Dc = std::make_unique<DeviceContext>(static_cast<Surface&>(m_Image));
  return m_Dc->Handle();
}

void PictureBox::Refresh() {
  Control::Refresh();
}

void PictureBox::PaintPicture(const Variant& Picture, const Variant& X1, const Variant& Y1,
                              const Variant& Width1, const Variant& Height1, const Variant& X2,
                              const Variant& Y2, const Variant& Width2, const Variant& Height2,
                              const Variant& Opcode) {
  const PaintRequest request = ResolvePaint(ClientScale(), Picture, X1, Y1, Width1, Height1, X2, Y2,
                                            Width2, Height2, Opcode);
  // A copy of the whole picture onto the whole of a new image replaces every
  // pixel, so the image's background picture need not be drawn first.
  PersistentImage& image = EnsureImage(!CoversWholeImage(request));
  image.Add(DrawFor(request));
  ImageChanged();
}

bool PictureBox::CoversWholeImage(const PaintRequest& r) const {
  const Raster& src = r.picture->Pixels();
  return r.opcode == kSrcCopy && RoundHalfEven(r.dx) == 0 && RoundHalfEven(r.dy) == 0 &&
         RoundHalfEven(r.dw) == ClientPixelWidth() && RoundHalfEven(r.dh) == ClientPixelHeight() &&
         r.sx == 0 && r.sy == 0 && r.sw == src.Width() && r.sh == src.Height();
}

PersistentImage* PictureBox::ShownImage() const {
  return m_Image.Exists() ? &m_Image : nullptr;
}

bool PictureBox::HasImageOfClientSize() const {
  return m_Image.Exists() && m_Image.Width() == ClientPixelWidth() &&
         m_Image.Height() == ClientPixelHeight();
}

PersistentImage& PictureBox::EnsureImage(bool withPicture) {
  if (HasImageOfClientSize()) return m_Image;
  // Release the old image before making the new one: at most one at a time.
  ReleaseImage();
  // An image about to be painted over whole needs no background picture.
  m_Image.Reset(ClientPixelWidth(), ClientPixelHeight(), ToArgb(ResolveColor(m_BackColor)),
                withPicture ? m_Picture : nullptr);
  ++m_ImagesMade;
  return m_Image;
}

void PictureBox::ReleaseImage() {
  m_Image.Release();
  m_ImagePicture.reset();
}

void PictureBox::ImageChanged() {
  m_ImagePicture.reset();
}

void PictureBox::OnExtentChanged() {
  if (m_Image.Exists() && !HasImageOfClientSize()) ReleaseImage();
}

ScaleMapping PictureBox::ClientScale() const {
  ScaleMapping m{0, 0, m_BaseUnits, m_BaseUnits};
  if (m_UserScaleWidth != 0) m.unitsPerPixelX = m_UserScaleWidth / std::max(1, ClientPixelWidth());
  if (m_UserScaleHeight != 0)
    m.unitsPerPixelY = m_UserScaleHeight / std::max(1, ClientPixelHeight());
  return m;
}

PixelRect PictureBox::ClientFormRect() const {
  PixelRect r = FormRect();
  const int32_t b = BorderPixels();
  r.left += b;
  r.top += b;
  r.width = std::max(0, r.width - 2 * b);
  r.height = std::max(0, r.height - 2 * b);
  return r;
}

namespace {

PictureBox& Pb(Object& o) {
  return static_cast<PictureBox&>(o);
}

}  // namespace

const MemberTable& PictureBox::Members() const {
  static const MemberTable table(
      &ControlMembers(),
      {
          Property("ScaleMode", &PictureBox::ScaleMode, &PictureBox::ScaleMode),
          Property("ScaleWidth", &PictureBox::ScaleWidth, &PictureBox::ScaleWidth),
          Property("ScaleHeight", &PictureBox::ScaleHeight, &PictureBox::ScaleHeight),
          Property("ScaleLeft", &PictureBox::ScaleLeft),
          Property("ScaleTop", &PictureBox::ScaleTop),
          Property("BackColor", &PictureBox::BackColor, &PictureBox::BackColor),
          Property("ForeColor", &PictureBox::ForeColor, &PictureBox::ForeColor),
          Property("BorderStyle", &PictureBox::BorderStyle, &PictureBox::BorderStyle),
          Property("Appearance", &PictureBox::Appearance, &PictureBox::Appearance),
          Property("Picture", &PictureBox::Picture, &PictureBox::Picture),
          Property("AutoSize", &PictureBox::AutoSize, &PictureBox::AutoSize),
          Property("AutoRedraw", &PictureBox::AutoRedraw, &PictureBox::AutoRedraw),
          Property("Image", &PictureBox::Image),
          {"hDC", [](Object& o) { return Variant(static_cast<int32_t>(Pb(o).hDC())); }, {}, {}},
          Method("Cls", &PictureBox::Cls),
          {"PaintPicture",
           {},
           {},
           [](Object& o, std::span<Variant> a) {
             Pb(o).PaintPicture(ArgOrMissing(a, 0), ArgOrMissing(a, 1), ArgOrMissing(a, 2),
                                ArgOrMissing(a, 3), ArgOrMissing(a, 4), ArgOrMissing(a, 5),
                                ArgOrMissing(a, 6), ArgOrMissing(a, 7), ArgOrMissing(a, 8),
                                ArgOrMissing(a, 9));
             return Variant();
           }},
      });
  return table;
}

}  // namespace lumora
