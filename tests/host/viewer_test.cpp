// The picture viewer behind `lumora view`, headless: its keys, its layout as
// the form's size changes, and the state it dumps, which a fresh viewer
// restores to the same frame.
#include <gtest/gtest.h>

#include "host/commands/view_form.hpp"
#include "piczoom/module_state.hpp"
#include "piczoom/zel_pic_zoom.hpp"
#include "platform/controls/scroll_bar.hpp"
#include "platform/errors.hpp"
#include "platform/form/form.hpp"
#include "platform/message_queue.hpp"
#include "platform/picture/picture.hpp"
#include "platform/render/render_form.hpp"
#include "support/fixture.hpp"
#include "support/platform_pictures.hpp"

namespace lumora::host {
namespace {

using lumora::testing::RandomPicture;

class ViewerTest : public lumora::testing::LumoraTest {
 protected:
  static ScrollBar& Bar(const Viewer& v, const char* path) {
    return dynamic_cast<ScrollBar&>(*v.GetForm()->FindPath(path));
  }
  static const Control& Surface(const Viewer& v) { return *v.GetForm()->FindPath("z1.picScroll"); }
  // Types a character into the viewer's window, as a key would.
  static void Type(const Viewer& v, char c) { v.GetForm()->KeyPress(static_cast<int16_t>(c)); }
};

TEST_F(ViewerTest, ThePictureFillsTheFormAndKeysZoomIt) {
  Viewer v(RandomPicture(400, 300), "pattern", 200, 150);
  v.Show();
  EXPECT_EQ(v.GetForm()->Caption(), "pattern");
  EXPECT_EQ(v.Zoom().Width(), 200 * 15);
  EXPECT_EQ(v.Zoom().Height(), 150 * 15);
  EXPECT_TRUE(Surface(v).HasFocus());
  Type(v, '+');
  EXPECT_EQ(v.Zoom().ZoomPercent().ToInt16(), 125);
  EXPECT_EQ(Surface(v).Width(), 500);
  Type(v, '=');  // + without Shift
  EXPECT_EQ(v.Zoom().ZoomPercent().ToInt16(), 150);
  Type(v, '-');
  EXPECT_EQ(v.Zoom().ZoomPercent().ToInt16(), 125);
  Type(v, '0');
  EXPECT_EQ(Surface(v).Width(), 400);
  EXPECT_EQ(Surface(v).Height(), 300);
  Type(v, 'f');  // fit: the side that overhangs more fits the whole area
  EXPECT_EQ(Surface(v).Width(), 200);
  EXPECT_EQ(Surface(v).Height(), 150);
  Type(v, '0');
  Type(v, 'S');  // stretch: the whole area, proportions ignored
  v.GetForm()->ResizeClient(300, 100);
  v.Fill();
  Type(v, 's');
  EXPECT_EQ(Surface(v).Width(), 300);
  EXPECT_EQ(Surface(v).Height(), 100);
  EXPECT_FALSE(v.Command('x'));
  EXPECT_EQ(v.State()["log"],
            nlohmann::json({"Size 200x150", "ZoomIn", "ZoomIn", "ZoomOut", "ZoomReal", "FeedBest",
                            "ZoomReal", "Stretch", "Size 300x100", "Stretch"}));
}

TEST_F(ViewerTest, ArrowsStillScrollAfterAZoom) {
  Viewer v(RandomPicture(400, 300), "pattern", 200, 150);
  v.Show();
  Type(v, '+');  // zooming hides the surface for a moment
  ASSERT_TRUE(Surface(v).HasFocus());
  const int16_t before = Bar(v, "z1.HScroll").Value();
  ScheduleAfterYields(3, Message::Key(MessageKind::KeyUp, v.GetForm(), kKeyRight));
  v.GetForm()->KeyDown(kKeyRight);
  EXPECT_EQ(Bar(v, "z1.HScroll").Value(), before + 3);
}

TEST_F(ViewerTest, AFreshViewerRestoresADumpedStateToTheSameFrame) {
  nlohmann::json state;
  Raster frame;
  {
    Viewer v(RandomPicture(640, 480), "pattern", 240, 180);
    v.Show();
    Type(v, '+');
    v.GetForm()->MouseDown(100, 100);
    v.GetForm()->MouseMove(80, 90, kLeftButton);
    v.GetForm()->MouseUp(80, 90);
    v.GetForm()->ResizeClient(260, 170);
    v.Fill();
    Type(v, '+');
    Bar(v, "z1.VScroll").Value(17);
    state = v.State();
    frame = RenderForm(*v.GetForm());
    EXPECT_EQ(state["client"], nlohmann::json({260, 170}));
    EXPECT_EQ(state["zoomPercent"], 150);
    EXPECT_EQ(state["VScroll"]["Value"], 17);
    EXPECT_EQ(state["picScroll"][2], 960);
  }
  ResetThreadState();
  int32_t width = 0;
  int32_t height = 0;
  InitialSize(state, width, height);
  EXPECT_EQ(width, 240);
  EXPECT_EQ(height, 180);
  Viewer restored(RandomPicture(640, 480), "pattern", width, height);
  restored.Show();
  restored.Restore(state);
  EXPECT_EQ(restored.State(), state);
  EXPECT_EQ(RenderForm(*restored.GetForm()), frame);
}

TEST_F(ViewerTest, MalformedStatesAreRefusedWithAReason) {
  Viewer v(RandomPicture(64, 48), "pattern", 100, 80);
  v.Show();
  const nlohmann::json good = v.State();
  const auto refused = [&](nlohmann::json state, const std::string& reason) {
    try {
      v.Restore(state);
      ADD_FAILURE() << "accepted " << state.dump();
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find(reason), std::string::npos) << e.what();
    }
  };
  nlohmann::json s = good;
  s.erase("log");
  refused(s, "no log");
  s = good;
  s["log"].push_back("Rotate");
  refused(s, "unknown entry 'Rotate'");
  s = good;
  s["log"].push_back(7);
  refused(s, "non-string");
  s = good;
  s["HScroll"]["Value"] = 70000;
  refused(s, "out of range");
  s = good;
  s["VScroll"] = "none";
  refused(s, "no VScroll.Value");
  int32_t w = 0;
  int32_t h = 0;
  s = good;
  s["log"][0] = "Size 0x5";
  EXPECT_THROW(InitialSize(s, w, h), std::runtime_error);
  s["log"] = nlohmann::json::array();
  EXPECT_THROW(InitialSize(s, w, h), std::runtime_error);
  EXPECT_THROW(InitialSize(nlohmann::json(3), w, h), std::runtime_error);
}

}  // namespace
}  // namespace lumora::host
