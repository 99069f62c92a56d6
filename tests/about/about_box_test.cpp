// AboutBox: one dialog per thread, shown modally, closed by OK; a dialog that
// cannot be shown leaves nothing behind.
#include <gtest/gtest.h>

#include "about/about_contents.hpp"
#include "about/about_fixture.hpp"
#include "about/resources.hpp"
#include "frame/about_hook.hpp"

namespace lumora {
namespace {

TEST_F(AboutTest, OkEndsTheModalLoopAndUnloadsTheDialog) {
  bool shownDuringLoop = false;
  bool modalDuringLoop = false;
  ScheduleAfterYields(1, [&] {
    shownDuringLoop = AboutDialog().IsShown();
    modalDuringLoop = AboutDialog().Window()->IsModal();
    ClickOn(*AboutDialog().OKButton);
  });
  AboutBox();
  EXPECT_TRUE(shownDuringLoop);
  EXPECT_TRUE(modalDuringLoop);
  EXPECT_FALSE(AboutDialog().IsLoaded());
  EXPECT_EQ(FindForm("frmAbout"), nullptr);
  EXPECT_EQ(ScheduledCount(), 0u);
}

TEST_F(AboutTest, EnterOnTheFocusedOkButtonClosesTheDialog) {
  ScheduleAfterYields(1, [] {
    ASSERT_TRUE(AboutDialog().OKButton->HasFocus());
    AboutDialog().Window()->TypeKey(kKeyReturn);
  });
  AboutBox();
  EXPECT_FALSE(AboutDialog().IsLoaded());
}

TEST_F(AboutTest, EveryCallReusesTheThreadsOneDialog) {
  InstallAboutBox();
  std::vector<const FrmAbout*> seen;
  std::vector<std::string> versions;
  for (int call = 0; call < 2; ++call) {
    ScheduleAfterYields(1, [&] {
      seen.push_back(&AboutDialog());
      versions.push_back(AboutDialog().lblVersion->Caption());
      ClickOn(*AboutDialog().OKButton);
    });
    ShowAboutBox();  // what AboutBox on either control runs
  }
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], seen[1]);
  EXPECT_EQ(seen[0], &AboutDialog());
  // The window was loaded afresh the second time, and loading set the label.
  EXPECT_EQ(versions, (std::vector<std::string>{"Version 2.0", "Version 2.0"}));
  SetAboutBoxHook({});
}

TEST_F(AboutTest, ADialogThatCannotBeShownLeavesNothingBehind) {
  // Headless with nothing scheduled, the modal loop cannot run; the failure
  // leaves the error object as it was.
  Err().Record(Failure(11, "earlier"));
  AboutBox();
  EXPECT_FALSE(AboutDialog().IsLoaded());
  EXPECT_EQ(FindForm("frmAbout"), nullptr);
  EXPECT_EQ(Err().Number(), 11);
  EXPECT_EQ(Err().Description(), "earlier");
  Err().Clear();

  // Shown modeless by someone else, it stays as it was.
  AboutDialog().Show(0);
  AboutBox();
  EXPECT_TRUE(AboutDialog().IsShown());

  // Loaded but hidden, it is hidden again.
  AboutDialog().Hide();
  AboutBox();
  EXPECT_TRUE(AboutDialog().IsLoaded());
  EXPECT_FALSE(AboutDialog().IsShown());
}

TEST_F(AboutTest, AModalShowAfterAFailedOneWorks) {
  AboutBox();  // fails: nothing could close it
  ScheduleOkClick();
  AboutBox();
  EXPECT_FALSE(AboutDialog().IsLoaded());
  EXPECT_EQ(ScheduledCount(), 0u);
}

TEST_F(AboutTest, LoadingSetsTheVersionFromTheApplication) {
  AboutDialog().Load();
  EXPECT_EQ(AboutDialog().lblVersion->Caption(), "Version 2.0");
}

TEST_F(AboutTest, TheDialogCarriesItsTitleLogoAndIcon) {
  AboutDialog().Load();
  const FrmAbout& d = AboutDialog();
  EXPECT_EQ(d.Window()->Caption(), kAboutCaption);
  EXPECT_EQ(d.OKButton->Caption(), "OK");
  EXPECT_EQ(d.lblZel[0]->Caption(), kAboutWebAddress);
  EXPECT_EQ(d.lblZel[1]->Caption(), kAboutMailAddress);
  // The logo is decoded from the GIF built into the library.
  ASSERT_TRUE(d.imgLogo->Picture());
  EXPECT_EQ(d.imgLogo->Picture()->Format(), PictureFormat::Gif);
  EXPECT_EQ(d.imgLogo->Picture()->PixelWidth(), 174);
  EXPECT_EQ(d.imgLogo->Picture()->PixelHeight(), 167);
  EXPECT_EQ(d.imgLogo->FormRect(), (PixelRect{0, 0, 174, 167}));
  ASSERT_TRUE(d.Icon());
  EXPECT_EQ(d.Icon()->PixelWidth(), 32);
  EXPECT_NE(d.Icon()->Handle(), 0u);
  // Nothing the dialog shows lies outside its window or under the logo.
  for (const Control* c : {static_cast<const Control*>(d.lblVersion.get()),
                           static_cast<const Control*>(d.lblZel[0].get()),
                           static_cast<const Control*>(d.lblZel[1].get()),
                           static_cast<const Control*>(d.lblInfo.get()),
                           static_cast<const Control*>(d.OKButton.get())}) {
    const PixelRect r = c->FormRect();
    EXPECT_GE(r.left, 174) << c->Name();
    EXPECT_LE(r.Right(), d.Window()->ClientWidth()) << c->Name();
    EXPECT_LE(r.Bottom(), d.Window()->ClientHeight()) << c->Name();
  }
}

}  // namespace
}  // namespace lumora
