#include "module/module_classes.hpp"

#include <vector>

#include "piczoom/zel_pic_zoom.hpp"
#include "scrollcontainer/zel_scroll_container.hpp"

namespace lumora {

namespace {

template <class T>
ModuleClass Entry(std::string_view name) {
  const ClassInfo* info = TypeLibrary().FindClass(name);
  return {info, std::string(TypeLibrary().name) + "." + std::string(name),
          [] { return std::make_shared<T>(); }};
}

}  // namespace

std::span<const ModuleClass> ModuleClasses() {
  static const std::vector<ModuleClass> classes = {
      Entry<ZelPicZoom>("ZelPicZoom"),
      Entry<ZelScrollContainer>("ZelScrollContainer"),
  };
  return classes;
}

const ModuleClass* FindModuleClass(const Guid& clsid) {
  for (const ModuleClass& c : ModuleClasses())
    if (c.info->guid == clsid) return &c;
  return nullptr;
}

}  // namespace lumora
