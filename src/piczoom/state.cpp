// ZelPicZoom's state: its constituent controls, its properties, its lifecycle
// and its persisted form in the host's property store.
#include "frame/dispids.hpp"
#include "piczoom/module_state.hpp"
#include "piczoom/zel_pic_zoom.hpp"
#include "platform/errors.hpp"
#include "platform/numeric.hpp"
#include "platform/picture/picture.hpp"

namespace lumora {

namespace {

constexpr int16_t kMinBarsWidth = 13;

}  // namespace

ZelPicZoom::ZelPicZoom() : UserControl("ZelPicZoom", ScaleUnit::Pixels, false) {
  // The design-time layout: a borderless picture surface that sizes itself
  // to its picture, two bars with minimum 0, the corner button; tab order in
  // creation order.
  picScroll = AddConstituent<PictureBox>("picScroll");
  picScroll->BorderStyle(0);
  picScroll->AutoSize(true);
  picScroll->TabIndex(0);
  HScroll = AddConstituent<HScrollBar>("HScroll");
  HScroll->TabIndex(1);
  VScroll = AddConstituent<VScrollBar>("VScroll");
  VScroll->TabIndex(2);
  btnUserCommand = AddConstituent<CommandButton>("btnUserCommand");
  btnUserCommand->TabIndex(3);
  ConnectHandlers();
}

ZelPicZoom::~ZelPicZoom() {
  // The constituents may outlive this object in someone's hands: their events
  // must not reach it any more.
  for (const ControlPtr& c : Constituents()) {
    c->Click.DisconnectAll();
    c->DblClick.DisconnectAll();
    c->MouseDown.DisconnectAll();
    c->MouseMove.DisconnectAll();
    c->MouseUp.DisconnectAll();
    c->KeyDown.DisconnectAll();
    c->KeyUp.DisconnectAll();
    c->KeyPress.DisconnectAll();
    c->GotFocus.DisconnectAll();
    c->LostFocus.DisconnectAll();
  }
  HScroll->Change.DisconnectAll();
  HScroll->Scroll.DisconnectAll();
  VScroll->Change.DisconnectAll();
  VScroll->Scroll.DisconnectAll();
}

void ZelPicZoom::ConnectHandlers() {
  HScroll->Change.Connect([this] { HScroll_Change(); });
  VScroll->Change.Connect([this] { VScroll_Change(); });
  HScroll->Scroll.Connect([this] { HScroll_Scroll(); });
  VScroll->Scroll.Connect([this] { VScroll_Scroll(); });
  HScroll->GotFocus.Connect([this] { HScroll_GotFocus(); });
  VScroll->GotFocus.Connect([this] { VScroll_GotFocus(); });
  btnUserCommand->Click.Connect([this] { btnUserCommand_Click(); });
  picScroll->Click.Connect([this] { picScroll_Click(); });
  picScroll->DblClick.Connect([this] { picScroll_DblClick(); });
  picScroll->MouseDown.Connect(
      [this](int16_t& b, int16_t& s, float& x, float& y) { picScroll_MouseDown(b, s, x, y); });
  picScroll->MouseMove.Connect(
      [this](int16_t& b, int16_t& s, float& x, float& y) { picScroll_MouseMove(b, s, x, y); });
  picScroll->MouseUp.Connect(
      [this](int16_t& b, int16_t& s, float& x, float& y) { picScroll_MouseUp(b, s, x, y); });
  picScroll->KeyDown.Connect([this](int16_t& k, int16_t& s) { picScroll_KeyDown(k, s); });
  picScroll->KeyPress.Connect([this](int16_t& k) { picScroll_KeyPress(k); });
  picScroll->KeyUp.Connect([this](int16_t& k, int16_t& s) { picScroll_KeyUp(k, s); });
}

bool ZelPicZoom::HasPicture() const {
  const PicturePtr picture = Picture();
  return picture && picture->Handle() != 0;
}

// --- Properties ------------------------------------------------------------------

int16_t ZelPicZoom::Appearance() const {
  return UserControl::Appearance();
}

void ZelPicZoom::Appearance(int16_t value) {
  if (Met([&] { return value == 0 || value == 1; })) {
    Step([&] { UserControl::Appearance(value); });
    Step([&] { PropertyChanged("Appearance"); });
  }
}

OleColor ZelPicZoom::BackColor() const {
  return UserControl::BackColor();
}

void ZelPicZoom::BackColor(OleColor value) {
  Step([&] { UserControl::BackColor(value); });
  Step([&] { picScroll->BackColor(value); });
  Step([&] { PropertyChanged("BackColor"); });
}

int16_t ZelPicZoom::BarsWidth() const {
  return m_BarsWidth;
}

void ZelPicZoom::BarsWidth(int16_t value) {
  if (Met([&] { return value > kMinBarsWidth; })) {
    Step([&] { m_BarsWidth = value; });
  } else {
    Step([&] { m_BarsWidth = kMinBarsWidth; });
  }
  Step([&] { PropertyChanged("BarsWidth"); });
  Step([&] { UserControl_Resize(); });
}

int16_t ZelPicZoom::BorderStyle() const {
  return UserControl::BorderStyle();
}

void ZelPicZoom::BorderStyle(int16_t value) {
  if (Met([&] { return value == 0 || value == 1; })) {
    Step([&] { UserControl::BorderStyle(value); });
    Step([&] { PropertyChanged("BorderStyle"); });
  }
}

bool ZelPicZoom::Enabled() const {
  return UserControl::Enabled();
}

void ZelPicZoom::Enabled(bool value) {
  Step([&] { UserControl::Enabled(value); });
  Step([&] { PropertyChanged("Enabled"); });
}

PicturePtr ZelPicZoom::MouseIcon() const {
  return picScroll->MouseIcon();
}

void ZelPicZoom::MouseIcon(PicturePtr value) {
  Step([&] { picScroll->MouseIcon(value); });
  Step([&] { PropertyChanged("MouseIcon"); });
}

PointerShape ZelPicZoom::MousePointer() const {
  return static_cast<PointerShape>(picScroll->MousePointer());
}

void ZelPicZoom::MousePointer(PointerShape value) {
  Step([&] { picScroll->MousePointer(ToInt16(int32_t{value})); });
  Step([&] { PropertyChanged("MousePointer"); });
}

bool ZelPicZoom::MouseScrolling() const {
  return m_MouseScrolling;
}

void ZelPicZoom::MouseScrolling(bool value) {
  Step([&] { m_MouseScrolling = value; });
  Step([&] { PropertyChanged("MouseScrolling"); });
}

// Kept in the host object's own MouseIcon slot, which nothing else uses.
PicturePtr ZelPicZoom::MouseScrollingIcon() const {
  return UserControl::MouseIcon();
}

void ZelPicZoom::MouseScrollingIcon(PicturePtr value) {
  Step([&] { UserControl::MouseIcon(value); });
  Step([&] { PropertyChanged("MouseScrollingIcon"); });
}

PicturePtr ZelPicZoom::Picture() const {
  return picScroll->Picture();
}

// The picture assignment; also run by ReadProperties, Terminate and Clear.
void ZelPicZoom::Picture(PicturePtr value) {
  Step([&] { picScroll->Visible(false); });
  Step([&] { picScroll->Picture(value); });
  Step([&] { PropertyChanged("Picture"); });
  Step([&] { RaiseEvent(PicZoomEvent::PictureSizeChanged, "PictureSizeChanged"); });
  Step([&] { g_ZoomIndex = kZoomIndexNatural; });
  Step([&] { m_PictureWidth = picScroll->Width(); });
  Step([&] { m_PictureHeight = picScroll->Height(); });
  Step([&] { UserControl_Resize(); });
  Step([&] { picScroll->SetFocus(); });
}

lumora::ScrollBars ZelPicZoom::ScrollBars() const {
  return static_cast<lumora::ScrollBars>(m_ScrollBars);
}

void ZelPicZoom::ScrollBars(lumora::ScrollBars value) {
  Step([&] { m_ScrollBars = value; });
  Step([&] { PropertyChanged("ScrollBars"); });
  Step([&] { UserControl_Resize(); });
}

int32_t ZelPicZoom::hWnd() const {
  return picScroll->hWnd();
}

// --- Lifecycle --------------------------------------------------------------------

void ZelPicZoom::UserControl_Initialize() {
  Step([&] { InitZoomState(); });
}

void ZelPicZoom::UserControl_InitProperties() {
  Step([&] { m_BarsWidth = kMinBarsWidth; });
  Step([&] { m_MouseScrolling = true; });
  Step([&] { m_ScrollBars = sbAutomatic; });
}

void ZelPicZoom::UserControl_Terminate() {
  Step([&] { Picture(nullptr); });
}

}  // namespace lumora
