/* The controls' dual interfaces: each slot of the function table does what
 * the member does through Invoke, reads, writes and methods alike. */
#include <string.h>

#include "harness.h"

enum { kMaxValues = 4 };

/* A slot's read as numbers: the value, a picture's Handle, a record's fields. */
typedef LumoraResult (*SlotRead)(LumoraDispatch* d, double out[kMaxValues]);

#define READ_NUMBER(Iface, Member, T, As)                                       \
  static LumoraResult Read_##Iface##_##Member(LumoraDispatch* d, double* out) { \
    Lumora##Iface* x = (Lumora##Iface*)d;                                       \
    T v = 0;                                                                    \
    const LumoraResult r = x->vtbl->get_##Member(x, &v);                        \
    out[0] = (As)v;                                                             \
    return r;                                                                   \
  }

#define READ_PICTURE(Iface, Member)                                             \
  static LumoraResult Read_##Iface##_##Member(LumoraDispatch* d, double* out) { \
    Lumora##Iface* x = (Lumora##Iface*)d;                                       \
    LumoraDispatch* p = NULL;                                                   \
    const LumoraResult r = x->vtbl->get_##Member(x, &p);                        \
    out[0] = p ? GetNumber(p, "Handle") : 0;                                    \
    if (p) Release(p);                                                          \
    return r;                                                                   \
  }

READ_NUMBER(ZelPicZoom, Appearance, int16_t, int16_t)
READ_NUMBER(ZelPicZoom, BackColor, uint32_t, int32_t)
READ_NUMBER(ZelPicZoom, BarsWidth, int16_t, int16_t)
READ_NUMBER(ZelPicZoom, BorderStyle, int16_t, int16_t)
READ_NUMBER(ZelPicZoom, Enabled, int16_t, int16_t)
READ_NUMBER(ZelPicZoom, MousePointer, int32_t, int32_t)
READ_NUMBER(ZelPicZoom, MouseScrolling, int16_t, int16_t)
READ_NUMBER(ZelPicZoom, ScrollBars, LumoraScrollBars, int32_t)
READ_NUMBER(ZelPicZoom, hWnd, int32_t, int32_t)
READ_PICTURE(ZelPicZoom, MouseIcon)
READ_PICTURE(ZelPicZoom, MouseScrollingIcon)
READ_PICTURE(ZelPicZoom, Picture)
READ_PICTURE(ZelPicZoom, Image)
READ_NUMBER(ZelScrollContainer, UpperMargin, int32_t, int32_t)
READ_NUMBER(ZelScrollContainer, LowerMargin, int32_t, int32_t)
READ_NUMBER(ZelScrollContainer, BackColor, uint32_t, int32_t)
READ_NUMBER(ZelScrollContainer, Appearance, int16_t, int16_t)
READ_NUMBER(ZelScrollContainer, BorderStyle, int16_t, int16_t)
READ_NUMBER(ZelScrollContainer, BackStyle, int16_t, int16_t)
READ_NUMBER(ZelScrollContainer, ContainerHwnd, int32_t, int32_t)
READ_NUMBER(ZelScrollContainer, Enabled, int16_t, int16_t)
READ_NUMBER(ZelScrollContainer, hWnd, int32_t, int32_t)

static LumoraResult Read_ZelPicZoom_ZoomPercent(LumoraDispatch* d, double* out) {
  LumoraZelPicZoom* x = (LumoraZelPicZoom*)d;
  LumoraVariant v;
  const LumoraResult r = x->vtbl->get_ZoomPercent(x, &v);
  out[0] = Number(&v);
  g_Lumora.VariantClear(&v);
  return r;
}

static LumoraResult Read_ZelPicZoom_PicturePosition(LumoraDispatch* d, double* out) {
  LumoraZelPicZoom* x = (LumoraZelPicZoom*)d;
  LumoraPicturePositions p;
  const LumoraResult r = x->vtbl->get_PicturePosition(x, &p);
  out[0] = p.ppTop, out[1] = p.ppBottom, out[2] = p.ppLeft, out[3] = p.ppRight;
  return r;
}

static LumoraResult Read_ZelPicZoom_PictureSize(LumoraDispatch* d, double* out) {
  LumoraZelPicZoom* x = (LumoraZelPicZoom*)d;
  LumoraPictureSizes s;
  const LumoraResult r = x->vtbl->get_PictureSize(x, &s);
  out[0] = s.psWidth, out[1] = s.psHeight;
  return r;
}

typedef struct Reading {
  const char* member;
  SlotRead slot;
  int fresh; /* a new picture each read: only whether there is one counts */
  const char* fields[kMaxValues + 1]; /* a record's, null-ended; none: a value or a picture */
} Reading;

