// Class factories and instances through the loaded module: created by GUID,
// called by DISPID, kept loaded while anything is alive.
#include "module/module_fixture.hpp"

namespace lumora_test {
namespace {

constexpr int32_t kDispidBarsWidth = 0x6803000B;
constexpr int32_t kDispidPicture = 0x68030006;
constexpr int32_t kDispidPictureSize = 0x68030004;
constexpr int32_t kDispidZoomPercent = 0x68030002;
constexpr int32_t kDispidZoomIn = 0x60030029;
constexpr int32_t kDispidGo = 0x60030023;
constexpr int32_t kDispidScroll = 0x60030026;
constexpr int32_t kDispidHwnd = 0x68030000;
constexpr int32_t kDispidAboutBox = -552;

const LumoraGuid kUnknownClass = {0x0BADC0DE, 0x1234, 0x5678, {1, 2, 3, 4, 5, 6, 7, 8}};

TEST_F(ModuleTest, OnlyTheLibrarysClassesHaveFactories) {
  void* object = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(m.DllGetClassObject(&kUnknownClass, m.IID_IClassFactory, &object),
            LUMORA_CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(object, nullptr);
  const LumoraGuid clsid = RegisteredClass("OrvaneLumora.ZelPicZoom");
  EXPECT_EQ(m.DllGetClassObject(&clsid, m.IID_IDispatch, &object), LUMORA_E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(m.DllGetClassObject(&clsid, m.IID_IClassFactory, nullptr), LUMORA_E_POINTER);
  EXPECT_EQ(m.DllGetClassObject(nullptr, m.IID_IClassFactory, &object), LUMORA_E_INVALIDARG);
  EXPECT_EQ(m.DllCanUnloadNow(), LUMORA_S_OK);

  ASSERT_EQ(m.DllGetClassObject(&clsid, m.IID_IUnknown, &object), LUMORA_S_OK);
  auto* factory = static_cast<LumoraClassFactory*>(object);
  void* again = nullptr;
  ASSERT_EQ(factory->vtbl->QueryInterface(factory, m.IID_IClassFactory, &again), LUMORA_S_OK);
  EXPECT_EQ(again, factory);
  EXPECT_EQ(factory->vtbl->QueryInterface(factory, m.IID_IDispatch, &again), LUMORA_E_NOINTERFACE);
  // Aggregation and interfaces the instance does not have are refused.
  LumoraUnknown outer{};
  EXPECT_EQ(factory->vtbl->CreateInstance(factory, &outer, m.IID_IDispatch, &again),
            LUMORA_CLASS_E_NOAGGREGATION);
  EXPECT_EQ(factory->vtbl->CreateInstance(factory, nullptr, m.IID_IClassFactory, &again),
            LUMORA_E_NOINTERFACE);
  EXPECT_EQ(again, nullptr);
  EXPECT_EQ(factory->vtbl->Release(factory), 1u);
  EXPECT_EQ(m.DllCanUnloadNow(), LUMORA_S_FALSE);
  EXPECT_EQ(factory->vtbl->Release(factory), 0u);
  EXPECT_EQ(m.DllCanUnloadNow(), LUMORA_S_OK);
}

TEST_F(ModuleTest, APicZoomCreatedByItsFactoryAnswersByDispid) {
  LumoraDispatch* zoom = Create("OrvaneLumora.ZelPicZoom");
  ASSERT_NE(zoom, nullptr);
  EXPECT_EQ(m.DllCanUnloadNow(), LUMORA_S_FALSE);
  EXPECT_EQ(IdOf(zoom, "barswidth"), kDispidBarsWidth);

  LumoraVariant v{};
  ASSERT_EQ(Put(zoom, kDispidBarsWidth, I2(20)), LUMORA_S_OK);
  ASSERT_EQ(Get(zoom, kDispidBarsWidth, &v), LUMORA_S_OK);
  EXPECT_EQ(v.vt, LUMORA_VT_I2);
  EXPECT_EQ(v.value.i2, 20);
  // The control's own rule applies: bars are at least 13 pixels thick.
  ASSERT_EQ(Put(zoom, kDispidBarsWidth, I4(5)), LUMORA_S_OK);
  ASSERT_EQ(Get(zoom, kDispidBarsWidth, &v), LUMORA_S_OK);
  EXPECT_EQ(v.value.i2, 13);

  // A picture, zoomed in by a method call.
  LumoraResult (*loadPicture)(const char*, LumoraDispatch**) = nullptr;
  Resolve(m.handle, "LumoraLoadPicture", loadPicture);
  LumoraDispatch* picture = nullptr;
  ASSERT_EQ(loadPicture(LUMORA_SOURCE_DIR "/src/about/resources/logo.gif", &picture), LUMORA_S_OK);
  LumoraVariant pictureArg{};
  pictureArg.vt = LUMORA_VT_DISPATCH;
  pictureArg.value.dispatch = picture;
  ASSERT_EQ(Call(zoom, kDispidPicture, LUMORA_DISPATCH_PROPERTYPUTREF, {pictureArg}), LUMORA_S_OK);
  picture->vtbl->Release(picture);
  ASSERT_EQ(Call(zoom, kDispidZoomIn, LUMORA_DISPATCH_METHOD, {}), LUMORA_S_OK);
  ASSERT_EQ(Get(zoom, kDispidZoomPercent, &v), LUMORA_S_OK);
  EXPECT_EQ(v.vt, LUMORA_VT_UI1);
  EXPECT_EQ(v.value.ui1, 125);
  // The record comes back as an object whose fields are read by name.
  ASSERT_EQ(Get(zoom, kDispidPictureSize, &v), LUMORA_S_OK);
  ASSERT_EQ(v.vt, LUMORA_VT_DISPATCH);
  LumoraDispatch* sizes = v.value.dispatch;
  LumoraVariant width{};
  ASSERT_EQ(Get(sizes, IdOf(sizes, "psWidth"), &width), LUMORA_S_OK);
  EXPECT_EQ(width.vt, LUMORA_VT_R4);
  EXPECT_FLOAT_EQ(width.value.r4, 218);  // 174 pixels at 125 %
  m.VariantClear(&v);

  // Released, nothing of the module is alive any more.
  EXPECT_EQ(zoom->vtbl->Release(zoom), 0u);
  EXPECT_EQ(m.DllCanUnloadNow(), LUMORA_S_OK);
}

TEST_F(ModuleTest, AScrollContainerCreatedByItsFactoryAnswersByDispid) {
  LumoraDispatch* box = Create("OrvaneLumora.ZelScrollContainer");
  ASSERT_NE(box, nullptr);
  constexpr int32_t kDispidUpperMargin = 0x68030003;
  EXPECT_EQ(IdOf(box, "UPPERMARGIN"), kDispidUpperMargin);
  LumoraVariant v{};
  ASSERT_EQ(Get(box, kDispidUpperMargin, &v), LUMORA_S_OK);
  EXPECT_EQ(v.vt, LUMORA_VT_I4);
  EXPECT_EQ(v.value.i4, 60);  // the default
  ASSERT_EQ(Put(box, kDispidUpperMargin, I2(240)), LUMORA_S_OK);
  ASSERT_EQ(Get(box, kDispidUpperMargin, &v), LUMORA_S_OK);
  EXPECT_EQ(v.value.i4, 240);
  // Refresh is the default member: a client calls it as DISPID 0.
  EXPECT_EQ(IdOf(box, "Refresh"), LUMORA_DISPID_VALUE);
  EXPECT_EQ(Call(box, LUMORA_DISPID_VALUE, LUMORA_DISPATCH_METHOD, {}), LUMORA_S_OK);
  EXPECT_EQ(Call(box, kDispidAboutBox, LUMORA_DISPATCH_METHOD, {}), LUMORA_S_OK);
  // Two instances of different classes live side by side.
  LumoraDispatch* zoom = Create("OrvaneLumora.ZelPicZoom");
  ASSERT_NE(zoom, nullptr);
  ASSERT_EQ(Get(zoom, kDispidHwnd, &v), LUMORA_S_OK);
  const int32_t zoomWindow = v.value.i4;
  ASSERT_EQ(Get(box, IdOf(box, "hWnd"), &v), LUMORA_S_OK);
  EXPECT_NE(v.value.i4, zoomWindow);
  box->vtbl->Release(box);
  EXPECT_EQ(m.DllCanUnloadNow(), LUMORA_S_FALSE);
  zoom->vtbl->Release(zoom);
  EXPECT_EQ(m.DllCanUnloadNow(), LUMORA_S_OK);
}

TEST_F(ModuleTest, DispatchReportsBadCallsWithTheirCodes) {
  LumoraDispatch* zoom = Create("OrvaneLumora.ZelPicZoom");
  ASSERT_NE(zoom, nullptr);
  LumoraVariant v{};
  int32_t id = 0;
  const char* unknown[] = {"NoSuchMember"};
  EXPECT_EQ(zoom->vtbl->GetIDsOfNames(zoom, nullptr, unknown, 1, 0, &id),
            LUMORA_DISP_E_UNKNOWNNAME);
  EXPECT_EQ(id, LUMORA_DISPID_UNKNOWN);
  EXPECT_EQ(Get(zoom, 0x12345, &v), LUMORA_DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(Put(zoom, kDispidHwnd, I4(1)), LUMORA_DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(Call(zoom, kDispidZoomIn, LUMORA_DISPATCH_METHOD, {I2(1)}),
            LUMORA_DISP_E_BADPARAMCOUNT);

  // Arguments that do not convert: the code, and argErr naming the argument
  // the way Invoke counts (from the last).
  LumoraVariant text{};
  text.vt = LUMORA_VT_STR;
  text.value.str = const_cast<char*>("wide");
  LumoraVariant null{};
  null.vt = 1;  // a type the interface does not know
  LumoraVariant error{};
  error.vt = LUMORA_VT_ERROR;
  error.value.error = LUMORA_E_FAIL;
  const struct {
    int32_t dispid;
    uint16_t flags;
    std::vector<LumoraVariant> args;
    LumoraResult code;
    uint32_t argErr;
  } bad[] = {
      {kDispidBarsWidth, LUMORA_DISPATCH_PROPERTYPUT, {I4(70000)}, LUMORA_DISP_E_OVERFLOW, 0},
      {kDispidBarsWidth, LUMORA_DISPATCH_PROPERTYPUT, {text}, LUMORA_DISP_E_TYPEMISMATCH, 0},
      {kDispidBarsWidth, LUMORA_DISPATCH_PROPERTYPUT, {null}, LUMORA_DISP_E_BADVARTYPE, 0},
      {kDispidScroll, LUMORA_DISPATCH_METHOD, {I4(1), I4(70000)}, LUMORA_DISP_E_OVERFLOW, 0},
      {kDispidScroll, LUMORA_DISPATCH_METHOD, {text, I2(1)}, LUMORA_DISP_E_TYPEMISMATCH, 1},
      {kDispidScroll, LUMORA_DISPATCH_METHOD, {null, I2(1)}, LUMORA_DISP_E_BADVARTYPE, 1},
      {kDispidScroll, LUMORA_DISPATCH_METHOD, {I4(1), error}, LUMORA_DISP_E_TYPEMISMATCH, 0},
  };
  for (const auto& c : bad) {
    uint32_t argErr = 99;
    EXPECT_EQ(Call(zoom, c.dispid, c.flags, c.args, nullptr, nullptr, &argErr), c.code)
        << std::hex << c.dispid;
    EXPECT_EQ(argErr, c.argErr) << std::hex << c.dispid << " " << c.code;
  }
  // A property put without its named value, and named arguments elsewhere.
  LumoraVariant arg = I2(20);
  LumoraDispParams noName{&arg, nullptr, 1, 0};
  EXPECT_EQ(zoom->vtbl->Invoke(zoom, kDispidBarsWidth, nullptr, 0, LUMORA_DISPATCH_PROPERTYPUT,
                               &noName, nullptr, nullptr, nullptr),
            LUMORA_DISP_E_PARAMNOTFOUND);
  int32_t named = 0;
  LumoraDispParams withName{&arg, &named, 1, 1};
  EXPECT_EQ(zoom->vtbl->Invoke(zoom, kDispidZoomIn, nullptr, 0, LUMORA_DISPATCH_METHOD, &withName,
                               nullptr, nullptr, nullptr),
            LUMORA_DISP_E_NONAMEDARGS);
  // An object from elsewhere is refused, not followed.
  LumoraDispatch foreign{};
  LumoraVariant foreignArg{};
  foreignArg.vt = LUMORA_VT_DISPATCH;
  foreignArg.value.dispatch = &foreign;
  EXPECT_EQ(Call(zoom, kDispidPicture, LUMORA_DISPATCH_PROPERTYPUTREF, {foreignArg}),
            LUMORA_DISP_E_TYPEMISMATCH);
  zoom->vtbl->Release(zoom);
}

TEST_F(ModuleTest, ByReferenceArgumentsAndTheAboutBoxReturnNormally) {
  LumoraDispatch* zoom = Create("OrvaneLumora.ZelPicZoom");
  ASSERT_NE(zoom, nullptr);
  int32_t direction = 4;  // gdCenter
  LumoraVariant byRef{};
  byRef.vt = LUMORA_VT_I4 | LUMORA_VT_BYREF;
  byRef.value.pi4 = &direction;
  EXPECT_EQ(Call(zoom, kDispidGo, LUMORA_DISPATCH_METHOD, {byRef}), LUMORA_S_OK);
  EXPECT_EQ(direction, 4);
  byRef.value.pi4 = nullptr;
  EXPECT_EQ(Call(zoom, kDispidGo, LUMORA_DISPATCH_METHOD, {byRef}), LUMORA_DISP_E_TYPEMISMATCH);
  // Headless, nothing can close a modal dialog: AboutBox ignores that and returns.
  EXPECT_EQ(Call(zoom, kDispidAboutBox, LUMORA_DISPATCH_METHOD, {}), LUMORA_S_OK);
  zoom->vtbl->Release(zoom);
  EXPECT_EQ(m.DllCanUnloadNow(), LUMORA_S_OK);
}

TEST_F(ModuleTest, ALockKeepsTheModuleLoadedUntilItIsUndone) {
  LumoraClassFactory* factory = Factory(RegisteredClass("OrvaneLumora.ZelPicZoom"));
  ASSERT_NE(factory, nullptr);
  EXPECT_EQ(factory->vtbl->LockServer(factory, 1), LUMORA_S_OK);
  factory->vtbl->Release(factory);
  EXPECT_EQ(m.DllCanUnloadNow(), LUMORA_S_FALSE);
  factory = Factory(RegisteredClass("OrvaneLumora.ZelPicZoom"));
  EXPECT_EQ(factory->vtbl->LockServer(factory, 0), LUMORA_S_OK);
  // A second unlock does not count below zero.
  EXPECT_EQ(factory->vtbl->LockServer(factory, 0), LUMORA_S_OK);
  factory->vtbl->Release(factory);
  EXPECT_EQ(m.DllCanUnloadNow(), LUMORA_S_OK);
}

TEST_F(ModuleTest, TheModuleEntryAcceptsTheFourReasons) {
  for (uint32_t reason : {LUMORA_DLL_PROCESS_ATTACH, LUMORA_DLL_THREAD_ATTACH,
                          LUMORA_DLL_THREAD_DETACH, LUMORA_DLL_PROCESS_DETACH})
    EXPECT_EQ(m.DllMain(nullptr, reason, nullptr), 1) << reason;
  EXPECT_EQ(m.DllMain(nullptr, 7, nullptr), 0);
}

TEST_F(ModuleTest, PicturesThatCannotBeLoadedSayWhy) {
  LumoraResult (*loadPicture)(const char*, LumoraDispatch**) = nullptr;
  Resolve(m.handle, "LumoraLoadPicture", loadPicture);
  LumoraDispatch* picture = reinterpret_cast<LumoraDispatch*>(0x1);
  EXPECT_EQ(loadPicture((m_Dir / "none.gif").c_str(), &picture), LUMORA_RUNTIME_ERROR(53));
  EXPECT_EQ(picture, nullptr);
  WriteText(m_Dir / "bad.gif", "GIF89a and then nothing sensible");
  EXPECT_EQ(loadPicture((m_Dir / "bad.gif").c_str(), &picture), LUMORA_RUNTIME_ERROR(481));
  EXPECT_EQ(m.DllCanUnloadNow(), LUMORA_S_OK);
}

}  // namespace
}  // namespace lumora_test
