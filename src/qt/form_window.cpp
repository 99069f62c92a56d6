#include "qt/form_window.hpp"

#include <QCloseEvent>

#include <algorithm>

#include "qt/event_pump.hpp"

namespace lumora::qt {

FormWindow::FormWindow(std::shared_ptr<Form> form) {
  setAttribute(Qt::WA_DeleteOnClose);
  KeepTabInside(true);
  const std::string& caption = form->Caption().empty() ? form->Name() : form->Caption();
  setWindowTitle(QString::fromStdString(caption));
  if (form->IsModal()) setWindowModality(Qt::ApplicationModal);
  SetForm(std::move(form), false, false);
}

void FormWindow::Sync() {
  const std::vector<FormView*> views = EventPump::Views();
  for (FormView* view : views) {
    auto* window = qobject_cast<FormWindow*>(view);
    const std::shared_ptr<Form>& form = view->GetForm();
    if (window && !window->isHidden() && (!form || !form->IsLoaded() || !form->IsShown())) {
      window->hide();
      window->deleteLater();
    }
  }
  for (const std::shared_ptr<Form>& form : Forms()) {
    if (!form->IsShown()) continue;
    const bool shown = std::any_of(views.begin(), views.end(), [&](FormView* view) {
      return view->GetForm() == form && !(qobject_cast<FormWindow*>(view) && view->isHidden());
    });
    if (!shown) (new FormWindow(form))->show();  // deletes itself on closing
  }
}

void FormWindow::closeEvent(QCloseEvent* event) {
  const std::shared_ptr<Form> form = GetForm();
  if (form && form->IsLoaded())
    Deliver(Message::Call([weak = std::weak_ptr<Form>(form)] {
      if (auto f = weak.lock(); f && f->IsLoaded()) f->Unload();
    }));
  event->accept();
}

}  // namespace lumora::qt
