// Which function draws a control: a table keyed by the control's dynamic type.
// A type without an entry of its own is drawn by the entry of its nearest
// registered base class, so a user control subclass draws as a UserControl
// (its constituents and contained controls are drawn as children).
#pragma once

#include <typeindex>

#include "platform/render/canvas.hpp"

namespace lumora {

class Control;

// Draws one control. The canvas's origin is the control's outer top-left
// pixel and its clip is the part of the control its containers leave visible.
// Children are not the painter's business: the form renderer draws them.
using ControlPainter = void (*)(Canvas& canvas, const Control& control);
// A test on a control: whether it is of the registered type (or derives from
// it); whether its painter covers every pixel of its rectangle right now.
using ControlMatcher = bool (*)(const Control& control);

// Registers (or replaces) the painter of a class on this thread. Lookups try
// the exact dynamic type first, then the registered classes from the most
// recently registered to the first, then the built-in classes from the most
// derived to Control itself. `opaque` (may be null: never) lets the renderer
// skip what such a control hides.
void RegisterPainter(std::type_index type, ControlMatcher matches, ControlPainter painter,
                     ControlMatcher opaque = nullptr);

// The painter for a control (never null: Control's own draws nothing).
ControlPainter PainterFor(const Control& control);
// Whether the control's painter covers its whole rectangle with opaque pixels.
bool PaintsOpaquely(const Control& control);

}  // namespace lumora