#define PZ(Member) #Member, Read_ZelPicZoom_##Member, 0
#define PZ_FRESH(Member) #Member, Read_ZelPicZoom_##Member, 1
#define SC(Member) #Member, Read_ZelScrollContainer_##Member, 0

static const Reading kPicZoomReads[] = {
    {PZ(Appearance), {0}},
    {PZ(BackColor), {0}},
    {PZ(BarsWidth), {0}},
    {PZ(BorderStyle), {0}},
    {PZ(Enabled), {0}},
    {PZ(MouseIcon), {0}},
    {PZ(MousePointer), {0}},
    {PZ(MouseScrolling), {0}},
    {PZ(MouseScrollingIcon), {0}},
    {PZ(Picture), {0}},
    {PZ(PicturePosition), {"ppTop", "ppBottom", "ppLeft", "ppRight", NULL}},
    {PZ(PictureSize), {"psWidth", "psHeight", NULL}},
    {PZ(ScrollBars), {0}},
    {PZ(ZoomPercent), {0}},
    {PZ_FRESH(Image), {0}},
    {PZ(hWnd), {0}},
};

static const Reading kScrollContainerReads[] = {
    {SC(UpperMargin), {0}},   {SC(LowerMargin), {0}}, {SC(BackColor), {0}},
    {SC(Appearance), {0}},    {SC(BorderStyle), {0}}, {SC(BackStyle), {0}},
    {SC(ContainerHwnd), {0}}, {SC(Enabled), {0}},     {SC(hWnd), {0}},
};

/* The same read through Invoke, as numbers. */
static void InvokeRead(LumoraDispatch* d, const Reading* r, double out[kMaxValues]) {
  LumoraVariant v = {0};
  CHECK_EQ(Call(d, r->member, LUMORA_DISPATCH_PROPERTYGET, 0, NULL, &v, NULL), LUMORA_S_OK);
  if (v.vt != LUMORA_VT_DISPATCH) {
    out[0] = Number(&v);
  } else if (!r->fields[0]) {
    out[0] = v.value.dispatch ? GetNumber(v.value.dispatch, "Handle") : 0;
  } else {
    for (int i = 0; r->fields[i]; ++i) out[i] = GetNumber(v.value.dispatch, r->fields[i]);
  }
  g_Lumora.VariantClear(&v);
}

static void ReadsAgree(LumoraDispatch* d, const Reading* reads, size_t count, const char* when) {
  for (size_t i = 0; i < count; ++i) {
    double bySlot[kMaxValues] = {0}, byInvoke[kMaxValues] = {0};
    CHECK_EQ(reads[i].slot(d, bySlot), LUMORA_S_OK);
    InvokeRead(d, &reads[i], byInvoke);
    if (reads[i].fresh) bySlot[0] = bySlot[0] != 0, byInvoke[0] = byInvoke[0] != 0;
    if (memcmp(bySlot, byInvoke, sizeof bySlot) != 0) {
      fprintf(stderr, "%s, %s: slot gives %g %g %g %g, Invoke %g %g %g %g\n", when, reads[i].member,
              bySlot[0], bySlot[1], bySlot[2], bySlot[3], byInvoke[0], byInvoke[1], byInvoke[2],
              byInvoke[3]);
      ++g_Failures;
    }
  }
}

/* ---- Writes and methods ------------------------------------------------- */

enum { kMaxReads = 16 };
typedef double Snapshot[kMaxReads][kMaxValues];

static void Snap(LumoraDispatch* d, const Reading* reads, size_t count, Snapshot out) {
  memset(out, 0, sizeof(Snapshot));
  for (size_t k = 0; k < count && k < kMaxReads; ++k) {
    reads[k].slot(d, out[k]);
    if (reads[k].fresh) out[k][0] = out[k][0] != 0;
  }
}

/* One change made through a slot and, from the same start, through Invoke:
 * both return the same and leave the same state. */
typedef struct Change {
  const char* what;
  LumoraResult (*slot)(LumoraDispatch* d);
  const char* member;
  uint16_t flags;
  uint32_t count;
  LumoraVariant args[2];
  int changes; /* the change shows in the reads */
} Change;

#define PZ_CALL(Name, ...)                      \
  static LumoraResult Name(LumoraDispatch* d) { \
    LumoraZelPicZoom* x = (LumoraZelPicZoom*)d; \
    return __VA_ARGS__;                         \
  }
#define SC_CALL(Name, ...)                                      \
  static LumoraResult Name(LumoraDispatch* d) {                 \
    LumoraZelScrollContainer* x = (LumoraZelScrollContainer*)d; \
    return __VA_ARGS__;                                         \
  }

static LumoraGoDirection g_Direction;
static LumoraScrollDirection g_ScrollDirection;
static int16_t g_Step;

