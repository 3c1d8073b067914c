#include "ui/random_entry.h"

#include <QComboBox>

#include "document/color_list.h"
#include "document/random.h"

namespace vorbel::ui {

base::Color SelectRandomEntry(document::ColorList& list) {
  if (list.Count() == 0) return list.GetSelectedColor();
  const int index = document::RandomUpTo(list.Count() - 1);
  list.SelectColorName(list.Entry(index).name);
  return list.GetSelectedColor();
}

void SelectRandomItem(QComboBox& combo) {
  if (combo.count() == 0) return;
  combo.setCurrentIndex(document::RandomUpTo(combo.count() - 1));
}

}  // namespace vorbel::ui
