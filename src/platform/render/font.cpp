#include "platform/render/font.hpp"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>

namespace lumora {

namespace {

struct FtLibraryDeleter {
  void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
using FtLibrary = std::unique_ptr<FT_LibraryRec_, FtLibraryDeleter>;

struct FtFaceDeleter {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using FtFace = std::unique_ptr<FT_FaceRec_, FtFaceDeleter>;

struct FcConfigDeleter {
  void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};
struct FcPatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using FcConfigPtr = std::unique_ptr<FcConfig, FcConfigDeleter>;
using FcPatternPtr = std::unique_ptr<FcPattern, FcPatternDeleter>;

// Outlines without hinting, rendered in 8-bit grey: the same pixels on every
// run and with no hinting engine (whose output changes between FreeType
// releases) involved.
constexpr FT_Int32 kLoadFlags = FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP | FT_LOAD_NO_AUTOHINT;

// Char size in 1/64 point, the cache's size key.
FT_F26Dot6 SizeKey(double points) {
  const double clamped = std::clamp(points, 1.0, 512.0);
  return static_cast<FT_F26Dot6>(std::lround(clamped * 64.0));
}

}  // namespace

struct Font::State {
  FtLibrary library;  // declared first, so destroyed after the face
  FtFace face;
  std::string path;
  bool embolden = false;  // bold asked for, but only a regular file found
  FT_F26Dot6 size = 0;
  std::unordered_map<uint64_t, Glyph> glyphs;
  std::unordered_map<FT_F26Dot6, FontMetrics> metrics;

  bool Select(FT_F26Dot6 key) {
    if (size == key) return true;
    if (FT_Set_Char_Size(face.get(), 0, key, 96, 96) != 0) return false;
    size = key;
    return true;
  }
};

std::string Font::Locate(const std::string& family) {
  FcConfigPtr config(FcInitLoadConfigAndFonts());
  if (!config) return {};
  FcPatternPtr pattern(FcNameParse(reinterpret_cast<const FcChar8*>(family.c_str())));
  if (!pattern) return {};
  FcConfigSubstitute(config.get(), pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  FcPatternPtr match(FcFontMatch(config.get(), pattern.get(), &result));
  FcChar8* file = nullptr;
  if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch || !file) {
    return {};
  }
  return reinterpret_cast<const char*>(file);
}

namespace {
// Loads the first scalable face among the candidate files; false if none.
bool LoadFirst(Font::State& state, std::initializer_list<std::string> paths) {
  for (const std::string& path : paths) {
    if (path.empty()) continue;
    FT_Face face = nullptr;
    if (FT_New_Face(state.library.get(), path.c_str(), 0, &face) != 0) continue;
    state.face.reset(face);
    if (!FT_IS_SCALABLE(face)) {
      state.face.reset();
      continue;
    }
    state.path = path;
    return true;
  }
  return false;
}
}  // namespace

Font* Font::ForThread(bool bold) {
  struct Holder {
    bool tried = false;
    std::unique_ptr<Font> font;
  };
  thread_local Holder g_Fonts[2];
  Holder& holder = g_Fonts[bold ? 1 : 0];
  if (holder.tried) return holder.font.get();
  holder.tried = true;

  auto state = std::make_unique<State>();
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) return nullptr;
  state->library.reset(library);
  bool found = false;
  if (bold) {
    // fontconfig answers with the closest face, which may be a regular one.
    std::string path = Locate("DejaVu Sans:bold");
    found = LoadFirst(*state, {path, kFallbackBoldFontPath}) &&
            (state->face->style_flags & FT_STYLE_FLAG_BOLD) != 0;
    if (!found) state->embolden = true;
  }
  if (!found && !LoadFirst(*state, {Locate("DejaVu Sans"), std::string(kFallbackFontPath)})) {
    return nullptr;
  }
  holder.font = std::make_unique<Font>(std::move(state));
  return holder.font.get();
}

Font::Font(std::unique_ptr<State> state) : m_State(std::move(state)) {}
Font::~Font() = default;  // State's members go in reverse: the face before its library

const std::string& Font::Path() const {
  return m_State->path;
}

FontMetrics Font::Metrics(double points) {
  const FT_F26Dot6 key = SizeKey(points);
  if (auto it = m_State->metrics.find(key); it != m_State->metrics.end()) return it->second;
  FontMetrics m;
  if (m_State->Select(key)) {
    const FT_Size_Metrics& sm = m_State->face->size->metrics;
    m.ascent = static_cast<int32_t>((sm.ascender + 63) >> 6);
    m.descent = static_cast<int32_t>((-sm.descender + 63) >> 6);
    m.lineHeight =
        std::max<int32_t>(static_cast<int32_t>((sm.height + 63) >> 6), m.ascent + m.descent);
  }
  m_State->metrics.emplace(key, m);
  return m;
}

const Glyph& Font::GlyphFor(char32_t codepoint, double points) {
  const FT_F26Dot6 key = SizeKey(points);
  const uint64_t cacheKey = (uint64_t(key) << 32) | codepoint;
  if (auto it = m_State->glyphs.find(cacheKey); it != m_State->glyphs.end()) return it->second;
  Glyph glyph;
  FT_Face face = m_State->face.get();
  if (m_State->Select(key)) {
    const FT_UInt index = FT_Get_Char_Index(face, codepoint);  // 0: the missing-glyph box
    const FT_GlyphSlot slot = face->glyph;
    const bool loaded =
        FT_Load_Glyph(face, index, kLoadFlags) == 0 && slot->format == FT_GLYPH_FORMAT_OUTLINE;
    if (loaded) {
      FT_Pos widened = 0;
      if (m_State->embolden) {
        const FT_Pos before = slot->advance.x;
        FT_GlyphSlot_Embolden(slot);
        widened = slot->advance.x - before;
      }
      // linearHoriAdvance is 16.16 and never rounded: stable pen positions.
      glyph.advance = static_cast<int32_t>(((slot->linearHoriAdvance + 512) >> 10) + widened);
    }
    if (loaded && FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) == 0) {
      const FT_Bitmap& bitmap = slot->bitmap;
      if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY && bitmap.buffer) {
        glyph.left = slot->bitmap_left;
        glyph.top = slot->bitmap_top;
        glyph.width = static_cast<int32_t>(bitmap.width);
        glyph.height = static_cast<int32_t>(bitmap.rows);
        glyph.coverage.resize(size_t(glyph.width) * glyph.height);
        for (int32_t y = 0; y < glyph.height; ++y) {
          const unsigned char* row = bitmap.buffer + ptrdiff_t(y) * bitmap.pitch;
          std::memcpy(glyph.coverage.data() + size_t(y) * glyph.width, row, glyph.width);
        }
      }
    }
  }
  return m_State->glyphs.emplace(cacheKey, std::move(glyph)).first->second;
}

}  // namespace lumora
