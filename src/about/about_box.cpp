#include "about/about_box.hpp"

#include <memory>

#include "about/frm_about.hpp"
#include "frame/about_hook.hpp"
#include "platform/errors.hpp"

namespace lumora {

namespace {

// Touches the runtime's thread-wide form list first, so that it is built
// before the dialog's holder and so outlives it when the thread ends.
std::unique_ptr<FrmAbout>& Holder() {
  Forms();
  thread_local std::unique_ptr<FrmAbout> g_frmAbout;
  return g_frmAbout;
}

}  // namespace

FrmAbout& AboutDialog() {
  std::unique_ptr<FrmAbout>& holder = Holder();
  if (!holder) holder = std::make_unique<FrmAbout>();
  return *holder;
}

bool AboutDialogExists() {
  return Holder() != nullptr;
}

// A dialog that cannot be shown is put back as it was, and so is Err.
void AboutBox() {
  const ErrObject before = Err();
  FrmAbout* dialog = nullptr;
  Step([&] { dialog = &AboutDialog(); });
  if (!dialog) {
    Err() = before;
    return;
  }
  const bool wasLoaded = dialog->IsLoaded();
  const bool wasShown = dialog->IsShown();
  bool shown = false;
  Step([&] {
    dialog->Show(1);
    shown = true;
  });
  if (shown) return;
  if (!wasLoaded) {
    Step([&] { dialog->Unload(); });
  } else if (!wasShown) {
    Step([&] { dialog->Hide(); });
  }
  Err() = before;
}

void InstallAboutBox() {
  SetAboutBoxHook(&AboutBox);
}

}  // namespace lumora
