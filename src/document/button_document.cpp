#include "document/button_document.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "document/value_conversion.h"

namespace vorbel::document {

ButtonDocument::ButtonDocument()
    : height_text_(std::to_string(kInitialHeight)),
      width_text_(std::to_string(kInitialWidth)),
      caption_(kUntitledCaption) {
  FillColorList(work_area_);
  work_area_.SelectColor(kInitialWorkArea);
  work_area_subscription_ = work_area_.Subscribe(&work_area_watcher_);
}

void ButtonDocument::ResetButtonSettings() {
  SetHeight(kInitialHeight);
  SetWidth(kInitialWidth);
  // Entries added for the colours of other layouts go; the list is as new.
  std::vector<ColorEntry> standard;
  for (const StandardColor& entry : kStandardColors) standard.push_back({entry.name, entry.color});
  if (work_area_.Entries() != standard) FillColorList(work_area_);
  work_area_.SelectColor(kInitialWorkArea);
}

void ButtonDocument::WorkAreaWatcher::ColorSelectionChanged(SelectionSource /*source*/) {
  document_.NotifyObservers([](DocumentObserver& o) { o.SettingsChanged(DocumentSetting::WorkArea); });
}

template <typename Notify>
void ButtonDocument::NotifyObservers(Notify notify) {
  observers_.NotifyAll(notify);
}

void ButtonDocument::SetHeightText(std::string text) {
  if (text == height_text_) return;
  height_text_ = std::move(text);
  NotifyObservers([](DocumentObserver& o) { o.SettingsChanged(DocumentSetting::Height); });
}

void ButtonDocument::SetWidthText(std::string text) {
  if (text == width_text_) return;
  width_text_ = std::move(text);
  NotifyObservers([](DocumentObserver& o) { o.SettingsChanged(DocumentSetting::Width); });
}

std::int32_t ButtonDocument::Height() const { return TryStringToInt(height_text_).value_or(0); }
std::int32_t ButtonDocument::Width() const { return TryStringToInt(width_text_).value_or(0); }
void ButtonDocument::SetHeight(std::int32_t height) { SetHeightText(std::to_string(height)); }
void ButtonDocument::SetWidth(std::int32_t width) { SetWidthText(std::to_string(width)); }

void ButtonDocument::SetBorder(bool border) {
  if (border == border_) return;
  border_ = border;
  NotifyObservers([](DocumentObserver& o) { o.SettingsChanged(DocumentSetting::Border); });
}

void ButtonDocument::SetTransparencyRule(Transparency rule) {
  if (rule == transparency_) return;
  transparency_ = rule;
  NotifyObservers([](DocumentObserver& o) { o.SettingsChanged(DocumentSetting::Transparency); });
}

void ButtonDocument::SetSmooth(bool smooth) {
  if (smooth == smooth_) return;
  smooth_ = smooth;
  NotifyObservers([](DocumentObserver& o) { o.SettingsChanged(DocumentSetting::Smooth); });
}

void ButtonDocument::SetMatte(std::optional<base::Color> matte) {
  if (matte == matte_) return;
  matte_ = matte;
  NotifyObservers([](DocumentObserver& o) { o.SettingsChanged(DocumentSetting::Matte); });
}

void ButtonDocument::SetSetCaptions(std::vector<std::string> captions) {
  if (captions == set_captions_) return;
  set_captions_ = std::move(captions);
  NotifyObservers([](DocumentObserver& o) { o.SettingsChanged(DocumentSetting::SetCaptions); });
}

void ButtonDocument::SetCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  NotifyObservers([](DocumentObserver& o) { o.SettingsChanged(DocumentSetting::Caption); });
}

void ButtonDocument::SetUntitled() {
  SetCaption(std::string(kUntitledCaption));
  SetLayoutFolder({});
}

void ButtonDocument::SetLayoutFolder(std::string folder) {
  if (folder == layout_folder_) return;
  layout_folder_ = std::move(folder);
  NotifyObservers([](DocumentObserver& o) { o.SettingsChanged(DocumentSetting::LayoutFolder); });
}

void ButtonDocument::SetDocumentFileName(std::string_view path) {
  SetCaption("Vorbel - [" + std::string(path) + "]");
}

std::string ButtonDocument::GetDocumentFileName() const {
  const std::size_t open = caption_.find('[');
  if (open == std::string::npos || caption_.find(']') == std::string::npos) return std::string(kUntitledFileName);
  // The "]" that ends the name is the first one after the "["; a "]" that only
  // stands before it still counts as present, and the name is then empty.
  const std::string after = caption_.substr(open + 1);
  const std::size_t close = after.find(']');
  return close == std::string::npos ? std::string() : after.substr(0, close);
}

