#include "commands/random_layers.h"

#include "document/button_document.h"
#include "document/layer_row.h"
#include "document/layer_type.h"
#include "document/random.h"

namespace vorbel::commands {

int RandomButtonHeight() {
  int h = document::RandomUpTo(75);
  if (h < 30) h = document::RandomUpTo(75);
  if (h < 30) h = document::RandomUpTo(75);
  if (h < 30) h = 30;
  return h;
}

int RandomButtonWidth() {
  int w = document::RandomUpTo(130);
  if (w < 50) w = document::RandomUpTo(130);
  if (w < 50) w = document::RandomUpTo(130);
  // A narrow draw falls back to a comfortable width, not to the lower bound.
  if (w < 50) w = 80;
  return w;
}

void RandomButton(document::ButtonDocument& doc, RandomLayerSource& background, RandomLayerSource& bevel,
                  RandomLayerSource& text, RandomSeeding seeding) {
  doc.ClearRows();
  doc.SetUntitled();
  doc.SetTransparencyRule(document::Transparency::Unpainted);
  if (seeding == RandomSeeding::FromClock) document::SeedRandomFromClock();

  doc.SetHeight(RandomButtonHeight());
  doc.SetWidth(RandomButtonWidth());

  if (document::RandomUpTo(4) >= 2) {
    doc.AppendRow(document::LayerRow::Make(std::string(document::kBackgroundType), background.RandomProperties()));
  }
  if (document::RandomUpTo(1) == 1) {
    doc.AppendRow(document::LayerRow::Make(std::string(document::kBevelType), bevel.RandomProperties()));
  }
  doc.AppendRow(document::LayerRow::Make(std::string(document::kTextType), text.RandomProperties()));
}

}  // namespace vorbel::commands