PZ_CALL(PutBarsWidth, x->vtbl->put_BarsWidth(x, 31))
PZ_CALL(PutBackColor, x->vtbl->put_BackColor(x, 0x8000000Fu))
PZ_CALL(PutAppearance, x->vtbl->put_Appearance(x, 0))
PZ_CALL(PutScrollBars, x->vtbl->put_ScrollBars(x, sbNone))
PZ_CALL(PutEnabled, x->vtbl->put_Enabled(x, 0))
PZ_CALL(ZoomIn, x->vtbl->ZoomIn(x))
PZ_CALL(FeedBest, x->vtbl->FeedBest(x))
PZ_CALL(GoBottomRight, (g_Direction = gdBottomRight, x->vtbl->Go(x, &g_Direction)))
PZ_CALL(ScrollUp,
        (g_ScrollDirection = sdcUp, g_Step = 1000, x->vtbl->Scroll(x, &g_ScrollDirection, &g_Step)))
SC_CALL(PutUpperMargin, x->vtbl->put_UpperMargin(x, 90))
SC_CALL(PutContainerColor, x->vtbl->put_BackColor(x, 0x00FF00))
SC_CALL(PutBackStyle, x->vtbl->put_BackStyle(x, 0))
SC_CALL(PutContainerAppearance, x->vtbl->put_Appearance(x, 0))
SC_CALL(Refresh, x->vtbl->Refresh(x))
SC_CALL(PaintNothing, x->vtbl->PaintPicture(x, NULL, 0, 0, VMissing(), VMissing(), VMissing(),
                                            VMissing(), VMissing(), VMissing(), VMissing()))

static const LumoraVariant kNone = {0};

static void ChangesAgree(LumoraDispatch* d, void (*reset)(LumoraDispatch*), const Change* changes,
                         size_t count, const Reading* reads, size_t readCount) {
  for (size_t i = 0; i < count; ++i) {
    const Change* c = &changes[i];
    Snapshot before, bySlot, byInvoke;
    reset(d);
    Snap(d, reads, readCount, before);
    const LumoraResult slotResult = c->slot(d);
    Snap(d, reads, readCount, bySlot);
    reset(d);
    LumoraVariant args[2];
    memcpy(args, c->args, sizeof args);
    const LumoraResult invokeResult = CallLikeSlot(d, c->member, c->flags, c->count, args, NULL);
    Snap(d, reads, readCount, byInvoke);
    if (slotResult != invokeResult) {
      fprintf(stderr, "%s: slot returns 0x%08X, Invoke 0x%08X\n", c->what, (unsigned)slotResult,
              (unsigned)invokeResult);
      ++g_Failures;
    }
    for (size_t k = 0; k < readCount && k < kMaxReads; ++k) {
      if (memcmp(bySlot[k], byInvoke[k], sizeof bySlot[k]) != 0) {
        fprintf(stderr, "%s: %s is %g after the slot, %g after Invoke\n", c->what, reads[k].member,
                bySlot[k][0], byInvoke[k][0]);
        ++g_Failures;
      }
    }
    if (c->changes && memcmp(before, bySlot, sizeof before) == 0) {
      fprintf(stderr, "%s: changed nothing\n", c->what);
      ++g_Failures;
    }
  }
}

static void ResetPicZoom(LumoraDispatch* d) {
  LumoraVariant v[] = {VI2(17), VI4(0), VI2(-1), VI4(0x8000000F), VI4(gdCenter)};
  Call(d, "BarsWidth", LUMORA_DISPATCH_PROPERTYPUT, 1, &v[0], NULL, NULL);
  Call(d, "ScrollBars", LUMORA_DISPATCH_PROPERTYPUT, 1, &v[1], NULL, NULL);
  Call(d, "Enabled", LUMORA_DISPATCH_PROPERTYPUT, 1, &v[2], NULL, NULL);
  Call(d, "BackColor", LUMORA_DISPATCH_PROPERTYPUT, 1, &v[3], NULL, NULL);
  Call(d, "ZoomReal", LUMORA_DISPATCH_METHOD, 0, NULL, NULL, NULL);
  Call(d, "Go", LUMORA_DISPATCH_METHOD, 1, &v[4], NULL, NULL);
}

static void ResetScrollContainer(LumoraDispatch* d) {
  LumoraVariant v[] = {VI4(60), VI4(0x8000000F), VI2(1)};
  Call(d, "UpperMargin", LUMORA_DISPATCH_PROPERTYPUT, 1, &v[0], NULL, NULL);
  Call(d, "BackColor", LUMORA_DISPATCH_PROPERTYPUT, 1, &v[1], NULL, NULL);
  Call(d, "BackStyle", LUMORA_DISPATCH_PROPERTYPUT, 1, &v[2], NULL, NULL);
}

