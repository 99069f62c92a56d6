// The pointer a widget shows: the runtime's pointer shapes as Qt's cursors,
// and custom pointers (MouseIcon pictures) as pixmap cursors with the hot
// spot in the middle.
#pragma once

#include <QCursor>

#include "platform/services.hpp"

namespace lumora::qt {

// The Qt shape closest to a runtime pointer shape (0..15; others the arrow).
Qt::CursorShape CursorShapeFor(int16_t pointer);
// The cursor for what the runtime asks to show; a custom pointer without a
// picture shows the arrow.
QCursor CursorFor(const ShownPointer& pointer);

}  // namespace lumora::qt
