// FormWidget: a whole form file shown in a QWidget: every control on it
// drawn and driven by the runtime, the form's client area following the
// widget's size, Tab moving the focus among the form's controls.
#pragma once

#include <QString>

#include "qt/form_view.hpp"

namespace lumora::qt {

class FormWidget : public FormView {
  Q_OBJECT
  Q_PROPERTY(QString FormPath READ FormPath WRITE setFormPath)

 public:
  explicit FormWidget(QWidget* parent = nullptr);

  // Shows the form a file holds, the widget taking the form's size; false,
  // with the reason in ErrorString(), for a bad file (the form shown before
  // stays).
  bool LoadForm(const QString& path);
  QString FormPath() const { return m_FormPath; }
  void setFormPath(const QString& path);
  QString ErrorString() const { return m_Error; }

 private:
  QString m_FormPath;
  QString m_Error;
};

}  // namespace lumora::qt
