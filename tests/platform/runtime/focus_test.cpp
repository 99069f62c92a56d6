// Focus: Tab order through user controls and containers, GotFocus and
// LostFocus, SetFocus refusals, focus handed on from a GotFocus handler.
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

using Strings = std::vector<std::string>;

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

class FocusTest : public RuntimeTest {
 protected:
  std::shared_ptr<Form> form = Form::Create("FocusForm", 640, 480);
};

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

TEST_F(FocusTest, SetFocusFailsWhenTheControlCannotTakeIt) {
  auto box = form->Add<TextBox>("box", 0, 0, 900, 300);
  auto label = form->Add<Label>("lbl", 0, 600, 900, 300);
  EXPECT_FAILS_WITH(kErrInvalidCall, box->SetFocus());  // the form is not shown yet
  form->Show();
  EXPECT_FAILS_WITH(kErrInvalidCall, label->SetFocus());  // windowless
  box->Visible(false);
  EXPECT_FAILS_WITH(kErrInvalidCall, box->SetFocus());
  box->Visible(true);
  box->Enabled(false);
  EXPECT_FAILS_WITH(kErrInvalidCall, box->SetFocus());
  box->Enabled(true);
  box->SetFocus();
  EXPECT_TRUE(box->HasFocus());
  PictureBox unsited;
  EXPECT_FAILS_WITH(kErrInvalidCall, unsited.SetFocus());
}

TEST_F(FocusTest, HidingOrDisablingTheFocusedControlTakesTheFocusAway) {
  auto a = form->Add<TextBox>("a", 0, 0, 900, 300);
  auto column = form->Add<Column>("col", 3000, 0, 2000, 2000);
  form->Show();
  auto log = EventLog::On({a.get(), column->bar.get()});
  a->Visible(false);
  EXPECT_EQ(form->ActiveControl(), nullptr);
  column->bar->SetFocus();
  column->Enabled(false);  // its container, not the control itself
  EXPECT_EQ(form->ActiveControl(), nullptr);
  EXPECT_EQ(log->entries, (Strings{"a.LostFocus", "bar.GotFocus", "bar.LostFocus"}));
  EXPECT_EQ(column->log, (Strings{"EnterFocus", "ExitFocus"}));
}

TEST_F(FocusTest, AGotFocusHandlerMayHandTheFocusOn) {
  auto pic = form->Add<PictureBox>("pic", 0, 0, 1500, 1500);
  auto bar = form->Add<HScrollBar>("bar", 0, 1500, 1500, 195);
  form->Show();
  bar->GotFocus.Connect([&] { pic->SetFocus(); });
  auto log = EventLog::On({pic.get(), bar.get()});
  form->MouseDown(50, 105);  // the bar's track: focus first, then a page
  form->MouseUp(50, 105);
  EXPECT_EQ(form->ActiveControl(), pic.get());
  EXPECT_EQ(log->entries, (Strings{"pic.LostFocus", "bar.GotFocus", "bar.LostFocus", "pic.GotFocus",
                                   "bar.Change"}));
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
