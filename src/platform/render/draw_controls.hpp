// How each built-in control class looks. Every function draws one control on
// a canvas whose origin is the control's outer top-left pixel (children are
// drawn afterwards by the form renderer, clipped to the control's client area).
#pragma once

#include <string_view>

#include "platform/render/canvas.hpp"
#include "platform/render/text.hpp"

namespace lumora {

class CheckBox;
class CommandButton;
class ImageControl;
class Label;
class PictureBox;
class ScrollBar;
class TextBox;
class UserControl;

void DrawUserControl(Canvas& canvas, const UserControl& control);
void DrawPictureBox(Canvas& canvas, const PictureBox& box);
void DrawImage(Canvas& canvas, const ImageControl& image);
void DrawScrollBar(Canvas& canvas, const ScrollBar& bar);
void DrawCommandButton(Canvas& canvas, const CommandButton& button);
void DrawLabel(Canvas& canvas, const Label& label);
void DrawTextBox(Canvas& canvas, const TextBox& box);
void DrawCheckBox(Canvas& canvas, const CheckBox& box);

// Text as enabled controls show it, or embossed (a highlight copy one pixel
// down and right under grey text) as disabled controls show it.
void DrawControlText(Canvas& canvas, const CanvasRect& box, std::string_view text, TextStyle style,
                     bool enabled);

// Direction an arrow glyph points to.
enum class ArrowDirection { Left, Right, Up, Down };
// A filled arrow triangle centred in r, embossed when disabled.
void DrawArrowGlyph(Canvas& canvas, const CanvasRect& r, ArrowDirection direction, bool enabled);

}  // namespace lumora
