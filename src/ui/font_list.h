#pragma once
// The list of font faces the text editor offers.

#include <string>
#include <vector>

class QComboBox;

namespace vorbel::ui {

// The entry always offered besides the installed families; the font
// configuration gives it its default face.
inline constexpr const char* kDefaultFontEntry = "Default";

// `families` with "Default" added (unless a family of that name, in any letter
// case, is there already), sorted without regard to ASCII letter case; names
// that differ only in case keep their given order.
std::vector<std::string> MakeFontList(std::vector<std::string> families);

// The installed font families plus "Default", built on the first call and
// shared for the rest of the run.
const std::vector<std::string>& FontList();

// Replaces the items of `combo` with FontList(). Nothing is selected afterwards.
void FillFontList(QComboBox& combo);

}  // namespace vorbel::ui
