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
  PicturePtr Picture() const { return nullptr; }
  void Picture(int16_t) {}  // published as an object assignment
  void Clear() {}
  void Scroll(ScrollDirection&) {}  // published with two parameters
};

TEST(InterfaceBindings, TheCheckReportsEachKindOfDrift) {
  const DispatchTable table = Bindings<Drifted>(PicZoomInterface())
                                  .Property("BarsWidth", &Drifted::BarsWidth, &Drifted::BarsWidth)
                                  .Method("Go", &Drifted::Go)
                                  .Property("Picture", &Drifted::Picture, &Drifted::Picture)
                                  .Method("clear", &Drifted::Clear)
                                  .Method("Clear", &Drifted::Clear)
                                  .Method("Scroll", &Drifted::Scroll)
                                  .Build();
  const ::testing::AssertionResult r = BindingsMatchInterface(table);
  ASSERT_FALSE(r);
  const std::string message = r.message();
  for (const char* expected : {
           "slot 4 BarsWidth (get): declared () -> int16, bound () -> int32",
           "slot 5 BarsWidth (let): declared (int16) -> none, bound (int32) -> none",
           "slot 26 Go (method): declared (GoDirection&) -> none, bound (GoDirection) -> none",
           "slot 19 Picture (set): not bound",
           "'Picture' (let) is bound but not declared",
           "slot 25 Clear (method): bound as 'clear'",
           "'Clear' (method) is bound twice",
           "slot 0 Appearance (get): not bound",
       })
    EXPECT_NE(message.find(expected), std::string::npos) << expected << "\n" << message;

  // A call through a binding with too few parameters fails instead of crashing.
  Drifted drifted;
  Variant args[] = {Variant(int32_t{0}), Variant(int16_t{1})};
  const Failure f = FailureOf([&] { table.CallMethod(drifted, "Scroll", args); });
  EXPECT_EQ(f.Number(), 450);
  EXPECT_NE(f.Description().find("implementation of 'Scroll' takes 1 argument"), std::string::npos)
      << f.Description();
}

}  // namespace
}  // namespace lumora
