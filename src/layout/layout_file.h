#pragma once
// Layout files: one button document as INI text.
//
//   [Button]            Height, Width, WorkArea (signed decimal colour value,
//                       -1 for none), Layers (the row count), and the
//                       look of the pictures, each written only when it is
//                       not the default and ignored by versions that know
//                       nothing of it: Transparency ("WorkAreaColor", the
//                       default, or "Unpainted"), Smooth (a yes/no flag,
//                       default no), Matte (colour text, default none)
//   [Layer0] ...        one section per row in list order: Type, Properties,
//                       X (Left), Y (Top), Visible (the image index)
//   [Set]               the captions of the button set last exported from
//                       the layout: Captions (their count), Caption1 ...
//                       CaptionN; written only when there are any, and
//                       ignored by versions that know no sets
//
// Reading starts from the button of a new window (Height 30, Width 90, work
// area "Teal"), so that a file gives the same button in the window and on the
// command line, whatever was open before. It takes the rules of IniFile and
// these defaults: a missing or unreadable Height, Width or WorkArea keeps
// that start value (so does WorkArea=-1, no colour), Transparency
// WorkAreaColor, Smooth no, Matte none, Layers 0, Type "*" (no layer),
// Properties "", X "0", Y "0", Visible 0. A work-area colour outside the
// standard list gets an entry of its own. Only sections "Layer" + i
// for 0 <= i < Layers are read; a missing one, or one whose Type is "*", is
// skipped, so the rows are the present sections in increasing number order.
// Set captions are read with the blanks around them left out, empty ones
// skipped and at most kMaxSetCaptions of them; a file without a [Set]
// section has none.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/error.h"
#include "document/button_document.h"
#include "layout/ini_file.h"

namespace vorbel::layout {

// A layout file that must exist could not be read (see LoadLayout).
class LayoutReadError : public base::Error {
 public:
  using base::Error::Error;
};

// Layout files larger than this are not read: no layout comes near it, and a
// file of that size is something else.
inline constexpr std::size_t kMaxLayoutFileSize = std::size_t{256} << 20;
// The most set captions a layout file keeps.
inline constexpr std::int32_t kMaxSetCaptions = 1000;

// What LoadLayout does with a file that does not exist or may not be read.
enum class MissingLayout {
  LoadsEmpty,  // the window's Open: every key reads as missing
  IsAnError,   // the command line: LayoutReadError
};

// The [Button] keys of the look, by name (letter case aside):
// "Transparency", "Smooth" and "Matte". SetButtonKey gives the document the
// value as reading a layout file would, except that a value the key cannot
// take raises LayoutReadError (reading a file takes the default instead), and
// so does a key that is none of these. An empty Matte means none.
void SetButtonKey(document::ButtonDocument& doc, std::string_view key, std::string_view value);
// "WorkAreaColor", "Unpainted".
std::string_view TransparencyName(document::Transparency rule);
// The rule of one of those names in any letter case; nullopt for other text.
std::optional<document::Transparency> TransparencyNamed(std::string_view name);
// A matte colour: colour text as in property strings ("clWhite", "$00FFFFFF")
// or "#RRGGBB" as on web pages; nullopt for other text.
std::optional<base::Color> MatteNamed(std::string_view text);

// Whether a text can be a layout file: an empty or blank text (a new file), or
// one without NUL bytes that has a "Button" section or a "Layer" + number
// section. Pictures and other binary files hold NUL bytes; a text without those
// sections is some other file. Opening either as an empty layout would put
// layout text over it at the next save.
bool IsLayoutText(const IniFile& ini);

// Applies a layout text to the document: the button settings from their
// start values, then all rows are replaced by those of the file. Caption,
// Loading and Border are not touched.
void ReadLayout(document::ButtonDocument& doc, const IniFile& ini);

// The text of the layout file for the document, CR LF line ends, UTF-8.
std::string FormatLayout(const document::ButtonDocument& doc);

// The absolute path of the folder that holds fileName (relative names count
// from the working folder): the document's layout folder once it is loaded
// from or saved to that file.
std::string LayoutFolderOf(const std::string& fileName);

// Loads a layout file into the document: sets Loading while it reads (so the
// change notifications it causes draw nothing), applies the file, sets the
// caption to "Vorbel - [" + fileName + "]" and the layout folder to the
// file's folder, clears Loading and calls `redraw`
// (when given). Loading is cleared also when an error interrupts. A file that
// does not exist or may not be opened loads as a layout without keys, unless
// `missing` says it is an error. Whatever `missing` says, LayoutReadError is
// raised for a file that is not a layout (see IsLayoutText), for anything but
// a regular file (a FIFO or a device is refused without waiting for it), for a
// file too large for a layout and for a failed read. The document does not
// change when LayoutReadError is raised.
// A file larger than `maxBytes` is refused as too large.
void LoadLayout(document::ButtonDocument& doc, const std::string& fileName, const std::function<void()>& redraw = {},
                MissingLayout missing = MissingLayout::LoadsEmpty, std::size_t maxBytes = kMaxLayoutFileSize);

// Loads a layout text read from elsewhere (standard input) as LoadLayout
// loads a file's: `name` stands for it in messages and the caption, and the
// layout folder becomes `folder` (where relative picture paths resolve;
// "" for the working folder). Raises LayoutReadError for a text that is not
// a layout, and the document does not change.
void LoadLayoutText(document::ButtonDocument& doc, std::string text, const std::string& name, const std::string& folder,
                    const std::function<void()>& redraw = {});

// Loads the layout text on this process's standard input, read to its end
// (at most `maxBytes`), as LoadLayoutText does with the working folder for
// its pictures. `name` stands for standard input in messages. Raises
// LayoutReadError when it cannot be read, is too large or is not a layout.
void LoadLayoutFromStandardInput(document::ButtonDocument& doc, const std::string& name,
                                 const std::function<void()>& redraw = {}, std::size_t maxBytes = kMaxLayoutFileSize);

// The name the previous version of a file is kept under: the extension (from
// the last "." after the last "/") replaced by ".bak", or ".bak" appended when
// the name has none. "dir/Home.vrb" gives "dir/Home.bak".
std::string BackupFileName(std::string_view fileName);

// Saves the document as a layout file and sets the caption to
// "Vorbel - [" + fileName + "]" and the layout folder to the file's folder.
// The file is written through base::AtomicFile, with its rules for links,
// devices, FIFOs and folders that may not be written.
//
// The new text goes to a temporary file beside the target first. Only then the
// backup rule applies: an existing file is renamed to its backup name unless a
// file of that name exists already (so the first save over a file keeps the old
// version as the backup, and later saves leave that backup alone and drop the
// version they replace). The new file then takes the name. A symbolic link is
// followed: the file it names is saved and backed up beside itself. Only a
// regular file that is replaced gets a backup: a device or FIFO is written
// without one, and so is a file written in place because its folder may not
// be written.
//
// On any failure it raises FileWriteError("Unable to write to " + fileName),
// with ": " and the reason appended for a target refused as unsafe; the
// previous file is then as it was (a backup rename already made is undone)
// and neither the caption nor the layout folder changes.
void SaveLayout(document::ButtonDocument& doc, const std::string& fileName);

}  // namespace vorbel::layout
