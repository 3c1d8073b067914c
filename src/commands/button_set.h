#pragma once
// Button sets: one layout drawn once for every caption of a list, in every
// look (state) and at every scale asked for, all of one size, written into
// one folder, with a sprite sheet per scale, a style sheet and a preview page
// on request.
//
// The caption layer (the top-most visible text layer unless another is
// chosen) gets each caption as its text. A caption layer whose property
// string holds "Align=N" (1 to 9, the alignment pad's positions, which the
// window writes whenever the pad places the caption) is placed anew by that
// alignment on every button and at every scale; one without keeps its
// offsets.
//
// Sizes: Fit makes every button as wide and as high as the widest and the
// tallest caption needs to keep the margins the layout's own caption has,
// never smaller than the layout; Fixed keeps the layout's size and refuses a
// caption whose cell would reach beyond the button.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/export.h"
#include "commands/set_input.h"
#include "document/button_document.h"
#include "gdi/bitmap.h"
#include "render/button_renderer.h"
#include "render/button_states.h"

namespace vorbel::commands {

enum class SetSize { Fit, Fixed };

// The scales a set draws at: 1x, 2x and 3x screens.
inline constexpr int kMaxSetScale = 3;
// The most pixels one set draws, every picture of every caption, look and
// scale, and its sprite sheets, counted alike: some 540 million, room for a
// thousand captions of a 110 x 28 button in four looks at three scales with
// sprite sheets; a set that size takes seconds, not minutes, and writes at
// most four bytes a pixel. A larger set is refused before anything is drawn.
inline constexpr std::int64_t kMaxSetPixels = std::int64_t{1} << 29;

// The states of a comma-separated list ("normal,hover"), in its order;
// raises SetError for an empty list, an unknown state or one given twice.
std::vector<render::ButtonState> ParseStates(std::string_view list);
// The scales of a comma-separated list ("1,2" or "1x,2x"), in its order;
// raises SetError for an empty list, a scale other than 1, 2 and 3, or one
// given twice.
std::vector<int> ParseScales(std::string_view list);
// The format a name of the format table gives (FormatNamed); raises SetError
// for anything else.
ExportFormat ParseFormatName(std::string_view name);
// The formats of a comma-separated list ("webp,png"), in its order: the set
// writes every picture in each, and pages offer them in that order, the last
// as the one every browser takes. Raises SetError for an empty list, an
// unknown format or one given twice.
std::vector<ExportFormat> ParseFormats(std::string_view list);
// The list as ParseFormats reads it ("webp,png").
std::string FormatListText(const std::vector<ExportFormat>& formats);
// The extension the set writes files of the format with (".png").
std::string_view FormatExtension(ExportFormat format);

// What a set is made of.
struct SetOptions {
  std::vector<std::string> captions;
  std::vector<render::ButtonState> states{render::ButtonState::Normal};
  std::vector<int> scales{1};
  std::vector<ExportFormat> formats{kDefaultSetFormat};
  // The quality of the lossy formats (--quality), or kFormatQuality.
  int quality = kFormatQuality;
  std::string pattern{kDefaultSetPattern};
  SetSize size = SetSize::Fit;
  // A sprite sheet per scale and format (SheetFormats), the style sheet and
  // the preview page.
  bool sprite = false;
  // The caption layer's row, or -1 for the top-most text layer.
  int caption_layer = -1;
};

// The row of the layout's caption layer when none is chosen: its top-most
// visible text layer, else its top-most text layer; -1 when it has none.
int DefaultCaptionLayer(const document::ButtonDocument& layout);

// The names of the sprite sheets (per scale and format), the style sheet,
// the page and the snippet of markup to copy into a page of one's own.
std::string SpriteSheetName(int scale, ExportFormat format = ExportFormat::Png);
inline constexpr std::string_view kStyleSheetName = "buttons.css";
inline constexpr std::string_view kPreviewPageName = "preview.html";
inline constexpr std::string_view kSnippetName = "buttons.html";

// A set planned from a layout: its captions checked and measured, its size,
// and the names of its files, each checked and different from every other.
// Drawing a button of it needs only the set.
class ButtonSet {
 public:
  // Raises SetError with a message ready to show when the set cannot be
  // made: no captions, no text layer, a caption layer that is no text layer,
  // a caption the layer cannot hold, a caption that does not fit a Fixed
  // size, a button or sprite sheet too large to draw, a set of more than
  // kMaxSetPixels pixels in all, a file-name pattern that gives unsafe names
  // or the same name twice.
  ButtonSet(const document::ButtonDocument& layout, SetOptions options);
  ButtonSet(const ButtonSet&) = delete;
  ButtonSet& operator=(const ButtonSet&) = delete;

  const SetOptions& Options() const { return options_; }
  int ButtonCount() const { return static_cast<int>(options_.captions.size()); }
  const std::string& Caption(int button) const { return options_.captions.at(static_cast<std::size_t>(button)); }
  // The button's name in file names and style classes.
  const std::string& Slug(int button) const { return slugs_.at(static_cast<std::size_t>(button)); }
  int CaptionLayer() const { return caption_layer_; }
  // The alignment the caption is placed by, 0 when it keeps its offsets.
  int Alignment() const { return alignment_; }
  // The size of every button at scale 1.
  int Width() const { return width_; }
  int Height() const { return height_; }
  // The work-area colour as drawn.
  gdi::Pixel WorkArea() const { return work_area_; }
  // The layout's matte as drawn (the work-area colour without one).
  gdi::Pixel Matte() const { return matte_; }
  // The name of the layout the set is made from, without its folder.
  const std::string& LayoutName() const { return layout_name_; }

