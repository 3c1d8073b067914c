#pragma once
// Face-name matching and the list of installed families, through fontconfig.

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vorbel::gdi {

// A font file (and the face inside it) that can stand for a requested name.
struct FontFileRef {
  std::string path;
  int index = 0;        // the face inside a collection file
  std::string family;   // the family name to report for the request
};

class FontMatchRecord;

// The system's font configuration, loaded on first use only (a run that draws
// no text never pays for it), and not even then when the record of earlier
// runs' matches (FontMatchRecord) still answers. All members are safe to call
// from any thread.
class FontMatcher {
 public:
  static FontMatcher& Instance();

  // The outline fonts that can stand for face, best first (a few at most, so
  // that a file that fails to open has a fallback). face must be valid UTF-8
  // without NUL; empty asks for the default face. Cached per name. Throws
  // FontError when the configuration cannot be loaded. Matches made with the
  // configuration are recorded for later runs.
  std::vector<FontFileRef> Match(const std::string& face);

  // Every installed scalable family name once, sorted without regard to case.
  std::vector<std::string> Families();

  // The outline font to draw c with when the fonts matched for face lack it:
  // the first font of face's fallback list (every installed font, sorted by
  // closeness to face for text in `language`, a BCP 47 tag or "") that has c.
  // Nothing when no installed outline font has it. Cached per name, language
  // and character. Throws FontError when the configuration cannot be loaded.
  std::optional<FontFileRef> Fallback(const std::string& face, std::string_view language, char32_t c);

 private:
  FontMatcher();
  ~FontMatcher();
  void EnsureLoaded();  // requires mutex_
  // The configuration files and folders and the font folders that the loaded
  // configuration read or may read. Requires mutex_ and a loaded configuration.
  std::vector<std::string> ConfigurationPaths() const;

  std::mutex mutex_;
  void* config_ = nullptr;  // FcConfig*, owned for the whole run
  bool loaded_ = false;
  std::int64_t loadedAtNs_ = 0;  // when loading began, real-time clock
  std::unique_ptr<FontMatchRecord> record_;
  std::unordered_map<std::string, std::vector<FontFileRef>> matches_;
  std::vector<std::string> families_;
  bool families_listed_ = false;
  struct FallbackList;
  std::unordered_map<std::string, std::shared_ptr<FallbackList>> fallback_lists_;
  std::unordered_map<std::string, std::optional<FontFileRef>> fallbacks_;
};

}  // namespace vorbel::gdi
