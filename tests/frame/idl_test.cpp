// The type library as IDL: pinned whole by a golden file, which also holds
// every published constant (GUIDs, enumerations, record offsets, attributes).
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

}  // namespace
}  // namespace lumora
