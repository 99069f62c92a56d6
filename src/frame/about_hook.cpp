#include "frame/about_hook.hpp"

#include <utility>

namespace lumora {

namespace {

thread_local AboutBoxHook g_AboutBoxHook;

}  // namespace

AboutBoxHook SetAboutBoxHook(AboutBoxHook hook) {
  AboutBoxHook previous = std::move(g_AboutBoxHook);
  g_AboutBoxHook = std::move(hook);
  return previous;
}

void ShowAboutBox() {
  // A copy, so a hook that replaces itself while it runs stays alive.
  if (const AboutBoxHook hook = g_AboutBoxHook) hook();
}

}  // namespace lumora
