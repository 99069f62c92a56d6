// The headless renderer: a form and every visible control on it drawn into an
// RGBA frame (what a presenter shows), or written as PNG.
#pragma once

#include <string>

#include "platform/raster.hpp"
#include "platform/render/canvas.hpp"

namespace lumora {

class Container;
class Control;
class Form;

// The form's client area: its background, then each visible control in
// z-order (bottom first), each clipped to its container's client area.
Raster RenderForm(const Form& form);
// The same into an existing frame, resized only when the client size changed
// (a presenter redraws into one buffer).
void RenderFormInto(const Form& form, Raster& frame);
// RenderForm written as PNG, atomically (file errors 75/76).
void RenderFormPng(const Form& form, const std::string& path);

// Draws one control and its children onto a canvas laid over the form's
// client area (origin at the client area's top-left), within clip.
void DrawControlTree(Canvas& formCanvas, const Control& control, const CanvasRect& clip);
// Draws a container's visible children within clip in z-order, bottom first:
// the order the form's hit-testing uses, so what is drawn on top gets the pointer.
void DrawChildren(Canvas& formCanvas, const Container& container, const CanvasRect& clip);

// Makes the controls on this thread measure text (Label.AutoSize) with the
// renderer's font instead of the runtime's estimate. Hosts that show or
// render forms call it once at start-up.
void UseRendererTextMetrics();

}  // namespace lumora
