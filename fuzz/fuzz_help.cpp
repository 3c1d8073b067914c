// Feeds arbitrary bytes to the help-document parser and checks the shape of
// whatever it accepts: every topic reached exactly once from the contents,
// every index entry pointing at real topics.

#include "help/help_document.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::optional<vorbel::help::HelpDocument> document = vorbel::help::HelpDocument::Parse(text);
  if (!document) return 0;

  const auto& topics = document->Topics();
  std::vector<int> seen(topics.size(), 0);
  std::vector<std::size_t> stack(document->Roots().rbegin(), document->Roots().rend());
  while (!stack.empty()) {
    const std::size_t at = stack.back();
    stack.pop_back();
    if (at >= topics.size() || ++seen[at] > 1) std::abort();
    for (std::size_t child : topics[at].children) stack.push_back(child);
  }
  for (const int count : seen) {
    if (count != 1) std::abort();
  }
  for (const vorbel::help::HelpTopic& topic : topics) {
    if (topic.title.empty() || document->Find(topic.id) == std::nullopt) std::abort();
  }
  const std::vector<vorbel::help::HelpIndexEntry> index = document->Index();
  for (const vorbel::help::HelpIndexEntry& entry : index) {
    if (entry.keyword.empty() || entry.topics.empty()) std::abort();
    for (std::size_t topic : entry.topics) {
      if (topic >= topics.size()) std::abort();
    }
  }
  if (!index.empty() && vorbel::help::HelpDocument::FindKeyword(index, index.back().keyword) == std::nullopt)
    std::abort();
  return 0;
}
