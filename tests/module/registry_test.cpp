// Registration through the loaded module: what it writes, that it keeps other
// libraries' entries, that unregistration removes exactly its own, and that a
// registry it cannot read is left untouched.
#include <cstdlib>
#include <cstring>

#include "module/module_fixture.hpp"

namespace lumora_test {
namespace {

const char* const kProgIds[] = {"OrvaneLumora.ZelPicZoom", "OrvaneLumora.ZelScrollContainer"};

std::vector<uint8_t> DecodeBase64(const std::string& text) {
  std::vector<uint8_t> out;
  uint32_t acc = 0;
  int bits = 0;
  for (char c : text) {
    if (c == '=') break;
    const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    const char* at = std::strchr(alphabet, c);
    EXPECT_NE(at, nullptr) << "not base64: " << c;
    if (!at) return {};
    acc = (acc << 6) | static_cast<uint32_t>(at - alphabet);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      out.push_back(static_cast<uint8_t>(acc >> bits));
    }
  }
  return out;
}

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

// Someone else's entries, and a key of a later format, which must survive.
Json OthersRegistry() {
  return Json::parse(R"({
    "classes": {"{11111111-2222-3333-4444-555555555555}": {"name": "Other", "server": "/x.so"}},
    "progIds": {"Other.Thing": {"clsid": "{11111111-2222-3333-4444-555555555555}"}},
    "typeLibraries": {"{66666666-7777-8888-9999-000000000000}": {"name": "OtherLib"}},
    "interfaces": {},
    "comment": ["kept as it is"]
  })");
}

