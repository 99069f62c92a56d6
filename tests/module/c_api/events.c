/* Events through connection points: finding the point, sinks that connect or
 * not, several sinks, advising and unadvising from inside an event, changes
 * to by-reference arguments acted on, and the calls the library refuses. */
#include <stdlib.h>
#include <string.h>

#include "harness.h"

static const char* g_Picture;

enum { kSizeChanged = LumoraZelPicZoomEvent_PictureSizeChanged };

static LumoraConnectionPoint* PointOf(LumoraDispatch* control, const LumoraGuid* events) {
  LumoraConnectionPointContainer* container =
      Query(control, g_Lumora.IID_IConnectionPointContainer);
  CHECK(container != NULL);
  if (!container) return NULL;
  LumoraConnectionPoint* point = NULL;
  CHECK_EQ(container->vtbl->FindConnectionPoint(container, events, &point), LUMORA_S_OK);
  Release(container);
  return point;
}

static void Run(LumoraDispatch* control, const char* method) {
  CHECK_EQ(Call(control, method, LUMORA_DISPATCH_METHOD, 0, NULL, NULL, NULL), LUMORA_S_OK);
}

static void SetPicture(LumoraDispatch* control) {
  LumoraDispatch* picture = NULL;
  CHECK_EQ(g_Lumora.LoadPicture(g_Picture, &picture), LUMORA_S_OK);
  LumoraVariant value = VObject(picture);
  CHECK_EQ(Call(control, "Picture", LUMORA_DISPATCH_PROPERTYPUTREF, 1, &value, NULL, NULL),
           LUMORA_S_OK);
  if (picture) Release(picture);
}

static void FindingThePoint(void) {
  const struct {
    const LumoraGuid* clsid;
    const LumoraGuid* events;
    const LumoraGuid* other;
  } classes[] = {
      {g_Lumora.CLSID_ZelPicZoom, g_Lumora.DIID_ZelPicZoomEvents,
       g_Lumora.DIID_ZelScrollContainerEvents},
      {g_Lumora.CLSID_ZelScrollContainer, g_Lumora.DIID_ZelScrollContainerEvents,
       g_Lumora.DIID_ZelPicZoomEvents},
  };
  for (size_t i = 0; i < sizeof classes / sizeof classes[0]; ++i) {
    LumoraDispatch* control = CreateControl(classes[i].clsid);
    CHECK(control != NULL);
    if (!control) continue;
    LumoraConnectionPointContainer* container =
        Query(control, g_Lumora.IID_IConnectionPointContainer);
    LumoraConnectionPoint* point = NULL;
    CHECK_EQ(container->vtbl->FindConnectionPoint(container, classes[i].other, &point),
             LUMORA_CONNECT_E_NOCONNECTION);
    CHECK(point == NULL);
    CHECK_EQ(container->vtbl->FindConnectionPoint(container, NULL, &point), LUMORA_E_INVALIDARG);
    CHECK_EQ(container->vtbl->FindConnectionPoint(container, classes[i].events, NULL),
             LUMORA_E_POINTER);
    point = PointOf(control, classes[i].events);

    LumoraGuid iid;
    CHECK_EQ(point->vtbl->GetConnectionInterface(point, &iid), LUMORA_S_OK);
    CHECK(SameGuid(&iid, classes[i].events));
    /* The point's container is the control itself. */
    LumoraConnectionPointContainer* back = NULL;
    CHECK_EQ(point->vtbl->GetConnectionPointContainer(point, &back), LUMORA_S_OK);
    LumoraUnknown* identity = Query(back, g_Lumora.IID_IUnknown);
    CHECK(identity == Query(control, g_Lumora.IID_IUnknown));
    Release(identity), Release(identity), Release(back);
    CHECK(Query(point, g_Lumora.IID_IDispatch) == NULL);

    /* The enumerator lists exactly that point. */
    LumoraEnumConnectionPoints* list = NULL;
    CHECK_EQ(container->vtbl->EnumConnectionPoints(container, &list), LUMORA_S_OK);
    LumoraConnectionPoint* listed[2] = {NULL, NULL};
    uint32_t fetched = 9;
    CHECK_EQ(list->vtbl->Next(list, 2, listed, &fetched), LUMORA_S_FALSE);
    CHECK_EQ(fetched, 1);
    CHECK(listed[0] == point);
    CHECK_EQ(list->vtbl->Next(list, 1, listed + 1, NULL), LUMORA_S_FALSE);
    CHECK_EQ(list->vtbl->Reset(list), LUMORA_S_OK);
    CHECK_EQ(list->vtbl->Skip(list, 1), LUMORA_S_OK);
    CHECK_EQ(list->vtbl->Skip(list, 1), LUMORA_S_FALSE);
    LumoraEnumConnectionPoints* copy = NULL;
    CHECK_EQ(list->vtbl->Clone(list, &copy), LUMORA_S_OK);
    CHECK_EQ(copy->vtbl->Next(copy, 1, listed + 1, NULL), LUMORA_S_FALSE);
    Release(copy), Release(list), Release(listed[0]);

    CHECK_EQ(point->vtbl->EnumConnections(point, (void**)&list), LUMORA_E_NOTIMPL);
    Release(point), Release(container);
    CHECK_EQ(Release(control), 0);
  }
  /* Every reference handed out came back. */
  CHECK_EQ(g_Lumora.DllCanUnloadNow(), LUMORA_S_OK);
}

