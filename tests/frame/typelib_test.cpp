// The type library: every row of the published member and event tables,
// transcribed here on their own and checked slot by slot; the library as IDL,
// pinned whole by a golden file that also holds the help strings and every
// other published constant (GUIDs, enumerations, record offsets). Then the
// toolbox bitmap of each class: a 16 x 15 24-bit drawing, read back from the
// resource as a host reads it, independently of the writer.
#include "frame/type_library.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <sstream>
#include <string>

#include "frame/idl.hpp"
#include "frame/toolbox_bitmaps.hpp"
#include "platform/file_io.hpp"

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
  EXPECT_EQ(TypeLibrary().FindInterface(iface.name), &iface);
}

TEST(TypeLibraryTables, MembersAndEventsRowByRow) {
  CheckMembers(PicZoomInterface(), kPicZoomRows);
  CheckMembers(ScrollContainerInterface(), kScrollContainerRows);
  CheckMembers(PicZoomEvents(), kPicZoomEventRows);
  CheckMembers(ScrollContainerEvents(), kScrollContainerEventRows);
  EXPECT_EQ(TypeLibrary().FindClass("zelscrollcontainer"), &TypeLibrary().classes[1]);
}

// After an intended change, run with LUMORA_UPDATE_GOLDEN=1 to rewrite the
// golden file, and review the diff.
TEST(Idl, MatchesTheGoldenFile) {
  const std::string golden = std::string(LUMORA_SOURCE_DIR) + "/tests/frame/golden/typelib.idl";
  const std::string idl = WriteIdl(TypeLibrary());
  if (const char* update = std::getenv("LUMORA_UPDATE_GOLDEN");
      update && update == std::string("1")) {
    WriteFileAtomically(golden, idl);
    GTEST_SKIP() << "rewrote " << golden;
  }
  const std::vector<uint8_t> bytes = ReadFileBytes(golden);
  EXPECT_EQ(idl, std::string(bytes.begin(), bytes.end()));
}

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b.at(at + i);
  return v;
}

Raster DecodeResource(const std::vector<uint8_t>& b) {
  EXPECT_EQ(Le(b, 0, 4), 40u);
  const int32_t w = static_cast<int32_t>(Le(b, 4, 4));
  const int32_t h = static_cast<int32_t>(Le(b, 8, 4));
  EXPECT_EQ(Le(b, 12, 2), 1u);
  EXPECT_EQ(Le(b, 14, 2), 24u);
  EXPECT_EQ(Le(b, 16, 4), 0u);
  const size_t row = (static_cast<size_t>(w) * 3 + 3) / 4 * 4;
  EXPECT_EQ(b.size(), 40 + row * h);
  Raster r(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      const size_t at = 40 + row * (h - 1 - y) + 3 * x;
      r.Set(x, y,
            0xFF000000u | (uint32_t{b.at(at + 2)} << 16) | (uint32_t{b[at + 1]} << 8) | b[at]);
    }
  return r;
}

TEST(ToolboxBitmaps, EachClassHasA16By15TwentyFourBitBitmap) {
  for (const ClassInfo& c : TypeLibrary().classes) {
    SCOPED_TRACE(c.name);
    const Raster r = ToolboxRaster(c.toolboxBitmap);
    EXPECT_EQ(r.Width(), 16);
    EXPECT_EQ(r.Height(), 15);
    EXPECT_EQ(DecodeResource(ToolboxBitmapResource(c.toolboxBitmap)), r);
    std::set<Argb> colours;
    for (int32_t y = 0; y < r.Height(); ++y)
      for (int32_t x = 0; x < r.Width(); ++x) {
        EXPECT_EQ(r.At(x, y) >> 24, 0xFFu);  // opaque: the format has no alpha
        colours.insert(r.At(x, y));
      }
    EXPECT_GE(colours.size(), 5u);  // a drawing, not a blank
  }
}

TEST(ToolboxBitmaps, ThePicturesShowWhatTheClassesDo) {
  const Raster zoom = ToolboxRaster(30000);
  // The lens ring is dark all round its centre, the lens itself light.
  for (auto [x, y] : {std::pair{6, 8}, {13, 8}, {9, 5}, {9, 12}})
    EXPECT_EQ(zoom.At(x, y), 0xFF000000u) << x << "," << y;
  EXPECT_GT(zoom.At(10, 9) & 0xFF, 0xC0u);
  const Raster container = ToolboxRaster(30001);
  // The thumb sits in the bar at the right edge, between the two buttons.
  EXPECT_EQ(container.At(12, 6), 0xFF404040u);
  EXPECT_NE(container.At(12, 10), 0xFF404040u);
  EXPECT_EQ(container.At(12, 2), 0xFF000000u);  // an arrow on the up button
}

}  // namespace
}  // namespace lumora
