// AboutBox: one dialog per thread, shown modally from either control and
// closed by OK; a dialog that cannot be shown leaves nothing behind; the
// contact labels start the document opener with the address as one argument.
#include <thread>

#include "about/about_contents.hpp"
#include "about_fixture.hpp"
#include "frame/about_hook.hpp"
#include "frame/dispatch.hpp"
#include "piczoom/zel_pic_zoom.hpp"
#include "scrollcontainer/zel_scroll_container.hpp"

namespace lumora {
namespace {

TEST_F(AboutTest, EitherControlShowsTheThreadsOneDialogModallyUntilOk) {
  InstallAboutBox();
  auto host = Form::Create("Host", 640, 480);
  std::vector<ObjectPtr> controls = {host->Add<ZelPicZoom>("zoom", 0, 0, 3000, 3000),
                                     host->Add<ZelScrollContainer>("box", 3000, 0, 3000, 3000)};
  std::vector<const FrmAbout*> seen;
  for (size_t i = 0; i < 4; ++i) {
    ScheduleAfterYields(1, [&] {
      seen.push_back(AboutDialog().Window()->IsModal() ? &AboutDialog() : nullptr);
      EXPECT_EQ(AboutDialog().lblVersion->Caption(), "Version 2.0");
      // OK closes the dialog by a click, or by Enter while it has the focus.
      if (i < 2) return ClickOn(*AboutDialog().OKButton);
      EXPECT_TRUE(AboutDialog().OKButton->HasFocus());
      AboutDialog().Window()->TypeKey(kKeyReturn);
    });
    Object& control = *controls[i % 2];
    DispatchTableOf(control)->Invoke(control, -552, MemberKind::Method, {});  // AboutBox
    EXPECT_FALSE(AboutDialog().IsLoaded());
  }
  EXPECT_EQ(seen, std::vector<const FrmAbout*>(4, &AboutDialog()));
  EXPECT_EQ(FindForm("frmAbout"), nullptr);
  EXPECT_EQ(ScheduledCount(), 0u);
  EXPECT_EQ(host->Controls().size(), 2u);  // the host's form is untouched
  SetAboutBoxHook({});
}

TEST_F(AboutTest, ADialogThatCannotBeShownLeavesNothingBehind) {
  // Headless with nothing scheduled, the modal loop cannot run; the failure
  // leaves the error object as it was.
  Err().Record(Failure(11, "earlier"));
  AboutBox();
  EXPECT_EQ(FindForm("frmAbout"), nullptr);
  EXPECT_EQ(Err().Number(), 11);
  EXPECT_EQ(Err().Description(), "earlier");
  ScheduleAfterYields(1, [] { ClickOn(*AboutDialog().OKButton); });
  AboutBox();  // a modal show after a failed one works
  EXPECT_EQ(ScheduledCount(), 0u);
  // Shown modeless by someone else, it stays as it was; loaded but hidden,
  // it is hidden again.
  AboutDialog().Show(0);
  AboutBox();
  EXPECT_TRUE(AboutDialog().IsShown());
  EXPECT_TRUE(AboutDialogExists());
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
  ClickOn(*AboutDialog().lblZel[0]);
  ClickOn(*AboutDialog().lblZel[1]);
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

}  // namespace
}  // namespace lumora
