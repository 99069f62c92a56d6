// The renderer's text faces, regular and bold: found through fontconfig
// (DejaVu Sans, else the configured sans-serif, else DejaVu's usual files),
// loaded with FreeType, rendered glyphs cached per size. One instance of each
// per thread, made on first use.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace lumora {

// A rendered glyph: an 8-bit coverage mask placed relative to the pen on the
// baseline, and the pen's advance in 1/64 pixel.
struct Glyph {
  int32_t left = 0;  // mask's left edge minus the pen's x
  int32_t top = 0;   // baseline minus the mask's top row
  int32_t width = 0;
  int32_t height = 0;
  int32_t advance = 0;
  std::vector<uint8_t> coverage;  // width * height bytes, rows top to bottom
};

// Vertical metrics of one size, whole pixels.
struct FontMetrics {
  int32_t ascent = 0;
  int32_t descent = 0;  // positive: pixels below the baseline
  int32_t lineHeight = 0;
};

class Font {
 public:
  // The thread's face, or nullptr when no font file could be loaded (text is
  // then not drawn; everything else still renders). Without a bold file the
  // bold face emboldens the regular outlines.
  static Font* ForThread(bool bold = false);

  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  const std::string& Path() const;
  // Size in points at 96 pixels per inch.
  FontMetrics Metrics(double points);
  const Glyph& GlyphFor(char32_t codepoint, double points);

  // Which file a font family resolves to through fontconfig ("" if none).
  static std::string Locate(const std::string& family);

  struct State;  // FreeType library, face and caches (font.cpp)
  explicit Font(std::unique_ptr<State> state);

 private:
  std::unique_ptr<State> m_State;
};

// The file used when fontconfig finds nothing.
inline constexpr const char* kFallbackFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
inline constexpr const char* kFallbackBoldFontPath =
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

}  // namespace lumora
