/* Sites through the installed library: frames equal the renderer's, input
 * moves the picture as the control's own scrolling does and reaches the
 * application as the runtime's input tests expect, held buttons and keys go
 * on across pumps, property documents round-trip, ambient facts reach the
 * control, and bad calls give error codes. The renderer's frames of the
 * forms are written by a fixture of this run. */
#include <png.h>
#include <stdlib.h>
#include <string.h>

#include "harness.h"

/* ---- The site's exports, resolved by name ---------------------------------- */

/* clang-format off */
#define SITE_EXPORTS(X) \
  X(Create, LumoraSiteCreate) \
  X(OpenForm, LumoraSiteOpenForm) \
  X(Release, LumoraSiteRelease) \
  X(GetControl, LumoraSiteGetControl) \
  X(Resize, LumoraSiteResize) \
  X(GetSize, LumoraSiteGetSize) \
  X(Draw, LumoraSiteDraw) \
  X(GetGeneration, LumoraSiteGetGeneration) \
  X(SetRedrawCallback, LumoraSiteSetRedrawCallback) \
  X(Mouse, LumoraSiteMouse) \
  X(Wheel, LumoraSiteWheel) \
  X(Key, LumoraSiteKey) \
  X(Focus, LumoraSiteFocus) \
  X(Pump, LumoraPumpMessages) \
  X(Save, LumoraSiteSaveProperties) \
  X(Load, LumoraSiteLoadProperties) \
  X(SetBackColor, LumoraSiteSetBackColor) \
  X(SetDesignMode, LumoraSiteSetDesignMode)
/* clang-format on */
#define DECLARE_EXPORT(field, name) __typeof__(name)* field;
#define RESOLVE_EXPORT(field, name) *(void**)&L.field = Export(#name);

static struct { SITE_EXPORTS(DECLARE_EXPORT) } L;

static void ResolveSite(void) {
  SITE_EXPORTS(RESOLVE_EXPORT)
}

/* ---- Frames ----------------------------------------------------------------- */

typedef struct Frame {
  int32_t width, height;
  uint32_t* pixels; /* 0xAARRGGBB, rows packed */
} Frame;

static Frame Drawn(LumoraSite site) {
  Frame f = {0, 0, NULL};
  CHECK_EQ(L.GetSize(site, &f.width, &f.height), LUMORA_S_OK);
  f.pixels = calloc((size_t)f.width * (size_t)f.height + 1, 4);
  CHECK_EQ(L.Draw(site, f.pixels, f.width, f.height, f.width * 4, NULL), LUMORA_S_OK);
  return f;
}

/* The renderer's frame as `lumora render` wrote it. */
static Frame ReadPng(const char* path) {
  Frame f = {0, 0, NULL};
  png_image image;
  memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path)) {
    fprintf(stderr, "cannot read %s\n", path);
    ++g_Failures;
    return f;
  }
  image.format = PNG_FORMAT_BGRA; /* little-endian 0xAARRGGBB words */
  f.width = (int32_t)image.width;
  f.height = (int32_t)image.height;
  f.pixels = calloc((size_t)f.width * (size_t)f.height + 1, 4);
  CHECK(png_image_finish_read(&image, NULL, f.pixels, 0, NULL));
  return f;
}

/* Whether the part of a at (x, y) of b's size equals b. */
static int SameAt(Frame a, int32_t x, int32_t y, Frame b) {
  if (x + b.width > a.width || y + b.height > a.height) return 0;
  for (int32_t row = 0; row < b.height; ++row)
    if (memcmp(a.pixels + (size_t)(y + row) * a.width + x, b.pixels + (size_t)row * b.width,
               (size_t)b.width * 4) != 0)
      return 0;
  return 1;
}

static int Same(Frame a, Frame b) {
  return a.width == b.width && a.height == b.height && SameAt(a, 0, 0, b);
}

/* ---- Dispatch ---------------------------------------------------------------- */