#define PUT LUMORA_DISPATCH_PROPERTYPUT
#define METHOD LUMORA_DISPATCH_METHOD

static void PicZoom(const char* picturePath) {
  LumoraDispatch* d = CreateControl(g_Lumora.CLSID_ZelPicZoom);
  CHECK(d != NULL);
  if (!d) return;
  LumoraZelPicZoom* z = Query(d, g_Lumora.IID_ZelPicZoom);
  CHECK((void*)z == (void*)d); /* one table answers both */
  LumoraDispatch* picture = NULL;
  CHECK_EQ(g_Lumora.LoadPicture(picturePath, &picture), LUMORA_S_OK);
  CHECK_EQ(z->vtbl->putref_Picture(z, picture), LUMORA_S_OK);
  const size_t reads = sizeof kPicZoomReads / sizeof kPicZoomReads[0];
  ReadsAgree(d, kPicZoomReads, reads, "with a picture");

  const Change changes[] = {
      {"BarsWidth", PutBarsWidth, "BarsWidth", PUT, 1, {VI2(31)}, 1},
      {"BackColor", PutBackColor, "BackColor", PUT, 1, {VI4((int32_t)0x8000000F)}, 0},
      {"Appearance at run time", PutAppearance, "Appearance", PUT, 1, {VI2(0)}, 0},
      {"ScrollBars", PutScrollBars, "ScrollBars", PUT, 1, {VI4(sbNone)}, 1},
      {"Enabled", PutEnabled, "Enabled", PUT, 1, {VI2(0)}, 1},
      {"ZoomIn", ZoomIn, "ZoomIn", METHOD, 0, {kNone}, 1},
      {"FeedBest", FeedBest, "FeedBest", METHOD, 0, {kNone}, 1},
      {"Go", GoBottomRight, "Go", METHOD, 1, {VI4(gdBottomRight)}, 1},
      {"Scroll", ScrollUp, "Scroll", METHOD, 2, {VI4(sdcUp), VI2(1000)}, 1},
  };
  ChangesAgree(d, ResetPicZoom, changes, sizeof changes / sizeof changes[0], kPicZoomReads, reads);
  ReadsAgree(d, kPicZoomReads, reads, "after the changes");

  /* Bad calls: nowhere to put a value, nothing to pass by reference. */
  CHECK_EQ(z->vtbl->get_BarsWidth(z, NULL), LUMORA_E_POINTER);
  CHECK_EQ(z->vtbl->Go(z, NULL), LUMORA_E_POINTER);
  CHECK(Query(d, g_Lumora.IID_ZelScrollContainer) == NULL);
  CHECK_EQ(z->vtbl->putref_Picture(z, NULL), LUMORA_S_OK);
  double handle[kMaxValues] = {1};
  CHECK_EQ(Read_ZelPicZoom_Picture(d, handle), LUMORA_S_OK);
  CHECK_EQ(handle[0], 0);

  Release(picture);
  Release(z);
  CHECK_EQ(Release(d), 0);
}

static void ScrollContainer(void) {
  LumoraDispatch* d = CreateControl(g_Lumora.CLSID_ZelScrollContainer);
  CHECK(d != NULL);
  if (!d) return;
  CHECK(Query(d, g_Lumora.IID_ZelScrollContainer) == (void*)d);
  Release(d);
  const size_t reads = sizeof kScrollContainerReads / sizeof kScrollContainerReads[0];
  ReadsAgree(d, kScrollContainerReads, reads, "new");
  const Change changes[] = {
      {"UpperMargin", PutUpperMargin, "UpperMargin", PUT, 1, {VI4(90)}, 1},
      {"BackColor", PutContainerColor, "BackColor", PUT, 1, {VI4(0x00FF00)}, 1},
      {"BackStyle", PutBackStyle, "BackStyle", PUT, 1, {VI2(0)}, 1},
      {"Appearance at run time", PutContainerAppearance, "Appearance", PUT, 1, {VI2(0)}, 0},
      {"Refresh", Refresh, "Refresh", METHOD, 0, {kNone}, 0},
  };
  ChangesAgree(d, ResetScrollContainer, changes, sizeof changes / sizeof changes[0],
               kScrollContainerReads, reads);
  /* Optional arguments left out, the picture Nothing: errors are ignored. */
  CHECK_EQ(PaintNothing(d), LUMORA_S_OK);
  CHECK_EQ(Release(d), 0);
}

int main(int argc, char** argv) {
  LoadModule(argc, argv);
  if (argc < 3) {
    fprintf(stderr, "usage: %s LIBRARY PICTURE\n", argv[0]);
    return 2;
  }
  PicZoom(argv[2]);
  ScrollContainer();
  CHECK_EQ(g_Lumora.DllCanUnloadNow(), LUMORA_S_OK);
  return Finish();
}
