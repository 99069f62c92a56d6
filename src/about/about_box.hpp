// AboutBox, as both controls offer it: shows the thread's one frmAbout
// modally, creating it on first use. Errors inside are ignored.
#pragma once

namespace lumora {

class FrmAbout;

// Shows the dialog modally with no owner and returns when it is closed. A
// dialog that cannot be shown leaves nothing behind: a window loaded for the
// call is unloaded again.
void AboutBox();
// The thread's dialog, created on first use and kept for the thread's life.
FrmAbout& AboutDialog();
// Whether the thread's dialog has been created.
bool AboutDialogExists();
// Makes AboutBox on the controls of this thread show this dialog.
void InstallAboutBox();

}  // namespace lumora