static LumoraDispatch* ControlOf(LumoraSite site, const char* name) {
  void* object = NULL;
  CHECK_EQ(L.GetControl(site, name, g_Lumora.IID_IDispatch, &object), LUMORA_S_OK);
  return (LumoraDispatch*)object;
}

static LumoraResult PutI2(LumoraDispatch* d, const char* member, int16_t value) {
  LumoraVariant v = VI2(value);
  return Call(d, member, LUMORA_DISPATCH_PROPERTYPUT, 1, &v, NULL, NULL);
}

static void Scroll(LumoraDispatch* d, int32_t direction, int16_t pixels) {
  LumoraVariant args[2] = {VI4(direction), VI2(pixels)};
  CHECK_EQ(Call(d, "Scroll", LUMORA_DISPATCH_METHOD, 2, args, NULL, NULL), LUMORA_S_OK);
}

/* ---- Fixtures ------------------------------------------------------------------ */

static const char* g_picture;

/* The test forms (in the source tree) and the renderer's frames of them. */
static const char* FormPath(const char* name) {
  static char path[4096];
  snprintf(path, sizeof path, "%s/%s", LUMORA_SOURCE_DIR, name);
  return path;
}

static const char* FramePath(const char* name) {
  static char path[4096];
  snprintf(path, sizeof path, "%s/%s", LUMORA_SITE_FRAMES, name);
  return path;
}

/* A picture viewer of width x height showing the large picture. */
static LumoraSite Viewer(int32_t width, int32_t height) {
  LumoraSite site = 0;
  CHECK_EQ(L.Create("ZelPicZoom", width, height, NULL, &site), LUMORA_S_OK);
  LumoraDispatch* zoom = ControlOf(site, NULL);
  LumoraDispatch* picture = NULL;
  CHECK_EQ(g_Lumora.LoadPicture(g_picture, &picture), LUMORA_S_OK);
  LumoraVariant v = VObject(picture);
  CHECK_EQ(Call(zoom, "Picture", LUMORA_DISPATCH_PROPERTYPUTREF, 1, &v, NULL, NULL), LUMORA_S_OK);
  Release(picture);
  Release(zoom);
  return site;
}

/* ---- Tests -------------------------------------------------------------------- */

/* A form file shown through a site draws what the renderer drew for it, and
 * a site holding its first control alone draws that control's part (given by
 * its place in the file, in pixels) where the control draws only itself. */
static void FramesAreTheRenderersFrames(void) {
  static const struct {
    const char* form;
    const char* png;
    int32_t width, height;
    const char* alone;
    int32_t left, top, controlWidth, controlHeight;
  } cases[] = {
      {"examples/forms/viewer.json", "viewer.png", 320, 240, "ZelPicZoom", 8, 8, 304, 180},
      {"tests/module/c_api/forms/container.json", "container.png", 200, 100, NULL, 0, 0, 0, 0},
  };
  for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
    LumoraSite site = 0;
    CHECK_EQ(L.OpenForm(FormPath(cases[i].form), cases[i].width, cases[i].height, &site),
             LUMORA_S_OK);
    Frame drawn = Drawn(site), rendered = ReadPng(FramePath(cases[i].png));
    CHECK(Same(drawn, rendered));
    free(drawn.pixels);
    if (cases[i].alone) {
      char* doc = NULL;
      CHECK_EQ(L.Save(site, &doc), LUMORA_S_OK);
      LumoraSite alone = 0;
      CHECK(L.Create(cases[i].alone, cases[i].controlWidth, cases[i].controlHeight, doc, &alone) ==
            LUMORA_S_OK);
      Frame part = Drawn(alone);
      CHECK(part.width == cases[i].controlWidth && part.height == cases[i].controlHeight);
      CHECK(SameAt(rendered, cases[i].left, cases[i].top, part));
      free(part.pixels);
      g_Lumora.StringFree(doc);
      L.Release(alone);
    }
    free(rendered.pixels);
    L.Release(site);
  }
}

