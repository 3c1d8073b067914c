#pragma once
// Export of the composed button as a picture file of exactly the button's
// size, in the format the file name's extension chooses (export_formats.h).

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "commands/export_formats.h"
#include "document/button_document.h"
#include "gdi/bitmap.h"
#include "render/button_renderer.h"

namespace vorbel::commands {

// The bytes of a picture file of `picture` in `format`, as ExportButton
// writes them. A picture with an alpha plane (as the render pass leaves it)
// keeps its transparency as far as the format's row of the table says: PNG
// and WebP keep every level; GIF blends the pixels that are at least half opaque onto
// `matte` and leaves out the others; JPEG and BMP blend every pixel onto
// `matte`. A picture without alpha makes its pixels of exactly `workArea`
// transparent in GIF, PNG and WebP files. `quality` goes to a format that
// takes one (see ExportFormatInfo::takes_quality).
std::vector<std::uint8_t> EncodeButton(const gdi::Bitmap& picture, ExportFormat format, gdi::Pixel workArea,
                                       gdi::Pixel matte, int quality = kFormatQuality);

// Writes the button as a picture file, W x H pixels, in the format
// ExportFormatFor gives the name, from a render pass of the document as it is
// now (the surface then holds what was written), with
// the transparency the document's rule and smooth edges give it:
//  - BMP: 24-bit, uncompressed. JPEG: baseline, quality 90. Both blend every
//    pixel onto the document's matte (the work-area colour without one).
//  - GIF: transparent pixels stay transparent, and so do those less than
//    half opaque; the others are blended onto the matte and reduced to the
//    web palette.
//  - PNG: the pixels with their alpha, in the smallest lossless form.
//  - WebP: the pixels with their alpha, lossless unless `quality` is given.
// A pass that its budget cut short (RenderResult::Partial) is exported as
// drawn; the renderer's LastResult tells the caller.
// The file is written through base::AtomicFile: a regular file is written
// beside its name and renamed over it, so no partly written file remains and a
// failure leaves an existing file as it was; a character device or FIFO
// (/dev/stdout) gets the picture written to it; links are followed only where
// that is safe. Unlike a layout save it does not wait for the disk (see
// AtomicFile::SetDurable).
//
// Raises FileWriteError with a message ready to show: "Cannot create file " +
// fileName when the file cannot be made (with ": " and the reason when the
// target is refused as unsafe), its own message for other write errors, and a
// message saying why when the button has a width or height of 0 or less or is
// too large to draw (then nothing is written). Raises std::bad_alloc when
// there is no memory to draw or encode the button.
void ExportButton(const document::ButtonDocument& doc, render::ButtonRenderer& renderer, const std::string& fileName,
                  int quality = kFormatQuality);

// The bytes ExportButton writes, in `format` whatever a file name says; `name`
// stands for the destination in messages. The same rules and errors, but
// nothing is written.
std::vector<std::uint8_t> EncodeButton(const document::ButtonDocument& doc, render::ButtonRenderer& renderer,
                                       ExportFormat format, const std::string& name, int quality = kFormatQuality);

// Raises the FileWriteError of ExportButton for a button whose width or
// height is 0 or less or that is too large to draw.
void CheckExportSize(const std::string& fileName, int w, int h);

// Where a picture goes: a file, or this process's standard output.
struct PictureDestination {
  std::string name;              // the file; in messages, the name of standard output
  bool standard_output = false;  // written to the open standard output, whatever it is
};

// Writes the bytes of a picture as ExportButton does: a file through
// base::AtomicFile without waiting for the disk, standard output through
// AtomicFile::OpenStandardOutput. Raises FileWriteError as they do.
void WritePicture(const PictureDestination& to, std::span<const std::uint8_t> bytes);

}  // namespace vorbel::commands
