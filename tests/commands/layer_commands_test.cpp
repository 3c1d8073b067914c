// When the layer commands can act.

#include <gtest/gtest.h>

#include <string>

#include "commands/layer_commands.h"

namespace vorbel::commands {
namespace {

TEST(LayerCommandEnabling, FollowsTheCurrentLayerAndItsKind) {
  document::ButtonDocument doc;
  for (const char* type : {"Background", "Context", "Imagery", "Shape"}) {
    doc.AppendRow(document::LayerRow::Make(type, ""));
  }
  using C = LayerCommand;
  // Commands that need a current layer; those that need one with offsets.
  const C anyLayer[] = {C::Edit, C::Delete, C::MoveUp, C::MoveDown, C::ToggleVisibility};
  const C offsetLayer[] = {C::IncreaseLeft, C::DecreaseLeft, C::IncreaseTop, C::DecreaseTop, C::AskLeft, C::AskTop};
  struct Case {
    int selected;
    bool offsets;
  };
  // None, a background, a text and an image (by substring), a kind the
  // program does not know, and an index the list does not hold.
  for (const Case& c :
       {Case{-1, false}, Case{0, false}, Case{1, true}, Case{2, true}, Case{3, false}, Case{4, false}}) {
    const bool current = c.selected >= 0 && c.selected < doc.RowCount();
    SCOPED_TRACE("selected " + std::to_string(c.selected));
    EXPECT_TRUE(Enabled(C::Add, doc, c.selected));
    EXPECT_TRUE(Enabled(C::Random, doc, c.selected));
    for (C command : anyLayer) EXPECT_EQ(Enabled(command, doc, c.selected), current);
    for (C command : offsetLayer) EXPECT_EQ(Enabled(command, doc, c.selected), c.offsets);
  }
}

}  // namespace
}  // namespace vorbel::commands
