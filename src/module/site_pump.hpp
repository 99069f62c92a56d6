// The thread's messages, pumped for a host that calls in from a loop of its
// own: what is pending is dispatched within a time budget, and a handler that
// keeps yielding (a held button, a held arrow key) is suspended at a yield
// once the budget is spent and goes on at the next pump. Handlers run on a
// stack of their own so that the host's call can return while one waits.
#pragma once

#include <chrono>

namespace lumora {

// Dispatches pending and scheduled messages, resuming a suspended handler
// first, until none is left or the budget is spent. True when everything is
// done; false while a handler is suspended or messages remain.
bool PumpFor(std::chrono::milliseconds budget);

}  // namespace lumora
