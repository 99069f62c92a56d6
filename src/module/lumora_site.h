/* Sites of libOrvaneLumora: a control shown in a host's own buffer, drawn
 * on request and driven by the host's input. lumora_module.h includes this
 * header; either may be included first. */
#ifndef ORVANE_LUMORA_SITE_H
#define ORVANE_LUMORA_SITE_H

#include "lumora_module.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Sites ----------------------------------------------------------------
 * A site is a host's place for a control: the host gives it a size in pixels
 * (the control fills it), has it drawn into the host's own buffer, feeds it
 * pointer, key and focus input, and pumps the thread's messages. Sites are
 * numbered: a number that names no live site of the calling thread (never
 * made, released, another thread's) gives LUMORA_E_HANDLE. A runtime error n
 * gives LUMORA_RUNTIME_ERROR(n). The control's dispatch pointer stays valid
 * after its site is released; the control then lives on, unseen, until the
 * last reference goes. */
typedef uint32_t LumoraSite;
#define LUMORA_E_HANDLE ((LumoraResult)0x80070006)

/* A site of width x height pixels (0 to 32767) holding a new control of the
 * class ("ZelPicZoom", "ZelScrollContainer" or the programmatic name);
 * LUMORA_CLASS_E_CLASSNOTAVAILABLE for any other. properties is null for a
 * new control, else a property document (see LumoraSiteSaveProperties) the
 * control loads itself from. The site runs the application: see
 * LumoraSiteSetDesignMode. */
LUMORA_EXPORT LumoraResult LumoraSiteCreate(const char* className, int32_t width, int32_t height,
                                            const char* properties, LumoraSite* site);
/* A site showing the form a form file describes (the format `lumora render`
 * reads), its client area width x height pixels; the controls keep the
 * places the file gives them. Its control is the first of this library's on
 * the form. A missing file gives LUMORA_RUNTIME_ERROR(53), a bad one (or one
 * without a control of this library) LUMORA_RUNTIME_ERROR(321). */
LUMORA_EXPORT LumoraResult LumoraSiteOpenForm(const char* path, int32_t width, int32_t height,
                                              LumoraSite* site);
/* Releases the site: its form is unloaded once no dispatch pointer to one of
 * its controls is left either. */
LUMORA_EXPORT LumoraResult LumoraSiteRelease(LumoraSite site);
/* The site's control (name null) or the control of that name on its form,
 * as IUnknown, IDispatch or its class's default interface; the caller
 * releases it. A name the form does not know: LUMORA_E_INVALIDARG. */
LUMORA_EXPORT LumoraResult LumoraSiteGetControl(LumoraSite site, const char* name,
                                                const LumoraGuid* iid, void** object);
/* A site holding one control sizes the control with it. */
LUMORA_EXPORT LumoraResult LumoraSiteResize(LumoraSite site, int32_t width, int32_t height);
LUMORA_EXPORT LumoraResult LumoraSiteGetSize(LumoraSite site, int32_t* width, int32_t* height);

/* Drawing. Pixels are 32-bit words 0xAARRGGBB in the machine's byte order
 * (bytes B, G, R, A on little-endian machines), opaque, rows top to bottom,
 * stride bytes apart (at least 4 x width). The buffer must have the site's
 * size. generation (may be null) receives the generation drawn. */
LUMORA_EXPORT LumoraResult LumoraSiteDraw(LumoraSite site, void* pixels, int32_t width,
                                          int32_t height, int32_t stride, uint64_t* generation);
/* A number that changes whenever what the site shows has changed: a host
 * redraws when it differs from the generation it drew last. */
LUMORA_EXPORT LumoraResult LumoraSiteGetGeneration(LumoraSite site, uint64_t* generation);
/* Called (on the site's thread) after an input, pump or ambient call that
 * changed what the site shows; null for none. */
typedef void (*LumoraSiteRedrawCallback)(void* context, LumoraSite site);
LUMORA_EXPORT LumoraResult LumoraSiteSetRedrawCallback(LumoraSite site,
                                                       LumoraSiteRedrawCallback callback,
                                                       void* context);

/* Input, in pixels of the site. Buttons: 1 left, 2 right, 4 middle (one
 * button for down and up, those held for move); shift: 1 Shift, 2 Ctrl,
 * 4 Alt. Keys are key codes (37 to 40 the arrow keys, 9 Tab, 13 Enter, 65 to
 * 90 letters); LUMORA_KEY_PRESS takes a character code. Each call queues the
 * input and pumps with no time budget: the input is handled, and a handler
 * that goes on yielding while a button or key is held is continued by
 * LumoraPumpMessages. */
#define LUMORA_MOUSE_MOVE 0
#define LUMORA_MOUSE_DOWN 1
#define LUMORA_MOUSE_UP 2
#define LUMORA_MOUSE_DBLCLICK 3
#define LUMORA_KEY_DOWN 0
#define LUMORA_KEY_UP 1
#define LUMORA_KEY_PRESS 2
LUMORA_EXPORT LumoraResult LumoraSiteMouse(LumoraSite site, int32_t action, int32_t x, int32_t y,
                                           int32_t buttons, int32_t shift);
/* delta: positive away from the user, 120 a notch. */
LUMORA_EXPORT LumoraResult LumoraSiteWheel(LumoraSite site, int32_t x, int32_t y, int32_t delta,
                                           int32_t shift);
LUMORA_EXPORT LumoraResult LumoraSiteKey(LumoraSite site, int32_t action, int32_t key,
                                         int32_t shift);
/* The host's window got (non-zero) or lost the input focus. */
LUMORA_EXPORT LumoraResult LumoraSiteFocus(LumoraSite site, int32_t focused);
/* Dispatches the thread's pending messages and continues held loops for at
 * most budgetMs milliseconds: LUMORA_S_OK when nothing is left to do,
 * LUMORA_S_FALSE while a handler still waits for a release (pump again). */
LUMORA_EXPORT LumoraResult LumoraPumpMessages(uint32_t budgetMs);

/* The control's properties as a property document: the JSON object a form
 * file stores for a control, e.g. {"BarsWidth": {"type": "Integer",
 * "value": 20}}; keys at their default are left out. Saving frees the
 * caller's string with LumoraStringFree. A document that is no property bag
 * gives LUMORA_RUNTIME_ERROR(321) and changes nothing. */
LUMORA_EXPORT LumoraResult LumoraSiteSaveProperties(LumoraSite site, char** document);
LUMORA_EXPORT LumoraResult LumoraSiteLoadProperties(LumoraSite site, const char* document);

/* Ambient facts. The back colour shows where the control does not paint (an
 * OLE colour: 0x00BBGGRR, or a system colour with the top bit set). In design
 * mode (non-zero) the control's design-time properties (Appearance) may be
 * written; while the application runs (the default) they refuse writes. */
LUMORA_EXPORT LumoraResult LumoraSiteSetBackColor(LumoraSite site, uint32_t color);
LUMORA_EXPORT LumoraResult LumoraSiteSetDesignMode(LumoraSite site, int32_t design);

#ifdef __cplusplus
}
#endif

#endif /* ORVANE_LUMORA_SITE_H */
