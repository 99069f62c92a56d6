// Every row of the published member and event tables, transcribed here on
// their own, checked against the type library's data slot by slot. (The help
// strings and the rest of the library are pinned by the IDL golden file.)
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "frame/type_library.hpp"

namespace lumora {
namespace {

// One row per member, in slot order; a property takes one slot per accessor.
struct MemberRow {
  const char* name;
  const char* kinds;  // "get let", "get set", "get", "method"
  const char* type;   // type word, or "Name: type&, [Name: variant]" for methods and events
  uint32_t dispid;
};

const MemberRow kPicZoomRows[] = {
    {"Appearance", "get let", "int16", 0xFFFFFDF8},
    {"BackColor", "get let", "color", 0x6803000C},
    {"BarsWidth", "get let", "int16", 0x6803000B},
    {"BorderStyle", "get let", "int16", 0xFFFFFE08},
    {"Enabled", "get let", "bool16", 0xFFFFFDFE},
    {"MouseIcon", "get set", "picture", 0x6803000A},
    {"MousePointer", "get let", "pointer enum", 0x68030009},
    {"MouseScrolling", "get let", "bool16", 0x68030008},
    {"MouseScrollingIcon", "get set", "picture", 0x68030007},
    {"Picture", "get set", "picture", 0x68030006},
    {"PicturePosition", "get", "PicturePositions", 0x68030005},
    {"PictureSize", "get", "PictureSizes", 0x68030004},
    {"ScrollBars", "get let", "ScrollBars", 0x68030003},
    {"ZoomPercent", "get", "variant", 0x68030002},
    {"Clear", "method", "", 0x60030022},
    {"Go", "method", "Direction: GoDirection&", 0x60030023},
    {"FeedBest", "method", "", 0x60030024},
    {"Image", "get", "picture", 0x68030001},
    {"SaveTo", "method", "PicturePath: string&", 0x60030025},
    {"Scroll", "method", "Direction: ScrollDirection&, PixelsStep: int16&", 0x60030026},
    {"ScrollLoop", "method", "Direction: ScrollDirection&, PixelsStep: int16&", 0x60030027},
    {"Stretch", "method", "", 0x60030028},
    {"ZoomIn", "method", "", 0x60030029},
    {"ZoomOut", "method", "", 0x6003002A},
    {"ZoomReal", "method", "", 0x6003002B},
    {"AboutBox", "method", "", 0xFFFFFDD8},
    {"hWnd", "get", "int32", 0x68030000},
};

const MemberRow kScrollContainerRows[] = {
    {"AboutBox", "method", "", 0xFFFFFDD8},
    {"UpperMargin", "get let", "int32", 0x68030003},
    {"LowerMargin", "get let", "int32", 0x68030002},
    {"BackColor", "get let", "color", 0xFFFFFE0B},
    {"Appearance", "get let", "int16", 0xFFFFFDF8},
    {"BorderStyle", "get let", "int16", 0xFFFFFE08},
    {"BackStyle", "get let", "int16", 0xFFFFFE0A},
    {"ContainerHwnd", "get", "int32", 0x68030001},
    {"Enabled", "get let", "bool16", 0xFFFFFDFE},
    {"hWnd", "get", "int32", 0x68030000},
    {"PaintPicture", "method",
     "Picture: picture, X1: float32, Y1: float32, [Width1: variant], [Height1: variant], [X2: "
     "variant], [Y2: variant], [Width2: variant], [Height2: variant], [Opcode: variant]",
     0x60030019},
    {"PopupMenu", "method",
     "Menu: object, [Flags: variant], [X: variant], [Y: variant], [DefaultMenu: variant]",
     0x6003001A},
    {"ScrollToControl", "method", "ContainedControl: object&", 0x6003001B},
    {"Refresh", "method", "", 0},
};

constexpr const char* kMouse = "Button: int16&, Shift: int16&, X: float32&, Y: float32&";
constexpr const char* kKey = "KeyCode: int16&, Shift: int16&";

const MemberRow kPicZoomEventRows[] = {
    {"ButtonClick", "method", "", 1},
    {"Click", "method", "", 2},
    {"DblClick", "method", "", 3},
    {"KeyDown", "method", kKey, 4},
    {"KeyPress", "method", "KeyAscii: int16&", 5},
    {"KeyUp", "method", kKey, 6},
    {"MouseDown", "method", kMouse, 7},
    {"MouseMove", "method", kMouse, 8},
    {"MouseUp", "method", kMouse, 9},
    {"PictureScrolled", "method", "", 10},
    {"PictureSizeChanged", "method", "", 11},
};

const MemberRow kScrollContainerEventRows[] = {
    {"Click", "method", "", 1},         {"DblClick", "method", "", 2},
    {"MouseDown", "method", kMouse, 3}, {"MouseMove", "method", kMouse, 4},
    {"MouseUp", "method", kMouse, 5},
};

// The parameter list in the rows' notation.
std::string ParamList(const MemberInfo& m) {
  std::string out;
  for (const ParamInfo& p : m.params) {
    const std::string one = std::string(p.name) + ": " + TypeWord(p.type) + (p.byRef ? "&" : "");
    out += (out.empty() ? "" : ", ") + (p.optional ? "[" + one + "]" : one);
  }
  return out;
}

void CheckMembers(const InterfaceInfo& iface, std::span<const MemberRow> rows) {
  size_t slot = 0;
  for (const MemberRow& row : rows) {
    std::istringstream kinds(row.kinds);
    for (std::string kind; kinds >> kind; ++slot) {
      SCOPED_TRACE(iface.name.data() + (" slot " + std::to_string(slot) + " " + row.name));
      ASSERT_LT(slot, iface.members.size());
      const MemberInfo& m = iface.members[slot];
      EXPECT_EQ(m.name, std::string_view(row.name));
      EXPECT_EQ(KindName(m.kind), kind);
      EXPECT_EQ(static_cast<uint32_t>(m.dispid), row.dispid);
      EXPECT_EQ(m.kind == MemberKind::Method ? ParamList(m) : TypeWord(m.type), row.type);
      EXPECT_TRUE(m.kind == MemberKind::Method ? m.type.code == TypeCode::Void : m.params.empty());
      // Only the Picture accessors carry flags.
      const bool picture = &iface == &PicZoomInterface() && m.name == "Picture";
      EXPECT_EQ(m.flags, picture ? (kBindable | kDefaultBind | kUiDefault) : kNoFlags);
    }
  }
  EXPECT_EQ(slot, iface.members.size());  // every slot has a row
}

TEST(TypeLibraryTables, PicZoomMembersRowByRow) {
  CheckMembers(PicZoomInterface(), kPicZoomRows);
}

TEST(TypeLibraryTables, ScrollContainerMembersRowByRow) {
  CheckMembers(ScrollContainerInterface(), kScrollContainerRows);
}

TEST(TypeLibraryTables, EventsRowByRow) {
  CheckMembers(PicZoomEvents(), kPicZoomEventRows);
  CheckMembers(ScrollContainerEvents(), kScrollContainerEventRows);
}

}  // namespace
}  // namespace lumora