/* A drag through the site moves the picture as Scroll does through dispatch:
 * against the pointer's motion, by as many pixels. */
static void ADragMovesThePictureAsScrollDoes(void) {
  static const struct {
    int32_t dx, dy, hDirection, vDirection;
  } cases[] = {
      {7, -3, sdLeft, sdDown},
      {-12, 5, sdRight, sdcUp},
      {0, -9, sdLeft, sdDown},
  };
  for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
    LumoraSite dragged = Viewer(100, 80), scrolled = Viewer(100, 80);
    LumoraDispatch* zoom = ControlOf(scrolled, NULL);
    /* Both start away from the edges. */
    Scroll(zoom, sdRight, 30);
    Scroll(zoom, sdDown, 30);
    LumoraDispatch* other = ControlOf(dragged, NULL);
    Scroll(other, sdRight, 30);
    Scroll(other, sdDown, 30);
    Frame before = Drawn(dragged);

    CHECK_EQ(L.Mouse(dragged, LUMORA_MOUSE_DOWN, 40, 30, 1, 0), LUMORA_S_OK);
    CHECK(L.Mouse(dragged, LUMORA_MOUSE_MOVE, 40 + cases[i].dx, 30 + cases[i].dy, 1, 0) ==
          LUMORA_S_OK);
    CHECK(L.Mouse(dragged, LUMORA_MOUSE_UP, 40 + cases[i].dx, 30 + cases[i].dy, 1, 0) ==
          LUMORA_S_OK);
    if (cases[i].dx) Scroll(zoom, cases[i].hDirection, (int16_t)abs(cases[i].dx));
    if (cases[i].dy) Scroll(zoom, cases[i].vDirection, (int16_t)abs(cases[i].dy));

    Frame after = Drawn(dragged), expected = Drawn(scrolled);
    CHECK(!Same(before, after));
    CHECK(Same(after, expected));
    free(before.pixels);
    free(after.pixels);
    free(expected.pixels);
    Release(zoom);
    Release(other);
    L.Release(dragged);
    L.Release(scrolled);
  }
}

/* The application hears input through the site as the runtime's own input
 * tests expect: a press reaches MouseDown relative to the picture's corner
 * (the picture scrolled to 10, 20), and clicks, a double-click and a key
 * press are raised once each. */
typedef struct Pressed {
  int16_t button, shift;
  float x, y;
} Pressed;

static void RecordPress(Sink* sink, int32_t dispid, LumoraDispParams* params) {
  if (dispid != LumoraZelPicZoomEvent_MouseDown || params->argCount != 4) return;
  Pressed* p = sink->context; /* arguments by reference, last first */
  p->button = *params->args[3].value.pi2;
  p->shift = *params->args[2].value.pi2;
  p->x = *params->args[1].value.pr4;
  p->y = *params->args[0].value.pr4;
}

