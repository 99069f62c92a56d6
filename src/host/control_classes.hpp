// The control classes a script or a form file can place, by class name: the
// library's controls and the runtime's ordinary ones.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/controls/control.hpp"

namespace lumora::host {

// A new, unplaced control of the class (names compared without regard to
// case), or null for a class the host does not know.
ControlPtr CreateControl(std::string_view className);

// The class names CreateControl knows, for messages.
std::vector<std::string> ControlClassNames();
std::string ControlClassList();

}  // namespace lumora::host
