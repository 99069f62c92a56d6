// Classes bound to the real interfaces with drifted members: the check that
// the controls' own tables pass catches each way a table can drift.
#include <gtest/gtest.h>

#include "frame/binding.hpp"
#include "frame/binding_check.hpp"
#include "platform/picture/picture.hpp"
#include "support/error_of.hpp"

namespace lumora {
namespace {

// A class whose members drifted away from the published interface.
struct Drifted : Object {
  std::string TypeName() const override { return "Drifted"; }
  int32_t BarsWidth() const { return 0; }  // published as int16
  void BarsWidth(int32_t) {}
  void Go(GoDirection) {}  // published by reference
  int32_t hWnd() const { return 0; }
  void hWnd(int32_t) {}  // published read-only
  PicturePtr Picture() const { return nullptr; }
  void Picture(int16_t) {}  // published as an object assignment
  void Nope() {}
  void Clear() {}
};

TEST(InterfaceBindings, TheCheckReportsEachKindOfDrift) {
  const DispatchTable table = Bindings<Drifted>(PicZoomInterface())
                                  .Property("BarsWidth", &Drifted::BarsWidth, &Drifted::BarsWidth)
                                  .Method("Go", &Drifted::Go)
                                  .Property("hWnd", &Drifted::hWnd, &Drifted::hWnd)
                                  .Property("Picture", &Drifted::Picture, &Drifted::Picture)
                                  .Method("Nope", &Drifted::Nope)
                                  .Method("clear", &Drifted::Clear)
                                  .Method("Clear", &Drifted::Clear)
                                  .Build();
  const ::testing::AssertionResult r = BindingsMatchInterface(table);
  ASSERT_FALSE(r);
  const std::string message = r.message();
  for (const char* expected : {
           "slot 4 BarsWidth (get): declared () -> int16, bound () -> int32",
           "slot 5 BarsWidth (let): declared (int16) -> none, bound (int32) -> none",
           "slot 26 Go (method): declared (GoDirection&) -> none, bound (GoDirection) -> none",
           "'hWnd' (let) is bound but not declared",
           "slot 19 Picture (set): not bound",
           "'Picture' (let) is bound but not declared",
           "'Nope' (method) is bound but not declared",
           "slot 25 Clear (method): bound as 'clear'",
           "'Clear' (method) is bound twice",
           "slot 0 Appearance (get): not bound",
       })
    EXPECT_NE(message.find(expected), std::string::npos) << expected << "\n" << message;
}

TEST(InterfaceBindings, ADriftedArgumentCountFailsInsteadOfCrashing) {
  struct Short : Object {
    std::string TypeName() const override { return "Short"; }
    void Scroll(ScrollDirection&) {}  // published with two parameters
  } shortOne;
  const DispatchTable table =
      Bindings<Short>(PicZoomInterface()).Method("Scroll", &Short::Scroll).Build();
  Variant args[] = {Variant(int32_t{0}), Variant(int16_t{1})};
  const Failure f = FailureOf([&] { table.CallMethod(shortOne, "Scroll", args); });
  EXPECT_EQ(f.Number(), 450);
  EXPECT_NE(f.Description().find("implementation of 'Scroll' takes 1 argument"), std::string::npos)
      << f.Description();
}

}  // namespace
}  // namespace lumora
