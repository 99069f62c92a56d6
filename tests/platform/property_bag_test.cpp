#include "platform/property_bag.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>

#include "platform/base64.hpp"
#include "support/fixture.hpp"
#include "support/platform_pictures.hpp"

namespace lumora {
namespace {

using Json = nlohmann::ordered_json;
using Kind = Variant::Kind;
using PropertyBagTest = testing::LumoraTest;

const Variant kNoPicture{nullptr};
const Variant kButtonFace{uint32_t{0x8000000F}};

PicturePtr LoadedBmp(int32_t width, int32_t height) {
  std::vector<uint8_t> bytes = EncodeBmp24(testing::RandomOpaque(width, height, 5));
  // A resolution no encoder of ours writes, so a re-encoded picture would differ.
  bytes.at(38) = 0x12;
  bytes.at(42) = 0x34;
  return LoadPicture(bytes);
}

PropertyBag RoundTrip(const PropertyBag& bag) {
  return PropertyBag::FromJsonText(bag.ToJsonText());
}

TEST(PropertyBag, AbsentKeysGiveTheDefaultAndDefaultsAreLeftOut) {
  PropertyBag bag;
  EXPECT_TRUE(bag.ReadProperty("BarsWidth").IsEmpty());
  EXPECT_EQ(bag.ReadProperty("BarsWidth", int16_t{13}), Variant(int16_t{13}));
  // "Enabled" is paired with an empty default: True is stored, False left out,
  // and an absent key reads back as False.
  bag.WriteProperty("Enabled", false);
  EXPECT_FALSE(bag.Contains("Enabled"));
  EXPECT_FALSE(bag.ReadProperty("Enabled").ToBool());
  bag.WriteProperty("Enabled", true);
  EXPECT_EQ(bag.ReadProperty("Enabled", int16_t{0}), Variant(true));
  bag.WriteProperty("Enabled", false);
  // Values equal to their default are left out.
  bag.WriteProperty("BarsWidth", int16_t{13}, int16_t{13});
  bag.WriteProperty("UpperMargin", int32_t{60}, int16_t{60});  // default given as 16-bit
  bag.WriteProperty("MouseScrolling", true, int16_t{-1});
  bag.WriteProperty("MouseIcon", kNoPicture, Variant());
  bag.WriteProperty("Tag", "", Variant());
  EXPECT_EQ(bag.ToJson(), Json::object());
  // The empty picture is not "no picture", and 61 is not 60.
  bag.WriteProperty("Picture", Picture::Empty(), kNoPicture);
  bag.WriteProperty("UpperMargin", int32_t{61}, int16_t{60});
  EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"Picture", "UpperMargin"}));
  // Writing the default later drops the earlier value.
  bag.WriteProperty("UpperMargin", int32_t{60}, int16_t{60});
  EXPECT_FALSE(bag.Contains("UpperMargin"));
}

TEST(PropertyBag, KeysKeepTheirPlaceAndSpellingAndMatchWithoutCase) {
  PropertyBag bag;
  bag.WriteProperty("Appearance", int16_t{0}, int16_t{1});
  bag.WriteProperty("BackColor", int32_t{0xFF}, kButtonFace);
  bag.WriteProperty("BarsWidth", int16_t{20}, int16_t{13});
  bag.WriteProperty("BackColor", int32_t{0xFF00}, kButtonFace);
  EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"Appearance", "BackColor", "BarsWidth"}));
  EXPECT_EQ(bag.ReadProperty("BackColor"), Variant(int32_t{0xFF00}));
  // A key that was dropped and written again goes to the end.
  bag.WriteProperty("Appearance", int16_t{1}, int16_t{1});
  bag.WriteProperty("Appearance", int16_t{0}, int16_t{1});
  EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"BackColor", "BarsWidth", "Appearance"}));
  // Another spelling of a key is the same key, and keeps the first spelling.
  EXPECT_TRUE(bag.Contains("BACKCOLOR"));
  bag.WriteProperty("BACKCOLOR", int32_t{7}, int16_t{0});
  EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"BackColor", "BarsWidth", "Appearance"}));
  EXPECT_EQ(bag.ReadProperty("backcolor"), Variant(int32_t{7}));
  EXPECT_TRUE(RoundTrip(bag).ToJson().contains("BackColor"));
  bag.WriteProperty("backColor", int32_t{0}, int16_t{0});
  EXPECT_EQ(bag.Count(), 2u);
}

