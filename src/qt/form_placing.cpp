#include "qt/form_placing.hpp"

#include <vector>

#include "platform/errors.hpp"
#include "platform/form/form.hpp"

namespace lumora::qt {

namespace {

void PlaceOne(Form& form, const PlacedControl& c, Control& container) {
  Control* holder = c.container.empty() ? &container : form.Find(c.container);
  if (!holder) Fail(kErrInvalidCall, "no container \"" + c.container + "\" placed before it");
  PlaceControl(form, c, holder);
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
                          "\"): " + WithNumber(failure));
    }
  }
}

}  // namespace lumora::qt
