#pragma once
// The picture formats a button is exported in: one table that the command
// line, the window's Export and Export Set dialogs, the set writer, the shell
// completion and the manual page all read. Adding a format is one enumerator,
// one row of the table (export_formats.cpp) and one encoder in codecs/.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/color.h"
#include "codecs/pixel_view.h"

namespace vorbel::commands {

// A row of the table; the enumerators are in the table's order.
enum class ExportFormat { Png, Gif, Jpeg, Bmp, Webp };

// The quality of a lossy picture, from 0 to 100 (--quality), for the formats
// that take one; kFormatQuality leaves it to the format: WebP lossless, JPEG
// at 90.
inline constexpr int kFormatQuality = -1;
inline constexpr int kMaxQuality = 100;

// The bytes of a picture file of the pixels; `workArea` is the colour a
// format with transparency leaves out, `quality` a quality or kFormatQuality.
using PictureEncoder = std::vector<std::uint8_t> (*)(const codecs::PixelView& pixels, base::Pixel workArea,
                                                     int quality);

struct ExportFormatInfo {
  ExportFormat format;
  // The name --format takes and settings keep, lower case ("png").
  std::string_view name;
  // The file-name extensions, lower case with the ".", matched in any letter
  // case; the first is the one written where the program names the file (a
  // set's buttons, the Export dialog's default).
  std::span<const std::string_view> extensions;
  // What the dialogs call it: the filter text before its patterns
  // ("PNG image"), in English (translate where shown).
  const char* dialog_text;
  std::string_view mime_type;
  PictureEncoder encode;
  // Transparent pixels come out transparent, at least all or nothing per
  // pixel (the work area, or what the document's transparency rule leaves
  // out); a format without it gets every pixel composed over the matte.
  bool transparent_work_area;
  // Pixels drawn partly transparent keep their partial alpha; a format
  // without it gets them composed over the matte, and leaves out those less
  // than half opaque when it keeps transparency.
  bool partial_transparency;
  // It takes a quality (kFormatQuality or 0 to kMaxQuality); the others
  // ignore it.
  bool takes_quality;
};

// Every row, in the order lists and menus show them.
std::span<const ExportFormatInfo> ExportFormats();
const ExportFormatInfo& FormatInfo(ExportFormat format);

// The format a button set is written in unless another is chosen, and the one
// the window's Export dialog offers first.
inline constexpr ExportFormat kDefaultSetFormat = ExportFormat::Png;
inline constexpr ExportFormat kDefaultExportFormat = ExportFormat::Jpeg;

// The format of a --format value or a kept setting: a row's name or one of
// its extensions without the "." ("jpeg"), in any letter case.
std::optional<ExportFormat> FormatNamed(std::string_view name);

// The format for a file name. Its extension is the text from the last "."
// after the last "/" (empty when there is none), compared in upper case: one
// of a row's extensions gives that row; any other gives BMP when "BMP" is in
// it anywhere, else JPEG when "JP" is (".ajp"), else GIF, a name without an
// extension included.
ExportFormat ExportFormatFor(std::string_view fileName);

// The rows' names as a list for messages and help: "png, gif, jpg, bmp, webp".
std::string FormatNameList();

}  // namespace vorbel::commands
