// A window of its own for a form the runtime shows that no widget shows (the
// About box, a form an application shows itself): the event pump opens it
// when the form is shown and closes it when the form is hidden or unloaded.
// It is modal while the form is; closing it unloads the form, as a window
// manager's close button does.
#pragma once

#include "qt/form_view.hpp"

namespace lumora::qt {

class FormWindow final : public FormView {
  Q_OBJECT

 public:
  // Opens windows for shown forms that no view shows, and closes those whose
  // form is no longer shown.
  static void Sync();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  explicit FormWindow(std::shared_ptr<Form> form);
};

}  // namespace lumora::qt