TEST(PropertyBag, DocumentFormat) {
  PropertyBag bag;
  bag.WriteProperty("BarsWidth", int16_t{5}, int16_t{13});
  bag.WriteProperty("BackColor", kButtonFace, int16_t{0});
  bag.WriteProperty("Zoom", 0.1f, int16_t{0});
  bag.WriteProperty("Caption", "a \"b\"");
  bag.WriteProperty("Blank", Variant(), int16_t{1});
  bag.WriteProperty("Icon", kNoPicture, int16_t{1});
  bag.WriteProperty("Picture", Picture::Empty(), kNoPicture);
  EXPECT_EQ(bag.ToJson(), Json::parse(R"({
    "BarsWidth": {"type": "Integer", "value": 5},
    "BackColor": {"type": "Long", "value": -2147483633},
    "Zoom": {"type": "Single", "value": 0.1},
    "Caption": {"type": "String", "value": "a \"b\""},
    "Blank": {"type": "Empty"},
    "Icon": {"type": "Nothing"},
    "Picture": {"type": "Picture", "format": "none"}
  })"));
  // Singles are written in their shortest form.
  EXPECT_NE(bag.ToJsonText(-1).find("\"value\":0.1}"), std::string::npos);
}

TEST(PropertyBag, EveryKindRoundTripsExactly) {
  const float tiny = std::numeric_limits<float>::denorm_min(), finf = HUGE_VALF;
  const double inf = HUGE_VAL;
  const uint8_t byte0 = 0, byte255 = 255;
  const int16_t int16Min = -32768, int16Max = 32767;
  const int32_t int32Min = std::numeric_limits<int32_t>::min();
  const uint32_t systemColour = 0x8000000C;
  const std::string empty, text = "h\xC3\xA9llo \"quoted\"\n\ttab \\ /",
                           notUtf8 = "\xFF\xFE not UTF-8 \xC0\x80";
  const std::vector<Variant> values = {
      Variant(), nullptr,     true,         false, byte0,          byte255, int16Min, int16Max,
      int32Min,  kButtonFace, systemColour, 0.1f,  -3.4028235e38f, tiny,    -0.0f,    16777216.0f,
      1.0 / 3.0, -1e300,      5e-324,       inf,   -inf,           finf,    empty,    text,
      notUtf8};
  PropertyBag bag;
  for (size_t i = 0; i < values.size(); ++i)
    bag.WriteProperty("K" + std::to_string(i), values[i], Missing{});
  bag.WriteProperty("NaN", std::numeric_limits<double>::quiet_NaN(), Missing{});
  bag.WriteProperty("SingleNaN", std::numeric_limits<float>::quiet_NaN(), Missing{});
  const PropertyBag back = RoundTrip(bag);
  EXPECT_EQ(back.Keys(), bag.Keys());
  for (size_t i = 0; i < values.size(); ++i) {
    const Variant read = back.ReadProperty("K" + std::to_string(i));
    EXPECT_EQ(read, values[i]) << i << ": " << read.Describe() << " for " << values[i].Describe();
  }
  EXPECT_TRUE(std::signbit(back.ReadProperty("K14").ToSingle()));
  EXPECT_EQ(back.ReadProperty("NaN").GetKind(), Kind::Double);
  EXPECT_TRUE(std::isnan(back.ReadProperty("NaN").ToDouble()));
  EXPECT_EQ(back.ReadProperty("SingleNaN").GetKind(), Kind::Single);
  EXPECT_TRUE(std::isnan(back.ReadProperty("SingleNaN").ToSingle()));
  // What was read writes the same document again.
  EXPECT_EQ(back.ToJsonText(), bag.ToJsonText());
}

