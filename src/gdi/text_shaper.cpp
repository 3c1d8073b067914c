#include "gdi/text_shaper.h"

#include <dlfcn.h>
#include <fribidi.h>
#include <hb-ft.h>
#include <hb.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>

namespace vorbel::gdi {

namespace {

// HarfBuzz and FriBidi, loaded on the first caption that needs them, so that
// a run that draws only classic captions never pays for loading them (and
// the libraries they bring along).
struct Libraries {
  decltype(&::fribidi_get_bidi_type) fribidi_get_bidi_type = nullptr;
  decltype(&::fribidi_get_bidi_types) fribidi_get_bidi_types = nullptr;
  decltype(&::fribidi_get_bracket_types) fribidi_get_bracket_types = nullptr;
  decltype(&::fribidi_get_par_embedding_levels_ex) fribidi_get_par_embedding_levels_ex = nullptr;
  decltype(&::fribidi_reorder_line) fribidi_reorder_line = nullptr;
  decltype(&::hb_buffer_add_utf32) hb_buffer_add_utf32 = nullptr;
  decltype(&::hb_buffer_clear_contents) hb_buffer_clear_contents = nullptr;
  decltype(&::hb_buffer_create) hb_buffer_create = nullptr;
  decltype(&::hb_buffer_destroy) hb_buffer_destroy = nullptr;
  decltype(&::hb_buffer_get_glyph_infos) hb_buffer_get_glyph_infos = nullptr;
  decltype(&::hb_buffer_get_glyph_positions) hb_buffer_get_glyph_positions = nullptr;
  decltype(&::hb_buffer_set_direction) hb_buffer_set_direction = nullptr;
  decltype(&::hb_buffer_set_flags) hb_buffer_set_flags = nullptr;
  decltype(&::hb_buffer_set_language) hb_buffer_set_language = nullptr;
  decltype(&::hb_buffer_set_script) hb_buffer_set_script = nullptr;
  decltype(&::hb_font_destroy) hb_font_destroy = nullptr;
  decltype(&::hb_font_get_glyph_h_advance) hb_font_get_glyph_h_advance = nullptr;
  decltype(&::hb_ft_font_create_referenced) hb_ft_font_create_referenced = nullptr;
  decltype(&::hb_ft_font_set_load_flags) hb_ft_font_set_load_flags = nullptr;
  decltype(&::hb_language_from_string) hb_language_from_string = nullptr;
  decltype(&::hb_shape) hb_shape = nullptr;
  decltype(&::hb_unicode_funcs_get_default) hb_unicode_funcs_get_default = nullptr;
  decltype(&::hb_unicode_general_category) hb_unicode_general_category = nullptr;
  decltype(&::hb_unicode_script) hb_unicode_script = nullptr;
};

template <typename Fn>
bool Find(void* library, const char* name, Fn& fn) {
  fn = reinterpret_cast<Fn>(dlsym(library, name));
  return fn != nullptr;
}

// The loaded libraries, or null when either cannot be loaded: captions are
// then all laid out by the classic rules.
const Libraries* LoadLibraries() {
  static const Libraries* const loaded = []() -> const Libraries* {
    void* harfbuzz = dlopen("libharfbuzz.so.0", RTLD_NOW | RTLD_LOCAL);
    void* fribidi = dlopen("libfribidi.so.0", RTLD_NOW | RTLD_LOCAL);
    if (harfbuzz == nullptr || fribidi == nullptr) return nullptr;
    static Libraries libs;
    bool ok = true;
    ok = Find(harfbuzz, "hb_buffer_add_utf32", libs.hb_buffer_add_utf32) && ok;
    ok = Find(harfbuzz, "hb_buffer_clear_contents", libs.hb_buffer_clear_contents) && ok;
    ok = Find(harfbuzz, "hb_buffer_create", libs.hb_buffer_create) && ok;
    ok = Find(harfbuzz, "hb_buffer_destroy", libs.hb_buffer_destroy) && ok;
    ok = Find(harfbuzz, "hb_buffer_get_glyph_infos", libs.hb_buffer_get_glyph_infos) && ok;
    ok = Find(harfbuzz, "hb_buffer_get_glyph_positions", libs.hb_buffer_get_glyph_positions) && ok;
    ok = Find(harfbuzz, "hb_buffer_set_direction", libs.hb_buffer_set_direction) && ok;
    ok = Find(harfbuzz, "hb_buffer_set_flags", libs.hb_buffer_set_flags) && ok;
    ok = Find(harfbuzz, "hb_buffer_set_language", libs.hb_buffer_set_language) && ok;
    ok = Find(harfbuzz, "hb_buffer_set_script", libs.hb_buffer_set_script) && ok;
    ok = Find(harfbuzz, "hb_font_destroy", libs.hb_font_destroy) && ok;
    ok = Find(harfbuzz, "hb_font_get_glyph_h_advance", libs.hb_font_get_glyph_h_advance) && ok;
    ok = Find(harfbuzz, "hb_ft_font_create_referenced", libs.hb_ft_font_create_referenced) && ok;
    ok = Find(harfbuzz, "hb_ft_font_set_load_flags", libs.hb_ft_font_set_load_flags) && ok;
    ok = Find(harfbuzz, "hb_language_from_string", libs.hb_language_from_string) && ok;
    ok = Find(harfbuzz, "hb_shape", libs.hb_shape) && ok;
    ok = Find(harfbuzz, "hb_unicode_funcs_get_default", libs.hb_unicode_funcs_get_default) && ok;
    ok = Find(harfbuzz, "hb_unicode_general_category", libs.hb_unicode_general_category) && ok;
    ok = Find(harfbuzz, "hb_unicode_script", libs.hb_unicode_script) && ok;
    ok = Find(fribidi, "fribidi_get_bidi_type", libs.fribidi_get_bidi_type) && ok;
    ok = Find(fribidi, "fribidi_get_bidi_types", libs.fribidi_get_bidi_types) && ok;
    ok = Find(fribidi, "fribidi_get_bracket_types", libs.fribidi_get_bracket_types) && ok;
    ok = Find(fribidi, "fribidi_get_par_embedding_levels_ex", libs.fribidi_get_par_embedding_levels_ex) && ok;
    ok = Find(fribidi, "fribidi_reorder_line", libs.fribidi_reorder_line) && ok;
    return ok ? &libs : nullptr;
  }();
  return loaded;
}

const Libraries& Lib() { return *LoadLibraries(); }

hb_unicode_funcs_t* Unicode() {
  static hb_unicode_funcs_t* const funcs = Lib().hb_unicode_funcs_get_default();
  return funcs;
}

// Scripts whose text the classic layout draws right: one glyph per character,
// left to right, no joining, no reordering.
bool IsSimpleScript(hb_script_t script) {
  switch (script) {
    case HB_SCRIPT_COMMON:
    case HB_SCRIPT_INHERITED:
    case HB_SCRIPT_UNKNOWN:
    case HB_SCRIPT_LATIN:
    case HB_SCRIPT_GREEK:
    case HB_SCRIPT_CYRILLIC:
    case HB_SCRIPT_ARMENIAN:
    case HB_SCRIPT_GEORGIAN:
    case HB_SCRIPT_HAN:
    case HB_SCRIPT_HIRAGANA:
    case HB_SCRIPT_KATAKANA:
    case HB_SCRIPT_BOPOMOFO: return true;
    default: return false;
  }
}

bool IsMark(hb_unicode_general_category_t gc) {
  return gc == HB_UNICODE_GENERAL_CATEGORY_NON_SPACING_MARK || gc == HB_UNICODE_GENERAL_CATEGORY_SPACING_MARK ||
         gc == HB_UNICODE_GENERAL_CATEGORY_ENCLOSING_MARK;
}

// Characters that join the face of the character before them rather than
// choose one of their own: marks, joiners and variation selectors.
bool FollowsBase(char32_t c, hb_unicode_general_category_t gc) {
  return IsMark(gc) || c == 0x200C || c == 0x200D || (c >= 0xFE00 && c <= 0xFE0F) || (c >= 0xE0100 && c <= 0xE01EF);
}

// Characters worth a search of the installed fonts: not controls, format
// characters, surrogates, private-use or unassigned code points, nor line and
// paragraph separators. Those keep the face's own missing-glyph shape (or,
// when shaped, draw nothing) exactly as before.
bool WantsFallback(hb_unicode_general_category_t gc) {
  switch (gc) {
    case HB_UNICODE_GENERAL_CATEGORY_CONTROL:
    case HB_UNICODE_GENERAL_CATEGORY_FORMAT:
    case HB_UNICODE_GENERAL_CATEGORY_UNASSIGNED:
    case HB_UNICODE_GENERAL_CATEGORY_PRIVATE_USE:
    case HB_UNICODE_GENERAL_CATEGORY_SURROGATE:
    case HB_UNICODE_GENERAL_CATEGORY_LINE_SEPARATOR:
    case HB_UNICODE_GENERAL_CATEGORY_PARAGRAPH_SEPARATOR: return false;
    default: return true;
  }
}

// The language that Han characters are written in: Japanese beside kana,
// Korean beside Hangul, Chinese otherwise. The caption decides, never the
// locale, so the same layout draws the same everywhere.
std::string_view HanLanguage(std::u32string_view text) {
  for (const char32_t c : text) {
    if ((c >= 0x3040 && c <= 0x30FF) || (c >= 0x31F0 && c <= 0x31FF) || (c >= 0xFF66 && c <= 0xFF9F)) return "ja";
  }
  for (const char32_t c : text) {
    if ((c >= 0xAC00 && c <= 0xD7A3) || (c >= 0x1100 && c <= 0x11FF) || (c >= 0x3130 && c <= 0x318F)) return "ko";
  }
  return "zh-cn";
}

// The language a script is most often written in, for choosing a fallback
// face and the shaping rules; "" for a script without one clear language.
std::string_view ScriptLanguage(hb_script_t script, std::string_view han) {
  switch (script) {
    case HB_SCRIPT_HAN:
    case HB_SCRIPT_BOPOMOFO: return han;
    case HB_SCRIPT_HIRAGANA:
    case HB_SCRIPT_KATAKANA: return "ja";
    case HB_SCRIPT_HANGUL: return "ko";
    case HB_SCRIPT_ARABIC: return "ar";
    case HB_SCRIPT_HEBREW: return "he";
    case HB_SCRIPT_SYRIAC: return "syr";
    case HB_SCRIPT_THAANA: return "dv";
    case HB_SCRIPT_DEVANAGARI: return "hi";
    case HB_SCRIPT_BENGALI: return "bn";
    case HB_SCRIPT_GURMUKHI: return "pa";
    case HB_SCRIPT_GUJARATI: return "gu";
    case HB_SCRIPT_ORIYA: return "or";
    case HB_SCRIPT_TAMIL: return "ta";
    case HB_SCRIPT_TELUGU: return "te";
    case HB_SCRIPT_KANNADA: return "kn";
    case HB_SCRIPT_MALAYALAM: return "ml";
    case HB_SCRIPT_SINHALA: return "si";
    case HB_SCRIPT_THAI: return "th";
    case HB_SCRIPT_LAO: return "lo";
    case HB_SCRIPT_TIBETAN: return "bo";
    case HB_SCRIPT_MYANMAR: return "my";
    case HB_SCRIPT_KHMER: return "km";
    case HB_SCRIPT_ETHIOPIC: return "am";
    case HB_SCRIPT_GEORGIAN: return "ka";
    case HB_SCRIPT_ARMENIAN: return "hy";
    case HB_SCRIPT_GREEK: return "el";
    case HB_SCRIPT_CYRILLIC: return "ru";
    default: return {};
  }
}

// The script of every character, with the characters common to all scripts
// (digits, punctuation, spaces) and the marks taking the script of the text
// around them: that of the character before, or at the start that of the
// first character with a script of its own.
std::vector<hb_script_t> ResolveScripts(std::u32string_view text) {
  std::vector<hb_script_t> scripts(text.size(), HB_SCRIPT_COMMON);
  hb_script_t last = HB_SCRIPT_INVALID;
  hb_script_t first = HB_SCRIPT_INVALID;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const hb_script_t s = Lib().hb_unicode_script(Unicode(), text[i]);
    if (s != HB_SCRIPT_COMMON && s != HB_SCRIPT_INHERITED && s != HB_SCRIPT_UNKNOWN) {
      last = s;
      if (first == HB_SCRIPT_INVALID) first = s;
    }
    scripts[i] = last;
  }
  const hb_script_t lead = first == HB_SCRIPT_INVALID ? HB_SCRIPT_COMMON : first;
  for (hb_script_t& s : scripts) {
    if (s != HB_SCRIPT_INVALID) break;
    s = lead;
  }
  return scripts;
}

// Embedding levels by the bidirectional algorithm for the text as one
// paragraph and one line (trailing blanks at the paragraph's level), and the
// visual order: visual[i] is the character shown i-th from the left.
std::vector<FriBidiLevel> BidiLevels(std::u32string_view text, std::vector<FriBidiStrIndex>& visual) {
  const auto n = static_cast<FriBidiStrIndex>(text.size());
  std::vector<FriBidiLevel> levels(text.size(), 0);
  visual.resize(text.size());
  for (FriBidiStrIndex i = 0; i < n; ++i) visual[static_cast<std::size_t>(i)] = i;
  const auto* chars = reinterpret_cast<const FriBidiChar*>(text.data());
  std::vector<FriBidiCharType> types(text.size());
  std::vector<FriBidiBracketType> brackets(text.size());
  Lib().fribidi_get_bidi_types(chars, n, types.data());
  Lib().fribidi_get_bracket_types(chars, n, types.data(), brackets.data());
  FriBidiParType direction = FRIBIDI_PAR_ON;
  if (Lib().fribidi_get_par_embedding_levels_ex(types.data(), brackets.data(), n, &direction, levels.data()) == 0) {
    std::fill(levels.begin(), levels.end(), 0);  // out of memory: draw it left to right
    return levels;
  }
  const FriBidiFlags flags = FRIBIDI_FLAGS_DEFAULT & ~FRIBIDI_FLAG_REORDER_NSM;
  if (Lib().fribidi_reorder_line(flags, types.data(), n, 0, direction, levels.data(), nullptr, visual.data()) == 0) {
    std::fill(levels.begin(), levels.end(), 0);
    for (FriBidiStrIndex i = 0; i < n; ++i) visual[static_cast<std::size_t>(i)] = i;
  }
  return levels;
}

struct Run {
  std::size_t start = 0;
  std::size_t end = 0;
  FriBidiLevel level = 0;
  hb_script_t script = HB_SCRIPT_COMMON;
  int face = 0;
  std::string_view language;
};

// The runs in visual order. A run holds characters of one level, which the
// reordering moves as a block, so each run is one stretch of the visual order.
std::vector<Run> VisualRuns(const std::vector<Run>& runs, const std::vector<FriBidiStrIndex>& visual) {
  std::vector<std::size_t> runOf(visual.size(), 0);
  for (std::size_t r = 0; r < runs.size(); ++r) {
    for (std::size_t i = runs[r].start; i < runs[r].end; ++i) runOf[i] = r;
  }
  std::vector<Run> ordered;
  ordered.reserve(runs.size());
  std::size_t last = SIZE_MAX;
  for (const FriBidiStrIndex logical : visual) {
    const std::size_t r = runOf[static_cast<std::size_t>(logical)];
    if (r != last) ordered.push_back(runs[r]);
    last = r;
  }
  return ordered;
}

struct BufferDeleter {
  void operator()(hb_buffer_t* b) const { Lib().hb_buffer_destroy(b); }
};

}  // namespace

