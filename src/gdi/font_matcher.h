#pragma once
// Face-name matching and the list of installed families, through fontconfig.

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
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
};

}  // namespace vorbel::gdi
