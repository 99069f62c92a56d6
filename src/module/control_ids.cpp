// The IDs lumora_controls.h declares, taken from the type library.
#include "frame/type_library.hpp"
#include "module/com_support.hpp"
#include "module/lumora_controls.h"

namespace lumora {

namespace {

const ClassInfo& ClassNamed(std::string_view name) {
  return *TypeLibrary().FindClass(name);
}

}  // namespace

}  // namespace lumora

using lumora::ClassNamed;
using lumora::ToLumoraGuid;

extern "C" {
const LumoraGuid LumoraCLSID_ZelPicZoom = ToLumoraGuid(ClassNamed("ZelPicZoom").guid);
const LumoraGuid LumoraIID_ZelPicZoom =
    ToLumoraGuid(ClassNamed("ZelPicZoom").defaultInterface->guid);
const LumoraGuid LumoraDIID_ZelPicZoomEvents =
    ToLumoraGuid(ClassNamed("ZelPicZoom").defaultSource->guid);
const LumoraGuid LumoraCLSID_ZelScrollContainer =
    ToLumoraGuid(ClassNamed("ZelScrollContainer").guid);
const LumoraGuid LumoraIID_ZelScrollContainer =
    ToLumoraGuid(ClassNamed("ZelScrollContainer").defaultInterface->guid);
const LumoraGuid LumoraDIID_ZelScrollContainerEvents =
    ToLumoraGuid(ClassNamed("ZelScrollContainer").defaultSource->guid);
}
