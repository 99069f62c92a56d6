#include "platform/thread_state.hpp"

#include <vector>

#include "platform/errors.hpp"
#include "platform/form/form.hpp"
#include "platform/message_queue.hpp"
#include "platform/persistent_image.hpp"
#include "platform/picture/picture.hpp"
#include "platform/raster.hpp"
#include "platform/services.hpp"

namespace lumora {

namespace {

std::vector<ThreadStateReset>& Resets() {
  static std::vector<ThreadStateReset> resets;
  return resets;
}

}  // namespace

bool RegisterThreadStateReset(ThreadStateReset reset) {
  Resets().push_back(reset);
  return true;
}

void ResetThreadState() {
  for (const auto& form : Forms()) form->Unload();
  ClearMessages();
  SetMessagePump(nullptr);
  SetLauncher(nullptr);
  Screen().MousePointer(0);
  SetPersistentImageLimit(int64_t{1} << 28);
  SetPersistentTileBudget(kPersistentTileBudget);
  SetDecodeBudget(DecodeBudget{});
  SetCursorPos(0, 0);
  for (const ThreadStateReset reset : Resets()) reset();
  Err().Clear();
}

}  // namespace lumora
