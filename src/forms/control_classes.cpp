#include "forms/control_classes.hpp"

#include <memory>

#include "piczoom/zel_pic_zoom.hpp"
#include "platform/form/control_classes.hpp"
#include "scrollcontainer/zel_scroll_container.hpp"

namespace lumora {

void RegisterLibraryControls() {
  thread_local bool registered = false;
  if (registered) return;
  RegisterControlClass("ZelPicZoom", [] { return std::make_shared<ZelPicZoom>(); });
  RegisterControlClass("ZelScrollContainer", [] { return std::make_shared<ZelScrollContainer>(); });
  registered = true;
}

ControlPtr NewControl(std::string_view className) {
  RegisterLibraryControls();
  if (!IsControlClass(className)) return nullptr;
  return CreateControl(className);
}

std::string ControlClassList() {
  RegisterLibraryControls();
  std::string library;
  std::string others;
  for (const std::string& name : ControlClassNames()) {
    std::string& list = name.starts_with("Zel") ? library : others;
    list += (list.empty() ? "" : ", ") + name;
  }
  return library + (library.empty() || others.empty() ? "" : ", ") + others;
}

}  // namespace lumora
