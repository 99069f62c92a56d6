// A small class bound to an interface of its own, for the dispatch tests.
#pragma once

#include <string>
#include <vector>

#include "frame/dispatch.hpp"
#include "frame/records.hpp"
#include "platform/color.hpp"
#include "platform/object.hpp"

namespace lumora::testing_widget {

const InterfaceInfo& WidgetInterface();

class Widget : public Object, public Dispatchable {
 public:
  std::string TypeName() const override { return "Widget"; }
  static const DispatchTable& Dispatch();
  const DispatchTable& DispatchInfo() const override { return Dispatch(); }
  // Late-bound access by name goes through the table, as in the controls.
  Variant GetProperty(std::string_view name) override;
  void SetProperty(std::string_view name, const Variant& value) override;
  Variant CallMethod(std::string_view name, std::span<Variant> args) override;

  int16_t Width() const { return m_Width; }
  void Width(int16_t value);  // negative values fail with 380
  int32_t Count() const { return m_Count; }
  PicturePtr Picture() const { return m_Picture; }
  void Picture(PicturePtr value) { m_Picture = std::move(value); }
  OleColor Color() const { return m_Color; }
  void Color(OleColor value) { m_Color = value; }
  std::string Title() const { return m_Title; }
  void Title(const std::string& value) { m_Title = value; }
  PicturePositions Position() const { return m_Position; }

  // Remembers the direction; a corner is turned into gdCenter for the caller.
  void Go(GoDirection& Direction);
  void Paint(PicturePtr Picture, float X1, const Variant& Width1, const Variant& Opcode);
  void Rename(std::string& Name) { Name += " (renamed)"; }
  void Swap(Variant& A, Variant& B) { std::swap(A, B); }
  void Refresh() { ++m_Refreshes; }

  // State the tests inspect.
  int16_t m_Width = 10;
  int32_t m_Count = 3;
  PicturePtr m_Picture;
  OleColor m_Color = 0;
  std::string m_Title;
  PicturePositions m_Position;
  std::vector<GoDirection> m_Gone;
  std::vector<Variant> m_Painted;
  int m_Refreshes = 0;
};

}  // namespace lumora::testing_widget