static void SeveralSinks(void) {
  LumoraDispatch* control = CreateControl(g_Lumora.CLSID_ZelPicZoom);
  LumoraConnectionPoint* point = PointOf(control, g_Lumora.DIID_ZelPicZoomEvents);
  const struct {
    const LumoraGuid* answers;
    LumoraResult expected;
  } sinks[] = {
      {NULL, LUMORA_S_OK},
      {g_Lumora.DIID_ZelPicZoomEvents, LUMORA_S_OK},
      {g_Lumora.IID_IClassFactory, LUMORA_CONNECT_E_CANNOTCONNECT},
  };
  enum { kSinks = sizeof sinks / sizeof sinks[0] };
  Sink sink[kSinks];
  uint32_t cookie[kSinks];
  for (int i = 0; i < kSinks; ++i) {
    SinkInit(&sink[i], sinks[i].answers, NULL, NULL);
    CHECK_EQ(point->vtbl->Advise(point, (LumoraUnknown*)&sink[i], &cookie[i]), sinks[i].expected);
    CHECK_EQ(cookie[i] != 0, sinks[i].expected == LUMORA_S_OK);
    CHECK_EQ(sink[i].refs, sinks[i].expected == LUMORA_S_OK ? 2 : 1);
  }
  CHECK(cookie[0] != cookie[1]);

  SetPicture(control);
  Run(control, "ZoomIn");
  CHECK(Heard(&sink[0], kSizeChanged) >= 2);
  CHECK_EQ(sink[1].count, sink[0].count);
  CHECK(memcmp(sink[0].heard, sink[1].heard, sizeof sink[0].heard) == 0);
  CHECK_EQ(sink[2].count, 0);

  const int before = Heard(&sink[1], kSizeChanged);
  CHECK_EQ(point->vtbl->Unadvise(point, cookie[0]), LUMORA_S_OK);
  CHECK_EQ(sink[0].refs, 1);
  CHECK_EQ(point->vtbl->Unadvise(point, cookie[0]), LUMORA_CONNECT_E_NOCONNECTION);
  CHECK_EQ(point->vtbl->Unadvise(point, 0), LUMORA_CONNECT_E_NOCONNECTION);
  const int heardByFirst = sink[0].count;
  Run(control, "ZoomOut");
  CHECK_EQ(sink[0].count, heardByFirst);
  CHECK_EQ(Heard(&sink[1], kSizeChanged), before + 1);

  uint32_t none = 7;
  CHECK_EQ(point->vtbl->Advise(point, NULL, &none), LUMORA_E_POINTER);
  CHECK_EQ(none, 0);
  CHECK_EQ(point->vtbl->Advise(point, (LumoraUnknown*)&sink[0], NULL), LUMORA_E_POINTER);

  /* The control's end lets go of the sink still connected. */
  Release(point);
  CHECK_EQ(Release(control), 0);
  CHECK_EQ(sink[1].refs, 1);
}

