#include "help/help_document.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <regex>
#include <set>
#include <string>

namespace vorbel::help {
namespace {

const std::string kShippedHelp = std::string(VORBEL_TEST_DATA) + "/../../resources/help/vorbelkit.hlp";

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

HelpDocument ParseOk(std::string_view text) {
  std::string error;
  std::optional<HelpDocument> document = HelpDocument::Parse(text, &error);
  EXPECT_TRUE(document.has_value()) << error;
  return document ? *document : HelpDocument();
}

std::string ParseError(std::string_view text) {
  std::string error;
  EXPECT_FALSE(HelpDocument::Parse(text, &error).has_value()) << text;
  return error;
}

TEST(HelpDocument, ShippedDocumentIsCompleteAndConsistent) {
  std::string error;
  const std::optional<HelpDocument> document = HelpDocument::Load(kShippedHelp, &error);
  ASSERT_TRUE(document.has_value()) << error;
  EXPECT_EQ(document->Title(), "Vorbel Help");
  const auto& topics = document->Topics();
  ASSERT_GT(topics.size(), 20u);

  // Every topic has a title and a body and is reached exactly once from the contents.
  std::vector<int> seen(topics.size(), 0);
  std::function<void(std::size_t)> visit = [&](std::size_t i) {
    ++seen[i];
    for (std::size_t child : topics[i].children) visit(child);
  };
  for (std::size_t root : document->Roots()) visit(root);
  for (std::size_t i = 0; i < topics.size(); ++i) {
    EXPECT_FALSE(topics[i].title.empty()) << topics[i].id;
    EXPECT_NE(topics[i].body.find("<h2>"), std::string::npos) << topics[i].id;
    EXPECT_EQ(seen[i], 1) << topics[i].id;
  }

  // Every link between topics leads somewhere.
  const std::regex link("href=\"topic:([^\"]*)\"");
  for (const HelpTopic& topic : topics) {
    for (auto it = std::sregex_iterator(topic.body.begin(), topic.body.end(), link); it != std::sregex_iterator(); ++it) {
      EXPECT_TRUE(document->Find((*it)[1].str()).has_value()) << topic.id << " links to " << (*it)[1].str();
    }
  }

  // The index has the words users look for, and the windows' help contexts exist.
  const std::vector<HelpIndexEntry> index = document->Index();
  EXPECT_GT(index.size(), 100u);
  for (const char* word : {"export", "PNG", "GIF", "command line", "--export", "alignment", "bevel layer",
                           "layout file", "Work area color", "Toggle visibility", "random button", "New value",
                           "splash", "undo", "unsaved changes", "recent files", "drag and drop", "zoom", "keys"}) {
    const std::optional<std::size_t> found = HelpDocument::FindKeyword(index, word);
    ASSERT_TRUE(found.has_value()) << word;
    EXPECT_EQ(Lower(index[*found].keyword).rfind(Lower(word), 0), 0u) << word;
  }
  EXPECT_TRUE(document->FindContext(1).has_value());
  EXPECT_TRUE(document->FindContext(10).has_value());
}

TEST(HelpDocument, BuildsTheContentsTreeInFileOrder) {
  const HelpDocument document = ParseOk(
      "\xEF\xBB\xBFVORBEL-HELP 1\r\n"
      "title: Test help\r\n"
      "# a comment\r\n"
      "\r\n"
      "== b\r\n"
      "title: B\r\n"
      "parent: a\r\n"
      "--\r\n"
      "<p>B body</p>\r\n"
      "# not a comment inside a body\r\n"
      "== a\n"
      "Title:  A  \n"
      "Keywords: one ; Two;;three\n"
      "context: 7\n"
      "future-field: ignored\n"
      "--\n"
      "== c\n"
      "title: C\n"
      "parent: a\n"
      "--\n"
      "C body");
  EXPECT_EQ(document.Title(), "Test help");
  ASSERT_EQ(document.Topics().size(), 3u);
  const HelpTopic& b = document.Topics()[0];
  const HelpTopic& a = document.Topics()[1];
  EXPECT_EQ(b.body, "<p>B body</p>\n# not a comment inside a body\n");
  EXPECT_EQ(a.title, "A");
  EXPECT_EQ(a.keywords, (std::vector<std::string>{"one", "Two", "three"}));
  EXPECT_EQ(a.context, 7);
  EXPECT_EQ(a.body, "");
  EXPECT_EQ(document.Topics()[2].body, "C body\n");
  EXPECT_EQ(document.Roots(), (std::vector<std::size_t>{1}));
  EXPECT_EQ(a.children, (std::vector<std::size_t>{0, 2}));
  EXPECT_EQ(document.Find("c"), 2u);
  EXPECT_FALSE(document.Find("C").has_value());
  EXPECT_EQ(document.FindContext(7), 1u);
  EXPECT_FALSE(document.FindContext(0).has_value());
}

TEST(HelpDocument, IndexMergesKeywordsAndFindsByPrefix) {
  const HelpDocument document = ParseOk(
      "VORBEL-HELP 1\n"
      "== x\ntitle: X\nkeywords: Layer; export; layer\n--\n"
      "== y\ntitle: Y\nkeywords: LAYER; Alpha\n--\n");
  const std::vector<HelpIndexEntry> index = document.Index();
  ASSERT_EQ(index.size(), 3u);
  EXPECT_EQ(index[0].keyword, "Alpha");
  EXPECT_EQ(index[1].keyword, "export");
  EXPECT_EQ(index[2].keyword, "Layer");  // spelled as first met
  EXPECT_EQ(index[2].topics, (std::vector<std::size_t>{0, 1}));
  EXPECT_EQ(HelpDocument::FindKeyword(index, ""), 0u);
  EXPECT_EQ(HelpDocument::FindKeyword(index, "EX"), 1u);
  EXPECT_EQ(HelpDocument::FindKeyword(index, " la"), 2u);
  EXPECT_FALSE(HelpDocument::FindKeyword(index, "layers").has_value());
}

TEST(HelpDocument, RefusesBrokenDocumentsNamingTheLine) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"", "empty"},
      {"HELP 1\n", "line 1: not a Vorbel help document"},
      {"VORBEL-HELP\n== a\ntitle: A\n--\n", "line 1: no format version"},
      {"VORBEL-HELP 2\n== a\ntitle: A\n--\n", "newer"},
      {"VORBEL-HELP 1\n", "no topics"},
      {"VORBEL-HELP 1\nstray text\n", "line 2: text before the first topic"},
      {"VORBEL-HELP 1\n== a\n--\nbody\n", "line 2: topic \"a\" has no title"},
      {"VORBEL-HELP 1\n== a\ntitle: A\nbody\n", "line 4: expected"},
      {"VORBEL-HELP 1\n== a\ntitle: A\n", "line 2: topic \"a\" has no \"--\""},
      {"VORBEL-HELP 1\n== a b\ntitle: A\n--\n", "line 2: bad topic id"},
      {"VORBEL-HELP 1\n== a\ntitle: A\n--\n== a\ntitle: B\n--\n", "line 5: topic \"a\" appears twice"},
      {"VORBEL-HELP 1\n== a\ntitle: A\nparent: z\n--\n", "line 4: unknown parent \"z\""},
      {"VORBEL-HELP 1\n== a\ntitle: A\nparent: a\n--\n", "own ancestor"},
      {"VORBEL-HELP 1\n== a\ntitle: A\nparent: b\n--\n== b\ntitle: B\nparent: a\n--\n", "own ancestor"},
      {"VORBEL-HELP 1\n== a\ntitle: A\ncontext: 1x\n--\n", "line 4: context must be a number"},
  };
  for (const Case& c : cases) {
    const std::string error = ParseError(c.text);
    EXPECT_NE(error.find(c.message), std::string::npos) << "got \"" << error << "\" for:\n" << c.text;
  }
  std::string error;
  EXPECT_FALSE(HelpDocument::Load(std::string(VORBEL_TEST_DATA) + "/no/such/file.hlp", &error).has_value());
  EXPECT_NE(error.find("Cannot open file"), std::string::npos);
}

}  // namespace
}  // namespace vorbel::help
