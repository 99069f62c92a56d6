// The host's lifecycle of a user control: the order of Initialize,
// InitProperties / ReadProperties, Resize, Show, WriteProperties, Terminate.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/controls/picture_box.hpp"
#include "platform/controls/user_control.hpp"
#include "platform/form/form.hpp"

namespace lumora {
namespace {

class Recorder : public UserControl {
 public:
  Recorder() : UserControl("Recorder", ScaleUnit::Pixels, false) {}
  std::vector<std::string> log;
  void UserControl_Initialize() override { log.push_back("Initialize"); }
  void UserControl_InitProperties() override { log.push_back("InitProperties"); }
  void UserControl_ReadProperties(PropertyBag&) override { log.push_back("ReadProperties"); }
  void UserControl_Resize() override { log.push_back("Resize"); }
  void UserControl_Show() override { log.push_back("Show"); }
  void UserControl_WriteProperties(PropertyBag&) override { log.push_back("WriteProperties"); }
  void UserControl_Terminate() override { log.push_back("Terminate"); }
};

TEST(Lifecycle, NewControlOnAShownForm) {
  auto form = Form::Create("LifeNew");
  form->Show();
  auto rec = form->Add<Recorder>("r1", 0, 0, 1500, 1500);
  EXPECT_EQ(rec->log, (std::vector<std::string>{"Initialize", "InitProperties", "Resize", "Show"}));
  form->Remove(*rec);
  EXPECT_EQ(rec->log.back(), "Terminate");
  form->Unload();
}

}  // namespace
}  // namespace lumora