static void InputReachesTheApplication(void) {
  LumoraSite site = Viewer(200, 150);
  LumoraDispatch* zoom = ControlOf(site, NULL);
  LumoraVariant corner = VI4(gdTopLeft);
  CHECK_EQ(Call(zoom, "Go", LUMORA_DISPATCH_METHOD, 1, &corner, NULL, NULL), LUMORA_S_OK);
  Scroll(zoom, sdRight, 10);
  Scroll(zoom, sdDown, 20);
  LumoraConnectionPointContainer* container = Query(zoom, g_Lumora.IID_IConnectionPointContainer);
  LumoraConnectionPoint* point = NULL;
  CHECK(container != NULL);
  if (!container) return;
  CHECK_EQ(container->vtbl->FindConnectionPoint(container, g_Lumora.DIID_ZelPicZoomEvents, &point),
           LUMORA_S_OK);
  Pressed pressed = {0, 0, 0, 0};
  Sink sink;
  SinkInit(&sink, NULL, RecordPress, &pressed);
  uint32_t cookie = 0;
  CHECK_EQ(point->vtbl->Advise(point, (LumoraUnknown*)&sink, &cookie), LUMORA_S_OK);

  CHECK_EQ(L.Mouse(site, LUMORA_MOUSE_DOWN, 80, 70, 1, 1), LUMORA_S_OK);
  CHECK(pressed.button == 1 && pressed.shift == 1 && pressed.x == 90 && pressed.y == 90);
  static const int32_t clicks[][2] = {{LUMORA_MOUSE_UP, 1},
                                      {LUMORA_MOUSE_DOWN, 1},
                                      {LUMORA_MOUSE_UP, 1},
                                      {LUMORA_MOUSE_DBLCLICK, 1},
                                      {LUMORA_MOUSE_UP, 1}};
  for (size_t i = 0; i < sizeof clicks / sizeof clicks[0]; ++i)
    CHECK_EQ(L.Mouse(site, clicks[i][0], 80, 70, clicks[i][1], 0), LUMORA_S_OK);
  CHECK_EQ(L.Key(site, LUMORA_KEY_PRESS, 'a', 0), LUMORA_S_OK);
  CHECK_EQ(Heard(&sink, LumoraZelPicZoomEvent_Click), 2);
  CHECK_EQ(Heard(&sink, LumoraZelPicZoomEvent_DblClick), 1);
  CHECK_EQ(Heard(&sink, LumoraZelPicZoomEvent_KeyPress), 1);

  CHECK_EQ(point->vtbl->Unadvise(point, cookie), LUMORA_S_OK);
  Release(point);
  Release(container);
  Release(zoom);
  L.Release(site);
}

/* A held arrow key (on the viewer) and a held scroll button (on the
 * container) go on across pumps until the release, and stop there. */
static void HeldKeysAndButtonsGoOnUntilTheRelease(void) {
  LumoraSite viewer = Viewer(100, 80);
  uint64_t g0 = 0, g1 = 0, g2 = 0, g3 = 0;
  CHECK_EQ(L.GetGeneration(viewer, &g0), LUMORA_S_OK);
  CHECK_EQ(L.Key(viewer, LUMORA_KEY_DOWN, 39, 0), LUMORA_S_OK); /* right arrow */
  CHECK_EQ(L.Pump(5), LUMORA_S_FALSE);
  CHECK_EQ(L.GetGeneration(viewer, &g1), LUMORA_S_OK);
  CHECK(g1 != g0);
  CHECK_EQ(L.Key(viewer, LUMORA_KEY_UP, 39, 0), LUMORA_S_OK);
  CHECK_EQ(L.Pump(5), LUMORA_S_OK);
  CHECK_EQ(L.GetGeneration(viewer, &g2), LUMORA_S_OK);
  CHECK_EQ(L.Pump(5), LUMORA_S_OK);
  CHECK_EQ(L.GetGeneration(viewer, &g3), LUMORA_S_OK);
  CHECK(g3 == g2);
  L.Release(viewer);

  /* The container's down button at its bottom right corner moves the
   * contained button up a twip per pass while held; the button lies far
   * enough below for the loop to outlast any budget here. */
  LumoraSite form = 0;
  CHECK_EQ(L.OpenForm(FormPath("tests/module/c_api/forms/container.json"), 200, 100, &form),
           LUMORA_S_OK);
  LumoraDispatch* deep = ControlOf(form, "cmdDeep");
  const int32_t top = GetI4(deep, "Top");
  CHECK_EQ(L.Mouse(form, LUMORA_MOUSE_DOWN, 195, 92, 1, 0), LUMORA_S_OK);
  CHECK_EQ(L.Pump(5), LUMORA_S_FALSE);
  const int32_t held = GetI4(deep, "Top");
  CHECK(held < top);
  CHECK_EQ(L.Mouse(form, LUMORA_MOUSE_UP, 195, 92, 1, 0), LUMORA_S_OK);
  CHECK_EQ(L.Pump(5), LUMORA_S_OK);
  const int32_t released = GetI4(deep, "Top");
  CHECK_EQ(L.Pump(5), LUMORA_S_OK);
  CHECK(GetI4(deep, "Top") == released);
  Release(deep);
  L.Release(form);
}

