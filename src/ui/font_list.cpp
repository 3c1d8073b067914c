#include "ui/font_list.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QStringList>

#include <algorithm>

#include "base/ascii_text.h"
#include "gdi/font.h"

namespace vorbel::ui {

std::vector<std::string> MakeFontList(std::vector<std::string> families) {
  const bool hasDefault = std::any_of(families.begin(), families.end(), [](const std::string& name) {
    return base::EqualsIgnoringAsciiCase(name, kDefaultFontEntry);
  });
  if (!hasDefault) families.emplace_back(kDefaultFontEntry);
  std::stable_sort(families.begin(), families.end(), [](const std::string& a, const std::string& b) {
    return base::UpperCaseAscii(a) < base::UpperCaseAscii(b);
  });
  return families;
}

const std::vector<std::string>& FontList() {
  static const std::vector<std::string> list = MakeFontList(gdi::InstalledFontFamilies());
  return list;
}

void FillFontList(QComboBox& combo) {
  QStringList items;
  for (const std::string& name : FontList()) items.push_back(QString::fromStdString(name));
  const QSignalBlocker blocker(combo);
  combo.clear();
  combo.addItems(items);
  combo.setCurrentIndex(-1);
}

}  // namespace vorbel::ui
