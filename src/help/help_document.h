#pragma once
// The help document: topics with titles, index keywords and HTML bodies,
// arranged as a contents tree.
//
// File format (UTF-8 text, lines ended by LF or CR LF, an optional byte-order
// mark at the start):
//
//   VORBEL-HELP 1                 first line: the format name and its version
//   title: Vorbel Help            header fields until the first topic
//   # comment                     lines starting with "#" outside bodies
//   == topic-id                   starts a topic; ids are letters, digits, "-", "_", "."
//   title: Text layers            fields of the topic, "name: value"
//   parent: layers                optional: the topic it sits under in the contents
//   keywords: font; caption       optional: index keywords separated by ";"
//   context: 10                   optional: a number that windows ask help for
//   --                            ends the fields; the body follows
//   <h2>Text layers</h2> ...      body: a small HTML subset, up to the next "== "
//
// Every topic needs a title. Topics appear in the contents in file order,
// under their parent or at the top level; links between topics are written
// <a href="topic:ID">. Field names are matched without regard to case and
// unknown fields are ignored, so newer files still open.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorbel::help {

struct HelpTopic {
  std::string id;
  std::string title;
  std::string parent;  // "" at the top level
  std::vector<std::string> keywords;
  int context = 0;     // 0 when the topic has none
  std::string body;    // HTML
  std::vector<std::size_t> children;  // indexes into Topics(), in file order
};

struct HelpIndexEntry {
  std::string keyword;
  std::vector<std::size_t> topics;  // indexes into Topics(), in file order
};

class HelpDocument {
 public:
  // The URL scheme of links between topics.
  static constexpr std::string_view kTopicScheme = "topic:";

  // Parses a document. On failure returns nothing and, when error is given,
  // stores a message naming the line ("line 12: topic without a title").
  static std::optional<HelpDocument> Parse(std::string_view text, std::string* error = nullptr);
  // Reads and parses a file; a missing or unreadable file is an error too.
  static std::optional<HelpDocument> Load(const std::string& fileName, std::string* error = nullptr);

  const std::string& Title() const { return title_; }
  const std::vector<HelpTopic>& Topics() const { return topics_; }
  // Top-level topics of the contents, in file order.
  const std::vector<std::size_t>& Roots() const { return roots_; }

  // Index of the topic with this id, or nothing.
  std::optional<std::size_t> Find(std::string_view id) const;
  // The first topic with this help context, or nothing.
  std::optional<std::size_t> FindContext(int context) const;

  // Every keyword once, sorted without regard to case; keywords that differ
  // only in case are one entry.
  std::vector<HelpIndexEntry> Index() const;
  // The first index entry that starts with prefix, without regard to case;
  // the first entry for "", nothing when none starts so.
  static std::optional<std::size_t> FindKeyword(const std::vector<HelpIndexEntry>& index, std::string_view prefix);

 private:
  std::string title_;
  std::vector<HelpTopic> topics_;
  std::vector<std::size_t> roots_;
};

}  // namespace vorbel::help
