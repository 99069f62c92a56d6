#include "host/control_classes.hpp"

#include <memory>

#include "piczoom/zel_pic_zoom.hpp"
#include "platform/controls/check_box.hpp"
#include "platform/controls/command_button.hpp"
#include "platform/controls/image.hpp"
#include "platform/controls/label.hpp"
#include "platform/controls/menu.hpp"
#include "platform/controls/picture_box.hpp"
#include "platform/controls/scroll_bar.hpp"
#include "platform/controls/text_box.hpp"

namespace lumora::host {

namespace {

struct ControlClass {
  std::string_view name;
  ControlPtr (*make)();
};

template <class T>
ControlPtr Make() {
  return std::make_shared<T>();
}

constexpr ControlClass kClasses[] = {
    {"ZelPicZoom", Make<ZelPicZoom>}, {"CommandButton", Make<CommandButton>},
    {"Label", Make<Label>},           {"TextBox", Make<TextBox>},
    {"CheckBox", Make<CheckBox>},     {"PictureBox", Make<PictureBox>},
    {"Image", Make<ImageControl>},    {"HScrollBar", Make<HScrollBar>},
    {"VScrollBar", Make<VScrollBar>}, {"Menu", Make<Menu>},
};

}  // namespace

ControlPtr CreateControl(std::string_view className) {
  for (const ControlClass& c : kClasses)
    if (SameName(c.name, className)) return c.make();
  return nullptr;
}

std::vector<std::string> ControlClassNames() {
  std::vector<std::string> names;
  for (const ControlClass& c : kClasses) names.emplace_back(c.name);
  return names;
}

std::string ControlClassList() {
  std::string list;
  for (const std::string& name : ControlClassNames()) list += (list.empty() ? "" : ", ") + name;
  return list;
}

}  // namespace lumora::host