/* A saved document makes an equal control: a new site from it, or a fresh
 * site loading it, saves the same document and draws the same frame. */
static void PropertyDocumentsRoundTrip(void) {
  LumoraSite original = Viewer(120, 90);
  LumoraDispatch* zoom = ControlOf(original, NULL);
  CHECK_EQ(PutI2(zoom, "BarsWidth", 21), LUMORA_S_OK);
  CHECK_EQ(PutI2(zoom, "BorderStyle", 1), LUMORA_S_OK);
  Release(zoom);
  char* doc = NULL;
  CHECK_EQ(L.Save(original, &doc), LUMORA_S_OK);
  CHECK(doc && strstr(doc, "\"BarsWidth\"") && strstr(doc, "\"Picture\""));

  LumoraSite made = 0, loaded = 0;
  CHECK_EQ(L.Create("OrvaneLumora.ZelPicZoom", 120, 90, doc, &made), LUMORA_S_OK);
  CHECK_EQ(L.Create("ZelPicZoom", 120, 90, NULL, &loaded), LUMORA_S_OK);
  CHECK_EQ(L.Load(loaded, doc), LUMORA_S_OK);
  Frame expected = Drawn(original);
  const LumoraSite copies[] = {made, loaded};
  for (size_t i = 0; i < 2; ++i) {
    char* again = NULL;
    CHECK_EQ(L.Save(copies[i], &again), LUMORA_S_OK);
    CHECK(again && strcmp(again, doc) == 0);
    g_Lumora.StringFree(again);
    Frame frame = Drawn(copies[i]);
    CHECK(Same(frame, expected));
    free(frame.pixels);
  }
  /* A bad document changes nothing. */
  CHECK_EQ(L.Load(loaded, "{\"BarsWidth\": {\"type\": \"Integer\"}}"), LUMORA_RUNTIME_ERROR(321));
  char* kept = NULL;
  CHECK_EQ(L.Save(loaded, &kept), LUMORA_S_OK);
  CHECK(kept && strcmp(kept, doc) == 0);
  g_Lumora.StringFree(kept);
  free(expected.pixels);
  g_Lumora.StringFree(doc);
  L.Release(original);
  L.Release(made);
  L.Release(loaded);
}

/* A resized site draws as one made at that size: the control fills it. */
static void ResizingSizesTheControl(void) {
  static const char* classes[] = {"ZelPicZoom", "ZelScrollContainer"};
  for (size_t i = 0; i < 2; ++i) {
    LumoraSite resized = 0, made = 0;
    CHECK_EQ(L.Create(classes[i], 60, 40, NULL, &resized), LUMORA_S_OK);
    CHECK_EQ(L.Create(classes[i], 90, 70, NULL, &made), LUMORA_S_OK);
    CHECK_EQ(L.Resize(resized, 90, 70), LUMORA_S_OK);
    Frame a = Drawn(resized), b = Drawn(made);
    CHECK(Same(a, b));
    free(a.pixels);
    free(b.pixels);
    L.Release(resized);
    L.Release(made);
  }
}

/* Appearance is written in design mode only; the back colour shows around
 * the form's controls and a change of it is reported for redrawing. */
static int g_redraws;
static void CountRedraw(void* context, LumoraSite site) {
  (void)site;
  ++*(int*)context;
}

