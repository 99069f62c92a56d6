// AboutBox: one dialog per thread, shown modally from either control and
// closed by OK; a dialog that cannot be shown leaves nothing behind; the
// contact labels start the document opener with the address as one argument;
// the dialog as a presenter shows it matches its golden frame.
#include <thread>

#include "about/about_box.hpp"
#include "about/about_contents.hpp"
#include "about/frm_about.hpp"
#include "frame/about_hook.hpp"
#include "frame/dispatch.hpp"
#include "piczoom/zel_pic_zoom.hpp"
#include "platform/render/render_form.hpp"
#include "scrollcontainer/zel_scroll_container.hpp"
#include "support/fixture.hpp"
#include "support/golden.hpp"

namespace lumora {
namespace {

// A fresh thread state with the thread's one dialog unloaded (the object lives
// on, as in a host), and launches recorded in place of the real launcher.
class AboutTest : public testing::LumoraTest {
 protected:
  AboutTest() {
    if (AboutDialogExists()) AboutDialog().Unload();
    SetLauncher([this](const std::vector<std::string>& argv, int16_t style) {
      EXPECT_EQ(style, 0);  // hidden
      launched.push_back(SpawnArguments(argv));
      return 1.0;
    });
  }

  static void ClickOn(const Control& control) {
    const PixelRect r = control.FormRect();
    AboutDialog().Window()->Click(r.left + r.width / 2, r.top + r.height / 2);
  }

  // What the real launcher would have run, one command line per launch.
  std::vector<std::vector<std::string>> launched;
};

TEST_F(AboutTest, EitherControlShowsTheThreadsOneDialogModallyUntilOk) {
  InstallAboutBox();
  std::vector<ObjectPtr> controls = {std::make_shared<ZelPicZoom>(),
                                     std::make_shared<ZelScrollContainer>()};
  for (size_t i = 0; i < 4; ++i) {
    ScheduleAfterYields(1, [&] {
      EXPECT_TRUE(AboutDialog().Window()->IsModal());
      // OK closes the dialog by a click, or by Enter while it has the focus.
      if (i < 2) return ClickOn(*AboutDialog().OKButton);
      EXPECT_TRUE(AboutDialog().OKButton->HasFocus());
      AboutDialog().Window()->TypeKey(kKeyReturn);
    });
    Object& control = *controls[i % 2];
    DispatchTableOf(control)->Invoke(control, -552, MemberKind::Method, {});  // AboutBox
    EXPECT_FALSE(AboutDialog().IsLoaded());
  }
  EXPECT_EQ(ScheduledCount(), 0u);                                // each call showed the dialog
  std::thread([] { EXPECT_FALSE(SetAboutBoxHook({})); }).join();  // the hook is this thread's
  SetAboutBoxHook({});
}

TEST_F(AboutTest, ADialogThatCannotBeShownLeavesNothingBehind) {
  // Headless with nothing scheduled, the modal loop cannot run; Err is kept.
  Err().Record(Failure(11, "earlier"));
  AboutBox();
  EXPECT_EQ(FindForm("frmAbout"), nullptr);
  EXPECT_EQ(Err().Number(), 11);
  ScheduleAfterYields(1, [] { ClickOn(*AboutDialog().OKButton); });
  AboutBox();  // a modal show after a failed one works
  EXPECT_EQ(ScheduledCount(), 0u);
  // Shown modeless it stays shown; loaded but hidden, it is hidden again.
  AboutDialog().Show(0);
  AboutBox();
  EXPECT_TRUE(AboutDialog().IsShown());
  std::thread([] { EXPECT_FALSE(AboutDialogExists()); }).join();  // one per thread
  AboutDialog().Hide();
  AboutBox();
  EXPECT_TRUE(AboutDialog().IsLoaded());
  EXPECT_FALSE(AboutDialog().IsShown());
}

TEST_F(AboutTest, TheContactLabelsOpenTheirAddressAsOneArgument) {
  AboutDialog().Show(0);
  const std::string web(kAboutWebAddress), mail(kAboutMailAddress);
  EXPECT_EQ(AboutDialog().Window()->Caption(), kAboutCaption);
  for (const auto& label : AboutDialog().lblZel) ClickOn(*label);
  AboutDialog().lblZel[1]->Caption("b\" $(id) | cat");
  ClickOn(*AboutDialog().lblZel[1]);
  AboutDialog().lblZel[0]->Caption("--manual");  // read as an option: nothing starts
  ClickOn(*AboutDialog().lblZel[0]);
  EXPECT_EQ(launched,
            (std::vector<std::vector<std::string>>{{"xdg-open", web},
                                                   {"xdg-open", "mailto:" + mail},
                                                   {"xdg-open", "mailto:b\" $(id) | cat"}}));
  // A failed launch is ignored and leaves no trace; the dialog stays.
  SetLauncher([](const std::vector<std::string>&, int16_t) -> double { Fail(kErrFileNotFound); });
  ClickOn(*AboutDialog().lblZel[1]);
  EXPECT_EQ(Err().Number(), 0);
  EXPECT_TRUE(AboutDialog().IsShown());
}

TEST_F(AboutTest, TheShownDialogMatchesItsGoldenFrame) {
  AboutDialog().Show(0);
  EXPECT_TRUE(MatchesGolden(RenderForm(*AboutDialog().Window()), "about_dialog"));
}

}  // namespace
}  // namespace lumora
