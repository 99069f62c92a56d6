// AboutBox as the controls offer it: called by DISPID -552 on instances on a
// form, it shows the thread's one dialog, whichever control asks.
#include <gtest/gtest.h>

#include "about/about_fixture.hpp"
#include "frame/about_hook.hpp"
#include "piczoom/zel_pic_zoom.hpp"
#include "platform/form/form.hpp"
#include "scrollcontainer/zel_scroll_container.hpp"

namespace lumora {
namespace {

constexpr int32_t kDispidAboutBox = -552;

class AboutFromControlsTest : public AboutTest {
 protected:
  void SetUp() override {
    AboutTest::SetUp();
    InstallAboutBox();
    m_Host = Form::Create("Host", 640, 480);
  }
  void TearDown() override {
    m_Host->Unload();
    SetAboutBoxHook({});
    AboutTest::TearDown();
  }

  // Calls AboutBox through the control's dispatch table; the dialog seen
  // while it is up is recorded, then closed with a click on OK.
  const FrmAbout* ShowFrom(Object& control) {
    const FrmAbout* seen = nullptr;
    ScheduleAfterYields(1, [&] {
      seen = &AboutDialog();
      EXPECT_TRUE(AboutDialog().Window()->IsModal());
      ClickOn(*AboutDialog().OKButton);
    });
    const DispatchTable* table = DispatchTableOf(control);
    EXPECT_NE(table, nullptr);
    if (table) table->Invoke(control, kDispidAboutBox, MemberKind::Method, {});
    EXPECT_FALSE(AboutDialog().IsLoaded());
    return seen;
  }

  std::shared_ptr<Form> m_Host;
};

TEST_F(AboutFromControlsTest, TwoControlsShowTheSameDialog) {
  auto first = m_Host->Add<ZelPicZoom>("zoom", 0, 0, 3000, 3000);
  auto second = m_Host->Add<ZelScrollContainer>("box", 3000, 0, 3000, 3000);
  const FrmAbout* fromFirst = ShowFrom(*first);
  const FrmAbout* fromSecond = ShowFrom(*second);
  ASSERT_NE(fromFirst, nullptr);
  EXPECT_EQ(fromFirst, fromSecond);
  // The host's form is untouched by the dialog coming and going.
  EXPECT_TRUE(m_Host->IsLoaded());
  EXPECT_EQ(m_Host->Controls().size(), 2u);
}

TEST_F(AboutFromControlsTest, AControlsAboutBoxIgnoresADialogThatCannotBeShown) {
  auto zoom = m_Host->Add<ZelPicZoom>("zoom", 0, 0, 3000, 3000);
  auto box = m_Host->Add<ZelScrollContainer>("box", 3000, 0, 3000, 3000);
  // Headless with nothing scheduled, the modal loop cannot run.
  zoom->AboutBox();
  EXPECT_FALSE(AboutDialog().IsLoaded());
  box->AboutBox();
  EXPECT_FALSE(AboutDialog().IsLoaded());
  EXPECT_EQ(FindForm("frmAbout"), nullptr);
}

}  // namespace
}  // namespace lumora
