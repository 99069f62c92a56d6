// The container's constituents, properties, persistence and Show.
#include "platform/errors.hpp"
#include "platform/numeric.hpp"
#include "platform/property_bag.hpp"
#include "scrollcontainer/button_pictures.hpp"
#include "scrollcontainer/zel_scroll_container.hpp"

namespace lumora {

namespace {

// The design-time size of the buttons and the width of the track, in twips.
constexpr float kButtonWidth = kButtonPixelWidth * kTwipsPerPixel;
constexpr float kButtonHeight = kButtonPixelHeight * kTwipsPerPixel;

constexpr OleColor kTrackColor = kSysApplicationWorkspace;
constexpr OleColor kThumbColor = Rgb(64, 64, 64);

bool OutsideZeroOne(int16_t value) {
  return value < 0 || value > 1;
}

}  // namespace

ZelScrollContainer::ZelScrollContainer()
    : UserControl("ZelScrollContainer", ScaleUnit::Twips, true) {
  CreateConstituents();
  ConnectHandlers();
}

ZelScrollContainer::~ZelScrollContainer() = default;

// The design-time layout: hidden picture holders, the track with the hidden
// thumb box inside it, and the two buttons showing their U pictures.
void ZelScrollContainer::CreateConstituents() {
  const ScrollButtonPictures& pictures = ButtonPictures();
  auto holder = [&](const char* name, const PicturePtr& picture) {
    auto image = AddConstituent<Image>(name);
    image->Visible(false);
    image->Picture(picture);
    return image;
  };
  UpN = holder("UpN", pictures.UpN);
  UpU = holder("UpU", pictures.UpU);
  UpD = holder("UpD", pictures.UpD);
  DownN = holder("DownN", pictures.DownN);
  DownU = holder("DownU", pictures.DownU);
  DownD = holder("DownD", pictures.DownD);

  // The track: a flat one-pixel border, so that its drawing area is 2 pixels
  // narrower and shorter than its outer size. It takes no Tab focus.
  picBar = AddConstituent<PictureBox>("picBar");
  picBar->Move(0, kButtonHeight, kButtonWidth, kButtonHeight);
  picBar->Appearance(0);
  picBar->BorderStyle(1);
  picBar->BackColor(kTrackColor);
  picBar->AutoRedraw(true);
  picBar->TabStop(false);

  // The thumb box lives in the track's scale; only its geometry and the
  // colour of its top-left pixel are used.
  picSelected = AddConstituent<PictureBox>("picSelected", picBar.get());
  picSelected->Visible(false);
  picSelected->BorderStyle(0);
  picSelected->Move(0, 0, kButtonPixelWidth - 2, 1);
  picSelected->BackColor(kThumbColor);
  picSelected->AutoRedraw(true);
  picSelected->TabStop(false);

  sU = AddConstituent<Image>("sU");
  sU->Picture(UpU->Picture());
  sU->Move(0, 0, kButtonWidth, kButtonHeight);
  sD = AddConstituent<Image>("sD");
  sD->Picture(DownU->Picture());
  sD->Move(0, kButtonHeight, kButtonWidth, kButtonHeight);
}

void ZelScrollContainer::ConnectHandlers() {
  auto mouse = [this](void (ZelScrollContainer::*handler)(int16_t&, int16_t&, float&, float&)) {
    return [this, handler](int16_t& Button, int16_t& Shift, float& X, float& Y) {
      (this->*handler)(Button, Shift, X, Y);
    };
  };
  auto plain = [this](void (ZelScrollContainer::*handler)()) {
    return [this, handler] { (this->*handler)(); };
  };
  sU->MouseDown.Connect(mouse(&ZelScrollContainer::sU_MouseDown));
  sU->MouseMove.Connect(mouse(&ZelScrollContainer::sU_MouseMove));
  sU->MouseUp.Connect(mouse(&ZelScrollContainer::sU_MouseUp));
  sU->Click.Connect(plain(&ZelScrollContainer::sU_Click));
  sU->DblClick.Connect(plain(&ZelScrollContainer::sU_DblClick));
  sD->MouseDown.Connect(mouse(&ZelScrollContainer::sD_MouseDown));
  sD->MouseMove.Connect(mouse(&ZelScrollContainer::sD_MouseMove));
  sD->MouseUp.Connect(mouse(&ZelScrollContainer::sD_MouseUp));
  sD->Click.Connect(plain(&ZelScrollContainer::sD_Click));
  sD->DblClick.Connect(plain(&ZelScrollContainer::sD_DblClick));
  picBar->MouseDown.Connect(mouse(&ZelScrollContainer::picBar_MouseDown));
  picBar->MouseMove.Connect(mouse(&ZelScrollContainer::picBar_MouseMove));
}

// --- Properties ---------------------------------------------------------------

int32_t ZelScrollContainer::UpperMargin() const {
  return m_UpperMargin;
}

void ZelScrollContainer::UpperMargin(int32_t New_UpperMargin) {
  m_UpperMargin = New_UpperMargin;
  Step([&] { PropertyChanged("UpperMargin"); });
  RefreshScrollBar();
}

int32_t ZelScrollContainer::LowerMargin() const {
  return m_LowerMargin;
}

void ZelScrollContainer::LowerMargin(int32_t New_LowerMargin) {
  m_LowerMargin = New_LowerMargin;
  Step([&] { PropertyChanged("LowerMargin"); });
  RefreshScrollBar();
}

OleColor ZelScrollContainer::BackColor() const {
  return UserControl::BackColor();
}

void ZelScrollContainer::BackColor(OleColor New_BackColor) {
  Step([&] { UserControl::BackColor(New_BackColor); });
  Step([&] { PropertyChanged("BackColor"); });
}

int16_t ZelScrollContainer::Appearance() const {
  return UserControl::Appearance();
}

void ZelScrollContainer::Appearance(int16_t New_Appearance) {
  if (OutsideZeroOne(New_Appearance)) return;
  Step([&] { UserControl::Appearance(New_Appearance); });
  Step([&] { PropertyChanged("Appearance"); });
}

int16_t ZelScrollContainer::BorderStyle() const {
  return m_BorderStyle;
}

void ZelScrollContainer::BorderStyle(int16_t New_BorderStyle) {
  if (OutsideZeroOne(New_BorderStyle)) return;
  m_BorderStyle = New_BorderStyle;
  Step([&] { UserControl::BorderStyle(m_BorderStyle); });
  Step([&] { PropertyChanged("BorderStyle"); });
}

int16_t ZelScrollContainer::BackStyle() const {
  return UserControl::BackStyle();
}

void ZelScrollContainer::BackStyle(int16_t New_BackStyle) {
  if (OutsideZeroOne(New_BackStyle)) return;
  Step([&] { UserControl::BackStyle(New_BackStyle); });
  Step([&] { PropertyChanged("BackStyle"); });
}

int32_t ZelScrollContainer::ContainerHwnd() const {
  return UserControl::ContainerHwnd();
}

bool ZelScrollContainer::Enabled() const {
  return UserControl::Enabled();
}

void ZelScrollContainer::Enabled(bool New_Enabled) {
  Step([&] { UserControl::Enabled(New_Enabled); });
  Step([&] { PropertyChanged("Enabled"); });
}

int32_t ZelScrollContainer::hWnd() const {
  return UserControl::hWnd();
}

// --- Lifecycle ----------------------------------------------------------------

void ZelScrollContainer::UserControl_InitProperties() {
  m_LowerMargin = 60;
  m_UpperMargin = 60;
  m_BorderStyle = 0;
}

void ZelScrollContainer::UserControl_ReadProperties(PropertyBag& PropBag) {
  Step([&] { m_UpperMargin = PropBag.ReadProperty("UpperMargin", int16_t{60}).ToInt32(); });
  Step([&] { m_LowerMargin = PropBag.ReadProperty("LowerMargin", int16_t{60}).ToInt32(); });
  Step([&] {
    UserControl::BackColor(
        static_cast<OleColor>(PropBag.ReadProperty("BackColor", int16_t{0}).ToInt32()));
  });
  Step([&] { UserControl::Appearance(PropBag.ReadProperty("Appearance", int16_t{1}).ToInt16()); });
  Step([&] { m_BorderStyle = PropBag.ReadProperty("BorderStyle", int16_t{0}).ToInt16(); });
  Step([&] { UserControl::BorderStyle(m_BorderStyle); });
  Step([&] { UserControl::BackStyle(PropBag.ReadProperty("BackStyle", int16_t{1}).ToInt16()); });
  Step([&] { UserControl::Enabled(PropBag.ReadProperty("Enabled", true).ToBool()); });
}

void ZelScrollContainer::UserControl_WriteProperties(PropertyBag& PropBag) {
  Step([&] { PropBag.WriteProperty("UpperMargin", m_UpperMargin, int16_t{60}); });
  Step([&] { PropBag.WriteProperty("LowerMargin", m_LowerMargin, int16_t{60}); });
  Step([&] { PropBag.WriteProperty("BackColor", UserControl::BackColor(), int16_t{0}); });
  Step([&] { PropBag.WriteProperty("Appearance", UserControl::Appearance(), int16_t{1}); });
  Step([&] { PropBag.WriteProperty("BorderStyle", m_BorderStyle, int16_t{0}); });
  Step([&] { PropBag.WriteProperty("BackStyle", UserControl::BackStyle(), int16_t{1}); });
  Step([&] { PropBag.WriteProperty("Enabled", UserControl::Enabled(), true); });
}

void ZelScrollContainer::UserControl_Show() {
  m_UpReleased = true;
  m_DownReleased = true;
  UserControl_Resize();
}

}  // namespace lumora
