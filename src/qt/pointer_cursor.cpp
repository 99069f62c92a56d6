#include "qt/pointer_cursor.hpp"

#include <QPixmap>

#include "platform/controls/control.hpp"
#include "platform/picture/picture.hpp"
#include "qt/pictures.hpp"

namespace lumora::qt {

namespace {

struct ShapePair {
  int16_t pointer;
  Qt::CursorShape shape;
};

constexpr ShapePair kShapes[] = {
    {kPointerArrow, Qt::ArrowCursor},
    {kPointerCross, Qt::CrossCursor},
    {kPointerIBeam, Qt::IBeamCursor},
    {kPointerSize, Qt::SizeAllCursor},
    {kPointerSizeNESW, Qt::SizeBDiagCursor},
    {kPointerSizeNS, Qt::SizeVerCursor},
    {kPointerSizeNWSE, Qt::SizeFDiagCursor},
    {kPointerSizeWE, Qt::SizeHorCursor},
    {kPointerUpArrow, Qt::UpArrowCursor},
    {kPointerHourglass, Qt::WaitCursor},
    {kPointerNoDrop, Qt::ForbiddenCursor},
    {kPointerArrowHourglass, Qt::BusyCursor},
    {kPointerArrowQuestion, Qt::WhatsThisCursor},
    {kPointerSizeAll, Qt::SizeAllCursor},
};

}  // namespace

Qt::CursorShape CursorShapeFor(int16_t pointer) {
  for (const ShapePair& s : kShapes)
    if (s.pointer == pointer) return s.shape;
  return Qt::ArrowCursor;  // default, icon
}

QCursor CursorFor(const ShownPointer& pointer) {
  if (pointer.pointer == kPointerCustom && pointer.icon && pointer.icon->Handle() != 0) {
    const QPixmap pixmap = QPixmap::fromImage(ToImage(pointer.icon));
    return QCursor(pixmap, pixmap.width() / 2, pixmap.height() / 2);
  }
  return QCursor(CursorShapeFor(pointer.pointer));
}

}  // namespace lumora::qt
