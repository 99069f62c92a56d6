#include "module/site.hpp"

#include <cstring>
#include <exception>
#include <optional>
#include <vector>

#include "forms/form_file.hpp"
#include "module/com_support.hpp"
#include "module/dispatch_object.hpp"
#include "module/module_classes.hpp"
#include "platform/controls/user_control.hpp"
#include "platform/errors.hpp"
#include "platform/file_io.hpp"
#include "platform/form/form.hpp"
#include "platform/numeric.hpp"
#include "platform/property_bag.hpp"
#include "platform/render/render_form.hpp"

namespace lumora {

namespace {

std::string NewFormName() {
  thread_local int64_t g_Forms = 0;
  return "OrvaneLumoraHostSite" + std::to_string(++g_Forms);
}

// A stored document is the design the host saved: it loads as at design
// time, so that run mode refuses only what the application's code writes.
class LoadingDesign {
 public:
  explicit LoadingDesign(Form& form) : m_Form(form), m_Mode(form.Mode()) {
    form.Mode(HostMode::Any);
  }
  ~LoadingDesign() { m_Form.Mode(m_Mode); }
  LoadingDesign(const LoadingDesign&) = delete;
  LoadingDesign& operator=(const LoadingDesign&) = delete;

 private:
  Form& m_Form;
  HostMode m_Mode;
};

// Unloads a form being made for a site unless the site came to hold it.
class UnloadUnlessKept {
 public:
  explicit UnloadUnlessKept(std::shared_ptr<Form> form) : m_Form(std::move(form)) {}
  ~UnloadUnlessKept() {
    if (std::uncaught_exceptions() > m_Exceptions) Step([&] { m_Form->Unload(); });
  }
  UnloadUnlessKept(const UnloadUnlessKept&) = delete;
  UnloadUnlessKept& operator=(const UnloadUnlessKept&) = delete;

 private:
  std::shared_ptr<Form> m_Form;
  int m_Exceptions = std::uncaught_exceptions();
};

}  // namespace

// Shared by the site and the control's dispatch wrapper: the last owner
// unloads the form.
struct Site::Lease {
  std::shared_ptr<Form> form;
  explicit Lease(std::shared_ptr<Form> f) : form(std::move(f)) { ObjectCreated(); }
  ~Lease() {
    try {
      form->Unload();
    } catch (...) {
      // Terminate ignores its own errors; nothing may escape a release.
    }
    ObjectDestroyed();
  }
  Lease(const Lease&) = delete;
  Lease& operator=(const Lease&) = delete;
};

std::unique_ptr<Site> Site::ForClass(const ModuleClass& cls, int32_t width, int32_t height,
                                     const std::string* document) {
  std::optional<PropertyBag> bag;
  if (document) bag = PropertyBag::FromJsonText(*document);
  const std::shared_ptr<Form> form = Form::Create(NewFormName(), width, height);
  const UnloadUnlessKept unload(form);
  const std::shared_ptr<UserControl> control = cls.create();
  {
    const LoadingDesign loading(*form);
    form->Place(control, std::string(cls.info->name) + "1", 0, 0, float{kTwipsPerPixel} * width,
                float{kTwipsPerPixel} * height, nullptr, bag ? &*bag : nullptr);
  }
  return std::make_unique<Site>(form, control, true);
}

std::unique_ptr<Site> Site::ForFormFile(const std::string& path, int32_t width, int32_t height) {
  const std::vector<uint8_t> bytes = ReadFileBytes(path);
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  std::shared_ptr<Form> form;
  try {
    form = BuildForm(ParseFormFile(text, path), path, NewFormName());
  } catch (const FormFileError& error) {
    Fail(kErrInvalidFileFormat, error.what());
  }
  const UnloadUnlessKept unload(form);
  std::shared_ptr<UserControl> control;
  for (const ControlPtr& placed : form->Controls())
    if (auto uc = std::dynamic_pointer_cast<UserControl>(placed); uc && !control) control = uc;
  if (!control) Fail(kErrInvalidFileFormat, path + ": no control of this library on the form");
  form->ResizeClient(width, height);
  return std::make_unique<Site>(form, control, false);
}

Site::Site(std::shared_ptr<Form> form, std::shared_ptr<UserControl> control, bool fills)
    : m_Lease(std::make_shared<Lease>(form)),
      m_Form(std::move(form)),
      m_Control(std::move(control)),
      m_Fills(fills) {
  m_Form->Mode(HostMode::Run);
  m_Form->Show(0);
}

Site::~Site() {
  for (const auto& [control, wrapper] : m_Wrappers) wrapper->vtbl->Release(wrapper);
}

LumoraDispatch* Site::Control(std::string_view name) {
  const ControlPtr control = name.empty()         ? ControlPtr(m_Control)
                             : m_Form->Find(name) ? m_Form->Find(name)->Shared()
                                                  : nullptr;
  if (!control) return nullptr;
  LumoraDispatch*& wrapper = m_Wrappers[control.get()];
  // The wrapper points at the control and keeps the form's lease.
  if (!wrapper) wrapper = DispatchObject::Wrap(ObjectPtr(m_Lease, control.get()));
  return wrapper;
}

int32_t Site::Width() const {
  return m_Form->ClientWidth();
}

int32_t Site::Height() const {
  return m_Form->ClientHeight();
}

void Site::Resize(int32_t width, int32_t height) {
  m_Form->ResizeClient(width, height);
  if (m_Fills)
    m_Control->Move(0, 0.0f, float{kTwipsPerPixel} * width, float{kTwipsPerPixel} * height);
}

uint64_t Site::Generation() {
  RenderFormInto(*m_Form, m_Next);
  if (m_Generation == 0 || m_Next != m_Shown) {
    std::swap(m_Shown, m_Next);
    ++m_Generation;
  }
  return m_Generation;
}

uint64_t Site::Draw(void* pixels, int32_t stride) {
  const uint64_t generation = Generation();
  auto* row = static_cast<unsigned char*>(pixels);
  const size_t bytes = static_cast<size_t>(m_Shown.Width()) * 4;
  for (int32_t y = 0; y < m_Shown.Height(); ++y, row += stride)
    std::memcpy(row, m_Shown.Row(y), bytes);
  return generation;
}

std::string Site::SaveProperties() {
  PropertyBag bag;
  m_Form->SaveControl(*m_Control, bag);
  return bag.ToJsonText();
}

void Site::LoadProperties(std::string_view document) {
  PropertyBag bag = PropertyBag::FromJsonText(document);
  const LoadingDesign loading(*m_Form);
  m_Control->UserControl_ReadProperties(bag);
  m_Control->UserControl_Resize();
}

void Site::BackColor(OleColor color) {
  m_Form->BackColor(color);
}

void Site::DesignMode(bool design) {
  m_Form->Mode(design ? HostMode::Design : HostMode::Run);
}

void Site::OnRedraw(LumoraSiteRedrawCallback callback, void* context, LumoraSite id) {
  m_Callback = callback;
  m_Context = context;
  m_Id = id;
  if (callback) Generation();  // the host draws from here on
}

void Site::Notify() {
  if (!m_Callback) return;
  const uint64_t before = m_Generation;
  if (Generation() != before) m_Callback(m_Context, m_Id);
}

}  // namespace lumora
