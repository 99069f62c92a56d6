// The host's lifecycle of a user control: the order of Initialize,
// InitProperties / ReadProperties, Resize, Show, WriteProperties, Terminate.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "platform/controls/picture_box.hpp"
#include "platform/controls/user_control.hpp"
#include "platform/form/form.hpp"
#include "platform/gdi.hpp"
#include "platform/property_bag.hpp"
#include "runtime_fixtures.hpp"

namespace lumora {
namespace {

// Records the lifecycle into a log shared by every control of a test.
class Recorder : public UserControl {
 public:
  Recorder() : UserControl("Recorder", ScaleUnit::Pixels, true) {}
  std::vector<std::string>* shared = nullptr;
  std::vector<std::string> log;
  bool failInitialize = false;
  int32_t margin = 0;
  void Note(const std::string& what) {
    log.push_back(what);
    if (shared) shared->push_back(Name() + "." + what);
  }
  void UserControl_Initialize() override {
    Note("Initialize");
    if (failInitialize) Fail(kErrInvalidCall);
  }
  void UserControl_InitProperties() override { Note("InitProperties"); }
  void UserControl_ReadProperties(PropertyBag& PropBag) override {
    Note("ReadProperties");
    margin = PropBag.ReadProperty("Margin", int32_t{60}).ToInt32();
  }
  void UserControl_Resize() override { Note("Resize"); }
  void UserControl_Show() override { Note("Show"); }
  void UserControl_WriteProperties(PropertyBag& PropBag) override {
    Note("WriteProperties");
    PropBag.WriteProperty("Margin", margin, int32_t{60});
  }
  void UserControl_Terminate() override { Note("Terminate"); }
};

using Strings = std::vector<std::string>;

class LifecycleTest : public testing::RuntimeTest {};

TEST_F(LifecycleTest, NewControlOnAShownForm) {
  auto form = Form::Create("LifeNew");
  form->Show();
  auto rec = form->Add<Recorder>("r1", 0, 0, 1500, 1500);
  EXPECT_EQ(rec->log, (Strings{"Initialize", "InitProperties", "Resize", "Show"}));
  form->Remove(*rec);
  EXPECT_EQ(rec->log.back(), "Terminate");
  EXPECT_EQ(form->Find("r1"), nullptr);
  EXPECT_EQ(rec->ParentForm(), nullptr);
  EXPECT_FAILS_WITH(kErrInvalidCall, form->Remove(*rec));
}

TEST_F(LifecycleTest, LoadedControlReadsItsPropertiesAndIsSavedAgain) {
  auto form = Form::Create("LifeLoaded");
  PropertyBag bag;
  bag.WriteProperty("Margin", int32_t{90});
  auto rec = form->Add<Recorder>("r1", 0, 0, 1500, 1500, nullptr, &bag);
  form->Show();
  EXPECT_EQ(rec->log, (Strings{"Initialize", "ReadProperties", "Resize", "Show"}));
  EXPECT_EQ(rec->margin, 90);
  rec->margin = 60;
  rec->PropertyChanged("Margin");
  EXPECT_TRUE(form->Dirty());
  PropertyBag saved;
  form->SaveControl(*rec, saved);
  EXPECT_EQ(rec->log.back(), "WriteProperties");
  EXPECT_FALSE(saved.Contains("Margin"));  // the default is left out
  EXPECT_FALSE(form->Dirty());
}

TEST_F(LifecycleTest, ShowComesWhenTheFormIsShownAndOnlyOnce) {
  auto form = Form::Create("LifeLater");
  auto rec = form->Add<Recorder>("r1", 0, 0, 1500, 1500);
  EXPECT_EQ(rec->log, (Strings{"Initialize", "InitProperties", "Resize"}));
  form->Show();
  form->Hide();
  form->Show();
  EXPECT_EQ(rec->log, (Strings{"Initialize", "InitProperties", "Resize", "Show"}));
}

TEST_F(LifecycleTest, UnloadTerminatesContainedControlsFirst) {
  auto form = Form::Create("LifeUnload");
  Strings log;
  auto outer = form->Add<Recorder>("outer", 0, 0, 3000, 3000);
  outer->shared = &log;
  auto inner = form->Add<Recorder>("inner", 0, 0, 100, 100, outer.get());
  inner->shared = &log;
  auto last = form->Add<Recorder>("last", 0, 0, 1500, 1500);
  last->shared = &log;
  form->Show();
  log.clear();
  form->Unload();
  EXPECT_EQ(log, (Strings{"last.Terminate", "inner.Terminate", "outer.Terminate"}));
  EXPECT_FALSE(form->IsLoaded());
  EXPECT_FAILS_WITH(kErrInvalidCall, form->Add<Recorder>("again", 0, 0, 1, 1));
  EXPECT_FAILS_WITH(kErrInvalidCall, form->Show());
}

TEST_F(LifecycleTest, AControlThatFailsToStartIsNotLeftPlaced) {
  auto form = Form::Create("LifeFail");
  auto placed = std::make_shared<Recorder>();
  placed->failInitialize = true;
  EXPECT_FAILS_WITH(kErrInvalidCall, form->Place(placed, "bad", 0, 0, 100, 100, nullptr, nullptr));
  EXPECT_EQ(form->Find("bad"), nullptr);
  EXPECT_TRUE(form->Children().empty());
}

// A thread that ends with its forms still loaded tears them down after
// everything they use (device contexts, the message queue) and without harm.
TEST_F(LifecycleTest, FormsLeftLoadedWhenTheThreadEndsAreTornDownSafely) {
  bool drew = false;
  std::thread worker([&] {
    auto form = Form::Create("LeftOpen");
    auto pic = form->Add<PictureBox>("pic", 0, 0, 1500, 1500);
    pic->AutoRedraw(true);
    drew = SetPixel(pic->hDC(), 1, 1, Rgb(1, 2, 3)) != kClrInvalid;
    Post([form] { (void)form; });  // a pending message holding the form
  });
  worker.join();
  EXPECT_TRUE(drew);
}

}  // namespace
}  // namespace lumora
