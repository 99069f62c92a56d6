#include "qt/form_widget.hpp"

#include "forms/form_file.hpp"

namespace lumora::qt {

FormWidget::FormWidget(QWidget* parent) : FormView(parent) {
  KeepTabInside(true);
}

bool FormWidget::LoadForm(const QString& path) {
  std::shared_ptr<Form> form;
  try {
    form = LoadFormFile(path.toStdString(), FreshFormName("FormWidget"));
  } catch (const FormFileError& error) {
    m_Error = QString::fromStdString(error.what());
    return false;
  }
  m_FormPath = path;
  SetForm(std::move(form), false);
  return true;
}

void FormWidget::setFormPath(const QString& path) {
  LoadForm(path);
}

}  // namespace lumora::qt