void ButtonDocument::CheckRowIndex(int index) const {
  if (index < 0 || index >= RowCount()) throw std::out_of_range("layer row index out of range");
}

const LayerRow& ButtonDocument::Row(int index) const {
  CheckRowIndex(index);
  return rows_[static_cast<std::size_t>(index)];
}

int ButtonDocument::AppendRow(LayerRow row) {
  const int index = RowCount();
  NotifyObservers([index](DocumentObserver& o) { o.RowAboutToBeInserted(index); });
  rows_.push_back(std::move(row));
  NotifyObservers([index](DocumentObserver& o) { o.RowInserted(index); });
  return index;
}

void ButtonDocument::SetRow(int index, LayerRow row) {
  CheckRowIndex(index);
  LayerRow& target = rows_[static_cast<std::size_t>(index)];
  if (target == row) return;
  target = std::move(row);
  NotifyObservers([index](DocumentObserver& o) { o.RowChanged(index); });
}

void ButtonDocument::SetRowType(int index, std::string type) {
  CheckRowIndex(index);
  LayerRow row = rows_[static_cast<std::size_t>(index)];
  row.type = std::move(type);
  SetRow(index, std::move(row));
}

void ButtonDocument::SetRowSubItem(int index, SubItem sub_item, std::string text) {
  CheckRowIndex(index);
  LayerRow row = rows_[static_cast<std::size_t>(index)];
  row.SetSubItem(sub_item, std::move(text));
  SetRow(index, std::move(row));
}

void ButtonDocument::SetRowSubItems(int index, std::string properties, std::string left, std::string top) {
  CheckRowIndex(index);
  LayerRow row = rows_[static_cast<std::size_t>(index)];
  row.sub_items = {std::move(properties), std::move(left), std::move(top)};
  SetRow(index, std::move(row));
}

void ButtonDocument::SetRowImageIndex(int index, std::int32_t image_index) {
  CheckRowIndex(index);
  LayerRow row = rows_[static_cast<std::size_t>(index)];
  row.image_index = image_index;
  SetRow(index, std::move(row));
}

void ButtonDocument::RemoveRow(int index) {
  CheckRowIndex(index);
  NotifyObservers([index](DocumentObserver& o) { o.RowAboutToBeRemoved(index); });
  rows_.erase(rows_.begin() + index);
  NotifyObservers([index](DocumentObserver& o) { o.RowRemoved(index); });
  if (selected_ == index) {
    ChangeSelection(-1);
  } else if (selected_ > index) {
    ChangeSelection(selected_ - 1);
  }
}

void ButtonDocument::ClearRows() { ReplaceRows({}); }

void ButtonDocument::ReplaceRows(std::vector<LayerRow> rows) {
  NotifyObservers([](DocumentObserver& o) { o.RowsAboutToBeReset(); });
  rows_ = std::move(rows);
  const int previous = selected_;
  selected_ = -1;
  NotifyObservers([](DocumentObserver& o) { o.RowsReset(); });
  if (previous != -1) NotifyObservers([previous](DocumentObserver& o) { o.SelectionChanged(previous, -1); });
}

const LayerRow* ButtonDocument::SelectedLayer() const {
  return selected_ == -1 ? nullptr : &rows_[static_cast<std::size_t>(selected_)];
}

void ButtonDocument::SelectRow(int index) {
  if (index != -1) CheckRowIndex(index);
  ChangeSelection(index);
}

void ButtonDocument::ChangeSelection(int index) {
  if (index == selected_) return;
  const int previous = selected_;
  selected_ = index;
  NotifyObservers([previous, index](DocumentObserver& o) { o.SelectionChanged(previous, index); });
}

bool ButtonDocument::DeleteSelected() {
  if (selected_ == -1) return false;
  RemoveRow(selected_);
  return true;
}

void ButtonDocument::ExchangeWithNext(int first) {
  std::swap(rows_[static_cast<std::size_t>(first)], rows_[static_cast<std::size_t>(first) + 1]);
  NotifyObservers([first](DocumentObserver& o) { o.RowsExchanged(first); });
}

bool ButtonDocument::MoveSelectedUp() {
  if (selected_ <= 0) return false;
  const int target = selected_ - 1;
  ExchangeWithNext(target);
  ChangeSelection(target);
  return true;
}

bool ButtonDocument::MoveSelectedDown() {
  if (selected_ == -1 || selected_ >= RowCount() - 1) return false;
  const int target = selected_ + 1;
  ExchangeWithNext(selected_);
  ChangeSelection(target);
  return true;
}

bool ButtonDocument::ToggleSelectedVisibility() {
  if (selected_ == -1) return false;
  SetRowImageIndex(selected_, ToggledImageIndex(rows_[static_cast<std::size_t>(selected_)].image_index));
  return true;
}

}  // namespace vorbel::document
