// _ZelPicZoom and __ZelPicZoom: every slot in published order.
#include "frame/typelib_data.hpp"

namespace lumora::typelib_data {

namespace {

constexpr ParamInfo kGoParams[] = {ByRef("Direction", kGoDirection)};
constexpr ParamInfo kSaveToParams[] = {ByRef("PicturePath", kString)};
constexpr ParamInfo kScrollParams[] = {ByRef("Direction", kScrollDirection),
                                       ByRef("PixelsStep", kInt16)};

constexpr uint32_t kPictureFlags = kBindable | kDefaultBind | kUiDefault;

constexpr std::string_view kHelpBackColor = "Returns\\Sets the background color of an object.";
constexpr std::string_view kHelpBarsWidth =
    "Returns\\Sets the thickness of the scroll bars on the control";
constexpr std::string_view kHelpBorderStyle = "Returns or sets the border style for an object.";
constexpr std::string_view kHelpEnabled =
    "Returns or sets a value that determines whether a form or control can respond to "
    "user-generated events";
constexpr std::string_view kHelpPicture = "Returns or sets a graphic to be displayed in a control";
constexpr std::string_view kHelpScrollBars = "Returns\\Sets the scroll bar mode";
constexpr std::string_view kHelpScroll = "scrolls in a desired direction with specified unit speed";

constexpr MemberInfo kMembers[] = {
    Accessor("Appearance", kGet, kInt16, kDispidAppearance, kHelpAppearance),
    Accessor("Appearance", kLet, kInt16, kDispidAppearance, kHelpAppearance),
    Accessor("BackColor", kGet, kColor, 0x6803000C, kHelpBackColor),
    Accessor("BackColor", kLet, kColor, 0x6803000C, kHelpBackColor),
    Accessor("BarsWidth", kGet, kInt16, 0x6803000B, kHelpBarsWidth),
    Accessor("BarsWidth", kLet, kInt16, 0x6803000B, kHelpBarsWidth),
    Accessor("BorderStyle", kGet, kInt16, kDispidBorderStyle, kHelpBorderStyle),
    Accessor("BorderStyle", kLet, kInt16, kDispidBorderStyle, kHelpBorderStyle),
    Accessor("Enabled", kGet, kBool16, kDispidEnabled, kHelpEnabled),
    Accessor("Enabled", kLet, kBool16, kDispidEnabled, kHelpEnabled),
    Accessor("MouseIcon", kGet, kPicture, 0x6803000A),
    Accessor("MouseIcon", kSet, kPicture, 0x6803000A),
    Accessor("MousePointer", kGet, kPointer, 0x68030009),
    Accessor("MousePointer", kLet, kPointer, 0x68030009),
    Accessor("MouseScrolling", kGet, kBool16, 0x68030008),
    Accessor("MouseScrolling", kLet, kBool16, 0x68030008),
    Accessor("MouseScrollingIcon", kGet, kPicture, 0x68030007),
    Accessor("MouseScrollingIcon", kSet, kPicture, 0x68030007),
    Accessor("Picture", kGet, kPicture, 0x68030006, kHelpPicture, kPictureFlags),
    Accessor("Picture", kSet, kPicture, 0x68030006, kHelpPicture, kPictureFlags),
    Accessor("PicturePosition", kGet, kPicturePositions, 0x68030005,
             "Returns the picture positions"),
    Accessor("PictureSize", kGet, kPictureSizes, 0x68030004, "Returns the picture sizes"),
    Accessor("ScrollBars", kGet, kScrollBars, 0x68030003, kHelpScrollBars),
    Accessor("ScrollBars", kLet, kScrollBars, 0x68030003, kHelpScrollBars),
    Accessor("ZoomPercent", kGet, kVariant, 0x68030002, "zoom at specified percentange"),
    Method("Clear", 0x60030022, "Clears the current picture"),
    Method("Go", 0x60030023, "Scroll picture in specified direction", kGoParams),
    Method("FeedBest", 0x60030024,
           "Displays the graphic at the optimal viewing size within the control"),
    Accessor(
        "Image", kGet, kPicture, 0x68030001,
        "Returns ahandle to apersistent graphic; the handle is provided by the Microsoft Windows "
        "operating environment."),
    Method("SaveTo", 0x60030025, "Saves the image (specify as jpeg,gif or bmp file)",
           kSaveToParams),
    Method("Scroll", 0x60030026, kHelpScroll, kScrollParams),
    Method("ScrollLoop", 0x60030027, "repeatedly scrolls over", kScrollParams),
    Method("Stretch", 0x60030028, "Fill control with image"),
    Method("ZoomIn", 0x60030029, "zooms in"),
    Method("ZoomOut", 0x6003002A, "zooms out"),
    Method("ZoomReal", 0x6003002B, "zoom 100%"),
    Method("AboutBox", kDispidAboutBox, kHelpAboutBox),
    Accessor("hWnd", kGet, kInt32, 0x68030000,
             "Returns the unique Microsoft Wndows handle to this control"),
};
static_assert(std::size(kMembers) == 38);

constexpr MemberInfo kEvents[] = {
    Method("ButtonClick", 1, "Fired on clicking edge button"),
    Method("Click", 2),
    Method("DblClick", 3),
    Method("KeyDown", 4, {}, kKeyParams),
    Method("KeyPress", 5, {}, kKeyPressParams),
    Method("KeyUp", 6, {}, kKeyParams),
    Method("MouseDown", 7, {}, kMouseParams),
    Method("MouseMove", 8, {}, kMouseParams),
    Method("MouseUp", 9, {}, kMouseParams),
    Method("PictureScrolled", 10, "fired after a scrolling of the graphic occurs"),
    Method("PictureSizeChanged", 11, "fired whenever the picture size changes"),
};

}  // namespace

constexpr InterfaceInfo kPicZoomInterface{"_ZelPicZoom",
                                          Guid::Parse("F0E70F9C-F579-46DE-B40D-CB1302808D39"),
                                          InterfaceKind::Dual,
                                          true,
                                          true,
                                          kMembers};
constexpr InterfaceInfo kPicZoomEvents{"__ZelPicZoom",
                                       Guid::Parse("302F23F9-9618-486D-9946-90C6ED616BDD"),
                                       InterfaceKind::Events,
                                       true,
                                       false,
                                       kEvents};

}  // namespace lumora::typelib_data
