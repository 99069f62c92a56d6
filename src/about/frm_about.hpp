// frmAbout: the product dialog both controls show from AboutBox. The object
// lasts as long as its thread keeps it; its window is loaded when shown,
// unloaded by OK, and loaded afresh by the next Show.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "platform/controls/command_button.hpp"
#include "platform/controls/image.hpp"
#include "platform/controls/label.hpp"
#include "platform/form/form.hpp"
#include "platform/picture/picture.hpp"

namespace lumora {

class FrmAbout {
 public:
  FrmAbout();
  ~FrmAbout();
  FrmAbout(const FrmAbout&) = delete;
  FrmAbout& operator=(const FrmAbout&) = delete;

  // Loads the window when it is not loaded: places the controls and runs
  // Form_Load.
  void Load();
  // Loads if needed, then shows: style 0 returns at once, style 1 (modal)
  // returns when the window has been unloaded.
  void Show(int16_t style = 0);
  void Hide();
  void Unload();
  bool IsLoaded() const;
  bool IsShown() const;
  // The loaded window (null while unloaded).
  const std::shared_ptr<Form>& Window() const { return m_Form; }
  PicturePtr Icon() const;

  // The dialog's controls, valid while it is loaded. imgLogo carries the
  // background logo at the window's top-left corner, under everything else.
  std::shared_ptr<Image> imgLogo;
  std::shared_ptr<Label> lblVersion;
  std::array<std::shared_ptr<Label>, 2> lblZel;
  std::shared_ptr<Label> lblInfo;
  std::shared_ptr<CommandButton> OKButton;

 private:
  void PlaceControls();
  void Form_Load();
  void OKButton_Click();
  void lblZel_Click(int16_t Index);

  std::shared_ptr<Form> m_Form;
};

}  // namespace lumora