TEST(PropertyBag, PicturesRoundTripByteIdentically) {
  const PicturePtr loaded = LoadedBmp(3, 2);
  const PicturePtr made =
      Picture::FromRaster(testing::RandomOpaque(5, 3, 6));  // no encoding of its own
  PropertyBag bag;
  bag.WriteProperty("Picture", loaded, kNoPicture);
  bag.WriteProperty("MouseIcon", made, kNoPicture);
  bag.WriteProperty("MouseScrollingIcon", Picture::Empty(), kNoPicture);
  // In memory the bag hands back the very object.
  EXPECT_EQ(bag.ReadProperty("Picture").ToPicture(), loaded);
  EXPECT_EQ(bag.ToJson()["Picture"]["data"], EncodeBase64(loaded->Bytes()));
  const PropertyBag back = RoundTrip(bag);
  const PicturePtr picture = back.ReadProperty("Picture").ToPicture();
  ASSERT_NE(picture, nullptr);
  EXPECT_NE(picture, loaded);
  EXPECT_EQ(picture->Bytes(), loaded->Bytes());
  const PicturePtr icon = back.ReadProperty("MouseIcon").ToPicture();
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(std::pair(icon->Format(), icon->Pixels()),
            std::pair(PictureFormat::Bmp, made->Pixels()));
  EXPECT_EQ(back.ReadProperty("MouseScrollingIcon").ToPicture(), Picture::Empty());
  // Decoded files of every format keep their bytes.
  const std::pair<const char*, PictureFormat> files[] = {
      {"bmpsuite/g/pal4rle.bmp", PictureFormat::Bmp},
      {"pngsuite/basn2c08.png", PictureFormat::Png},
      {"libjpeg-turbo-testimages/testorig.jpg", PictureFormat::Jpeg},
      {"wuffs-testdata/animated-red-blue.gif", PictureFormat::Gif}};
  PropertyBag decoded;
  for (const auto& [file, format] : files)
    decoded.WriteProperty(file, LoadPictureFile(testing::TestData() / file), kNoPicture);
  const PropertyBag decodedBack = RoundTrip(decoded);
  for (const auto& [file, format] : files) {
    SCOPED_TRACE(file);
    const PicturePtr original = decoded.ReadProperty(file).ToPicture();
    const PicturePtr read = decodedBack.ReadProperty(file).ToPicture();
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Format(), format);
    EXPECT_EQ(read->Bytes(), testing::FileBytes(testing::TestData() / file));
    EXPECT_EQ(read->Pixels(), original->Pixels());
  }
}

// Each malformed document fails naming the place, and nothing is read.
void ExpectMalformed(const std::string& text, const std::string& fault) {
  SCOPED_TRACE(text);
  PropertyBag bag;
  bag.WriteProperty("Before", int16_t{1});
  const Failure failure = FailureOf([&] { bag = PropertyBag::FromJsonText(text); });
  EXPECT_EQ(failure.Number(), kErrInvalidFileFormat) << failure.Description();
  EXPECT_EQ(failure.Description().rfind("property bag: ", 0), 0u) << failure.Description();
  EXPECT_NE(failure.Description().find(fault), std::string::npos) << failure.Description();
  EXPECT_EQ(bag.Keys(), std::vector<std::string>{"Before"});
}

