// Values and objects: variant coercions and comparisons, colours, member
// names, and event sinks.
#include "platform/variant.hpp"

#include <gtest/gtest.h>

#include "platform/color.hpp"
#include "platform/event_source.hpp"
#include "platform/object.hpp"
#include "platform/picture/picture.hpp"
#include "support/error_of.hpp"

namespace lumora {
namespace {

TEST(Variant, NumericCoercions) {
  EXPECT_EQ(Variant(true).ToInt16(), -1);
  EXPECT_EQ(Variant(2.5).ToInt16(), 2);
  EXPECT_EQ(Variant(-18.5f).ToInt32(), -18);
  EXPECT_EQ(Variant(" 42 ").ToInt16(), 42);
  EXPECT_EQ(Variant("&H8000000F").ToInt32(), static_cast<int32_t>(0x8000000F));
  EXPECT_EQ(Variant("True").ToInt16(), -1);
  EXPECT_TRUE(Variant("-1").ToBool());
  EXPECT_FALSE(Variant("False").ToBool());
  EXPECT_EQ(Variant(uint32_t{0x8000000C}).ToInt32(), static_cast<int32_t>(0x8000000C));
  EXPECT_EQ(ErrorOf([] { Variant(int32_t{40000}).ToInt16(); }), 6);
  EXPECT_EQ(ErrorOf([] { Variant("abc").ToInt16(); }), 13);
  EXPECT_EQ(ErrorOf([] { Variant(Missing{}).ToInt16(); }), 13);
  EXPECT_EQ(ErrorOf([] { Variant(int32_t{256}).ToByte(); }), 6);
  EXPECT_EQ(Variant(true).ToString(), "True");
  EXPECT_EQ(Variant(0.5).ToString(), "0.5");
  EXPECT_EQ(Variant("x").Describe(), "String \"x\"");
  EXPECT_EQ(Variant(nullptr).Describe(), "Nothing");
}

TEST(Variant, PicturesCompareByIdentityAndDefaultsLoosely) {
  PicturePtr p = Picture::FromRaster(Raster(2, 2));
  EXPECT_EQ(Variant(p).ToPicture(), p);
  EXPECT_EQ(Variant(nullptr).ToPicture(), nullptr);
  EXPECT_EQ(ErrorOf([] { Variant(int16_t{1}).ToPicture(); }), 13);
  PicturePtr q = Picture::FromRaster(Raster(2, 2));
  const std::tuple<Variant, Variant, bool> loosely[] = {
      {Variant(p), Variant(q), false},
      {Variant(p), Variant(p), true},
      {Variant(Picture::Empty()), Variant(), false},
      {Variant(nullptr), Variant(), true},
      {Variant(int16_t{13}), Variant(int32_t{13}), true},
      {Variant(true), Variant(int16_t{-1}), true},
      {Variant(false), Variant(), true},
      {Variant(true), Variant(), false},
      {Variant(""), Variant(), true},
      {Variant(Missing{}), Variant(Missing{}), true},
      {Variant(Missing{}), Variant(), false},
      {Variant("a"), Variant(int16_t{0}), false},
  };
  for (const auto& [a, b, equal] : loosely)
    EXPECT_EQ(a.LooselyEquals(b), equal) << a.Describe() << " vs " << b.Describe();
}

TEST(Color, SystemColoursResolveThroughThePalette) {
  EXPECT_EQ(ResolveColor(Rgb(1, 2, 3)), Rgb(1, 2, 3));
  EXPECT_NE(ResolveColor(kSysButtonFace), ResolveColor(kSysApplicationWorkspace));
  EXPECT_EQ(ErrorOf([] { ResolveColor(0x80000FFF); }), 380);
  EXPECT_EQ(ErrorOf([] { ResolveColor(0x01000000); }), 380);
  EXPECT_EQ(FromArgb(ToArgb(Rgb(0x10, 0x20, 0x30))), Rgb(0x10, 0x20, 0x30));
}

// Member names compare without regard to the case of ASCII letters, and
// nothing else: characters one case bit apart that are not letters, and bytes
// beyond ASCII, stay different.
TEST(SameName, FoldsAsciiLettersOnly) {
  const std::tuple<const char*, const char*, bool> cases[] = {
      {"Top", "top", true},  {"m_x1", "M_X1", true},  {"Top", "Tops", false},
      {"Top", "Tip", false}, {"@", "`", false},       {"[", "{", false},
      {"1", "\x11", false},  {"\xC4", "\xE4", false}, {"\xC4", "\xC4", true}};
  for (const auto& [a, b, same] : cases) EXPECT_EQ(SameName(a, b), same) << a << " vs " << b;
}

struct Thing : Object {
  std::string TypeName() const override { return "Thing"; }
};

struct Recorder : EventSink {
  std::vector<std::string> seen;
  void OnEvent(Object&, int32_t dispid, std::string_view name, std::span<Variant> args) override {
    seen.push_back(std::string(name) + ":" + std::to_string(dispid));
    if (!args.empty()) args[0] = Variant(int16_t{0});  // a handler that changes Button
  }
};

TEST(EventSource, SinksSeeEventsInOrderAndMayChangeArguments) {
  Thing thing;
  EventSource source;
  auto a = std::make_shared<Recorder>();
  auto b = std::make_shared<Recorder>();
  source.Advise(a);
  source.Advise(b);
  Variant args[] = {Variant(int16_t{1}), Variant(int16_t{0})};
  source.Raise(thing, 8, "MouseMove", args);
  EXPECT_EQ(a->seen, std::vector<std::string>{"MouseMove:8"});
  EXPECT_EQ(b->seen, std::vector<std::string>{"MouseMove:8"});
  EXPECT_EQ(args[0].ToInt16(), 0);  // the raiser reads back what the sink left
  source.Unadvise(a.get());
  b.reset();  // a sink that went away stops receiving without harm
  source.Raise(thing, 1, "Click", {});
  EXPECT_EQ(a->seen.size(), 1u);
  EXPECT_EQ(source.SinkCount(), 0u);
}

}  // namespace
}  // namespace lumora
