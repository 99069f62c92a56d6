#include "about/frm_about.hpp"

#include <string>

#include "about/about_contents.hpp"
#include "about/resources.hpp"
#include "platform/color.hpp"
#include "platform/errors.hpp"
#include "platform/numeric.hpp"
#include "platform/services.hpp"
#include "platform/variant.hpp"

namespace lumora {

namespace {

constexpr float kTw = kTwipsPerPixel;
constexpr int32_t kClientWidth = 460;
constexpr int32_t kClientHeight = 222;
constexpr OleColor kLinkColor = 0x00C00000;  // dark blue (0x00BBGGRR)
constexpr int16_t kHiddenWindow = 0;

std::string Trim(const std::string& text) {
  const size_t begin = text.find_first_not_of(' ');
  if (begin == std::string::npos) return {};
  return text.substr(begin, text.find_last_not_of(' ') + 1 - begin);
}

}  // namespace

FrmAbout::FrmAbout() = default;

FrmAbout::~FrmAbout() {
  if (m_Form) m_Form->Unload();
}

bool FrmAbout::IsLoaded() const {
  return m_Form && m_Form->IsLoaded();
}

bool FrmAbout::IsShown() const {
  return IsLoaded() && m_Form->IsShown();
}

PicturePtr FrmAbout::Icon() const {
  return AboutIcon();
}

void FrmAbout::Load() {
  if (IsLoaded()) return;
  m_Form = Form::Create("frmAbout", kClientWidth, kClientHeight);
  PlaceControls();
  Form_Load();
}

void FrmAbout::Show(int16_t style) {
  Load();
  // The window may be unloaded while it is shown modally; keep it alive.
  const std::shared_ptr<Form> window = m_Form;
  window->Show(style);
}

void FrmAbout::Hide() {
  if (IsLoaded()) m_Form->Hide();
}

void FrmAbout::Unload() {
  if (m_Form) m_Form->Unload();
}

void FrmAbout::PlaceControls() {
  Form& form = *m_Form;
  form.Caption(std::string(kAboutCaption));
  imgLogo = form.Add<Image>("imgLogo", 0, 0, 174 * kTw, 167 * kTw);
  imgLogo->Picture(AboutLogo());

  lblVersion = form.Add<Label>("lblVersion", 186 * kTw, 14 * kTw, 262 * kTw, 18 * kTw);
  lblVersion->Caption("Version");
  lblVersion->FontBold(true);

  const std::string_view addresses[] = {kAboutWebAddress, kAboutMailAddress};
  for (int16_t i = 0; i < 2; ++i) {
    auto& label = lblZel[static_cast<size_t>(i)];
    label = form.Add<Label>("lblZel(" + std::to_string(i) + ")", 186 * kTw, (40 + 18 * i) * kTw,
                            262 * kTw, 16 * kTw);
    label->Caption(std::string(addresses[i]));
    label->ForeColor(kLinkColor);
    label->Click.Connect([this, i] { lblZel_Click(i); });
  }

  lblInfo = form.Add<Label>("lblInfo", 186 * kTw, 84 * kTw, 262 * kTw, 92 * kTw);
  lblInfo->Caption(std::string(kAboutInfo));
  lblInfo->WordWrap(true);

  OKButton = form.Add<CommandButton>("OKButton", 364 * kTw, 186 * kTw, 84 * kTw, 26 * kTw);
  OKButton->Caption("OK");
  OKButton->Click.Connect([this] { OKButton_Click(); });
}

void FrmAbout::Form_Load() {
  lblVersion->Caption("Version " + Variant(App().Major()).ToString() + "." +
                      Trim(Variant(App().Minor()).ToString()));
}

void FrmAbout::OKButton_Click() {
  Unload();
}

// A launch that fails is ignored and leaves no trace on Err.
void FrmAbout::lblZel_Click(int16_t Index) {
  const ErrObject before = Err();
  Step([&] {
    const std::string prefix = Index == 1 ? "mailto:" : "";
    Shell("Start.exe " + prefix + lblZel[static_cast<size_t>(Index)]->Caption(), kHiddenWindow);
  });
  Err() = before;
}

}  // namespace lumora
