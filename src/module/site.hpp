// A host's place for the library's controls: a shown headless form of the
// host's size, holding one control that fills it or the controls of a form
// file, drawn into the host's buffer and fed the host's input. The form stays
// loaded while the site or any dispatch pointer to its controls is alive, so
// a pointer handed out never outlives what it points to.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "module/lumora_site.h"
#include "platform/color.hpp"
#include "platform/raster.hpp"

namespace lumora {

class Control;
class Form;
class UserControl;
struct ModuleClass;

class Site {
 public:
  // A site holding a new control of the class, sized width x height pixels.
  // A document (not null) is loaded as the control's stored properties.
  static std::unique_ptr<Site> ForClass(const ModuleClass& cls, int32_t width, int32_t height,
                                        const std::string* document);
  // A site showing the form a form file describes, its client area sized
  // width x height pixels; its control is the first of this library's on it
  // (a form without one: error 321). A bad file fails as reading it does.
  static std::unique_ptr<Site> ForFormFile(const std::string& path, int32_t width, int32_t height);
  Site(std::shared_ptr<Form> form, std::shared_ptr<UserControl> control, bool fills);
  ~Site();
  Site(const Site&) = delete;
  Site& operator=(const Site&) = delete;

  // The dispatch wrapper of the site's control (name empty) or of a control
  // placed on its form (null when there is none); the site keeps a reference.
  LumoraDispatch* Control(std::string_view name = {});
  const std::shared_ptr<Form>& GetForm() const { return m_Form; }

  int32_t Width() const;
  int32_t Height() const;
  void Resize(int32_t width, int32_t height);

  // Renders the form; a frame that differs from the last one starts a new
  // generation. Returns the current generation.
  uint64_t Generation();
  // Copies the current frame into a buffer of the site's size.
  uint64_t Draw(void* pixels, int32_t stride);

  std::string SaveProperties();
  void LoadProperties(std::string_view document);

  void BackColor(OleColor color);
  void DesignMode(bool design);

  // The host's redraw callback, called by Notify when the frame changed.
  void OnRedraw(LumoraSiteRedrawCallback callback, void* context, LumoraSite id);
  bool HasRedrawCallback() const { return m_Callback != nullptr; }
  void Notify();

 private:
  struct Lease;

  std::shared_ptr<Lease> m_Lease;
  std::shared_ptr<Form> m_Form;
  std::shared_ptr<UserControl> m_Control;
  bool m_Fills;  // the control follows the site's size
  // One wrapper per control handed out, so that a control keeps its identity.
  std::map<const lumora::Control*, LumoraDispatch*> m_Wrappers;
  Raster m_Shown;
  Raster m_Next;
  uint64_t m_Generation = 0;
  LumoraSiteRedrawCallback m_Callback = nullptr;
  void* m_Context = nullptr;
  LumoraSite m_Id = 0;
};

}  // namespace lumora
