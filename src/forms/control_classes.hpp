// The control classes a script or a form file can place, by class name: the
// runtime's class registry (its ordinary controls), with the library's
// controls registered into it on first use on each thread.
#pragma once

#include <string>
#include <string_view>

#include "platform/controls/control.hpp"

namespace lumora {

// Registers ZelPicZoom and ZelScrollContainer on this thread (once).
void RegisterLibraryControls();

// A new, unplaced control of the class (names compared without regard to
// case), or null for a class the registry does not know.
ControlPtr NewControl(std::string_view className);

// The known class names, library ones first, for messages.
std::string ControlClassList();

}  // namespace lumora
