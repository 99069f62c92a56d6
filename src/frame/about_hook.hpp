// How the controls show the About box: the About box module installs the
// function that shows it, and AboutBox on either control runs it. Until one is
// installed, AboutBox does nothing. One hook per thread, like the box itself.
#pragma once

#include <functional>

namespace lumora {

using AboutBoxHook = std::function<void()>;

// Installs the thread's hook (empty: none) and returns the previous one.
AboutBoxHook SetAboutBoxHook(AboutBoxHook hook);
// Runs the thread's hook, if one is installed.
void ShowAboutBox();

}  // namespace lumora
