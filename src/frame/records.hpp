// The public enumerations and records of the type library as the controls use
// them in C++. Their layout is part of the published interface: values are
// 32-bit, records have natural alignment and fixed byte offsets.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/controls/input_codes.hpp"

namespace lumora {

// Where ZelPicZoom.Go jumps to.
enum GoDirection : int32_t {
  gdTop = 0,
  gdBottom = 1,
  gdLeft = 2,
  gdRight = 3,
  gdCenter = 4,
  gdTopLeft = 5,
  gdTopRight = 6,
  gdBottomLeft = 7,
  gdBottomRight = 8,
};

// ZelPicZoom's scroll-bar mode.
enum ScrollBars : int32_t {
  sbAutomatic = 0,
  sbNone = 1,
};

// Direction of ZelPicZoom.Scroll and ScrollLoop. The first value is spelled
// sdcUp in the published interface, unlike its siblings.
enum ScrollDirection : int32_t {
  sdcUp = 0,
  sdDown = 1,
  sdLeft = 2,
  sdRight = 3,
};

// The type of the MousePointer properties: the runtime's pointer shapes
// (MousePointerShape) at the interface's 32 bits. Any 32-bit value may be
// stored; these are the ones the controls name, with the runtime's values.
enum PointerShape : int32_t {
  mpDefault = kPointerDefault,
  mpHourglass = kPointerHourglass,
  mpCustom = kPointerCustom,
};

// Which edges of the picture the viewport touches; each field is a 16-bit
// boolean (0 false, -1 true).
struct PicturePositions {
  int16_t ppTop = 0;
  int16_t ppBottom = 0;
  int16_t ppLeft = 0;
  int16_t ppRight = 0;
};

// The size of the picture as shown, in pixels.
struct PictureSizes {
  float psWidth = 0;
  float psHeight = 0;
};

static_assert(sizeof(GoDirection) == 4 && sizeof(ScrollBars) == 4 && sizeof(ScrollDirection) == 4);
static_assert(offsetof(PicturePositions, ppTop) == 0 && offsetof(PicturePositions, ppBottom) == 2 &&
              offsetof(PicturePositions, ppLeft) == 4 && offsetof(PicturePositions, ppRight) == 6);
static_assert(sizeof(PicturePositions) == 8 && alignof(PicturePositions) == 2);
static_assert(offsetof(PictureSizes, psWidth) == 0 && offsetof(PictureSizes, psHeight) == 4);
static_assert(sizeof(PictureSizes) == 8 && alignof(PictureSizes) == 4);

}  // namespace lumora