  // The file of one button in one state at one scale in one format (indexes
  // into the options' states, scales and formats), and every file the set
  // writes, in the order it writes them: the buttons caption by caption,
  // then the sprite sheets, the style sheet, the preview page and the
  // snippet.
  const std::string& FileName(int button, int state, int scale, int format = 0) const;
  std::vector<std::string> FileNames() const;
  // The formats of the sprite sheets: those of the set's formats that keep
  // partial transparency, PNG when none does.
  std::vector<ExportFormat> SheetFormats() const;

  // How readable a button's caption is, measured at 1x the first time it is
  // asked for (drawing a hover look asks): its contrast in every look (0
  // when the caption draws nothing, and in the pressed look when the set
  // has none), indexed by render::ButtonState, the
  // contrast it should have, and the hover look that keeps the normal look's
  // contrast.
  struct Readability {
    std::array<double, render::kButtonStates.size()> contrast{};
    double goal = render::kMinContrast;
    render::HoverLook hover;
  };
  const Readability& CaptionReadability(int button);
  // A sentence for every look of the first `buttons` buttons whose caption
  // is less readable than it should be. The disabled look is left out: it is
  // meant to be faint, and a disabled control is not there to be read.
  std::vector<std::string> ContrastWarnings(int buttons);

  // Draws a button: the picture stays valid until the next call. `partial`
  // is set when the render pass ran out of its budget (see RenderResult).
  const gdi::Bitmap& Draw(int button, render::ButtonState state, int scale, bool* partial = nullptr);
  // Why buttons drawn so far have hard edges though the layout asks for
  // smooth ones (at some scale they are too large to draw at four times
  // their size), or empty.
  const std::string& SmoothLeftOutMessage() const { return smooth_left_out_; }

 private:
  void FindCaptionLayer(const document::ButtonDocument& layout);
  void PlanSize(const document::ButtonDocument& layout);
  void PlanNames();
  // Prepares doc_ for a button at a scale, the pressed look or not.
  void Prepare(int button, int scale, bool pressed);
  // Draws doc_ at `scale`, noting when it lacks the smooth edges it asks for.
  render::RenderResult RenderDocument(int scale);
  // The caption of the button at 1x, as Prepare leaves it, against the
  // button drawn without it. Unless Draw holds that button already, it is
  // drawn last and left on the renderer's surface.
  render::CaptionSample SampleCaptionAt1x(int button, bool pressed);

  // A button in the normal or the pressed look at a scale, as drawn.
  struct Drawing {
    int button = -1;  // -1: nothing of the set's
    int scale = 0;
    bool pressed = false;
    bool partial = false;  // the pass ran out of its budget
    bool Is(int b, int s, bool p) const { return button == b && scale == s && pressed == p; }
  };

  SetOptions options_;
  std::vector<std::string> slugs_;
  std::vector<std::string> props_;  // the caption layer's property string per caption
  std::vector<std::string> names_;  // [button][state][scale]
  std::vector<document::LayerRow> rows_;
  std::vector<std::optional<Readability>> readability_;  // per button, once measured
  std::unique_ptr<document::ButtonDocument> layout_;     // the layout at scale 1, its rows aside
  std::unique_ptr<document::ButtonDocument> doc_;        // what the last pass drew
  render::ButtonRenderer renderer_;
  Drawing on_surface_;  // what the renderer's surface holds
  gdi::Bitmap drawn_;   // the last button Draw asked for, before its look's pixels
  Drawing drawn_as_;
  gdi::Bitmap picture_;
  std::string smooth_left_out_;
  int caption_layer_ = -1;
  int alignment_ = 0;
  int width_ = 0;
  int height_ = 0;
  gdi::Pixel work_area_;
  gdi::Pixel matte_;
  std::string layout_name_;
};

// Writes a set into a folder step by step, so that a window can show the
// progress and stop between steps. A step writes the files of one caption
// at one scale, scale after scale, and after the last caption of a scale
// that scale's sprite sheet; the last step writes the style sheet and the
// preview page, the snippet and the set's record of its files
// (set_manifest.h). It holds one button and one sprite sheet at a time.
// Every file is written whole through base::AtomicFile, into the folder only:
// a link there is replaced, never followed. The last step also removes the
// files the record of the set before named that this set does not write:
// only regular files (no link, no folder) directly in the folder whose names
// this set's naming could give.
class SetWriter {
 public:
  // Makes `folder` when it is missing (its parent must exist) and checks
  // that no file name of the set is taken there by anything but a file or a
  // link. Raises SetError when it cannot; nothing is written then.
  SetWriter(ButtonSet& set, std::string folder);

  int StepCount() const;
  int StepsDone() const { return step_; }
  bool Done() const { return step_ >= StepCount(); }
  // Writes the files of the next step. Raises FileWriteError (or
  // std::bad_alloc) when one cannot be written; the files of the steps before
  // stay.
  void WriteStep();
  int FilesWritten() const { return files_written_; }
  // The files of the set before that the last step removed.
  int FilesRemoved() const { return files_removed_; }
  // The path of a file of the set in the folder.
  std::string PathOf(std::string_view name) const;
  // Buttons the render pass drew only in part, as "Home at 2x".
  const std::vector<std::string>& PartlyDrawn() const { return partly_drawn_; }

 private:
  void WriteFile(std::string_view name, const std::vector<std::uint8_t>& bytes);
  void WriteSheets();
  // Records the set's files and removes those of the set before.
  void TidyFolder();

  ButtonSet& set_;
  std::string folder_;
  int step_ = 0;
  int files_written_ = 0;
  int files_removed_ = 0;
  gdi::Bitmap sheet_;  // the sprite sheet of the scale being written
  std::vector<std::string> partly_drawn_;
};

}  // namespace vorbel::commands
