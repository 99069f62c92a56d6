// Member names compare without regard to the case of ASCII letters, and
// nothing else.
#include <gtest/gtest.h>

#include "platform/object.hpp"

namespace lumora {
namespace {

TEST(SameName, FoldsAsciiLettersOnly) {
  EXPECT_TRUE(SameName("Top", "top"));
  EXPECT_TRUE(SameName("ScaleHeight", "SCALEHEIGHT"));
  EXPECT_TRUE(SameName("", ""));
  EXPECT_TRUE(SameName("m_x1", "M_X1"));
  EXPECT_FALSE(SameName("Top", "Tops"));
  EXPECT_FALSE(SameName("Top", "Tip"));
  // Characters one case bit apart that are not letters stay different.
  EXPECT_FALSE(SameName("@", "`"));
  EXPECT_FALSE(SameName("[", "{"));
  EXPECT_FALSE(SameName("1", "\x11"));
  EXPECT_FALSE(SameName("\xC4", "\xE4"));  // bytes beyond ASCII compare exactly
  EXPECT_TRUE(SameName("\xC4", "\xC4"));
}

}  // namespace
}  // namespace lumora
