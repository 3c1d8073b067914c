#include "ui/random_layers.h"

#include "document/button_document.h"
#include "document/layer_row.h"
#include "document/layer_type.h"
#include "document/random.h"

namespace vorbel::ui {

int RandomButtonHeight() {
  int h = RandomUpTo(75);
  if (h < 30) h = RandomUpTo(75);
  if (h < 30) h = RandomUpTo(75);
  if (h < 30) h = 30;
  return h;
}

int RandomButtonWidth() {
  int w = RandomUpTo(130);
  if (w < 50) w = RandomUpTo(130);
  if (w < 50) w = RandomUpTo(130);
  // A narrow draw falls back to a comfortable width, not to the lower bound.
  if (w < 50) w = 80;
  return w;
}

void RandomButton(ButtonDocument& doc, RandomLayerSource& background, RandomLayerSource& bevel,
                  RandomLayerSource& text, RandomSeeding seeding) {
  doc.ClearRows();
  doc.SetUntitled();
  if (seeding == RandomSeeding::kFromClock) SeedRandomFromClock();

  doc.SetHeight(RandomButtonHeight());
  doc.SetWidth(RandomButtonWidth());

  if (RandomUpTo(4) >= 2) {
    doc.AppendRow(LayerRow::Make(std::string(kBackgroundType), background.RandomProperties()));
  }
  if (RandomUpTo(1) == 1) {
    doc.AppendRow(LayerRow::Make(std::string(kBevelType), bevel.RandomProperties()));
  }
  doc.AppendRow(LayerRow::Make(std::string(kTextType), text.RandomProperties()));
}

}  // namespace vorbel::ui
