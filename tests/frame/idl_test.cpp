#include "frame/idl.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace lumora {
namespace {

const std::string kGolden = std::string(LUMORA_SOURCE_DIR) + "/tests/frame/golden/typelib.idl";

// The printed library is pinned by a golden file. After an intended change,
// run with LUMORA_UPDATE_GOLDEN=1 to rewrite it, and review the diff.
TEST(Idl, MatchesTheGoldenFile) {
  const std::string idl = WriteIdl(TypeLibrary());
  const char* update = std::getenv("LUMORA_UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    std::ofstream(kGolden, std::ios::binary) << idl;
    GTEST_SKIP() << "rewrote " << kGolden;
  }
  std::ifstream in(kGolden, std::ios::binary);
  ASSERT_TRUE(in) << "missing " << kGolden << " (run with LUMORA_UPDATE_GOLDEN=1)";
  std::stringstream golden;
  golden << in.rdbuf();
  EXPECT_EQ(idl, golden.str());
}

TEST(Idl, StringsAreEscaped) {
  EXPECT_EQ(IdlString(R"(Returns\Sets "x")"), R"("Returns\\Sets \"x\"")");
  EXPECT_EQ(IdlString(""), "\"\"");
}

// Independent of the golden file: each member's attributes and signature.
TEST(Idl, MembersCarryTheirAttributes) {
  const std::string idl = WriteIdl(TypeLibrary());
  for (
      const char* line : {
          R"([id(0x68030006), propget, helpstring("Returns or sets a graphic to be displayed in a control"), bindable, defaultbind, uidefault])",
          "HRESULT Picture([in] Picture* Picture);",
          R"([id(0x6803000c), propput, helpstring("Returns\\Sets the background color of an object.")])",
          "HRESULT Go([in, out] GoDirection* Direction);",
          "HRESULT Scroll([in, out] ScrollDirection* Direction, [in, out] short* PixelsStep);",
          "HRESULT PicturePosition([out, retval] PicturePositions* PicturePosition);",
          "[id(0x6803000a), propputref]",
          "HRESULT PaintPicture([in] Picture* Picture, [in] single X1, [in] single Y1, "
          "[in, optional] VARIANT Width1,",
          "HRESULT ScrollToControl([in, out] IDispatch** ContainedControl);",
          "[id(0x00000000), helpstring(\"Forces a complete repaint of a object.\")]",
          "[id(0xfffffdd8), helpstring(\"Displays product information box\")]",
          "void MouseDown([in, out] short* Button, [in, out] short* Shift, [in, out] single* X, "
          "[in, out] single* Y);",
          "[default, source] dispinterface __ZelScrollContainer;",
          "sdcUp = 0,",
          "VARIANT_BOOL ppRight;  // offset 6",
          "single psHeight;  // offset 4",
          "lcid(0x0409)",
          "version(2.0)",
          "importlib(\"stdole2.tlb\");",
      })
    EXPECT_NE(idl.find(line), std::string::npos) << line;
  // Only the Picture accessors are bindable.
  size_t count = 0;
  for (size_t at = idl.find("bindable"); at != std::string::npos; at = idl.find("bindable", at + 1))
    ++count;
  EXPECT_EQ(count, 2u);
}

}  // namespace
}  // namespace lumora
