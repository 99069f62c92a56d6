// _ZelScrollContainer and __ZelScrollContainer: every slot in published order.
#include "frame/typelib_data.hpp"

namespace lumora::typelib_data {

namespace {

constexpr ParamInfo kPaintPictureParams[] = {
    ByVal("Picture", kPicture), ByVal("X1", kFloat32),      ByVal("Y1", kFloat32),
    OptionalVariant("Width1"),  OptionalVariant("Height1"), OptionalVariant("X2"),
    OptionalVariant("Y2"),      OptionalVariant("Width2"),  OptionalVariant("Height2"),
    OptionalVariant("Opcode"),
};
constexpr ParamInfo kPopupMenuParams[] = {
    ByVal("Menu", kObject), OptionalVariant("Flags"),       OptionalVariant("X"),
    OptionalVariant("Y"),   OptionalVariant("DefaultMenu"),
};
constexpr ParamInfo kScrollToControlParams[] = {ByRef("ContainedControl", kObject)};

constexpr std::string_view kHelpUpperMargin = "Sets\\Returns theUpperMargin";
constexpr std::string_view kHelpLowerMargin = "Sets\\Returns the LowerMargin";
constexpr std::string_view kHelpBackColor = "returns or sets the background color of an object.";
constexpr std::string_view kHelpBorderStyle = "Sets\\Returns the Border style.";
constexpr std::string_view kHelpEnabled =
    "Returns/sets a value that determines whether an object can respond to user-generated "
    "events.";

constexpr MemberInfo kMembers[] = {
    Method("AboutBox", kDispidAboutBox, kHelpAboutBox),
    Accessor("UpperMargin", kGet, kInt32, 0x68030003, kHelpUpperMargin),
    Accessor("UpperMargin", kLet, kInt32, 0x68030003, kHelpUpperMargin),
    Accessor("LowerMargin", kGet, kInt32, 0x68030002, kHelpLowerMargin),
    Accessor("LowerMargin", kLet, kInt32, 0x68030002, kHelpLowerMargin),
    Accessor("BackColor", kGet, kColor, kDispidBackColor, kHelpBackColor),
    Accessor("BackColor", kLet, kColor, kDispidBackColor, kHelpBackColor),
    Accessor("Appearance", kGet, kInt16, kDispidAppearance, kHelpAppearance),
    Accessor("Appearance", kLet, kInt16, kDispidAppearance, kHelpAppearance),
    Accessor("BorderStyle", kGet, kInt16, kDispidBorderStyle, kHelpBorderStyle),
    Accessor("BorderStyle", kLet, kInt16, kDispidBorderStyle, kHelpBorderStyle),
    Accessor("BackStyle", kGet, kInt16, kDispidBackStyle),
    Accessor("BackStyle", kLet, kInt16, kDispidBackStyle),
    Accessor(
        "ContainerHwnd", kGet, kInt32, 0x68030001,
        "Returns a handle (from Microsoft Windows) to the window a UserControl is contained in."),
    Accessor("Enabled", kGet, kBool16, kDispidEnabled, kHelpEnabled),
    Accessor("Enabled", kLet, kBool16, kDispidEnabled, kHelpEnabled),
    Accessor("hWnd", kGet, kInt32, 0x68030000,
             "Returns a handle (from Microsoft Windows) to an object's window."),
    Method("PaintPicture", 0x60030019,
           "Draws the contents of a graphics file on a Form, PictureBox, or Printer object.",
           kPaintPictureParams),
    Method("PopupMenu", 0x6003001A, "Displays a pop-up menu on an MDIForm or Form object.",
           kPopupMenuParams),
    Method("ScrollToControl", 0x6003001B,
           "Scrolls container to the active constituent control (call this method in a contained "
           "control's GotFocus event)",
           kScrollToControlParams),
    Method("Refresh", kDispidValue, "Forces a complete repaint of a object."),
};
static_assert(std::size(kMembers) == 21);

constexpr MemberInfo kEvents[] = {
    Method("Click", 1),
    Method("DblClick", 2),
    Method("MouseDown", 3, {}, kMouseParams),
    Method("MouseMove", 4, {}, kMouseParams),
    Method("MouseUp", 5, {}, kMouseParams),
};

}  // namespace

constexpr InterfaceInfo kScrollContainerInterface{
    "_ZelScrollContainer",
    Guid::Parse("34012511-D066-4A2D-805E-A00B61F3A829"),
    InterfaceKind::Dual,
    true,
    true,
    kMembers};
constexpr InterfaceInfo kScrollContainerEvents{"__ZelScrollContainer",
                                               Guid::Parse("E0CE4058-A824-4C58-B485-5AA649899194"),
                                               InterfaceKind::Events,
                                               true,
                                               false,
                                               kEvents};

}  // namespace lumora::typelib_data
