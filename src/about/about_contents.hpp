// What the About box says: the product's title, the maker's contacts and the
// description with the ownership notice. Fixed at design time.
#pragma once

#include <string_view>

namespace lumora {

inline constexpr std::string_view kAboutCaption = "Orvane Lumora ActiveX Control";
inline constexpr std::string_view kAboutWebAddress = "https://lumora.orvane.example";
inline constexpr std::string_view kAboutMailAddress = "lumora@orvane.example";
// The description, a run of blanks that pushes the notice onto lines of its
// own in the wrapped label, then the ownership notice with the postal address.
inline constexpr std::string_view kAboutInfo =
    "Orvane Lumora puts a scrollable container and a zoomable, scrollable picture box on your "
    "forms."
    "                                                            "
    "Orvane Lumora is the property of Orvane Software Ltd, 27 Harrow Quay, Lindenport LP4 9RX, "
    "United Kingdom. All rights reserved.";

}  // namespace lumora