static void AmbientFactsComeFromTheHost(void) {
  static const struct {
    const char* cls;
    int32_t design;
    int16_t value, expected;
  } cases[] = {
      {"ZelPicZoom", 0, 0, 1},
      {"ZelPicZoom", 1, 0, 0},
      {"ZelScrollContainer", 0, 0, 1},
      {"ZelScrollContainer", 1, 0, 0},
  };
  for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
    LumoraSite site = 0;
    CHECK_EQ(L.Create(cases[i].cls, 50, 50, NULL, &site), LUMORA_S_OK);
    CHECK_EQ(L.SetDesignMode(site, cases[i].design), LUMORA_S_OK);
    LumoraDispatch* control = ControlOf(site, NULL);
    CHECK_EQ(PutI2(control, "Appearance", cases[i].value), LUMORA_S_OK);
    CHECK(GetI4(control, "Appearance") == cases[i].expected);
    Release(control);
    L.Release(site);
  }

  LumoraSite form = 0;
  CHECK_EQ(L.OpenForm(FormPath("examples/forms/viewer.json"), 320, 240, &form), LUMORA_S_OK);
  CHECK_EQ(L.SetRedrawCallback(form, CountRedraw, &g_redraws), LUMORA_S_OK);
  Frame before = Drawn(form);
  CHECK_EQ(L.SetBackColor(form, 0x00336699), LUMORA_S_OK);
  CHECK(g_redraws == 1);
  CHECK_EQ(L.SetBackColor(form, 0x00336699), LUMORA_S_OK);
  CHECK(g_redraws == 1);
  Frame after = Drawn(form);
  CHECK(after.pixels[0] == 0xFF996633u && before.pixels[0] != after.pixels[0]);
  free(before.pixels);
  free(after.pixels);
  L.Release(form);
}

/* Bad calls: error codes, nothing else. */
static void BadCallsGiveErrorCodes(void) {
  LumoraSite site = 0, released = 0, out = 0;
  CHECK_EQ(L.Create("ZelPicZoom", 40, 30, NULL, &site), LUMORA_S_OK);
  CHECK_EQ(L.Create("ZelPicZoom", 40, 30, NULL, &released), LUMORA_S_OK);
  CHECK_EQ(L.Release(released), LUMORA_S_OK);
  uint32_t pixels[40 * 30];
  int32_t w = 0;
  char* doc = NULL;
  void* object = NULL;
  const struct {
    LumoraResult got, expected;
    int line;
  } cases[] = {
      {L.Create("Gizmo", 40, 30, NULL, &out), LUMORA_CLASS_E_CLASSNOTAVAILABLE, __LINE__},
      {L.Create(NULL, 40, 30, NULL, &out), LUMORA_E_POINTER, __LINE__},
      {L.Create("ZelPicZoom", 40, 30, NULL, NULL), LUMORA_E_POINTER, __LINE__},
      {L.Create("ZelPicZoom", -1, 30, NULL, &out), LUMORA_E_INVALIDARG, __LINE__},
      {L.Create("ZelPicZoom", 40, 40000, NULL, &out), LUMORA_E_INVALIDARG, __LINE__},
      {L.Create("ZelPicZoom", 40, 30, "not json", &out), LUMORA_RUNTIME_ERROR(321), __LINE__},
      {L.OpenForm("no/such/form.json", 40, 30, &out), LUMORA_RUNTIME_ERROR(53), __LINE__},
      {L.OpenForm(g_picture, 40, 30, &out), LUMORA_RUNTIME_ERROR(321), __LINE__},
      {L.Release(released), LUMORA_E_HANDLE, __LINE__},
      {L.Release(0), LUMORA_E_HANDLE, __LINE__},
      {L.Draw(released, pixels, 40, 30, 160, NULL), LUMORA_E_HANDLE, __LINE__},
      {L.Mouse(released, LUMORA_MOUSE_DOWN, 1, 1, 1, 0), LUMORA_E_HANDLE, __LINE__},
      {L.Key(released, LUMORA_KEY_DOWN, 39, 0), LUMORA_E_HANDLE, __LINE__},
      {L.Save(released, &doc), LUMORA_E_HANDLE, __LINE__},
      {L.GetControl(released, NULL, g_Lumora.IID_IDispatch, &object), LUMORA_E_HANDLE, __LINE__},
      {L.Draw(site, pixels, 40, 29, 160, NULL), LUMORA_E_INVALIDARG, __LINE__},
      {L.Draw(site, pixels, 40, 30, 156, NULL), LUMORA_E_INVALIDARG, __LINE__},
      {L.Draw(site, NULL, 40, 30, 160, NULL), LUMORA_E_POINTER, __LINE__},
      {L.GetSize(site, &w, NULL), LUMORA_E_POINTER, __LINE__},
      {L.Resize(site, 10, -5), LUMORA_E_INVALIDARG, __LINE__},
      {L.Mouse(site, 9, 1, 1, 1, 0), LUMORA_E_INVALIDARG, __LINE__},
      {L.Mouse(site, LUMORA_MOUSE_DOWN, 1, 1, 3, 0), LUMORA_E_INVALIDARG, __LINE__},
      {L.Mouse(site, LUMORA_MOUSE_MOVE, 1, 1, 0, 8), LUMORA_E_INVALIDARG, __LINE__},
      {L.Key(site, LUMORA_KEY_PRESS, 70000, 0), LUMORA_E_INVALIDARG, __LINE__},
      {L.Wheel(site, 1, 1, 120, -1), LUMORA_E_INVALIDARG, __LINE__},
      {L.Save(site, NULL), LUMORA_E_POINTER, __LINE__},
      {L.Load(site, NULL), LUMORA_E_POINTER, __LINE__},
      {L.GetControl(site, NULL, g_Lumora.IID_IDispatch, NULL), LUMORA_E_POINTER, __LINE__},
      {L.GetControl(site, "nothing", g_Lumora.IID_IDispatch, &object), LUMORA_E_INVALIDARG,
       __LINE__},
      {L.GetControl(site, NULL, NULL, &object), LUMORA_E_POINTER, __LINE__},
      {L.SetBackColor(site, 0x80000077), LUMORA_RUNTIME_ERROR(380), __LINE__},
  };
  for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
    if (cases[i].got != cases[i].expected) {
      fprintf(stderr, "line %d: 0x%x, expected 0x%x\n", cases[i].line, (unsigned)cases[i].got,
              (unsigned)cases[i].expected);
      ++g_Failures;
    }
  CHECK(out == 0 && object == NULL && doc == NULL);
  L.Release(site);
}