bool NeedsShaping(std::u32string_view text, ShapingFaces& faces) {
  std::string_view han;  // worked out when first needed
  for (const char32_t c : text) {
    if (c < 0x0300 || (c >= 0x0370 && c < 0x0483) || (c >= 0x048A && c < 0x0530)) {
      // Latin and its extensions, Greek and Cyrillic letters: only a missing
      // glyph matters.
      if (c < 0x20 || (c >= 0x7F && c < 0xA0) || faces.HasGlyph(0, c)) continue;
    } else {
      if (LoadLibraries() == nullptr) return false;
      const hb_unicode_general_category_t gc = Lib().hb_unicode_general_category(Unicode(), c);
      if (IsMark(gc)) return true;
      const FriBidiCharType type = Lib().fribidi_get_bidi_type(c);
      if (FRIBIDI_IS_RTL(type) || FRIBIDI_IS_EXPLICIT(type) || FRIBIDI_IS_ISOLATE(type)) return true;
      const hb_script_t script = Lib().hb_unicode_script(Unicode(), c);
      if (!IsSimpleScript(script)) return true;
      if (!WantsFallback(gc) || faces.HasGlyph(0, c)) continue;
      if (script == HB_SCRIPT_HAN && han.empty()) han = HanLanguage(text);
      if (faces.FallbackFace(c, ScriptLanguage(script, han)) != 0) return true;
      continue;
    }
    if (faces.FallbackFace(c, {}) != 0) return LoadLibraries() != nullptr;
  }
  return false;
}

