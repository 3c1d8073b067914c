#pragma once
// Recognising a layer's kind from its Type text.
//
// A row's Type is free text ("Background", "background layer", "Context"). Its
// kind is found by upper-casing the ASCII letters and looking for keywords as
// substrings, so one Type may denote several kinds (BackgroundImage is both a
// background and an image) or none (Shape: listed and saved, never drawn or
// edited). Each reader has its own keyword set; they differ slightly, and a
// Type such as "Backg" is therefore added as a background but never drawn.

#include <string_view>

namespace vorbel::document {

// The standard Type texts of rows made by the program.
inline constexpr std::string_view kBackgroundType = "Background";
inline constexpr std::string_view kBevelType = "Bevel";
inline constexpr std::string_view kTextType = "Text";
inline constexpr std::string_view kImageType = "Image";

// Which kinds a Type denotes. Readers act on them in the member order:
// background, text, bevel, image.
struct LayerKinds {
  bool background = false;
  bool text = false;
  bool bevel = false;
  bool image = false;

  bool Any() const { return background || text || bevel || image; }
  friend bool operator==(const LayerKinds&, const LayerKinds&) = default;
};

// The render pass: "BACKGR", "TEXT", "BEVEL", "IMAGE".
LayerKinds KindsForRender(std::string_view type);

// The Edit command: the same keywords as the render pass.
LayerKinds KindsForEdit(std::string_view type);

// The Add command, which picks the editor for a new row: "BACKG", "TEXT",
// "BEVEL", "IMAGE".
LayerKinds KindsForAdd(std::string_view type);

// Whether the offset controls (Left and Top) apply to a row of this Type: it
// contains "TEXT" or "IMAG".
bool HasOffsetControls(std::string_view type);

}  // namespace vorbel::document
