#include "gdi/font_matcher.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string_view>

#include "gdi/font.h"
#include "gdi/font_match_record.h"

namespace vorbel::gdi {

namespace {

// A name cache beyond this many entries is dropped and starts again; face
// names come from user data, so the cache must not grow without bound.
constexpr std::size_t kMaxCachedNames = 256;
// Candidates kept per name: the best match and a few fallbacks.
constexpr int kMaxCandidates = 4;
// Fallback lists (one per face name and language) and the fallback fonts
// found per character kept at most; beyond that a cache is dropped.
constexpr std::size_t kMaxFallbackLists = 16;
constexpr std::size_t kMaxCachedFallbacks = 4096;

struct PatternDeleter {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
struct FontSetDeleter {
  void operator()(FcFontSet* s) const { FcFontSetDestroy(s); }
};
struct ObjectSetDeleter {
  void operator()(FcObjectSet* s) const { FcObjectSetDestroy(s); }
};

const char* AsChars(const FcChar8* s) { return reinterpret_cast<const char*>(s); }
const FcChar8* AsFc(const char* s) { return reinterpret_cast<const FcChar8*>(s); }

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

bool LessNoCase(const std::string& a, const std::string& b) {
  const auto r = std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(FoldAscii(x)) < static_cast<unsigned char>(FoldAscii(y));
      });
  if (r || !EqualNoCase(a, b)) return r;
  return a < b;  // a fixed order for names that differ only in case
}

bool IsOutline(FcPattern* font) {
  FcBool outline = FcFalse;
  FcBool scalable = FcFalse;
  return FcPatternGetBool(font, FC_OUTLINE, 0, &outline) == FcResultMatch && outline &&
         FcPatternGetBool(font, FC_SCALABLE, 0, &scalable) == FcResultMatch && scalable;
}

// The family names of a font in its English (or unlabelled) spelling.
std::vector<std::string> EnglishFamilies(FcPattern* font) {
  std::vector<std::string> names;
  FcChar8* family = nullptr;
  for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &family) == FcResultMatch; ++i) {
    FcChar8* lang = nullptr;
    const bool hasLang = FcPatternGetString(font, FC_FAMILYLANG, i, &lang) == FcResultMatch;
    if (!hasLang || std::strcmp(AsChars(lang), "en") == 0) names.emplace_back(AsChars(family));
  }
  if (names.empty() && FcPatternGetString(font, FC_FAMILY, 0, &family) == FcResultMatch) {
    names.emplace_back(AsChars(family));
  }
  return names;
}

std::int64_t RealTimeNs() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

void AppendAll(FcStrList* list, std::vector<std::string>& out) {
  if (list == nullptr) return;
  while (FcChar8* item = FcStrListNext(list)) out.emplace_back(AsChars(item));
  FcStrListDone(list);
}

std::string ParentFolder(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos || slash == 0 ? std::string() : path.substr(0, slash);
}

// Every installed font, the closest to face (for text in language, when not
// empty) first, as the configuration's rules sort them.
std::unique_ptr<FcFontSet, FontSetDeleter> SortedFonts(FcConfig* config, const std::string& face,
                                                       std::string_view language) {
  std::unique_ptr<FcPattern, PatternDeleter> pattern(FcPatternCreate());
  if (!pattern) throw FontError("Out of memory while matching a font");
  if (!face.empty()) FcPatternAddString(pattern.get(), FC_FAMILY, AsFc(face.c_str()));
  if (!language.empty()) FcPatternAddString(pattern.get(), FC_LANG, AsFc(std::string(language).c_str()));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern.get(), FC_SLANT, FC_SLANT_ROMAN);
  FcPatternAddBool(pattern.get(), FC_OUTLINE, FcTrue);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FcConfigSubstitute(config, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  return std::unique_ptr<FcFontSet, FontSetDeleter>(FcFontSort(config, pattern.get(), FcFalse, nullptr, &result));
}

// The file of an outline font of a sorted list, reported under the name as
// asked when the font carries it (a font may have several family names),
// otherwise under its own main family name.
std::optional<FontFileRef> FileRef(FcPattern* font, const std::string& face) {
  FcChar8* file = nullptr;
  if (!IsOutline(font) || FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch) return std::nullopt;
  FontFileRef ref;
  ref.path = AsChars(file);
  int index = 0;
  if (FcPatternGetInteger(font, FC_INDEX, 0, &index) == FcResultMatch) ref.index = index;
  const auto names = EnglishFamilies(font);
  ref.family = names.empty() ? std::string() : names.front();
  FcChar8* family = nullptr;
  for (int k = 0; FcPatternGetString(font, FC_FAMILY, k, &family) == FcResultMatch; ++k) {
    if (EqualNoCase(AsChars(family), face)) {
      ref.family = AsChars(family);
      break;
    }
  }
  return ref;
}

}  // namespace

struct FontMatcher::FallbackList {
  std::unique_ptr<FcFontSet, FontSetDeleter> fonts;
};

FontMatcher& FontMatcher::Instance() {
  static FontMatcher instance;
  return instance;
}

FontMatcher::FontMatcher()
    : record_(std::make_unique<FontMatchRecord>(DefaultFontMatchRecordFile(), FontMatchContext(FcGetVersion()))) {}

// The configuration is released at exit, so that leak checkers see fontconfig's
// memory returned rather than unreachable.
FontMatcher::~FontMatcher() {
  if (config_ != nullptr) FcConfigDestroy(static_cast<FcConfig*>(config_));
}

