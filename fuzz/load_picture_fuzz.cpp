// Feeds arbitrary bytes to LoadPicture: it must give a picture with pixels or
// fail with error 481 (or 7 when memory runs out), and never crash.
#include <cstdint>
#include <cstdlib>

#include "platform/errors.hpp"
#include "platform/picture/picture.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace lumora;
  try {
    const PicturePtr picture = LoadPicture({data, size});
    if (picture->PixelWidth() <= 0 || picture->PixelHeight() <= 0 || picture->Handle() == 0) {
      std::abort();
    }
  } catch (const Failure& failure) {
    if (failure.Number() != kErrInvalidPicture && failure.Number() != kErrOutOfMemory) std::abort();
  }
  return 0;
}
