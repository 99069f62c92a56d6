// The sites' C interface: numbered sites of the calling thread, arguments
// checked before anything is touched, and no exception across the boundary.
#include <atomic>
#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "module/com_support.hpp"
#include "module/lumora_site.h"
#include "module/module_classes.hpp"
#include "module/site.hpp"
#include "module/site_pump.hpp"
#include "platform/form/form.hpp"
#include "platform/message_queue.hpp"

namespace lumora {

namespace {

constexpr int32_t kLargestSide = 32767;

// Numbers are never reused, so a released site's number stays dead.
std::atomic<LumoraSite> g_NextSite{1};

std::map<LumoraSite, std::shared_ptr<Site>>& MakeSites() {
  // The thread's forms first: thread-wide data goes in reverse order, so the
  // sites unload their forms while the thread's list of forms still exists.
  Forms();
  thread_local std::map<LumoraSite, std::shared_ptr<Site>> sites;
  return sites;
}

std::map<LumoraSite, std::shared_ptr<Site>>& Sites() {
  thread_local std::map<LumoraSite, std::shared_ptr<Site>>& sites = MakeSites();
  return sites;
}

std::shared_ptr<Site> Find(LumoraSite id) {
  const auto it = Sites().find(id);
  return it == Sites().end() ? nullptr : it->second;
}

bool GoodSize(int32_t width, int32_t height) {
  return width >= 0 && height >= 0 && width <= kLargestSide && height <= kLargestSide;
}

const ModuleClass* ClassNamed(std::string_view name) {
  for (const ModuleClass& c : ModuleClasses())
    if (SameName(c.info->name, name) || SameName(c.progId, name)) return &c;
  return nullptr;
}

// The result of a call at the boundary: a runtime failure becomes its code.
template <class Call>
LumoraResult Boundary(Call&& call) noexcept {
  try {
    return call();
  } catch (const Failure& failure) {
    return LUMORA_RUNTIME_ERROR(failure.Number());
  } catch (const std::bad_alloc&) {
    return LUMORA_E_OUTOFMEMORY;
  } catch (...) {
    return LUMORA_E_UNEXPECTED;
  }
}

// Makes a site and numbers it.
template <class Making>
LumoraResult Make(LumoraSite* site, Making&& making) noexcept {
  return Boundary([&] {
    std::shared_ptr<Site> made = making();
    const LumoraSite id = g_NextSite++;
    Sites().emplace(id, std::move(made));
    *site = id;
    return LUMORA_S_OK;
  });
}

// Runs a call on a live site: a runtime failure becomes its error code.
template <class Call>
LumoraResult OnSite(LumoraSite id, Call&& call) noexcept {
  return Boundary([&] {
    const std::shared_ptr<Site> site = Find(id);
    return site ? call(*site) : LUMORA_E_HANDLE;
  });
}

// Tells the hosts that asked for it which sites now show something new.
// A callback may release sites, its own or others.
void NotifySites() {
  std::vector<std::pair<LumoraSite, std::shared_ptr<Site>>> waiting;
  for (const auto& [id, site] : Sites())
    if (site->HasRedrawCallback()) waiting.emplace_back(id, site);
  for (const auto& [id, site] : waiting)
    if (Find(id) == site) site->Notify();
}

// Queues one input message for the site's form and handles it at once.
LumoraResult Feed(LumoraSite id, Message message) {
  return OnSite(id, [&](Site& site) {
    message.form = site.GetForm();
    Post(std::move(message));
    PumpFor(std::chrono::milliseconds(0));
    NotifySites();
    return LUMORA_S_OK;
  });
}

bool OneButton(int32_t button) {
  return button == kLeftButton || button == kRightButton || button == kMiddleButton;
}

bool GoodShift(int32_t shift) {
  return shift >= 0 && shift <= 7;
}

}  // namespace

}  // namespace lumora

using namespace lumora;

