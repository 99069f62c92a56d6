// The classes the library's factory creates, each with its type-library entry,
// its programmatic name and the way to make an instance. This is the one place
// that names both controls; everything below it knows them only as data.
#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>

#include "frame/guid.hpp"
#include "frame/type_library.hpp"

namespace lumora {

class UserControl;

struct ModuleClass {
  const ClassInfo* info = nullptr;
  std::string progId;  // "OrvaneLumora.ZelPicZoom"
  std::function<std::shared_ptr<UserControl>()> create;
};

std::span<const ModuleClass> ModuleClasses();
// The class of that GUID, or null.
const ModuleClass* FindModuleClass(const Guid& clsid);

}  // namespace lumora