/* A sink that, on its first event, unadvises itself and advises another. */
typedef struct Handover {
  LumoraConnectionPoint* point;
  uint32_t cookie;
  Sink* next;
  uint32_t nextCookie;
} Handover;

static void HandOver(Sink* sink, int32_t dispid, LumoraDispParams* params) {
  (void)params;
  Handover* h = sink->context;
  if (h->nextCookie || dispid != kSizeChanged) return;
  CHECK_EQ(h->point->vtbl->Advise(h->point, (LumoraUnknown*)h->next, &h->nextCookie), LUMORA_S_OK);
  CHECK_EQ(h->point->vtbl->Unadvise(h->point, h->cookie), LUMORA_S_OK);
}

static void AdvisingInsideAnEvent(void) {
  LumoraDispatch* control = CreateControl(g_Lumora.CLSID_ZelPicZoom);
  SetPicture(control);
  Handover h = {PointOf(control, g_Lumora.DIID_ZelPicZoomEvents), 0, NULL, 0};
  Sink first, later, next;
  SinkInit(&first, NULL, HandOver, &h);
  SinkInit(&later, NULL, NULL, NULL);
  SinkInit(&next, NULL, NULL, NULL);
  h.next = &next;
  uint32_t laterCookie = 0;
  CHECK_EQ(h.point->vtbl->Advise(h.point, (LumoraUnknown*)&first, &h.cookie), LUMORA_S_OK);
  CHECK_EQ(h.point->vtbl->Advise(h.point, (LumoraUnknown*)&later, &laterCookie), LUMORA_S_OK);

  Run(control, "ZoomIn");
  Run(control, "ZoomIn");
  /* The first sink heard the event it handed over in; the sink it advised
   * hears from the next event on; the later sink heard both. */
  CHECK_EQ(Heard(&first, kSizeChanged), 1);
  CHECK_EQ(first.refs, 1);
  CHECK_EQ(Heard(&later, kSizeChanged), 2);
  CHECK_EQ(Heard(&next, kSizeChanged), 1);
  CHECK_EQ(h.point->vtbl->Unadvise(h.point, h.nextCookie), LUMORA_S_OK);
  CHECK_EQ(next.refs, 1);
  Release(h.point);
  CHECK_EQ(Release(control), 0);
  CHECK_EQ(later.refs, 1);
}

/* ---- By reference, through a site's input --------------------------------- */

/* A sink that zeroes the first argument of one event (when asked) and counts
 * how often it saw that argument as a reference to an int16. */
typedef struct Tamper {
  int32_t event;
  int zero;
  int byRef;
} Tamper;

static void ZeroFirstArgument(Sink* sink, int32_t dispid, LumoraDispParams* params) {
  Tamper* t = sink->context;
  if (dispid != t->event || params->argCount == 0) return;
  LumoraVariant* first = &params->args[params->argCount - 1]; /* passed last first */
  if (first->vt != (LUMORA_VT_BYREF | LUMORA_VT_I2)) return;
  ++t->byRef;
  if (t->zero) *first->value.pi2 = 0;
}

typedef struct Site {
  LumoraResult (*Create)(const char*, int32_t, int32_t, const char*, LumoraSite*);
  LumoraResult (*Release)(LumoraSite);
  LumoraResult (*GetControl)(LumoraSite, const char*, const LumoraGuid*, void**);
  LumoraResult (*Mouse)(LumoraSite, int32_t, int32_t, int32_t, int32_t, int32_t);
  LumoraResult (*Key)(LumoraSite, int32_t, int32_t, int32_t);
  LumoraResult (*Focus)(LumoraSite, int32_t);
  LumoraResult (*Pump)(uint32_t);
} Site;

