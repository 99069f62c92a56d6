// The container's layout: the up button pinned to the top right corner, the
// down button to the bottom right corner, then the scroll bar's refresh steps
// as the layout runs them, then one yield to the host.
#include "platform/errors.hpp"
#include "platform/message_queue.hpp"
#include "scrollcontainer/zel_scroll_container.hpp"

namespace lumora {

void ZelScrollContainer::UserControl_Resize() {
  // Step 1: place the buttons, every time, without comparing first.
  Step([&] { sU->Left(ScaleWidth() - sU->Width()); });
  Step([&] { sU->Top(0); });
  Step([&] { sD->Left(ScaleWidth() - sD->Width()); });
  Step([&] { sD->Top(ScaleHeight() - sD->Height()); });
  // Step 2: the refresh steps, with the layout's two differences.
  RunScrollBarSteps(true);
  // Step 3: yield to the host.
  Step([] { DoEvents(); });
}

}  // namespace lumora
