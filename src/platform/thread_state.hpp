// Thread-wide state with one owner. Each module that keeps state for the
// thread registers how to bring it back to what a fresh thread has, and
// ResetThreadState runs them all: between tests, or in a host that reuses a
// thread for another document.
#pragma once

namespace lumora {

using ThreadStateReset = void (*)();

// Registers a module's reset (at static initialisation; answers true so that
// it can initialise a namespace-scope constant). Resets run in the order
// registered, after the runtime's own.
bool RegisterThreadStateReset(ThreadStateReset reset);

// The runtime's state as a fresh thread has it: no forms, no messages, no
// pump or launcher, the default pointer, image limit and decode budget, the
// pointer at (0, 0), no pending error; then every registered module's.
void ResetThreadState();

}  // namespace lumora
