#pragma once
// A record on disk of the font files that face names resolved to, so that a
// later run can draw text without loading the font configuration, by far the
// largest cost of starting a short export.
//
// A recorded match is used only while nothing it depends on has changed: the
// same environment and library version (the context), the same configuration
// files and font folders (each one's identity, size and modification and
// change times, or its absence), and the same candidate font files. Anything
// else, a damaged or truncated record among it, means a full match as if there
// were no record, so text is drawn the same either way.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "gdi/font_matcher.h"

struct stat;

namespace vorbel::gdi {

// What the file system tells about one path, enough to notice that a file or
// folder was edited, replaced, created or removed. A missing path has a stamp
// too (exists false), so creating it is noticed.
struct FileStamp {
  bool exists = false;
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t size = 0;
  std::int64_t mtimeNs = 0;
  std::int64_t ctimeNs = 0;

  static FileStamp Of(const std::string& path);
  static FileStamp From(const struct stat& info);
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

class FontMatchRecord {
 public:
  // At most this many face names are kept; the least recently recorded go first.
  static constexpr std::size_t kMaxFaces = 64;
  // A record file larger than this is not read.
  static constexpr std::size_t kMaxFileBytes = 1 << 20;

  // file: where the record lives ("" keeps none). context: everything other
  // than files that a match depends on; a record made in another context is
  // ignored.
  FontMatchRecord(std::string file, std::string context);

  // The candidates recorded for face, when the configuration and the
  // candidates' files are as they were then. Reads and checks the record on
  // first use.
  std::optional<std::vector<FontFileRef>> Find(const std::string& face);

  // Records the outcome of a full match and rewrites the file (through a
  // temporary file and a rename, so readers see the old or the new record).
  // configuration: the files and folders whose change may change any match;
  // fontFolders: the configured font folders, which every candidate must
  // lie in; loadedAtNs: when the configuration was read (real-time clock,
  // ns). Nothing is written when one of them, or a candidate, changed so
  // recently that the configuration may not have seen the change, nor for a
  // match without any candidate or with one that is no regular file in a
  // font folder. Failures are ignored.
  void Remember(const std::string& face, const std::vector<FontFileRef>& candidates,
                const std::vector<std::string>& configuration, const std::vector<std::string>& fontFolders,
                std::int64_t loadedAtNs);

 private:
  struct Entry {
    std::string face;
    std::vector<FontFileRef> candidates;
    std::vector<FileStamp> stamps;  // one per candidate
  };

  void Load();
  void Discard();
  bool Parse(const std::string& text);
  std::string Serialize() const;

  std::string file_;
  std::string context_;
  bool loaded_ = false;
  std::vector<std::pair<std::string, FileStamp>> configuration_;  // as recorded
  std::vector<std::string> font_folders_;                          // sorted
  std::vector<Entry> entries_;                                     // oldest first
};

// $XDG_CACHE_HOME/vorbel/font-matches, with ~/.cache when XDG_CACHE_HOME is
// unset or relative; "" when there is no home folder.
std::string DefaultFontMatchRecordFile();

// The environment that the font configuration reads and the program name its
// rules may test, with the library's version.
std::string FontMatchContext(int libraryVersion);

}  // namespace vorbel::gdi
