// Input routing of the form: event order of clicks and double-clicks,
// capture from press to release, hit-testing, coordinates in each control's
// own scale; focus: Tab order through user controls and containers,
// GotFocus and LostFocus, user controls that take the focus themselves.
#include <gtest/gtest.h>

#include "platform/controls/command_button.hpp"
#include "platform/controls/label.hpp"
#include "platform/controls/picture_box.hpp"
#include "platform/controls/scroll_bar.hpp"
#include "platform/controls/text_box.hpp"
#include "platform/controls/user_control.hpp"
#include "runtime_fixtures.hpp"

namespace lumora::testing {
namespace {

// A container in twips with one constituent picture box in its top-left
// corner; it logs the pointer events of its own surface.
class Panel : public UserControl {
 public:
  Panel() : UserControl("Panel", ScaleUnit::Twips, true) {
    cover = AddConstituent<PictureBox>("cover");
    cover->BorderStyle(0);
    cover->Move(0, 0, 600, 600);
  }
  std::shared_ptr<PictureBox> cover;
  Strings log;
  float lastX = -1;
  float lastY = -1;
  void UserControl_MouseDown(int16_t& Button, int16_t&, float& X, float& Y) override {
    log.push_back("MouseDown " + std::to_string(Button));
    lastX = X;
    lastY = Y;
  }
  void UserControl_MouseUp(int16_t&, int16_t&, float&, float&) override {
    log.push_back("MouseUp");
  }
  void UserControl_Click() override { log.push_back("Click"); }
  void UserControl_DblClick() override { log.push_back("DblClick"); }
};

using InputTest = FormTest;

TEST_F(InputTest, ClickAndDoubleClickOrder) {
  auto pic = form->Add<PictureBox>("pic", 1500, 750, 1500, 1500);  // 100,50 100x100 px
  auto other = form->Add<CommandButton>("other", 4500, 0, 900, 450);
  form->Show();
  other->SetFocus();
  auto log = EventLog::On({pic.get(), other.get()});

  form->Click(120, 70);
  EXPECT_EQ(log->entries, (Strings{"other.LostFocus", "pic.GotFocus", "pic.MouseDown",
                                   "pic.MouseUp", "pic.Click"}));
  log->entries.clear();
  form->DoubleClick(120, 70);
  EXPECT_EQ(log->entries,
            (Strings{"pic.MouseDown", "pic.MouseUp", "pic.Click", "pic.DblClick", "pic.MouseUp"}));
  // A double-click message on another control than the last click is a press.
  log->entries.clear();
  form->Click(310, 10);
  form->Dispatch(Message::Mouse(MessageKind::DblClick, form, 120, 70, kLeftButton));
  form->MouseUp(120, 70);
  EXPECT_EQ(log->entries, (Strings{"pic.LostFocus", "other.GotFocus", "other.MouseDown",
                                   "other.MouseUp", "other.Click", "other.LostFocus",
                                   "pic.GotFocus", "pic.MouseDown", "pic.MouseUp", "pic.Click"}));
}

TEST_F(InputTest, ReleaseReachesThePressedControlEvenWhenDisabledOrHidden) {
  auto button = form->Add<CommandButton>("cmd", 0, 0, 1500, 750);  // 100 x 50 px
  auto below = form->Add<PictureBox>("below", 0, 1500, 1500, 1500);
  form->Show();
  auto log = EventLog::On({button.get(), below.get()});
  float upX = 0;
  button->MouseDown.Connect([&](int16_t&, int16_t&, float&, float&) { button->Enabled(false); });
  button->MouseUp.Connect([&](int16_t&, int16_t&, float& X, float&) { upX = X; });

  form->MouseDown(10, 10);
  form->MouseMove(20, 150);  // over `below`, but the button holds the pointer
  form->MouseUp(30, 150);
  // (Showing the form focused the button, the first in Tab order.)
  EXPECT_EQ(log->entries,
            (Strings{"cmd.MouseDown", "cmd.LostFocus", "cmd.MouseMove", "cmd.MouseUp"}));
  EXPECT_FLOAT_EQ(upX, 30 * 15);  // relative to the button, in the form's twips
  EXPECT_EQ(form->Capture(), nullptr);

  // Hidden during the press: the release still arrives, but no Click.
  button->Enabled(true);
  button->MouseDown.DisconnectAll();
  button->MouseDown.Connect([&](int16_t&, int16_t&, float&, float&) { button->Visible(false); });
  log->entries.clear();
  form->Click(10, 10);
  EXPECT_EQ(log->entries,
            (Strings{"cmd.GotFocus", "cmd.MouseDown", "cmd.LostFocus", "cmd.MouseUp"}));
}

TEST_F(InputTest, CoordinatesAreInEachControlsOwnScale) {
  auto pic = form->Add<PictureBox>("pic", 1500, 750, 1500, 1500);  // 3D border: 2 px
  auto label = form->Add<Label>("lbl", 0, 3000, 1500, 300);        // at 0,200 px
  auto panel = form->Add<Panel>("panel", 3000, 0, 1500, 1500);     // at 200,0 px
  form->Show();
  float x = -1, y = -1;
  pic->MouseDown.Connect([&](int16_t&, int16_t&, float& X, float& Y) { x = X, y = Y; });
  form->Click(110, 60);
  EXPECT_EQ(std::pair(x, y), std::pair(8.0f, 8.0f));  // client-area pixels, inside the border
  pic->ScaleHeight(50);  // the 96-pixel client height now stands for 50 units
  form->Click(110, 100);
  EXPECT_FLOAT_EQ(y, 48 * 50.0f / 96);

  label->MouseDown.Connect([&](int16_t&, int16_t&, float& X, float& Y) { x = X, y = Y; });
  form->Click(5, 203);
  EXPECT_EQ(std::pair(x, y), std::pair(75.0f, 45.0f));  // the container's twips, from the label

  form->MouseDown(250, 60);  // the panel's surface, outside its constituent
  EXPECT_EQ(std::pair(panel->lastX, panel->lastY), std::pair(50 * 15.0f, 60 * 15.0f));
  form->MouseUp(250, 60);
  EXPECT_EQ(panel->log, (Strings{"MouseDown 1", "MouseUp", "Click"}));
}

TEST_F(InputTest, HitTestFindsTheTopmostControlThatTakesInput) {
  auto back = form->Add<PictureBox>("back", 0, 0, 3000, 3000);
  auto label = form->Add<Label>("lbl", 0, 0, 1500, 1500);
  auto button = form->Add<CommandButton>("cmd", 1500, 0, 1500, 1500);
  form->Show();
  EXPECT_EQ(form->HitTest(10, 10), label.get());
  label->Enabled(false);  // windowless and disabled: the point goes through
  EXPECT_EQ(form->HitTest(10, 10), back.get());
  button->Enabled(false);  // windowed and disabled: the point is absorbed
  EXPECT_EQ(form->HitTest(110, 10), nullptr);
  EXPECT_EQ(form->ControlAt(110, 10), button.get());
  button->Enabled(true);
  EXPECT_EQ(form->HitTest(110, 10), button.get());
  button->ZOrder(1);  // behind the picture box
  EXPECT_EQ(form->HitTest(110, 10), back.get());
  EXPECT_EQ(form->HitTest(250, 250), nullptr);  // the form itself
  EXPECT_EQ(form->HitTest(-1, 5), nullptr);
}

TEST_F(InputTest, GenericSinksRunFirstAndTypedHandlersSeeTheirChanges) {
  auto pic = form->Add<PictureBox>("pic", 0, 0, 1500, 1500);
  form->Show();
  auto log = EventLog::On({pic.get()});
  log->edit = [](std::string_view name, std::span<Variant> args) {
    if (name == "MouseMove") args[0] = int16_t{7};
  };
  int16_t seen = 0;
  pic->MouseMove.Connect([&](int16_t& Button, int16_t&, float&, float&) {
    seen = Button;
    Button = 9;
  });
  form->MouseMove(10, 10, kLeftButton);
  EXPECT_EQ(seen, 7);
}

class Column : public UserControl {
 public:
  Column() : UserControl("Column", ScaleUnit::Twips, true) {
    bar = AddConstituent<PictureBox>("bar");
    bar->Move(0, 0, 300, 300);
  }
  std::shared_ptr<PictureBox> bar;
  Strings log;
  void UserControl_EnterFocus() override { log.push_back("EnterFocus"); }
  void UserControl_ExitFocus() override { log.push_back("ExitFocus"); }
};

// A user control with nothing focusable inside takes the focus itself.
class Plain : public UserControl {
 public:
  Plain() : UserControl("Plain", ScaleUnit::Pixels, false) {}
  Strings log;
  void UserControl_GotFocus() override { log.push_back("GotFocus"); }
  void UserControl_LostFocus() override { log.push_back("LostFocus"); }
};

using FocusTest = FormTest;

std::vector<std::string> Names(const std::vector<Control*>& controls) {
  std::vector<std::string> names;
  for (Control* c : controls) names.push_back(c->Name());
  return names;
}

TEST_F(FocusTest, TabWalksSiblingsByTabIndexAndDescendsIntoContainers) {
  auto last = form->Add<TextBox>("last", 0, 0, 900, 300);
  auto first = form->Add<CommandButton>("first", 0, 600, 900, 300);
  auto column = form->Add<Column>("col", 3000, 0, 2000, 6000);
  std::vector<std::shared_ptr<TextBox>> rows;
  for (int i = 0; i < 3; ++i)
    rows.push_back(
        form->Add<TextBox>("row" + std::to_string(i), 0, 600.0f * (i + 1), 900, 300, column.get()));
  form->Add<Label>("caption", 0, 1200, 900, 300);
  auto disabled = form->Add<TextBox>("off", 0, 1800, 900, 300);
  disabled->Enabled(false);
  auto hidden = form->Add<TextBox>("hidden", 0, 2400, 900, 300);
  hidden->Visible(false);
  rows[0]->TabIndex(5);  // within the column: row1, row2, row0
  first->TabIndex(0);
  column->TabIndex(1);
  last->TabIndex(9);
  form->Show();

  EXPECT_EQ(Names(form->TabOrder()), (Strings{"first", "bar", "row1", "row2", "row0", "last"}));
  EXPECT_EQ(form->ActiveControl(), first.get());  // showing focuses the first
  auto log = EventLog::On({first.get(), column->bar.get(), rows[1].get(), last.get()});
  form->KeyDown(kKeyTab);
  form->KeyDown(kKeyTab);
  EXPECT_EQ(form->ActiveControl(), rows[1].get());
  EXPECT_EQ(log->entries,
            (Strings{"first.LostFocus", "bar.GotFocus", "bar.LostFocus", "row1.GotFocus"}));
  EXPECT_EQ(column->log, (Strings{"EnterFocus"}));     // still inside while on row1
  for (int i = 0; i < 4; ++i) form->KeyDown(kKeyTab);  // row2, row0, last, first
  EXPECT_EQ(form->ActiveControl(), first.get());       // wrapped round
  EXPECT_EQ(column->log, (Strings{"EnterFocus", "ExitFocus"}));
  form->KeyDown(kKeyTab, kShiftMask);
  EXPECT_EQ(form->ActiveControl(), last.get());
}

TEST_F(FocusTest, AUserControlWithoutFocusableConstituentsTakesTheFocusItself) {
  auto plain = form->Add<Plain>("plain", 0, 0, 1500, 1500);
  auto box = form->Add<TextBox>("box", 0, 1500, 900, 300);
  form->Show();
  EXPECT_EQ(form->ActiveControl(), plain.get());
  form->KeyDown(kKeyTab);
  EXPECT_EQ(form->ActiveControl(), box.get());
  EXPECT_EQ(plain->log, (Strings{"GotFocus", "LostFocus"}));
  // Keys go to the focused control only.
  auto log = EventLog::On({box.get()});
  form->TypeKey('A');
  EXPECT_EQ(box->Text(), "a");
  EXPECT_EQ(log->entries, (Strings{"box.KeyDown", "box.KeyPress", "box.Change", "box.KeyUp"}));
}

}  // namespace
}  // namespace lumora::testing