extern "C" {

LUMORA_EXPORT LumoraResult LumoraSiteCreate(const char* className, int32_t width, int32_t height,
                                            const char* properties, LumoraSite* site) {
  if (!site) return LUMORA_E_POINTER;
  *site = 0;
  if (!className) return LUMORA_E_POINTER;
  if (!GoodSize(width, height)) return LUMORA_E_INVALIDARG;
  const ModuleClass* cls = ClassNamed(className);
  if (!cls) return LUMORA_CLASS_E_CLASSNOTAVAILABLE;
  return Make(site, [&] {
    const std::string document = properties ? properties : "";
    return Site::ForClass(*cls, width, height, properties ? &document : nullptr);
  });
}

LUMORA_EXPORT LumoraResult LumoraSiteOpenForm(const char* path, int32_t width, int32_t height,
                                              LumoraSite* site) {
  if (!site) return LUMORA_E_POINTER;
  *site = 0;
  if (!path) return LUMORA_E_POINTER;
  if (!GoodSize(width, height)) return LUMORA_E_INVALIDARG;
  return Make(site, [&] { return Site::ForFormFile(path, width, height); });
}

LUMORA_EXPORT LumoraResult LumoraSiteRelease(LumoraSite site) {
  return OnSite(site, [&](Site&) {
    Sites().erase(site);
    return LUMORA_S_OK;
  });
}

LUMORA_EXPORT LumoraResult LumoraSiteGetControl(LumoraSite site, const char* name,
                                                const LumoraGuid* iid, void** object) {
  if (!object) return LUMORA_E_POINTER;
  *object = nullptr;
  if (!iid) return LUMORA_E_POINTER;
  return OnSite(site, [&](Site& s) {
    if (name && !*name) return LUMORA_E_INVALIDARG;
    LumoraDispatch* control = s.Control(name ? name : "");
    if (!control) return LUMORA_E_INVALIDARG;
    return control->vtbl->QueryInterface(control, iid, object);
  });
}

LUMORA_EXPORT LumoraResult LumoraSiteResize(LumoraSite site, int32_t width, int32_t height) {
  if (!GoodSize(width, height)) return LUMORA_E_INVALIDARG;
  return OnSite(site, [&](Site& s) {
    s.Resize(width, height);
    NotifySites();
    return LUMORA_S_OK;
  });
}

LUMORA_EXPORT LumoraResult LumoraSiteGetSize(LumoraSite site, int32_t* width, int32_t* height) {
  if (!width || !height) return LUMORA_E_POINTER;
  return OnSite(site, [&](Site& s) {
    *width = s.Width();
    *height = s.Height();
    return LUMORA_S_OK;
  });
}

LUMORA_EXPORT LumoraResult LumoraSiteDraw(LumoraSite site, void* pixels, int32_t width,
                                          int32_t height, int32_t stride, uint64_t* generation) {
  return OnSite(site, [&](Site& s) {
    if (width != s.Width() || height != s.Height() || stride / 4 < width)
      return LUMORA_E_INVALIDARG;
    if (!pixels && width > 0 && height > 0) return LUMORA_E_POINTER;
    const uint64_t drawn = s.Draw(pixels, stride);
    if (generation) *generation = drawn;
    return LUMORA_S_OK;
  });
}

LUMORA_EXPORT LumoraResult LumoraSiteGetGeneration(LumoraSite site, uint64_t* generation) {
  if (!generation) return LUMORA_E_POINTER;
  return OnSite(site, [&](Site& s) {
    *generation = s.Generation();
    return LUMORA_S_OK;
  });
}

LUMORA_EXPORT LumoraResult LumoraSiteSetRedrawCallback(LumoraSite site,
                                                       LumoraSiteRedrawCallback callback,
                                                       void* context) {
  return OnSite(site, [&](Site& s) {
    s.OnRedraw(callback, context, site);
    return LUMORA_S_OK;
  });
}

LUMORA_EXPORT LumoraResult LumoraSiteMouse(LumoraSite site, int32_t action, int32_t x, int32_t y,
                                           int32_t buttons, int32_t shift) {
  static constexpr MessageKind kinds[] = {MessageKind::MouseMove, MessageKind::MouseDown,
                                          MessageKind::MouseUp, MessageKind::DblClick};
  if (action < LUMORA_MOUSE_MOVE || action > LUMORA_MOUSE_DBLCLICK || !GoodShift(shift))
    return LUMORA_E_INVALIDARG;
  const bool press = action != LUMORA_MOUSE_MOVE;
  if (press ? !OneButton(buttons) : (buttons < 0 || buttons > 7)) return LUMORA_E_INVALIDARG;
  return Feed(site, Message::Mouse(kinds[action], nullptr, x, y, static_cast<int16_t>(buttons),
                                   static_cast<int16_t>(shift)));
}

LUMORA_EXPORT LumoraResult LumoraSiteWheel(LumoraSite site, int32_t x, int32_t y, int32_t delta,
                                           int32_t shift) {
  if (!GoodShift(shift)) return LUMORA_E_INVALIDARG;
  return Feed(site, Message::Wheel(nullptr, x, y, delta, static_cast<int16_t>(shift)));
}

LUMORA_EXPORT LumoraResult LumoraSiteKey(LumoraSite site, int32_t action, int32_t key,
                                         int32_t shift) {
  static constexpr MessageKind kinds[] = {MessageKind::KeyDown, MessageKind::KeyUp,
                                          MessageKind::KeyPress};
  if (action < LUMORA_KEY_DOWN || action > LUMORA_KEY_PRESS || !GoodShift(shift) || key < 0 ||
      key > INT16_MAX)
    return LUMORA_E_INVALIDARG;
  return Feed(site, Message::Key(kinds[action], nullptr, static_cast<int16_t>(key),
                                 static_cast<int16_t>(shift)));
}

LUMORA_EXPORT LumoraResult LumoraSiteFocus(LumoraSite site, int32_t focused) {
  return Feed(site, Message::Focus(focused != 0, nullptr));
}

LUMORA_EXPORT LumoraResult LumoraPumpMessages(uint32_t budgetMs) {
  return Guarded(LUMORA_E_FAIL, [&] {
    const bool done = PumpFor(std::chrono::milliseconds(budgetMs));
    NotifySites();
    return done ? LUMORA_S_OK : LUMORA_S_FALSE;
  });
}

LUMORA_EXPORT LumoraResult LumoraSiteSaveProperties(LumoraSite site, char** document) {
  if (!document) return LUMORA_E_POINTER;
  *document = nullptr;
  return OnSite(site, [&](Site& s) {
    *document = LumoraStringAlloc(s.SaveProperties().c_str());
    return *document ? LUMORA_S_OK : LUMORA_E_OUTOFMEMORY;
  });
}

LUMORA_EXPORT LumoraResult LumoraSiteLoadProperties(LumoraSite site, const char* document) {
  if (!document) return LUMORA_E_POINTER;
  return OnSite(site, [&](Site& s) {
    s.LoadProperties(document);
    NotifySites();
    return LUMORA_S_OK;
  });
}

LUMORA_EXPORT LumoraResult LumoraSiteSetBackColor(LumoraSite site, uint32_t color) {
  return OnSite(site, [&](Site& s) {
    s.BackColor(color);
    NotifySites();
    return LUMORA_S_OK;
  });
}

LUMORA_EXPORT LumoraResult LumoraSiteSetDesignMode(LumoraSite site, int32_t design) {
  return OnSite(site, [&](Site& s) {
    s.DesignMode(design != 0);
    return LUMORA_S_OK;
  });
}

}  // extern "C"
