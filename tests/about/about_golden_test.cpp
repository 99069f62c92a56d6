// The dialog as a presenter shows it: logo, version, contact labels, the
// wrapped description and notice, and the OK button with the focus.
#include "about/resources.hpp"
#include "about_fixture.hpp"
#include "platform/render/render_form.hpp"
#include "support/golden.hpp"

namespace lumora {
namespace {

TEST_F(AboutTest, TheShownDialogMatchesItsGoldenFrame) {
  AboutDialog().Show(0);
  const Raster frame = RenderForm(*AboutDialog().Window());
  EXPECT_TRUE(MatchesGolden(frame, "about_dialog"));
  // The logo is drawn unscaled at the top-left corner.
  const Raster& logo = AboutLogo()->Pixels();
  for (const auto& [x, y] : {std::pair{0, 0}, std::pair{90, 80}, std::pair{173, 166}})
    EXPECT_EQ(frame.At(x, y), logo.At(x, y)) << x << "," << y;
}

}  // namespace
}  // namespace lumora