static void HoldRightArrow(const Site* s, LumoraSite site) {
  s->Key(site, LUMORA_KEY_DOWN, 39, 0);
  s->Pump(30);
  s->Key(site, LUMORA_KEY_UP, 39, 0);
  s->Pump(30);
}

static void DragLeftUp(const Site* s, LumoraSite site) {
  s->Mouse(site, LUMORA_MOUSE_DOWN, 160, 120, 1, 0);
  s->Mouse(site, LUMORA_MOUSE_MOVE, 100, 80, 1, 0);
  s->Mouse(site, LUMORA_MOUSE_MOVE, 60, 40, 1, 0);
  s->Mouse(site, LUMORA_MOUSE_UP, 60, 40, 1, 0);
  s->Pump(30);
}

/* A sink that zeroes KeyCode stops the arrow-key scrolling; one that zeroes
 * Button in MouseMove stops the drag. Left alone, both scroll. */
static void ByReference(void) {
  Site s;
  *(void**)&s.Create = Export("LumoraSiteCreate");
  *(void**)&s.Release = Export("LumoraSiteRelease");
  *(void**)&s.GetControl = Export("LumoraSiteGetControl");
  *(void**)&s.Mouse = Export("LumoraSiteMouse");
  *(void**)&s.Key = Export("LumoraSiteKey");
  *(void**)&s.Focus = Export("LumoraSiteFocus");
  *(void**)&s.Pump = Export("LumoraPumpMessages");
  const struct {
    const char* what;
    int32_t event;
    void (*input)(const Site*, LumoraSite);
  } cases[] = {
      {"KeyDown's KeyCode", LumoraZelPicZoomEvent_KeyDown, HoldRightArrow},
      {"MouseMove's Button", LumoraZelPicZoomEvent_MouseMove, DragLeftUp},
  };
  for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
    for (int zero = 0; zero <= 1; ++zero) {
      LumoraSite site = 0;
      CHECK_EQ(s.Create("ZelPicZoom", 320, 240, NULL, &site), LUMORA_S_OK);
      LumoraDispatch* control = NULL;
      CHECK_EQ(s.GetControl(site, NULL, g_Lumora.IID_IDispatch, (void**)&control), LUMORA_S_OK);
      if (!control) continue;
      SetPicture(control);
      s.Focus(site, 1);
      LumoraConnectionPoint* point = PointOf(control, g_Lumora.DIID_ZelPicZoomEvents);
      Tamper t = {cases[i].event, zero, 0};
      Sink sink;
      SinkInit(&sink, NULL, ZeroFirstArgument, &t);
      uint32_t cookie = 0;
      CHECK_EQ(point->vtbl->Advise(point, (LumoraUnknown*)&sink, &cookie), LUMORA_S_OK);
      cases[i].input(&s, site);
      const int scrolled = Heard(&sink, LumoraZelPicZoomEvent_PictureScrolled);
      if (t.byRef == 0 || (zero ? scrolled != 0 : scrolled == 0)) {
        fprintf(stderr, "%s%s: seen by reference %d times, %d PictureScrolled\n",
                zero ? "zeroing " : "leaving ", cases[i].what, t.byRef, scrolled);
        ++g_Failures;
      }
      point->vtbl->Unadvise(point, cookie);
      Release(point);
      Release(control);
      CHECK_EQ(s.Release(site), LUMORA_S_OK);
    }
  }
}

int main(int argc, char** argv) {
  LoadModule(argc, argv);
  if (argc < 3) {
    fprintf(stderr, "usage: %s LIBRARY PICTURE\n", argv[0]);
    return 2;
  }
  g_Picture = argv[2];
  FindingThePoint();
  SeveralSinks();
  AdvisingInsideAnEvent();
  ByReference();
  return Finish();
}
