// The registry file through which hosts find the library: the module's path,
// its classes by GUID and by programmatic name, its type library and
// interfaces, and the classes' toolbox bitmaps. A JSON document shared with
// other libraries: registering adds or replaces this library's entries,
// unregistering removes exactly those, and everything else is kept.
#pragma once

#include <string>

namespace lumora {

// Where the registry lives: $LUMORA_REGISTRY, else
// $XDG_DATA_HOME/orvane-lumora/registry.json (an absolute XDG_DATA_HOME
// only), else $HOME/.local/share/orvane-lumora/registry.json. With none of
// them set: error 76.
std::string RegistryPath();

// Both take the file's lock for the whole read-modify-write and replace the
// file atomically. A file that is not a registry (not JSON, or its sections
// not objects, or nested deeper than any registry) fails with error 321 and
// is left as it was; file errors are 75 and 76. A missing file counts as an
// empty registry. A symbolic link as the registry or as its lock file is
// refused (75): nothing is read, created or replaced through it, so a save
// cannot expose a linked file's contents under other permissions. The file
// keeps its mode across saves.
void RegisterLibrary(const std::string& registryPath, const std::string& modulePath);
void UnregisterLibrary(const std::string& registryPath);

}  // namespace lumora