/* The control handed out outlives its site; the module unloads only after. */
static void AControlOutlivesItsSite(void) {
  LumoraSite site = 0;
  CHECK_EQ(L.Create("ZelScrollContainer", 60, 60, NULL, &site), LUMORA_S_OK);
  void* unknown = NULL;
  LumoraDispatch* control = ControlOf(site, NULL);
  CHECK_EQ(L.GetControl(site, NULL, g_Lumora.IID_IUnknown, &unknown), LUMORA_S_OK);
  CHECK(unknown == (void*)control);
  Release(unknown);
  CHECK_EQ(L.Release(site), LUMORA_S_OK);
  CHECK_EQ(g_Lumora.DllCanUnloadNow(), LUMORA_S_FALSE);
  CHECK_EQ(PutI2(control, "UpperMargin", 90), LUMORA_S_OK);
  CHECK(GetI4(control, "UpperMargin") == 90);
  Release(control);
  CHECK_EQ(g_Lumora.DllCanUnloadNow(), LUMORA_S_OK);
}

int main(int argc, char** argv) {
  LoadModule(argc, argv);
  ResolveSite();
  g_picture = argv[2];
  FramesAreTheRenderersFrames();
  ADragMovesThePictureAsScrollDoes();
  InputReachesTheApplication();
  HeldKeysAndButtonsGoOnUntilTheRelease();
  PropertyDocumentsRoundTrip();
  ResizingSizesTheControl();
  AmbientFactsComeFromTheHost();
  BadCallsGiveErrorCodes();
  AControlOutlivesItsSite();
  CHECK_EQ(g_Lumora.DllCanUnloadNow(), LUMORA_S_OK);
  return Finish();
}
