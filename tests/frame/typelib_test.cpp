#include "frame/type_library.hpp"

#include <gtest/gtest.h>

#include <set>

#include "frame/records.hpp"
#include "platform/errors.hpp"
#include "support/error_of.hpp"

namespace lumora {
namespace {

TEST(TypeLibrary, LibraryAttributes) {
  const LibraryInfo& lib = TypeLibrary();
  EXPECT_EQ(lib.name, "OrvaneLumora");
  EXPECT_EQ(lib.help, "Orvane Lumora ActiveX Control");
  EXPECT_EQ(lib.versionMajor, 2);
  EXPECT_EQ(lib.versionMinor, 0);
  EXPECT_EQ(lib.lcid, 0x409u);
}

TEST(TypeLibrary, ClassesAreControlsWithTheirDefaultAndSourceInterfaces) {
  const LibraryInfo& lib = TypeLibrary();
  ASSERT_EQ(lib.classes.size(), 2u);
  const ClassInfo* pz = lib.FindClass("ZelPicZoom");
  const ClassInfo* sc = lib.FindClass("zelscrollcontainer");  // names ignore case
  ASSERT_TRUE(pz && sc);
  EXPECT_TRUE(pz->control);
  EXPECT_TRUE(sc->control);
  EXPECT_EQ(pz->defaultInterface->name, "_ZelPicZoom");
  EXPECT_EQ(pz->defaultSource->name, "__ZelPicZoom");
  EXPECT_EQ(sc->defaultInterface->name, "_ZelScrollContainer");
  EXPECT_EQ(sc->defaultSource->name, "__ZelScrollContainer");
  EXPECT_EQ(pz->toolboxBitmap, 30000);
  EXPECT_EQ(sc->toolboxBitmap, 30001);

  for (const ClassInfo& c : lib.classes) {
    const InterfaceInfo& dual = *c.defaultInterface;
    EXPECT_EQ(dual.kind, InterfaceKind::Dual);
    EXPECT_TRUE(dual.hidden && dual.nonextensible) << dual.name;
    const InterfaceInfo& events = *c.defaultSource;
    EXPECT_EQ(events.kind, InterfaceKind::Events);
    EXPECT_TRUE(events.hidden) << events.name;
    EXPECT_EQ(lib.FindInterface(dual.name), &dual);
    EXPECT_EQ(lib.FindInterface(events.name), &events);
  }
  EXPECT_EQ(lib.FindInterface("_Nope"), nullptr);
}

TEST(TypeLibrary, EnumerationsInOrder) {
  struct Expected {
    const char* name;
    std::vector<std::pair<const char*, int32_t>> values;
  };
  const Expected expected[] = {
      {"GoDirection",
       {{"gdTop", 0},
        {"gdBottom", 1},
        {"gdLeft", 2},
        {"gdRight", 3},
        {"gdCenter", 4},
        {"gdTopLeft", 5},
        {"gdTopRight", 6},
        {"gdBottomLeft", 7},
        {"gdBottomRight", 8}}},
      {"ScrollBars", {{"sbAutomatic", 0}, {"sbNone", 1}}},
      {"ScrollDirection", {{"sdcUp", 0}, {"sdDown", 1}, {"sdLeft", 2}, {"sdRight", 3}}},
  };
  ASSERT_EQ(TypeLibrary().enums.size(), 3u);
  for (const Expected& e : expected) {
    const EnumInfo* info = TypeLibrary().FindEnum(e.name);
    ASSERT_TRUE(info) << e.name;
    ASSERT_EQ(info->values.size(), e.values.size());
    for (size_t i = 0; i < e.values.size(); ++i) {
      EXPECT_EQ(info->values[i].name, e.values[i].first);
      EXPECT_EQ(info->values[i].value, e.values[i].second);
    }
  }
}

TEST(TypeLibrary, RecordsHaveNaturalAlignmentAndPublishedOffsets) {
  ASSERT_EQ(TypeLibrary().records.size(), 2u);
  const RecordInfo& pp = PicturePositionsRecord();
  EXPECT_EQ(TypeLibrary().FindRecord("PicturePositions"), &pp);
  ASSERT_EQ(pp.fields.size(), 4u);
  const char* names[] = {"ppTop", "ppBottom", "ppLeft", "ppRight"};
  for (uint32_t i = 0; i < 4; ++i) {
    EXPECT_EQ(pp.fields[i].name, names[i]);
    EXPECT_EQ(pp.fields[i].type.code, TypeCode::Bool16);
    EXPECT_EQ(pp.fields[i].offset, 2 * i);
  }
  EXPECT_EQ(pp.size, 8u);
  EXPECT_EQ(pp.alignment, 2u);

  const RecordInfo& ps = PictureSizesRecord();
  ASSERT_EQ(ps.fields.size(), 2u);
  EXPECT_EQ(ps.fields[0].name, "psWidth");
  EXPECT_EQ(ps.fields[1].name, "psHeight");
  EXPECT_EQ(ps.fields[0].offset, 0u);
  EXPECT_EQ(ps.fields[1].offset, 4u);
  EXPECT_EQ(ps.fields[1].type.code, TypeCode::Float32);
  EXPECT_EQ(ps.size, 8u);
  EXPECT_EQ(ps.alignment, 4u);

  // The data agrees with the C++ records the controls return.
  EXPECT_EQ(pp.size, sizeof(PicturePositions));
  EXPECT_EQ(ps.size, sizeof(PictureSizes));
}

// GUIDs never change once published: a change here breaks every saved form.
TEST(TypeLibrary, GuidsArePinnedAndDistinct) {
  const LibraryInfo& lib = TypeLibrary();
  const std::pair<std::string, Guid> pinned[] = {
      {"D930C164-1747-4B04-837C-E6A9D5930848", lib.guid},
      {"1E681D9C-0555-4070-BA14-9924B8B47BC9", lib.FindClass("ZelPicZoom")->guid},
      {"F0E70F9C-F579-46DE-B40D-CB1302808D39", PicZoomInterface().guid},
      {"302F23F9-9618-486D-9946-90C6ED616BDD", PicZoomEvents().guid},
      {"E0692FED-9200-4EB4-A5B5-C8F6B041052D", lib.FindClass("ZelScrollContainer")->guid},
      {"34012511-D066-4A2D-805E-A00B61F3A829", ScrollContainerInterface().guid},
      {"E0CE4058-A824-4C58-B485-5AA649899194", ScrollContainerEvents().guid},
      {"25CB08BC-B40D-446D-AD51-C39642402088", lib.FindEnum("GoDirection")->guid},
      {"FC002CE6-E8E2-4073-9697-6B17C9E71531", lib.FindEnum("ScrollBars")->guid},
      {"CCD36BD1-5A1F-4435-B234-F86A5B8A14E2", lib.FindEnum("ScrollDirection")->guid},
      {"8C7654F2-2BB7-4E3B-A0DF-201B2CD2DE69", PicturePositionsRecord().guid},
      {"4584634D-11E6-4AE8-91EB-167F670BE64F", PictureSizesRecord().guid},
  };
  std::set<std::string> distinct;
  for (const auto& [text, guid] : pinned) {
    EXPECT_EQ(guid.ToString(), text);
    EXPECT_EQ(Guid::Parse(text), guid);
    distinct.insert(text);
  }
  EXPECT_EQ(distinct.size(), std::size(pinned));
}

TEST(Guid, ParsesAndRejects) {
  constexpr Guid g = Guid::Parse("0123abcd-4567-89AB-cdef-0123456789ab");
  static_assert(g.data1 == 0x0123ABCD && g.data2 == 0x4567 && g.data3 == 0x89AB);
  static_assert(g.data4[0] == 0xCD && g.data4[1] == 0xEF && g.data4[7] == 0xAB);
  EXPECT_EQ(g.ToString(), "0123ABCD-4567-89AB-CDEF-0123456789AB");
  EXPECT_TRUE(Guid{}.IsNull());
  for (const char* bad :
       {"", "0123abcd-4567-89AB-cdef-0123456789a", "0123abcd_4567-89AB-cdef-0123456789ab",
        "0123abcg-4567-89AB-cdef-0123456789ab"}) {
    const Failure f = FailureOf([&] { Guid::Parse(bad); });
    EXPECT_EQ(f.Number(), 5) << bad;
    EXPECT_NE(f.Description().find("GUID"), std::string::npos);
  }
}

TEST(TypeLibrary, LookupsIgnoreCase) {
  const InterfaceInfo& pz = PicZoomInterface();
  ASSERT_TRUE(pz.Find("barswidth"));
  EXPECT_EQ(pz.Find("BARSWIDTH", MemberKind::Let), &pz.members[5]);
  EXPECT_EQ(pz.Find("BarsWidth", MemberKind::Set), nullptr);
  EXPECT_EQ(pz.FindDispid(0x68030006, MemberKind::Set), &pz.members[19]);
  EXPECT_EQ(pz.FindDispid(12345), nullptr);
  EXPECT_EQ(ScrollContainerInterface().FindDispid(kDispidValue)->name, "Refresh");
}

TEST(TypeLibrary, TypeWords) {
  EXPECT_EQ(TypeWord({TypeCode::PointerShape}), "pointer enum");
  EXPECT_EQ(TypeWord({TypeCode::Enum, "GoDirection"}), "GoDirection");
  EXPECT_EQ(TypeWord({}), "none");
}

}  // namespace
}  // namespace lumora
