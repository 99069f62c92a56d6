#include "module/registry.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string_view>

#include "frame/toolbox_bitmaps.hpp"
#include "frame/type_library.hpp"
#include "module/module_classes.hpp"
#include "platform/base64.hpp"
#include "platform/errors.hpp"
#include "platform/file_io.hpp"
#include "platform/picture/picture.hpp"

namespace lumora {

namespace {

using Json = nlohmann::ordered_json;
namespace fs = std::filesystem;

constexpr const char* kSections[] = {"classes", "progIds", "typeLibraries", "interfaces"};
// Far deeper than any registry; deeper documents are refused before any
// recursive walk over them could exhaust the stack.
constexpr int kMaxDepth = 64;

std::string Braced(const Guid& guid) {
  return "{" + guid.ToString() + "}";
}

std::string Version(uint16_t major, uint16_t minor) {
  return std::to_string(major) + "." + std::to_string(minor);
}

// Holds the registry's lock file, beside it, from construction to destruction.
class RegistryLock {
 public:
  explicit RegistryLock(const std::string& registryPath) {
    const std::string path = registryPath + ".lock";
    // Never through a symbolic link: that would create or lock a file elsewhere.
    m_Fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (m_Fd < 0)
      Fail(errno == ENOENT ? kErrPathNotFound : kErrPathFileAccess,
           "Cannot open " + path + ": " +
               (errno == ELOOP ? "a symbolic link is refused" : std::strerror(errno)));
    while (::flock(m_Fd, LOCK_EX) != 0) {
      if (errno != EINTR) {
        ::close(m_Fd);
        Fail(kErrPathFileAccess, "Cannot lock " + path);
      }
    }
  }
  ~RegistryLock() { ::close(m_Fd); }  // closing releases the lock
  RegistryLock(const RegistryLock&) = delete;
  RegistryLock& operator=(const RegistryLock&) = delete;

 private:
  int m_Fd = -1;
};

// The registry is read and replaced only as a file of its own: a symbolic link
// there is refused, so that a save never exposes a linked file's contents
// under other permissions.
Json ReadRegistry(const std::string& path) {
  std::error_code ec;
  const fs::file_status status = fs::symlink_status(path, ec);
  if (status.type() == fs::file_type::not_found) return Json::object();
  if (status.type() == fs::file_type::symlink)
    Fail(kErrPathFileAccess, path + ": a symbolic link is refused as the registry");
  const std::vector<uint8_t> bytes = ReadFileBytes(path);
  bool tooDeep = false;
  Json doc = Json::parse(
      bytes.begin(), bytes.end(),
      [&](int depth, Json::parse_event_t, Json&) {
        tooDeep = tooDeep || depth > kMaxDepth;
        return !tooDeep;
      },
      false);
  if (tooDeep)
    Fail(kErrInvalidFileFormat,
         path + " is not a registry: nested deeper than " + std::to_string(kMaxDepth) + " levels");
  if (doc.is_discarded() || !doc.is_object())
    Fail(kErrInvalidFileFormat, path + " is not a registry: not a JSON object");
  for (const char* section : kSections)
    if (doc.contains(section) && !doc[section].is_object())
      Fail(kErrInvalidFileFormat,
           path + " is not a registry: \"" + section + "\" is not an object");
  return doc;
}

void WriteRegistry(const std::string& path, const Json& doc) {
  WriteFileAtomically(path, doc.dump(2) + "\n");
}

Json ToolboxBitmap(int32_t resourceId) {
  return {{"resource", resourceId},
          {"width", kToolboxBitmapWidth},
          {"height", kToolboxBitmapHeight},
          {"bmp", EncodeBase64(EncodeBmp24(ToolboxRaster(resourceId)))}};
}

void AddEntries(Json& doc, const std::string& modulePath) {
  const LibraryInfo& lib = TypeLibrary();
  const std::string libId = Braced(lib.guid);
  doc["typeLibraries"][libId] = {{"name", lib.name},
                                 {"help", lib.help},
                                 {"version", Version(lib.versionMajor, lib.versionMinor)},
                                 {"lcid", lib.lcid},
                                 {"path", modulePath}};
  for (const ModuleClass& c : ModuleClasses()) {
    const ClassInfo& info = *c.info;
    const std::string clsid = Braced(info.guid);
    doc["classes"][clsid] = {{"name", info.name},
                             {"progId", c.progId},
                             {"server", modulePath},
                             {"threading", "Apartment"},
                             {"control", info.control},
                             {"version", Version(kTypeVersionMajor, kTypeVersionMinor)},
                             {"typeLibrary", libId},
                             {"defaultInterface", Braced(info.defaultInterface->guid)},
                             {"defaultSource", Braced(info.defaultSource->guid)},
                             {"toolboxBitmap", ToolboxBitmap(info.toolboxBitmap)}};
    doc["progIds"][c.progId] = {{"clsid", clsid}};
    for (const InterfaceInfo* iface : {info.defaultInterface, info.defaultSource})
      doc["interfaces"][Braced(iface->guid)] = {
          {"name", iface->name},
          {"kind", iface->kind == InterfaceKind::Dual ? "dual" : "dispatch"},
          {"typeLibrary", libId}};
  }
}

void RemoveEntries(Json& doc) {
  const std::string libId = Braced(TypeLibrary().guid);
  auto erase = [&](const char* section, const std::string& key, auto&& isOurs) {
    if (!doc.contains(section)) return;
    Json& entries = doc[section];
    if (entries.contains(key) && isOurs(entries[key])) entries.erase(key);
  };
  auto always = [](const Json&) { return true; };
  erase("typeLibraries", libId, always);
  for (const ClassInfo& info : TypeLibrary().classes) {
    const std::string clsid = Braced(info.guid);
    erase("classes", clsid, always);
    // A name another library took over since is not ours to remove.
    erase("progIds", std::string(TypeLibrary().name) + "." + std::string(info.name),
          [&](const Json& e) { return e.is_object() && e.value("clsid", "") == clsid; });
    for (const InterfaceInfo* iface : {info.defaultInterface, info.defaultSource})
      erase("interfaces", Braced(iface->guid), always);
  }
}

}  // namespace

std::string RegistryPath() {
  auto env = [](const char* name) -> std::string_view {
    const char* value = std::getenv(name);
    return value ? value : "";
  };
  if (!env("LUMORA_REGISTRY").empty()) return std::string(env("LUMORA_REGISTRY"));
  const std::string_view dataHome = env("XDG_DATA_HOME");
  if (!dataHome.empty() && dataHome.front() == '/')
    return std::string(dataHome) + "/orvane-lumora/registry.json";
  if (!env("HOME").empty())
    return std::string(env("HOME")) + "/.local/share/orvane-lumora/registry.json";
  Fail(kErrPathNotFound, "No place for the registry: set LUMORA_REGISTRY or HOME");
}

void RegisterLibrary(const std::string& registryPath, const std::string& modulePath) {
  std::error_code ec;
  const fs::path parent = fs::path(registryPath).parent_path();
  if (!parent.empty()) fs::create_directories(parent, ec);
  const RegistryLock lock(registryPath);
  Json doc = ReadRegistry(registryPath);
  AddEntries(doc, modulePath);
  WriteRegistry(registryPath, doc);
}

void UnregisterLibrary(const std::string& registryPath) {
  std::error_code ec;
  if (fs::symlink_status(registryPath, ec).type() == fs::file_type::not_found) return;
  const RegistryLock lock(registryPath);
  Json doc = ReadRegistry(registryPath);
  RemoveEntries(doc);
  WriteRegistry(registryPath, doc);
}

}  // namespace lumora