TEST(PropertyBag, MalformedDocumentsNameTheirFault) {
  const std::pair<const char*, const char*> documents[] = {
      {R"({"A": {"type": "Integer", "value": 5,}})",
       "JSON parse error at line 1, column 38 (byte 38): syntax error"},
      {"", "(byte 1): syntax error"},
      {R"({"A": {"type": "Integer", "value": 5}} x)", "(byte 40): syntax error"},
      {"{\"A\": {\"type\": \"String\", \"value\": \"\xFF\"}}",
       "(byte 36): syntax error while parsing value - invalid string: ill-formed UTF-8"},
      {"[1, 2]", "expected an object of properties"},
      {"null", "expected an object of properties"},
      {R"({"A": {"type": "Integer", "value": 5}, "A": {"type": "Empty"}})",
       "key \"A\": key given twice"},
      {R"({"BackColor": {"type": "Empty"}, "backcolor": {"type": "Empty"}})",
       "key \"backcolor\": key given twice (also as \"BackColor\")"},
      {R"({"A": 5})", "key \"A\": expected an object with a \"type\""},
      {R"({"BarsWidth": {"type": "Integer", "value": "13"}})",
       "key \"BarsWidth\": expected a number"}};
  for (const auto& [text, fault] : documents) ExpectMalformed(text, fault);
  // The entry of key "A", between braces, and what is wrong with it.
  const std::pair<const char*, const char*> entries[] = {
      {R"("type": "Integer", "value": 5, "value": 6)", "member \"value\" given twice"},
      {R"("type": "Integer", "value": [5])",
       "expected a plain value, not a nested object or array"},
      {R"("type": "Long", "value": 1e400)", "number overflow parsing '1e400'"},
      {R"("value": 5)", "missing \"type\""},
      {R"("type": 2, "value": 5)", "\"type\" must be a string"},
      {R"("type": "Currency", "value": 5)", "unknown type \"Currency\""},
      {R"("type": "Integer")", "missing \"value\""},
      {R"("type": "Empty", "value": 0)", "unexpected member \"value\""},
      {R"("type": "Integer", "value": 32768)", "32768 is out of range for Integer"},
      {R"("type": "Integer", "value": 1.5)", "expected a whole number for Integer"},
      {R"("type": "Integer", "value": 99999999999999999999)",
       "expected a whole number for Integer"},
      {R"("type": "Long", "value": 18446744073709551615)",
       "18446744073709551615 is out of range for Long"},
      {R"("type": "Long", "value": 2147483648)", "2147483648 is out of range for Long"},
      {R"("type": "Byte", "value": -1)", "-1 is out of range for Byte"},
      {R"("type": "Single", "value": 1e39)", "1e+39 is out of range for Single"},
      {R"("type": "Double", "value": "Inf")", "expected a number"},
      {R"("type": "Boolean", "value": 1)", "expected true or false"},
      {R"("type": "String", "value": 1)", "expected a string"},
      {R"("type": "String", "base64": "/w=", "value": "")", "unexpected member \"value\""},
      {R"("type": "String", "base64": "/w=")", "bad base64 at offset 3"},
      {R"("type": "Picture", "format": "BMP", "data": "Qk0#AAAA")",
       "bad base64 at offset 3: '#' is not a base64 character"},
      {R"("type": "Picture", "format": "BMP", "data": "Qk0AAAA=")", "BMP"},
      {R"("type": "Picture", "format": "PNG", "data": "")", ""},
      {R"("type": "Picture", "format": "BMP")", "missing \"data\""},
      {R"("type": "Picture", "data": "")", "missing \"format\""},
      {R"("type": "Picture", "format": "TIFF", "data": "")", "unknown picture format \"TIFF\""},
      {R"("type": "Picture", "format": "none", "data": "")", "unexpected member \"data\""},
      {R"("type": "Picture", "format": "PNG", "data": 7)", "\"data\" must be a string"}};
  for (const auto& [entry, fault] : entries)
    ExpectMalformed(std::string("{\"A\": {") + entry + "}}", std::string("key \"A\": ") + fault);
}

// One document decodes at most its budget of pixels, the pictures alive at
// once at most the process's; a refusal names the key and reads nothing.
TEST_F(PropertyBagTest, DecodingStaysWithinItsBudgets) {
  const DecodeBudget saved = GetDecodeBudget();
  // Pictures count against the process's budget while they live.
  SetDecodeBudget({.document = saved.document, .process = 100});
  PicturePtr first = LoadedBmp(8, 8);
  Failure failure = FailureOf([&] { LoadedBmp(8, 8); });
  EXPECT_EQ(failure.Description(),
            "BMP: 8x8 pixels would pass the decoding budget of the process (100 pixels)");
  first.reset();
  EXPECT_EQ(LoadedBmp(8, 8)->PixelWidth(), 8);
  SetDecodeBudget(saved);
  PropertyBag two;
  two.WriteProperty("A", LoadedBmp(8, 8), kNoPicture);
  two.WriteProperty("B", LoadedBmp(8, 8), kNoPicture);
  const std::string text = two.ToJsonText();
  SetDecodeBudget({.document = 100, .process = saved.process});
  PropertyBag bag;
  failure = FailureOf([&] { bag = PropertyBag::FromJsonText(text); });
  EXPECT_EQ(failure.Number(), kErrOutOfMemory);
  EXPECT_EQ(failure.Description(),
            "property bag: key \"B\": BMP: 8x8 pixels would pass the decoding budget of a "
            "document (100 pixels)");
  EXPECT_EQ(bag.Count(), 0u);
  EXPECT_EQ(FailureOf([&] { PropertyBag::FromJson(two.ToJson()); }).Number(), kErrOutOfMemory);
  // Each document has a budget of its own.
  PropertyBag single;
  single.WriteProperty("A", LoadedBmp(8, 8), kNoPicture);
  SetDecodeBudget({.document = 64, .process = saved.process});
  for (int i = 0; i < 2; ++i) EXPECT_EQ(PropertyBag::FromJsonText(single.ToJsonText()).Count(), 1u);
}

}  // namespace
}  // namespace lumora