TEST_F(ModuleTest, RegistrationWritesTheLibraryClassesTypeLibraryAndBitmaps) {
  WriteText(Registry(), OthersRegistry().dump());
  ASSERT_EQ(m.DllRegisterServer(), LUMORA_S_OK);
  const Json doc = ReadRegistry();

  const std::string real = fs::absolute(LUMORA_MODULE_FILE).lexically_normal().string();
  const Json& lib = doc.at("typeLibraries");
  std::string libId;
  for (const auto& [id, entry] : lib.items())
    if (entry.at("name") == "OrvaneLumora") libId = id;
  ASSERT_FALSE(libId.empty());
  EXPECT_EQ(lib[libId]["help"], "Orvane Lumora ActiveX Control");
  EXPECT_EQ(lib[libId]["version"], "2.0");
  EXPECT_EQ(lib[libId]["lcid"], 0x409);
  EXPECT_EQ(lib[libId]["path"], real);

  for (const char* progId : kProgIds) {
    SCOPED_TRACE(progId);
    const std::string clsid = doc.at("progIds").at(progId).at("clsid");
    const Json& c = doc.at("classes").at(clsid);
    EXPECT_EQ(c["progId"], progId);
    EXPECT_EQ("OrvaneLumora." + c["name"].get<std::string>(), progId);
    EXPECT_EQ(c["server"], real);
    EXPECT_EQ(c["typeLibrary"], libId);
    EXPECT_EQ(c["control"], true);
    // Both interfaces of the class are registered against the type library.
    for (const char* key : {"defaultInterface", "defaultSource"})
      EXPECT_EQ(doc.at("interfaces").at(c[key].get<std::string>()).at("typeLibrary"), libId);
    // The toolbox bitmap is a complete 16 x 15, 24-bit BMP file.
    const std::vector<uint8_t> bmp = DecodeBase64(c.at("toolboxBitmap").at("bmp"));
    ASSERT_GE(bmp.size(), 54u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(Le32(bmp, 2), bmp.size());
    EXPECT_EQ(Le32(bmp, 18), 16u);
    EXPECT_EQ(Le32(bmp, 22), 15u);
    EXPECT_EQ(bmp[28], 24);
  }
  // Other libraries' entries are untouched.
  const Json others = OthersRegistry();
  for (const char* section : {"classes", "progIds", "typeLibraries"})
    for (const auto& [key, value] : others[section].items())
      EXPECT_EQ(doc[section][key], value) << section << " " << key;
  EXPECT_EQ(doc["comment"], others["comment"]);
}

TEST_F(ModuleTest, RegisteringTwiceChangesNothingAndUnregisteringLeavesOnlyOthers) {
  WriteText(Registry(), OthersRegistry().dump());
  ASSERT_EQ(m.DllRegisterServer(), LUMORA_S_OK);
  const std::string once = ReadText(Registry());
  ASSERT_EQ(m.DllRegisterServer(), LUMORA_S_OK);
  EXPECT_EQ(ReadText(Registry()), once);

  ASSERT_EQ(m.DllUnregisterServer(), LUMORA_S_OK);
  EXPECT_EQ(ReadRegistry(), OthersRegistry());
  // Unregistering again, or with no registry at all, is no error.
  EXPECT_EQ(m.DllUnregisterServer(), LUMORA_S_OK);
  fs::remove(Registry());
  EXPECT_EQ(m.DllUnregisterServer(), LUMORA_S_OK);
  EXPECT_FALSE(fs::exists(Registry()));
}

TEST_F(ModuleTest, AProgrammaticNameTakenOverByAnotherClassIsNotRemoved) {
  ASSERT_EQ(m.DllRegisterServer(), LUMORA_S_OK);
  Json doc = ReadRegistry();
  doc["progIds"]["OrvaneLumora.ZelPicZoom"]["clsid"] = "{11111111-2222-3333-4444-555555555555}";
  WriteText(Registry(), doc.dump());
  ASSERT_EQ(m.DllUnregisterServer(), LUMORA_S_OK);
  doc = ReadRegistry();
  EXPECT_EQ(doc["progIds"]["OrvaneLumora.ZelPicZoom"]["clsid"],
            "{11111111-2222-3333-4444-555555555555}");
  EXPECT_TRUE(doc["classes"].empty());
  EXPECT_TRUE(doc["typeLibraries"].empty());
}

// An object nested far too deep for any registry.
std::string DeeplyNested(int depth) {
  std::string text;
  for (int i = 0; i < depth; ++i) text += R"({"a":)";
  return text + "1" + std::string(static_cast<size_t>(depth), '}');
}

TEST_F(ModuleTest, ARegistryThatIsNotOneIsLeftAsItWas) {
  for (const std::string& bad :
       {std::string("{ not json"), std::string("[1, 2]"), std::string(R"({"classes": []})"),
        std::string(R"({"progIds": "x"})"), DeeplyNested(50000)}) {
    SCOPED_TRACE(bad.substr(0, 40));
    WriteText(Registry(), bad);
    EXPECT_EQ(m.DllRegisterServer(), LUMORA_SELFREG_E_CLASS);
    EXPECT_EQ(ReadText(Registry()), bad);
    EXPECT_EQ(m.DllUnregisterServer(), LUMORA_SELFREG_E_CLASS);
    EXPECT_EQ(ReadText(Registry()), bad);
  }
  // Nothing else was left in the folder but the lock.
  for (const auto& entry : fs::directory_iterator(m_Dir)) {
    const std::string name = entry.path().filename();
    EXPECT_TRUE(name == "registry.json" || name == "registry.json.lock") << name;
  }
}

// Symbolic links are refused as the registry and as its lock: nothing is
// created, read or replaced through them.
TEST_F(ModuleTest, SymbolicLinksAreRefusedAndRegularFilesKeepTheirMode) {
  const fs::path secret = m_Dir / "secret";
  WriteText(secret, OthersRegistry().dump());
  fs::permissions(secret, fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink(secret, Registry());
  EXPECT_EQ(m.DllRegisterServer(), LUMORA_SELFREG_E_CLASS);
  EXPECT_EQ(m.DllUnregisterServer(), LUMORA_SELFREG_E_CLASS);
  EXPECT_TRUE(fs::is_symlink(Registry()));
  EXPECT_EQ(ReadText(secret), OthersRegistry().dump());

  fs::remove(Registry());
  fs::remove(m_Dir / "registry.json.lock");
  fs::create_symlink(m_Dir / "elsewhere", m_Dir / "registry.json.lock");
  EXPECT_EQ(m.DllRegisterServer(), LUMORA_SELFREG_E_CLASS);
  EXPECT_FALSE(fs::exists(m_Dir / "elsewhere"));
  EXPECT_FALSE(fs::exists(Registry()));

  // A registry of its own keeps its permissions across a registration.
  fs::remove(m_Dir / "registry.json.lock");
  fs::copy_file(secret, Registry());
  fs::permissions(Registry(), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(m.DllRegisterServer(), LUMORA_S_OK);
  EXPECT_EQ(fs::status(Registry()).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(ModuleTest, AnUnwritableFolderFailsCleanly) {
  ::setenv("LUMORA_REGISTRY", (m_Dir / "file" / "registry.json").c_str(), 1);
  WriteText(m_Dir / "file", "a file where a folder should be");
  EXPECT_EQ(m.DllRegisterServer(), LUMORA_SELFREG_E_CLASS);
  EXPECT_EQ(ReadText(m_Dir / "file"), "a file where a folder should be");
}

TEST_F(ModuleTest, TheDefaultRegistryLivesInTheUsersDataFolder) {
  ::unsetenv("LUMORA_REGISTRY");
  const char* oldHome = std::getenv("HOME");
  const char* oldData = std::getenv("XDG_DATA_HOME");
  const std::string savedHome = oldHome ? oldHome : "", savedData = oldData ? oldData : "";
  ::setenv("HOME", (m_Dir / "home").c_str(), 1);

  ::setenv("XDG_DATA_HOME", (m_Dir / "data").c_str(), 1);
  EXPECT_EQ(m.DllRegisterServer(), LUMORA_S_OK);
  EXPECT_TRUE(fs::exists(m_Dir / "data" / "orvane-lumora" / "registry.json"));

  // A relative data folder is not trusted; the home folder's default is used.
  ::setenv("XDG_DATA_HOME", "relative/data", 1);
  EXPECT_EQ(m.DllRegisterServer(), LUMORA_S_OK);
  EXPECT_TRUE(fs::exists(m_Dir / "home" / ".local" / "share" / "orvane-lumora" / "registry.json"));

  ::unsetenv("XDG_DATA_HOME");
  ::unsetenv("HOME");
  EXPECT_EQ(m.DllRegisterServer(), LUMORA_SELFREG_E_CLASS);

  if (oldHome) ::setenv("HOME", savedHome.c_str(), 1);
  if (oldData) ::setenv("XDG_DATA_HOME", savedData.c_str(), 1);
}

}  // namespace
}  // namespace lumora_test
