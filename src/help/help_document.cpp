#include "help/help_document.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "base/ascii_text.h"
#include "base/file_reader.h"

namespace vorbel::help {

namespace {

constexpr std::string_view kMagic = "VORBEL-HELP";
constexpr int kFormatVersion = 1;
// Larger files are surely not help documents; refuse before doing any work.
constexpr std::size_t kMaxDocumentSize = 32u << 20;
constexpr std::size_t kMaxTopics = 100000;

bool ValidId(std::string_view id) {
  if (id.empty()) return false;
  return std::all_of(id.begin(), id.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
           c == '.';
  });
}

// Splits "name: value"; false when the line has no colon or no name.
bool SplitField(std::string_view line, std::string& name, std::string_view& value) {
  const std::size_t colon = line.find(':');
  if (colon == std::string_view::npos) return false;
  name = base::LowerCaseAscii(base::TrimBlanks(line.substr(0, colon)));
  value = base::TrimBlanks(line.substr(colon + 1));
  return !name.empty();
}

std::string Fail(std::size_t line, const std::string& message) {
  return "line " + std::to_string(line) + ": " + message;
}

// Reads the document line by line, remembering line numbers for messages.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : rest_(text) {}

  bool Next(std::string_view& line) {
    if (done_) return false;
    const std::size_t end = rest_.find('\n');
    if (end == std::string_view::npos) {
      line = rest_;
      done_ = true;
    } else {
      line = rest_.substr(0, end);
      rest_.remove_prefix(end + 1);
    }
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ++number_;
    return true;
  }
  std::size_t number() const { return number_; }

 private:
  std::string_view rest_;
  std::size_t number_ = 0;
  bool done_ = false;
};

}  // namespace

std::optional<HelpDocument> HelpDocument::Parse(std::string_view text, std::string* error) {
  auto fail = [error](const std::string& message) -> std::optional<HelpDocument> {
    if (error != nullptr) *error = message;
    return std::nullopt;
  };
  if (text.size() > kMaxDocumentSize) return fail("the help document is too large");
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  if (text.empty()) return fail("empty help document");

  LineReader reader(text);
  std::string_view line;
  if (!reader.Next(line)) return fail("empty help document");
  {
    const std::string_view magic_line = base::TrimBlanks(line);
    if (magic_line.substr(0, kMagic.size()) != kMagic) return fail(Fail(1, "not a Vorbel help document"));
    const std::string_view version_text = base::TrimBlanks(magic_line.substr(kMagic.size()));
    int version = 0;
    const auto [end, ec] = std::from_chars(version_text.data(), version_text.data() + version_text.size(), version);
    if (ec != std::errc() || end != version_text.data() + version_text.size() || version < 1) {
      return fail(Fail(1, "no format version after " + std::string(kMagic)));
    }
    if (version > kFormatVersion) return fail(Fail(1, "format version " + std::to_string(version) + " is newer than this program reads"));
  }

  HelpDocument document;
  std::map<std::string, std::size_t, std::less<>> ids;
  std::vector<std::size_t> parent_lines;  // for messages about parents
  enum class State { Header, Fields, Body } state = State::Header;
  HelpTopic* topic = nullptr;
  std::size_t topic_line = 0;

  auto finish_topic = [&]() -> std::optional<std::string> {
    if (topic == nullptr) return std::nullopt;
    if (state == State::Fields)
      return Fail(topic_line, "topic \"" + topic->id + "\" has no \"--\" line before its body");
    if (topic->title.empty()) return Fail(topic_line, "topic \"" + topic->id + "\" has no title");
    return std::nullopt;
  };

  while (reader.Next(line)) {
    if (line.substr(0, 3) == "== ") {
      if (auto message = finish_topic()) return fail(*message);
      const std::string_view id = base::TrimBlanks(line.substr(3));
      if (!ValidId(id)) return fail(Fail(reader.number(), "bad topic id \"" + std::string(id) + "\""));
      if (ids.count(id) != 0) return fail(Fail(reader.number(), "topic \"" + std::string(id) + "\" appears twice"));
      if (document.topics_.size() >= kMaxTopics) return fail(Fail(reader.number(), "too many topics"));
      ids.emplace(std::string(id), document.topics_.size());
      document.topics_.emplace_back();
      parent_lines.push_back(reader.number());
      topic = &document.topics_.back();
      topic->id = std::string(id);
      topic_line = reader.number();
      state = State::Fields;
      continue;
    }
    if (state == State::Body) {
      topic->body.append(line);
      topic->body.push_back('\n');
      continue;
    }
    const std::string_view trimmed = base::TrimBlanks(line);
    if (trimmed.empty() || trimmed.front() == '#') continue;
    if (state == State::Fields && trimmed == "--") {
      state = State::Body;
      continue;
    }
    std::string name;
    std::string_view value;
    if (!SplitField(trimmed, name, value)) {
      return fail(Fail(reader.number(),
                       state == State::Header ? "text before the first topic" : "expected \"name: value\" or \"--\""));
    }
    if (state == State::Header) {
      if (name == "title") document.title_ = std::string(value);
      continue;
    }
    if (name == "title") {
      topic->title = std::string(value);
    } else if (name == "parent") {
      topic->parent = std::string(value);
      parent_lines.back() = reader.number();
    } else if (name == "keywords") {
      std::size_t start = 0;
      while (start <= value.size()) {
        std::size_t end = value.find(';', start);
        if (end == std::string_view::npos) end = value.size();
        const std::string_view keyword = base::TrimBlanks(value.substr(start, end - start));
        if (!keyword.empty()) topic->keywords.emplace_back(keyword);
        start = end + 1;
      }
    } else if (name == "context") {
      int context = 0;
      const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), context);
      if (ec != std::errc() || end != value.data() + value.size() || context < 0) {
        return fail(Fail(reader.number(), "context must be a number"));
      }
      topic->context = context;
    }
  }
  if (auto message = finish_topic()) return fail(*message);
  if (document.topics_.empty()) return fail("the help document has no topics");

  // Resolve parents; a parent chain must end at the top level.
  std::vector<std::optional<std::size_t>> parent_of(document.topics_.size());
  for (std::size_t i = 0; i < document.topics_.size(); ++i) {
    const HelpTopic& t = document.topics_[i];
    if (t.parent.empty()) continue;
    const auto found = ids.find(t.parent);
    if (found == ids.end()) return fail(Fail(parent_lines[i], "unknown parent \"" + t.parent + "\""));
    parent_of[i] = found->second;
  }
  for (std::size_t i = 0; i < document.topics_.size(); ++i) {
    std::size_t steps = 0;
    for (std::optional<std::size_t> at = parent_of[i]; at; at = parent_of[*at]) {
      if (*at == i || ++steps > document.topics_.size()) {
        return fail(Fail(parent_lines[i], "topic \"" + document.topics_[i].id + "\" is its own ancestor"));
      }
    }
  }
  for (std::size_t i = 0; i < document.topics_.size(); ++i) {
    if (parent_of[i]) document.topics_[*parent_of[i]].children.push_back(i);
    else document.roots_.push_back(i);
  }
  return document;
}

