#include "platform/form/control_classes.hpp"

#include <algorithm>
#include <utility>

#include "platform/controls/check_box.hpp"
#include "platform/controls/command_button.hpp"
#include "platform/controls/image.hpp"
#include "platform/controls/label.hpp"
#include "platform/controls/menu.hpp"
#include "platform/controls/picture_box.hpp"
#include "platform/controls/scroll_bar.hpp"
#include "platform/controls/text_box.hpp"
#include "platform/errors.hpp"

namespace lumora {

namespace {

using Registry = std::vector<std::pair<std::string, ControlFactory>>;

template <class T>
std::pair<std::string, ControlFactory> Builtin(std::string name) {
  return {std::move(name), [] { return std::make_shared<T>(); }};
}

Registry& Classes() {
  thread_local Registry registry{
      Builtin<PictureBox>("PictureBox"),
      Builtin<HScrollBar>("HScrollBar"),
      Builtin<VScrollBar>("VScrollBar"),
      Builtin<CommandButton>("CommandButton"),
      Builtin<ImageControl>("Image"),
      Builtin<Label>("Label"),
      Builtin<TextBox>("TextBox"),
      Builtin<CheckBox>("CheckBox"),
      Builtin<Menu>("Menu"),
  };
  return registry;
}

Registry::iterator FindClass(std::string_view className) {
  return std::ranges::find_if(Classes(),
                              [&](const auto& entry) { return SameName(entry.first, className); });
}

}  // namespace

void RegisterControlClass(std::string className, ControlFactory factory) {
  if (className.empty() || !factory) Fail(kErrInvalidCall);
  if (auto it = FindClass(className); it != Classes().end()) {
    it->second = std::move(factory);
    return;
  }
  Classes().emplace_back(std::move(className), std::move(factory));
}

bool IsControlClass(std::string_view className) {
  return FindClass(className) != Classes().end();
}

ControlPtr CreateControl(std::string_view className) {
  auto it = FindClass(className);
  if (it == Classes().end())
    Fail(kErrInvalidCall, "Unknown control class \"" + std::string(className) + "\"");
  ControlPtr control = it->second();
  if (!control)
    Fail(kErrInvalidCall, "The class \"" + std::string(className) + "\" made no control");
  return control;
}

std::vector<std::string> ControlClassNames() {
  std::vector<std::string> names;
  for (const auto& entry : Classes()) names.push_back(entry.first);
  return names;
}

}  // namespace lumora
