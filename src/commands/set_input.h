#pragma once
// What a button set takes from outside: caption lists and captions files,
// the pattern its file names are made from, the slugs that name its buttons,
// and the property overrides of scripted exports ("2:Color=clRed").
//
// Everything here reads text that anyone may have written, so each reader
// checks what it takes and raises SetError, with a message ready to show,
// for anything it cannot use. Nothing here touches a file.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/error.h"
#include "document/button_document.h"

namespace vorbel::commands {

// Any reason a set cannot be made or written as asked.
class SetError : public base::Error {
 public:
  using base::Error::Error;
};

// The most captions one set takes, and the longest caption in characters.
inline constexpr std::size_t kMaxCaptions = 1000;
inline constexpr std::size_t kMaxCaptionLength = 256;
// Captions files larger than this are not read.
inline constexpr std::size_t kMaxCaptionsFileSize = std::size_t{1} << 20;

// Raises SetError, with a message that starts with `where` ("caption 2 of
// the list"), for a caption that is not UTF-8 text, holds a control
// character or is longer than kMaxCaptionLength characters. Every caption a
// set draws passes this, wherever it comes from.
void CheckCaption(std::string_view caption, const std::string& where);

// The captions of a comma-separated list ("Home, Products,Contact"): each
// item without the blanks around it, empty items left out. Raises SetError
// for a caption with a control character, one longer than kMaxCaptionLength
// characters, text that is not UTF-8, and more than kMaxCaptions captions.
std::vector<std::string> ParseCaptionList(std::string_view list);

// The captions of a captions file's bytes: one caption a line, UTF-8 (a byte
// order mark at the start is skipped), LF or CR LF line ends, the blanks
// around each caption and blank lines left out. Raises SetError as
// ParseCaptionList does; the message names the line and starts with `name`.
std::vector<std::string> ParseCaptionsFile(std::string_view bytes, std::string_view name);

// The lower-case ASCII name of a caption, safe in file names and CSS class
// names: letters with accents lose them ("Über" gives "uber", "ß" "ss"), "&"
// becomes "and", apostrophes are left out, and every other run of characters
// that are no ASCII letter or digit becomes one "-", none at either end; at
// most kMaxSlugLength characters. A caption with nothing left gives "button".
inline constexpr std::size_t kMaxSlugLength = 64;
std::string CaptionSlug(std::string_view caption);

// The slugs of a list of captions, made unique in list order: a slug taken
// already gets "-2", "-3" and so on ("Home", "Home" give "home", "home-2").
// A caption whose slug holds no letter (one in another script, or of digits
// and signs only) is named by its place from 1: "button-3".
std::vector<std::string> UniqueSlugs(const std::vector<std::string>& captions);

// File-name patterns. A pattern is text with the fields {name} (the
// button's slug), {index} (its place in the caption list, from 1), {state}
// ("normal", "hover", "pressed", "disabled") and {scale} (1, 2 or 3); the
// extension of the format is added to what it gives.
inline constexpr std::string_view kDefaultSetPattern = "{name}-{state}@{scale}x";

// Raises SetError when a pattern cannot give safe file names whatever it is
// filled with: when it is empty, holds "/" or a control character or text
// that is not UTF-8, or a "{" or "}" that is not part of one of the four
// fields.
void CheckPattern(std::string_view pattern);
// Whether the pattern holds the field ("name", "index", "state", "scale").
bool PatternHasField(std::string_view pattern, std::string_view field);
// The pattern with its fields filled in (the pattern must pass CheckPattern).
std::string ExpandPattern(std::string_view pattern, std::string_view name, int index, std::string_view state,
                          int scale);

// Whether a file name's stem (the name without its extension) is one the
// pattern can give: {name} as a slug (lower-case ASCII letters, digits and
// "-", at most kMaxSlugLength), {index} as a number from 1, {state} as a
// state's name and {scale} as 1, 2 or 3; false for a pattern that does not
// pass CheckPattern.
bool PatternMatches(std::string_view pattern, std::string_view stem);

// Raises SetError when `name` is not a name a set writes in its folder:
// empty, "." or "..", starting with "." (a hidden file), holding "/", a
// control character or text that is not UTF-8, or longer than 255 bytes.
void CheckSetFileName(std::string_view name);

// "N:KEY=VALUE": the property KEY of layer N (the row counted from 0, as in
// the layout file's [LayerN] sections) set to VALUE for one run; or
// "Button:KEY=VALUE": the key KEY of the layout's [Button] section (see
// layout::SetButtonKey).
struct PropertyOverride {
  // The layer of the [Button] section.
  static constexpr int kButton = -1;
  int layer = 0;
  std::string key;
  std::string value;
  friend bool operator==(const PropertyOverride&, const PropertyOverride&) = default;
};

// Reads "N:KEY=VALUE" or "Button:KEY=VALUE" ("Button" in any letter case).
// N is decimal, KEY letters, digits and "_", VALUE any
// text without ";" or control characters (";" would end it when read) of at
// most 2047 characters, the longest a layout file holds. Raises SetError.
PropertyOverride ParsePropertyOverride(std::string_view text);

// Gives the layer of `change` its value (see document::SetPropValue). The key
// must be one of the kinds the layer's Type names (in any letter case; a key
// not in the string yet is added in its own spelling), and a colour or number
// must convert unless it is empty (the default). Raises SetError when the
// document has no such layer, the layer no such key or the value does not
// convert. A [Button] key takes its value as layout::SetButtonKey does.
void ApplyPropertyOverride(document::ButtonDocument& doc, const PropertyOverride& change);

}  // namespace vorbel::commands