hb_font_t* CreateShapingFont(FT_FaceRec_* face, int loadFlags) {
  if (LoadLibraries() == nullptr) return nullptr;
  hb_font_t* font = Lib().hb_ft_font_create_referenced(face);
  Lib().hb_ft_font_set_load_flags(font, loadFlags);
  return font;
}

void DestroyShapingFont(hb_font_t* font) {
  if (font != nullptr) Lib().hb_font_destroy(font);
}

ShapedLine ShapeLine(std::u32string_view text, ShapingFaces& faces) {
  ShapedLine line;
  if (text.empty()) return line;
  // The bidirectional algorithm counts in ints; no caption comes near that.
  if (text.size() > static_cast<std::size_t>(INT_MAX / 8)) text = text.substr(0, INT_MAX / 8);
  const std::size_t n = text.size();
  std::vector<FriBidiStrIndex> visual;
  const std::vector<FriBidiLevel> levels = BidiLevels(text, visual);
  const std::vector<hb_script_t> scripts = ResolveScripts(text);
  const std::string_view han = HanLanguage(text);

  // The face of every character.
  std::vector<int> face(n, 0);
  for (std::size_t i = 0; i < n; ++i) {
    const char32_t c = text[i];
    const hb_unicode_general_category_t gc = Lib().hb_unicode_general_category(Unicode(), c);
    if (i > 0 && FollowsBase(c, gc) && (face[i - 1] == 0 || faces.HasGlyph(face[i - 1], c) || !IsMark(gc))) {
      face[i] = face[i - 1];
      continue;
    }
    if (faces.HasGlyph(0, c) || !WantsFallback(gc)) continue;
    face[i] = faces.FallbackFace(c, ScriptLanguage(scripts[i], han));
  }

  // Runs of one level, script and face, in logical order.
  std::vector<Run> runs;
  for (std::size_t i = 0; i < n; ++i) {
    if (runs.empty() || levels[i] != runs.back().level || scripts[i] != runs.back().script ||
        face[i] != runs.back().face) {
      runs.push_back({i, i, levels[i], scripts[i], face[i], ScriptLanguage(scripts[i], han)});
    }
    runs.back().end = i + 1;
  }
  runs = VisualRuns(runs, visual);

  // The font's own spacing of a simple script is left out, as the classic
  // layout leaves it out: no kerning and no ligatures.
  static const hb_feature_t kPlainFeatures[] = {
      {HB_TAG('k', 'e', 'r', 'n'), 0, HB_FEATURE_GLOBAL_START, HB_FEATURE_GLOBAL_END},
      {HB_TAG('l', 'i', 'g', 'a'), 0, HB_FEATURE_GLOBAL_START, HB_FEATURE_GLOBAL_END},
      {HB_TAG('c', 'l', 'i', 'g'), 0, HB_FEATURE_GLOBAL_START, HB_FEATURE_GLOBAL_END},
      {HB_TAG('c', 'a', 'l', 't'), 0, HB_FEATURE_GLOBAL_START, HB_FEATURE_GLOBAL_END},
  };
  // One buffer for every line: callers take their turns (the font layer's lock).
  static const std::unique_ptr<hb_buffer_t, BufferDeleter> buffer(Lib().hb_buffer_create());
  std::int64_t pen = 0;  // in 1/64 pixel
  for (const Run& run : runs) {
    Lib().hb_buffer_clear_contents(buffer.get());
    Lib().hb_buffer_add_utf32(buffer.get(), reinterpret_cast<const std::uint32_t*>(text.data()), static_cast<int>(n),
                              static_cast<unsigned>(run.start), static_cast<int>(run.end - run.start));
    Lib().hb_buffer_set_direction(buffer.get(), run.level % 2 == 1 ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
    Lib().hb_buffer_set_script(buffer.get(), run.script);
    Lib().hb_buffer_set_language(
        buffer.get(), Lib().hb_language_from_string(run.language.empty() ? "und" : run.language.data(),
                                                    static_cast<int>(run.language.empty() ? 3 : run.language.size())));
    Lib().hb_buffer_set_flags(buffer.get(), static_cast<hb_buffer_flags_t>((run.start == 0 ? HB_BUFFER_FLAG_BOT : 0) |
                                                                           (run.end == n ? HB_BUFFER_FLAG_EOT : 0)));
    hb_font_t* font = faces.ShapingFont(run.face);
    const bool plain = IsSimpleScript(run.script);
    Lib().hb_shape(font, buffer.get(), plain ? kPlainFeatures : nullptr, plain ? std::size(kPlainFeatures) : 0);

    unsigned count = 0;
    const hb_glyph_info_t* info = Lib().hb_buffer_get_glyph_infos(buffer.get(), &count);
    const hb_glyph_position_t* pos = Lib().hb_buffer_get_glyph_positions(buffer.get(), &count);
    for (unsigned g = 0; g < count; ++g) {
      const unsigned glyph = info[g].codepoint;
      std::int64_t advance = pos[g].x_advance;
      if (advance != 0) {
        // The glyph's own advance as the classic layout rounds it, plus what
        // the shaping added to it or took from it.
        const std::int64_t nominal = Lib().hb_font_get_glyph_h_advance(font, glyph);
        advance = std::int64_t{faces.ClassicAdvance(run.face, glyph)} * 64 + (advance - nominal);
      }
      PlacedGlyph placed;
      placed.face = run.face;
      placed.glyph = glyph;
      placed.x = (pen + pos[g].x_offset + 32) >> 6;
      placed.y = static_cast<int>((-std::int64_t{pos[g].y_offset} + 32) >> 6);
      line.glyphs.push_back(placed);
      pen += advance;
    }
  }
  line.advance = std::max<std::int64_t>(0, (pen + 32) >> 6);
  return line;
}

}  // namespace vorbel::gdi
