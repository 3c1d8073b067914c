#pragma once
// The one open button document: the button's settings and its ordered layers.
//
// Height and Width are held as the text their spin edits show and read as
// numbers whenever needed; the work-area colour is the selection of a colour
// list holding the standard colours. The rows are drawn in list order, the
// first at the bottom of the image. At most one row is selected: the current
// layer on which the layer commands act.
//
// The document also holds the window caption, the only record of the file
// name, and the Loading flag that suspends drawing while a file is read.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/color.h"
#include "document/color_list.h"
#include "document/document_observer.h"
#include "document/layer_row.h"

namespace vorbel::document {

// Which pixels of the button are transparent in the pictures made of it.
enum class Transparency {
  // Every pixel of exactly the work-area colour, whoever painted it: what
  // every layout made before the choice existed gets.
  WorkAreaColor,
  // Every pixel that no layer (nor the border) painted, whatever its colour.
  Unpainted,
};

class ButtonDocument {
 public:
  static constexpr std::int32_t kInitialHeight = 30;
  static constexpr std::int32_t kInitialWidth = 90;
  static constexpr base::Color kInitialWorkArea{0x00808000};  // "Teal"
  static constexpr std::string_view kUntitledFileName = "untitled.vrb";
  static constexpr std::string_view kUntitledCaption = "Vorbel - [untitled.vrb]";

  // Untitled, no rows, Height 30, Width 90, work area "Teal", no border.
  ButtonDocument();
  ButtonDocument(const ButtonDocument&) = delete;
  ButtonDocument& operator=(const ButtonDocument&) = delete;

  // --- Button settings ---

  // The texts as the spin edits show them; any text is accepted.
  const std::string& HeightText() const { return height_text_; }
  const std::string& WidthText() const { return width_text_; }
  void SetHeightText(std::string text);
  void SetWidthText(std::string text);
  // The values: the integer conversion of the text, 0 when it does not convert
  // ("", "-", "12a").
  std::int32_t Height() const;
  std::int32_t Width() const;
  void SetHeight(std::int32_t height);
  void SetWidth(std::int32_t width);

  // The work-area picker. Changes of its selection are reported to document
  // observers as DocumentSetting::WorkArea.
  ColorList& WorkArea() { return work_area_; }
  const ColorList& WorkArea() const { return work_area_; }
  // The selected colour, -1 when nothing is selected.
  base::Color WorkAreaColor() const { return work_area_.GetSelectedColor(); }
  // Selects the first entry holding `color`, adding an entry for a colour no
  // entry holds, so that the work area keeps any colour a file gives it.
  // kNoSelectedColor (-1) stands for none: it changes nothing and gives false.
  bool SetWorkAreaColor(base::Color color) {
    work_area_.SelectOrAddColor(color);
    return WorkAreaColor() == color;
  }
  // Height, Width and the work area as a new window starts with them: 30, 90
  // and "Teal" from the standard colours alone. A layout is read over these,
  // so that a file gives the same button wherever it is opened.
  void ResetButtonSettings();

  bool Border() const { return border_; }
  void SetBorder(bool border);

  // The transparency rule; WorkAreaColor for a new object, as for a layout
  // without the key. Changes are reported as DocumentSetting::Transparency.
  Transparency TransparencyRule() const { return transparency_; }
  void SetTransparencyRule(Transparency rule);
  // Smooth edges: the whole button drawn anti-aliased (see the renderer).
  // Off for a new object. Changes are reported as DocumentSetting::Smooth.
  bool Smooth() const { return smooth_; }
  void SetSmooth(bool smooth);
  // The matte: the colour of the page the button is meant for, onto which
  // formats without partial transparency blend what they cannot keep; none
  // (the work-area colour is used) for a new object. Changes are reported as
  // DocumentSetting::Matte.
  const std::optional<base::Color>& Matte() const { return matte_; }
  void SetMatte(std::optional<base::Color> matte);
  // The matte in use: the matte, or the work-area colour without one.
  base::Color MatteOrWorkArea() const { return matte_.value_or(WorkAreaColor()); }

  // The captions of the button set last exported from the layout, kept in
  // its file so that the set can be exported again; empty when it has none.
  // Changes are reported as DocumentSetting::SetCaptions.
  const std::vector<std::string>& SetCaptions() const { return set_captions_; }
  void SetSetCaptions(std::vector<std::string> captions);

