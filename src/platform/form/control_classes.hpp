// The control classes a form can place by name (form files, scripts): the
// built-in ones, plus whatever the module registers (ZelPicZoom ...). The
// registry belongs to the thread.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls/control.hpp"

namespace lumora {

using ControlFactory = std::function<ControlPtr()>;

// Registers (or replaces) a class under its name, compared without case.
void RegisterControlClass(std::string className, ControlFactory factory);
bool IsControlClass(std::string_view className);
// A new control of that class; an unknown class fails with error 5.
ControlPtr CreateControl(std::string_view className);
// Every registered class name, built-in ones first.
std::vector<std::string> ControlClassNames();

}  // namespace lumora
