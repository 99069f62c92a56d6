// Loads the built libOrvaneLumora with dlopen and resolves its exports, as a
// host does, with the registry pointed at a fresh temporary file. Helpers
// make dispatch calls the way a late-bound client makes them.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "module/lumora_module.h"

namespace lumora_test {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

struct ModuleExports {
  void* handle = nullptr;
  LumoraResult (*DllRegisterServer)() = nullptr;
  LumoraResult (*DllUnregisterServer)() = nullptr;
  LumoraResult (*DllGetClassObject)(const LumoraGuid*, const LumoraGuid*, void**) = nullptr;
  LumoraResult (*DllCanUnloadNow)() = nullptr;
  int32_t (*DllMain)(void*, uint32_t, void*) = nullptr;
  char* (*StringAlloc)(const char*) = nullptr;
  void (*StringFree)(char*) = nullptr;
  LumoraResult (*VariantClear)(LumoraVariant*) = nullptr;
  const LumoraGuid* IID_IUnknown = nullptr;
  const LumoraGuid* IID_IClassFactory = nullptr;
  const LumoraGuid* IID_IDispatch = nullptr;
};

template <class T>
void Resolve(void* handle, const char* name, T& out) {
  out = reinterpret_cast<T>(::dlsym(handle, name));
  ASSERT_NE(out, nullptr) << "missing export " << name;
}

inline LumoraGuid ParseGuid(const std::string& text) {
  LumoraGuid g{};
  unsigned d[11] = {};
  const int n = std::sscanf(text.c_str(), "{%8x-%4x-%4x-%2x%2x-%2x%2x%2x%2x%2x%2x}", &d[0], &d[1],
                            &d[2], &d[3], &d[4], &d[5], &d[6], &d[7], &d[8], &d[9], &d[10]);
  EXPECT_EQ(n, 11) << text;
  g.data1 = d[0];
  g.data2 = static_cast<uint16_t>(d[1]);
  g.data3 = static_cast<uint16_t>(d[2]);
  for (int i = 0; i < 8; ++i) g.data4[i] = static_cast<uint8_t>(d[3 + i]);
  return g;
}

inline std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void WriteText(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class ModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_Dir = fs::temp_directory_path() /
            ("lumora-module-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(m_Dir);
    fs::create_directories(m_Dir);
    ::setenv("LUMORA_REGISTRY", Registry().c_str(), 1);
    m.handle = ::dlopen(LUMORA_MODULE_FILE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(m.handle, nullptr) << ::dlerror();
    Resolve(m.handle, "DllRegisterServer", m.DllRegisterServer);
    Resolve(m.handle, "DllUnregisterServer", m.DllUnregisterServer);
    Resolve(m.handle, "DllGetClassObject", m.DllGetClassObject);
    Resolve(m.handle, "DllCanUnloadNow", m.DllCanUnloadNow);
    Resolve(m.handle, "DllMain", m.DllMain);
    Resolve(m.handle, "LumoraStringAlloc", m.StringAlloc);
    Resolve(m.handle, "LumoraStringFree", m.StringFree);
    Resolve(m.handle, "LumoraVariantClear", m.VariantClear);
    Resolve(m.handle, "LumoraIID_IUnknown", m.IID_IUnknown);
    Resolve(m.handle, "LumoraIID_IClassFactory", m.IID_IClassFactory);
    Resolve(m.handle, "LumoraIID_IDispatch", m.IID_IDispatch);
  }
  void TearDown() override {
    if (m.handle) ::dlclose(m.handle);
    ::unsetenv("LUMORA_REGISTRY");
    fs::remove_all(m_Dir);
  }

  fs::path Registry() const { return m_Dir / "registry.json"; }
  Json ReadRegistry() const { return Json::parse(ReadText(Registry())); }

  // Registers and reads a class's GUID back by its programmatic name.
  LumoraGuid RegisteredClass(const std::string& progId) {
    EXPECT_EQ(m.DllRegisterServer(), LUMORA_S_OK);
    const Json doc = ReadRegistry();
    return ParseGuid(doc.at("progIds").at(progId).at("clsid").get<std::string>());
  }

  // A class factory for a class, through DllGetClassObject.
  LumoraClassFactory* Factory(const LumoraGuid& clsid) {
    void* object = nullptr;
    EXPECT_EQ(m.DllGetClassObject(&clsid, m.IID_IClassFactory, &object), LUMORA_S_OK);
    return static_cast<LumoraClassFactory*>(object);
  }

  // A new instance of a class through its factory (released by the caller).
  LumoraDispatch* Create(const std::string& progId) {
    LumoraClassFactory* factory = Factory(RegisteredClass(progId));
    if (!factory) return nullptr;
    void* object = nullptr;
    EXPECT_EQ(factory->vtbl->CreateInstance(factory, nullptr, m.IID_IDispatch, &object),
              LUMORA_S_OK);
    factory->vtbl->Release(factory);
    return static_cast<LumoraDispatch*>(object);
  }

  ModuleExports m;
  fs::path m_Dir;
};

// --- Dispatch calls ---------------------------------------------------------

inline LumoraVariant I2(int16_t v) {
  LumoraVariant x{};
  x.vt = LUMORA_VT_I2;
  x.value.i2 = v;
  return x;
}

inline LumoraVariant I4(int32_t v) {
  LumoraVariant x{};
  x.vt = LUMORA_VT_I4;
  x.value.i4 = v;
  return x;
}

inline int32_t IdOf(LumoraDispatch* d, const char* name) {
  int32_t id = LUMORA_DISPID_UNKNOWN;
  const char* names[] = {name};
  EXPECT_EQ(d->vtbl->GetIDsOfNames(d, nullptr, names, 1, 0x409, &id), LUMORA_S_OK) << name;
  return id;
}

// Calls with the arguments in their written order (reversed for dispatch).
inline LumoraResult Call(LumoraDispatch* d, int32_t dispid, uint16_t flags,
                         std::vector<LumoraVariant> args, LumoraVariant* result = nullptr,
                         LumoraExcepInfo* excep = nullptr, uint32_t* argErr = nullptr) {
  std::vector<LumoraVariant> reversed(args.rbegin(), args.rend());
  int32_t named = LUMORA_DISPID_PROPERTYPUT;
  const bool put = flags & (LUMORA_DISPATCH_PROPERTYPUT | LUMORA_DISPATCH_PROPERTYPUTREF);
  LumoraDispParams params{reversed.data(), put ? &named : nullptr,
                          static_cast<uint32_t>(reversed.size()), put ? 1u : 0u};
  return d->vtbl->Invoke(d, dispid, nullptr, 0x409, flags, &params, result, excep, argErr);
}

inline LumoraResult Put(LumoraDispatch* d, int32_t dispid, LumoraVariant value) {
  return Call(d, dispid, LUMORA_DISPATCH_PROPERTYPUT, {value});
}

inline LumoraResult Get(LumoraDispatch* d, int32_t dispid, LumoraVariant* result) {
  return Call(d, dispid, LUMORA_DISPATCH_PROPERTYGET, {}, result);
}

}  // namespace lumora_test
