#include "qt/form_placing.hpp"

#include <vector>

#include "forms/control_classes.hpp"
#include "forms/form_properties.hpp"
#include "platform/controls/user_control.hpp"
#include "platform/errors.hpp"
#include "platform/form/form.hpp"

namespace lumora::qt {

namespace {

void PlaceOne(Form& form, const PlacedControl& c, Control& container) {
  const ControlPtr control = NewControl(c.className);
  if (!control) Fail(kErrInvalidCall, "unknown class \"" + c.className + "\"");
  Control* holder = c.container.empty() ? &container : form.Find(c.container);
  if (!holder) Fail(kErrInvalidCall, "no container \"" + c.container + "\" placed before it");
  const bool user = dynamic_cast<UserControl*>(control.get()) != nullptr;
  PropertyBag bag = c.properties;
  form.Place(control, c.name, static_cast<float>(c.left), static_cast<float>(c.top),
             static_cast<float>(c.width), static_cast<float>(c.height), holder,
             user ? &bag : nullptr);
  if (!user) ReadOrdinaryProperties(*control, c.properties);
  if (c.hasExtent) {
    control->Visible(c.visible);
    if (c.tabIndex >= 0) control->TabIndex(c.tabIndex);
  }
}

}  // namespace

void PlaceDescribed(Form& form, const FormDescription& description, Control& container,
                    const std::string& file) {
  std::vector<std::string> placed;
  for (size_t i = 0; i < description.controls.size(); ++i) {
    const PlacedControl& c = description.controls[i];
    try {
      PlaceOne(form, c, container);
      placed.push_back(c.name);
    } catch (const Failure& failure) {
      // Contained controls go with their container, so the last first.
      for (auto name = placed.rbegin(); name != placed.rend(); ++name)
        if (Control* control = form.Find(*name)) Step([&] { form.Remove(*control); });
      throw FormFileError(file + ": controls[" + std::to_string(i) + "] (\"" + c.name +
                          "\"): " + failure.Description() + " (error " +
                          std::to_string(failure.Number()) + ")");
    }
  }
}

}  // namespace lumora::qt
