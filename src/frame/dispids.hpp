// DISPIDs of the events the controls raise, as their event interfaces publish
// them, so that control code raises `PicZoomEvent::MouseMove` rather than 8.
#pragma once

#include <cstdint>

namespace lumora {

namespace PicZoomEvent {
enum : int32_t {
  ButtonClick = 1,
  Click = 2,
  DblClick = 3,
  KeyDown = 4,
  KeyPress = 5,
  KeyUp = 6,
  MouseDown = 7,
  MouseMove = 8,
  MouseUp = 9,
  PictureScrolled = 10,
  PictureSizeChanged = 11,
};
}  // namespace PicZoomEvent

namespace ScrollContainerEvent {
enum : int32_t {
  Click = 1,
  DblClick = 2,
  MouseDown = 3,
  MouseMove = 4,
  MouseUp = 5,
};
}  // namespace ScrollContainerEvent

}  // namespace lumora