void FontMatcher::EnsureLoaded() {
  if (loaded_) return;
  loadedAtNs_ = RealTimeNs();
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (config == nullptr) throw FontError("The font configuration could not be loaded");
  config_ = config;
  loaded_ = true;
}

std::vector<std::string> FontMatcher::ConfigurationPaths() const {
  auto* config = static_cast<FcConfig*>(config_);
  std::vector<std::string> paths;
  AppendAll(FcConfigGetConfigFiles(config), paths);
  // The folders of the configuration files, where a new file may be picked up.
  const std::size_t files = paths.size();
  for (std::size_t i = 0; i < files; ++i) paths.push_back(ParentFolder(paths[i]));
  AppendAll(FcConfigGetConfigDirs(config), paths);
  AppendAll(FcConfigGetFontDirs(config), paths);
  // The user's configuration, read when it exists, so also its later creation
  // must be noticed.
  const char* home = std::getenv("HOME");
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg != nullptr && xdg[0] == '/') {
    paths.push_back(std::string(xdg) + "/fontconfig");
  } else if (home != nullptr && home[0] == '/') {
    paths.push_back(std::string(home) + "/.config/fontconfig");
  }
  if (home != nullptr && home[0] == '/') {
    paths.push_back(std::string(home) + "/.fonts.conf");
    paths.push_back(std::string(home) + "/.fonts.conf.d");
  }
  std::erase(paths, std::string());
  return paths;
}

std::vector<FontFileRef> FontMatcher::Match(const std::string& face) {
  std::lock_guard lock(mutex_);
  if (auto it = matches_.find(face); it != matches_.end()) return it->second;
  if (!loaded_) {
    if (auto recorded = record_->Find(face)) {
      if (matches_.size() >= kMaxCachedNames) matches_.clear();
      return matches_.emplace(face, std::move(*recorded)).first->second;
    }
  }
  EnsureLoaded();
  auto* config = static_cast<FcConfig*>(config_);

  const auto sorted = SortedFonts(config, face, {});
  std::vector<FontFileRef> candidates;
  for (int i = 0; sorted && i < sorted->nfont && static_cast<int>(candidates.size()) < kMaxCandidates; ++i) {
    if (auto ref = FileRef(sorted->fonts[i], face)) candidates.push_back(std::move(*ref));
  }
  std::vector<std::string> fontFolders;
  AppendAll(FcConfigGetFontDirs(config), fontFolders);
  record_->Remember(face, candidates, ConfigurationPaths(), fontFolders, loadedAtNs_);
  if (matches_.size() >= kMaxCachedNames) matches_.clear();
  matches_.emplace(face, candidates);
  return candidates;
}

std::vector<std::string> FontMatcher::Families() {
  std::lock_guard lock(mutex_);
  if (families_listed_) return families_;
  EnsureLoaded();
  auto* config = static_cast<FcConfig*>(config_);

  std::unique_ptr<FcPattern, PatternDeleter> pattern(FcPatternCreate());
  std::unique_ptr<FcObjectSet, ObjectSetDeleter> objects(
      FcObjectSetBuild(FC_FAMILY, FC_FAMILYLANG, FC_OUTLINE, FC_SCALABLE, nullptr));
  if (!pattern || !objects) throw FontError("Out of memory while listing fonts");
  std::unique_ptr<FcFontSet, FontSetDeleter> fonts(FcFontList(config, pattern.get(), objects.get()));

  std::vector<std::string> names;
  for (int i = 0; fonts && i < fonts->nfont; ++i) {
    if (!IsOutline(fonts->fonts[i])) continue;
    for (auto& name : EnglishFamilies(fonts->fonts[i])) {
      if (!name.empty()) names.push_back(std::move(name));
    }
  }
  std::sort(names.begin(), names.end(), LessNoCase);
  names.erase(std::unique(names.begin(), names.end(),
                          [](const std::string& a, const std::string& b) { return EqualNoCase(a, b); }),
              names.end());
  families_ = std::move(names);
  families_listed_ = true;
  return families_;
}

std::optional<FontFileRef> FontMatcher::Fallback(const std::string& face, std::string_view language, char32_t c) {
  std::lock_guard lock(mutex_);
  std::string listKey = face;
  listKey += '\0';
  listKey += language;
  std::string charKey = listKey;
  charKey += '\0';
  charKey += std::to_string(static_cast<std::uint32_t>(c));
  if (auto it = fallbacks_.find(charKey); it != fallbacks_.end()) return it->second;
  EnsureLoaded();

  std::shared_ptr<FallbackList> list;
  if (auto it = fallback_lists_.find(listKey); it != fallback_lists_.end()) {
    list = it->second;
  } else {
    list = std::make_shared<FallbackList>();
    list->fonts = SortedFonts(static_cast<FcConfig*>(config_), face, language);
    if (fallback_lists_.size() >= kMaxFallbackLists) fallback_lists_.clear();
    fallback_lists_.emplace(listKey, list);
  }
  std::optional<FontFileRef> found;
  for (int i = 0; list->fonts && i < list->fonts->nfont; ++i) {
    FcPattern* font = list->fonts->fonts[i];
    FcCharSet* chars = nullptr;
    if (FcPatternGetCharSet(font, FC_CHARSET, 0, &chars) != FcResultMatch || !FcCharSetHasChar(chars, c)) continue;
    if ((found = FileRef(font, face))) break;
  }
  if (fallbacks_.size() >= kMaxCachedFallbacks) fallbacks_.clear();
  fallbacks_.emplace(std::move(charKey), found);
  return found;
}

}  // namespace vorbel::gdi