  // --- Caption and file name ---

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  // Sets the caption to "Vorbel - [" + path + "]".
  void SetDocumentFileName(std::string_view path);
  // Sets the caption back to "Vorbel - [untitled.vrb]"; the document has no
  // layout folder any more.
  void SetUntitled();
  // The file name read back from the caption: the text between the first "["
  // and the first "]" after it (empty when no "]" follows the "["), provided the
  // caption holds both characters somewhere; otherwise "untitled.vrb". A path
  // that itself holds "]" therefore comes back cut at that character.
  std::string GetDocumentFileName() const;

  // The folder of the layout file the document was last loaded from or saved
  // to, as an absolute path; empty while it has none (untitled). Relative
  // picture paths are looked up there first, then in the working folder, so
  // a layout finds the pictures beside it wherever it is opened from. Changes
  // are reported as DocumentSetting::LayoutFolder.
  const std::string& LayoutFolder() const { return layout_folder_; }
  void SetLayoutFolder(std::string folder);

  // True while a layout file is being read; drawing does nothing meanwhile.
  bool Loading() const { return loading_; }
  void SetLoading(bool loading) { loading_ = loading; }

  // --- Rows ---

  int RowCount() const { return static_cast<int>(rows_.size()); }
  // Bounds-checked; raises std::out_of_range.
  const LayerRow& Row(int index) const;
  const std::vector<LayerRow>& Rows() const { return rows_; }

  // Appends a row at the end (on top of the image) and returns its index. The
  // row may lack sub-items while its editor is open; the selection stays.
  int AppendRow(LayerRow row);
  // Replaces a whole row.
  void SetRow(int index, LayerRow row);
  void SetRowType(int index, std::string type);
  // Writes one sub-item, adding empty ones before it when the row lacks them.
  void SetRowSubItem(int index, SubItem sub_item, std::string text);
  // Writes all three sub-items.
  void SetRowSubItems(int index, std::string properties, std::string left, std::string top);
  void SetRowImageIndex(int index, std::int32_t image_index);
  // Removes one row. The selection is cleared when it was on that row, and
  // follows its row when an earlier one is removed.
  void RemoveRow(int index);
  // Removes all rows; nothing is selected afterwards.
  void ClearRows();
  // Replaces all rows (loading, random buttons); nothing is selected afterwards.
  void ReplaceRows(std::vector<LayerRow> rows);

  // --- Selection and the commands on the current layer ---

  // -1 when no row is selected.
  int SelectedRow() const { return selected_; }
  // The current layer, or nullptr.
  const LayerRow* SelectedLayer() const;
  // Selects a row, or none with -1. Raises std::out_of_range for other indexes.
  void SelectRow(int index);

  // Removes the selected row; no other row becomes selected. False when nothing
  // is selected.
  bool DeleteSelected();
  // Exchange the selected row with the one before / after it and move the
  // selection with it. False (and nothing changes) with no selection, on the
  // first row (up) or on the last row (down).
  bool MoveSelectedUp();
  bool MoveSelectedDown();
  // Makes a visible-with-mark row (image index 0) hidden (-1), and any other row
  // visible with the mark (0): a loaded 3 becomes 0, then -1. False when nothing
  // is selected.
  bool ToggleSelectedVisibility();
  static std::int32_t ToggledImageIndex(std::int32_t image_index) {
    return image_index == kVisibleImage ? kHiddenImage : kVisibleImage;
  }

  // Tells `observer` of every change, after the observers subscribed before
  // it, for as long as the subscription lasts. The subscription may outlive
  // the document and may end while its observer is being told.
  DocumentSubscription Subscribe(DocumentObserver* observer) { return observers_.Subscribe(observer); }

 private:
  class WorkAreaWatcher : public ColorListObserver {
   public:
    explicit WorkAreaWatcher(ButtonDocument& document) : document_(document) {}
    void ColorSelectionChanged(SelectionSource source) override;

   private:
    ButtonDocument& document_;
  };

  template <typename Notify>
  void NotifyObservers(Notify notify);
  void CheckRowIndex(int index) const;
  void ChangeSelection(int index);
  void ExchangeWithNext(int first);

  std::string height_text_;
  std::string width_text_;
  ColorList work_area_;
  WorkAreaWatcher work_area_watcher_{*this};
  ColorListSubscription work_area_subscription_;
  bool border_ = false;
  Transparency transparency_ = Transparency::WorkAreaColor;
  bool smooth_ = false;
  std::optional<base::Color> matte_;
  std::vector<std::string> set_captions_;
  std::string caption_;
  std::string layout_folder_;
  bool loading_ = false;
  std::vector<LayerRow> rows_;
  int selected_ = -1;
  base::ObserverList<DocumentObserver> observers_;
};

}  // namespace vorbel::document