std::optional<HelpDocument> HelpDocument::Load(const std::string& fileName, std::string* error) {
  std::string text;
  try {
    text = base::ReadWholeFile(fileName, kMaxDocumentSize);
  } catch (const base::FileReadError& e) {
    if (error != nullptr) {
      *error = e.Failure() == base::FileReadFailure::TooLarge ? "the help document is too large" : e.what();
    }
    return std::nullopt;
  }
  return Parse(text, error);
}

std::optional<std::size_t> HelpDocument::Find(std::string_view id) const {
  for (std::size_t i = 0; i < topics_.size(); ++i) {
    if (topics_[i].id == id) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> HelpDocument::FindContext(int context) const {
  if (context <= 0) return std::nullopt;
  for (std::size_t i = 0; i < topics_.size(); ++i) {
    if (topics_[i].context == context) return i;
  }
  return std::nullopt;
}

std::vector<HelpIndexEntry> HelpDocument::Index() const {
  std::map<std::string, HelpIndexEntry> entries;  // by lower-cased keyword
  for (std::size_t i = 0; i < topics_.size(); ++i) {
    for (const std::string& keyword : topics_[i].keywords) {
      HelpIndexEntry& entry = entries[base::LowerCaseAscii(keyword)];
      if (entry.keyword.empty()) entry.keyword = keyword;
      if (entry.topics.empty() || entry.topics.back() != i) entry.topics.push_back(i);
    }
  }
  std::vector<HelpIndexEntry> index;
  index.reserve(entries.size());
  for (auto& [key, entry] : entries) index.push_back(std::move(entry));
  return index;
}

std::optional<std::size_t> HelpDocument::FindKeyword(const std::vector<HelpIndexEntry>& index, std::string_view prefix) {
  const std::string wanted = base::LowerCaseAscii(base::TrimBlanks(prefix));
  for (std::size_t i = 0; i < index.size(); ++i) {
    if (base::LowerCaseAscii(index[i].keyword).compare(0, wanted.size(), wanted) == 0) return i;
  }
  return std::nullopt;
}

}  // namespace vorbel::help
