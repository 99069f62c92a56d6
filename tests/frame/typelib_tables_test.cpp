// Every row of the published member and event tables, transcribed here on
// their own, checked against the type library's data slot by slot.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "frame/type_library.hpp"

namespace lumora {
namespace {

struct MemberRow {
  const char* slots;   // "0, 1"
  const char* member;  // "Go(Direction)"
  const char* kinds;   // "get, let", "get only", "method"
  const char* type;    // type word, or "Name: type&, [Name: variant]" for methods
  uint32_t dispid;
  const char* help;  // "" for none
};

const MemberRow kPicZoomRows[] = {
    {"0, 1", "Appearance", "get, let", "int16", 0xFFFFFDF8,
     "Returns or sets the paint style of controls on an MDIForm or Form object atdesign time. "
     "Read-only atrun time."},
    {"2, 3", "BackColor", "get, let", "color", 0x6803000C,
     "Returns\\Sets the background color of an object."},
    {"4, 5", "BarsWidth", "get, let", "int16", 0x6803000B,
     "Returns\\Sets the thickness of the scroll bars on the control"},
    {"6, 7", "BorderStyle", "get, let", "int16", 0xFFFFFE08,
     "Returns or sets the border style for an object."},
    {"8, 9", "Enabled", "get, let", "bool16", 0xFFFFFDFE,
     "Returns or sets a value that determines whether a form or control can respond to "
     "user-generated events"},
    {"10, 11", "MouseIcon", "get, set", "picture", 0x6803000A, ""},
    {"12, 13", "MousePointer", "get, let", "pointer enum", 0x68030009, ""},
    {"14, 15", "MouseScrolling", "get, let", "bool16", 0x68030008, ""},
    {"16, 17", "MouseScrollingIcon", "get, set", "picture", 0x68030007, ""},
    {"18, 19", "Picture", "get, set", "picture", 0x68030006,
     "Returns or sets a graphic to be displayed in a control"},
    {"20", "PicturePosition", "get only", "PicturePositions", 0x68030005,
     "Returns the picture positions"},
    {"21", "PictureSize", "get only", "PictureSizes", 0x68030004, "Returns the picture sizes"},
    {"22, 23", "ScrollBars", "get, let", "ScrollBars", 0x68030003,
     "Returns\\Sets the scroll bar mode"},
    {"24", "ZoomPercent", "get only", "variant", 0x68030002, "zoom at specified percentange"},
    {"25", "Clear", "method", "", 0x60030022, "Clears the current picture"},
    {"26", "Go(Direction)", "method", "Direction: GoDirection&", 0x60030023,
     "Scroll picture in specified direction"},
    {"27", "FeedBest", "method", "", 0x60030024,
     "Displays the graphic at the optimal viewing size within the control"},
    {"28", "Image", "get only", "picture", 0x68030001,
     "Returns ahandle to apersistent graphic; the handle is provided by the Microsoft Windows "
     "operating environment."},
    {"29", "SaveTo(PicturePath)", "method", "PicturePath: string&", 0x60030025,
     "Saves the image (specify as jpeg,gif or bmp file)"},
    {"30", "Scroll(Direction, PixelsStep)", "method",
     "Direction: ScrollDirection&, PixelsStep: int16&", 0x60030026,
     "scrolls in a desired direction with specified unit speed"},
    {"31", "ScrollLoop(Direction, PixelsStep)", "method",
     "Direction: ScrollDirection&, PixelsStep: int16&", 0x60030027, "repeatedly scrolls over"},
    {"32", "Stretch", "method", "", 0x60030028, "Fill control with image"},
    {"33", "ZoomIn", "method", "", 0x60030029, "zooms in"},
    {"34", "ZoomOut", "method", "", 0x6003002A, "zooms out"},
    {"35", "ZoomReal", "method", "", 0x6003002B, "zoom 100%"},
    {"36", "AboutBox", "method", "", 0xFFFFFDD8, "Displays product information box"},
    {"37", "hWnd", "get only", "int32", 0x68030000,
     "Returns the unique Microsoft Wndows handle to this control"},
};

const MemberRow kScrollContainerRows[] = {
    {"0", "AboutBox", "method", "", 0xFFFFFDD8, "Displays product information box"},
    {"1, 2", "UpperMargin", "get, let", "int32", 0x68030003, "Sets\\Returns theUpperMargin"},
    {"3, 4", "LowerMargin", "get, let", "int32", 0x68030002, "Sets\\Returns the LowerMargin"},
    {"5, 6", "BackColor", "get, let", "color", 0xFFFFFE0B,
     "returns or sets the background color of an object."},
    {"7, 8", "Appearance", "get, let", "int16", 0xFFFFFDF8,
     "Returns or sets the paint style of controls on an MDIForm or Form object atdesign time. "
     "Read-only atrun time."},
    {"9, 10", "BorderStyle", "get, let", "int16", 0xFFFFFE08, "Sets\\Returns the Border style."},
    {"11, 12", "BackStyle", "get, let", "int16", 0xFFFFFE0A, ""},
    {"13", "ContainerHwnd", "get only", "int32", 0x68030001,
     "Returns a handle (from Microsoft Windows) to the window a UserControl is contained in."},
    {"14, 15", "Enabled", "get, let", "bool16", 0xFFFFFDFE,
     "Returns/sets a value that determines whether an object can respond to user-generated "
     "events."},
    {"16", "hWnd", "get only", "int32", 0x68030000,
     "Returns a handle (from Microsoft Windows) to an object's window."},
    {"17", "PaintPicture(Picture, X1, Y1, Width1, Height1, X2, Y2, Width2, Height2, Opcode)",
     "method",
     "Picture: picture, X1: float32, Y1: float32, [Width1: variant], [Height1: variant], [X2: "
     "variant], [Y2: variant], [Width2: variant], [Height2: variant], [Opcode: variant]",
     0x60030019, "Draws the contents of a graphics file on a Form, PictureBox, or Printer object."},
    {"18", "PopupMenu(Menu, Flags, X, Y, DefaultMenu)", "method",
     "Menu: object, [Flags: variant], [X: variant], [Y: variant], [DefaultMenu: variant]",
     0x6003001A, "Displays a pop-up menu on an MDIForm or Form object."},
    {"19", "ScrollToControl(ContainedControl)", "method", "ContainedControl: object&", 0x6003001B,
     "Scrolls container to the active constituent control (call this method in a contained "
     "control's GotFocus event)"},
    {"20", "Refresh", "method", "", 0, "Forces a complete repaint of a object."},
};

struct EventRow {
  int32_t dispid;
  const char* name;
  const char* params;
  const char* help;
};

constexpr const char* kMouse = "Button: int16&, Shift: int16&, X: float32&, Y: float32&";
constexpr const char* kKey = "KeyCode: int16&, Shift: int16&";

const EventRow kPicZoomEventRows[] = {
    {1, "ButtonClick", "", "Fired on clicking edge button"},
    {2, "Click", "", ""},
    {3, "DblClick", "", ""},
    {4, "KeyDown", kKey, ""},
    {5, "KeyPress", "KeyAscii: int16&", ""},
    {6, "KeyUp", kKey, ""},
    {7, "MouseDown", kMouse, ""},
    {8, "MouseMove", kMouse, ""},
    {9, "MouseUp", kMouse, ""},
    {10, "PictureScrolled", "", "fired after a scrolling of the graphic occurs"},
    {11, "PictureSizeChanged", "", "fired whenever the picture size changes"},
};

const EventRow kScrollContainerEventRows[] = {
    {1, "Click", "", ""},         {2, "DblClick", "", ""},    {3, "MouseDown", kMouse, ""},
    {4, "MouseMove", kMouse, ""}, {5, "MouseUp", kMouse, ""},
};

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> parts;
  std::string::size_type at = 0;
  while (at <= text.size()) {
    auto comma = text.find(", ", at);
    if (comma == std::string::npos) comma = text.size();
    parts.push_back(text.substr(at, comma - at));
    at = comma + 2;
  }
  return parts;
}

// The parameter list in the rows' notation.
std::string ParamList(const MemberInfo& m) {
  std::ostringstream out;
  for (size_t i = 0; i < m.params.size(); ++i) {
    const ParamInfo& p = m.params[i];
    if (i) out << ", ";
    out << (p.optional ? "[" : "") << p.name << ": " << TypeWord(p.type) << (p.byRef ? "&" : "")
        << (p.optional ? "]" : "");
  }
  return out.str();
}

void CheckMembers(const InterfaceInfo& iface, std::span<const MemberRow> rows, size_t count) {
  ASSERT_EQ(iface.members.size(), count);
  std::set<int> seen;
  for (const MemberRow& row : rows) {
    const std::string member = row.member;
    const std::string name = member.substr(0, member.find('('));
    std::vector<std::string> kinds = Split(row.kinds);
    if (kinds == std::vector<std::string>{"get only"}) kinds = {"get"};
    std::vector<std::string> slots = Split(row.slots);
    ASSERT_EQ(slots.size(), kinds.size()) << member;
    for (size_t i = 0; i < slots.size(); ++i) {
      const int slot = std::stoi(slots[i]);
      SCOPED_TRACE(iface.name.data() + (" slot " + slots[i] + " " + name));
      ASSERT_LT(static_cast<size_t>(slot), iface.members.size());
      EXPECT_TRUE(seen.insert(slot).second);
      const MemberInfo& m = iface.members[slot];
      EXPECT_EQ(m.name, name);
      EXPECT_EQ(KindName(m.kind), kinds[i]);
      EXPECT_EQ(static_cast<uint32_t>(m.dispid), row.dispid);
      EXPECT_EQ(m.help, std::string_view(row.help));
      if (m.kind == MemberKind::Method) {
        EXPECT_EQ(m.type.code, TypeCode::Void);
        EXPECT_EQ(ParamList(m), row.type);
        // The parameter names in the member column agree with the data.
        std::string names;
        for (const ParamInfo& p : m.params)
          names += (names.empty() ? "" : ", ") + std::string(p.name);
        EXPECT_EQ(names.empty() ? name : name + "(" + names + ")", member);
      } else {
        EXPECT_EQ(TypeWord(m.type), row.type);
        EXPECT_TRUE(m.params.empty());
      }
      EXPECT_EQ(iface.SlotOf(m), slot);
    }
  }
  EXPECT_EQ(seen.size(), count);  // every slot has a row
}

void CheckEvents(const InterfaceInfo& iface, std::span<const EventRow> rows) {
  ASSERT_EQ(iface.members.size(), rows.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    const MemberInfo& m = iface.members[i];
    SCOPED_TRACE(rows[i].name);
    EXPECT_EQ(m.name, std::string_view(rows[i].name));
    EXPECT_EQ(m.dispid, rows[i].dispid);
    EXPECT_EQ(m.kind, MemberKind::Method);
    EXPECT_EQ(ParamList(m), rows[i].params);
    EXPECT_EQ(m.help, std::string_view(rows[i].help));
    EXPECT_EQ(m.flags, kNoFlags);
  }
}

TEST(TypeLibraryTables, PicZoomMembersRowByRow) {
  CheckMembers(PicZoomInterface(), kPicZoomRows, 38);
}

TEST(TypeLibraryTables, ScrollContainerMembersRowByRow) {
  CheckMembers(ScrollContainerInterface(), kScrollContainerRows, 21);
}

TEST(TypeLibraryTables, EventsRowByRow) {
  CheckEvents(PicZoomEvents(), kPicZoomEventRows);
  CheckEvents(ScrollContainerEvents(), kScrollContainerEventRows);
}

TEST(TypeLibraryTables, OnlyThePictureAccessorsCarryFlags) {
  for (const InterfaceInfo* iface : {&PicZoomInterface(), &ScrollContainerInterface()}) {
    for (const MemberInfo& m : iface->members) {
      const bool picture = iface == &PicZoomInterface() && m.name == "Picture";
      EXPECT_EQ(m.flags, picture ? (kBindable | kDefaultBind | kUiDefault) : kNoFlags)
          << iface->name << "." << m.name << " " << KindName(m.kind);
    }
  }
}

}  // namespace
}  // namespace lumora
