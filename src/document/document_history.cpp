#include "document/document_history.h"

#include <utility>

#include "base/translation.h"
#include "document/value_conversion.h"

namespace vorbel::document {
namespace {

// The same transparency, smooth edges and matte.
bool SameLook(const DocumentState& a, const DocumentState& b) {
  return a.transparency == b.transparency && a.smooth == b.smooth && a.matte == b.matte;
}

}  // namespace

bool DocumentState::SameContent(const DocumentState& other) const {
  return height_text == other.height_text && width_text == other.width_text &&
         work_area_index == other.work_area_index && border == other.border && SameLook(*this, other) &&
         rows == other.rows && set_captions == other.set_captions;
}

bool DocumentState::SameFileContent(const DocumentState& other) const {
  auto value = [](const std::string& text) { return TryStringToInt(text).value_or(0); };
  return value(height_text) == value(other.height_text) && value(width_text) == value(other.width_text) &&
         work_area_color == other.work_area_color && SameLook(*this, other) && rows == other.rows &&
         set_captions == other.set_captions;
}

std::size_t DocumentState::Bytes() const {
  std::size_t bytes = sizeof(*this) + height_text.size() + width_text.size();
  for (const LayerRow& row : rows) {
    bytes += sizeof(row) + row.type.size();
    for (const std::string& item : row.sub_items) bytes += sizeof(item) + item.size();
  }
  for (const std::string& caption : set_captions) bytes += sizeof(caption) + caption.size();
  return bytes;
}

DocumentState CaptureState(const ButtonDocument& doc) {
  DocumentState state;
  state.height_text = doc.HeightText();
  state.width_text = doc.WidthText();
  state.work_area_index = doc.WorkArea().ItemIndex();
  state.work_area_color = doc.WorkAreaColor();
  state.border = doc.Border();
  state.transparency = doc.TransparencyRule();
  state.smooth = doc.Smooth();
  state.matte = doc.Matte();
  state.set_captions = doc.SetCaptions();
  state.rows = doc.Rows();
  state.selected = doc.SelectedRow();
  return state;
}

void RestoreState(ButtonDocument& doc, const DocumentState& state) {
  doc.SetHeightText(state.height_text);
  doc.SetWidthText(state.width_text);
  if (doc.WorkArea().ItemIndex() != state.work_area_index && state.work_area_index < doc.WorkArea().Count()) {
    doc.WorkArea().SetItemIndex(state.work_area_index);
  }
  doc.SetBorder(state.border);
  doc.SetTransparencyRule(state.transparency);
  doc.SetSmooth(state.smooth);
  doc.SetMatte(state.matte);
  doc.SetSetCaptions(state.set_captions);
  // Unchanged rows stay in place, so the list keeps its scroll position.
  if (doc.Rows() != state.rows) doc.ReplaceRows(state.rows);
  doc.SelectRow(state.selected < doc.RowCount() ? state.selected : -1);
}

DocumentHistory::DocumentHistory(ButtonDocument& doc) : doc_(doc) {
  states_.push_back(CaptureState(doc_));
  saved_ = states_.front();
  subscription_ = doc_.Subscribe(this);
}

DocumentHistory::~DocumentHistory() = default;

DocumentHistory::Step::Step(DocumentHistory& history, std::string label, std::string merge_key) : history_(history) {
  history_.Begin(std::move(label), std::move(merge_key));
}

DocumentHistory::Step::~Step() { history_.End(); }

void DocumentHistory::Begin(std::string label, std::string merge_key) {
  if (depth_++ > 0) return;
  step_label_ = std::move(label);
  step_merge_key_ = std::move(merge_key);
}

void DocumentHistory::End() {
  if (--depth_ > 0) return;
  if (!doc_.Loading()) Commit(step_label_, step_merge_key_);
}

std::string DocumentHistory::UndoLabel() const { return CanUndo() ? steps_[index_ - 1].label : std::string(); }

std::string DocumentHistory::RedoLabel() const { return CanRedo() ? steps_[index_].label : std::string(); }

void DocumentHistory::Commit(const std::string& label, const std::string& merge_key) {
  DocumentState now = CaptureState(doc_);
  if (now.SameContent(states_[index_])) {
    states_[index_].selected = now.selected;
    return;
  }
  // A new change ends the steps that could have been made again.
  states_.resize(index_ + 1);
  steps_.resize(index_);
  const bool merge = merge_open_ && !merge_key.empty() && index_ > 0 && steps_.back().merge_key == merge_key;
  if (merge) {
    states_[index_] = std::move(now);
    // A run that ends where it began (a height typed and typed back) is no
    // step at all.
    if (states_[index_].SameContent(states_[index_ - 1])) {
      states_.pop_back();
      steps_.pop_back();
      --index_;
    }
  } else {
    steps_.push_back({label, merge_key});
    states_.push_back(std::move(now));
    ++index_;
  }
  merge_open_ = true;
  Trim();
  Update();
}

void DocumentHistory::Trim() {
  std::size_t bytes = 0;
  for (const DocumentState& state : states_) bytes += state.Bytes();
  while (steps_.size() > kMinSteps && (steps_.size() > kMaxSteps || bytes > kMaxBytes) && index_ > 0) {
    bytes -= states_.front().Bytes();
    states_.erase(states_.begin());
    steps_.erase(steps_.begin());
    --index_;
  }
}

bool DocumentHistory::Undo() {
  if (!CanUndo()) return false;
  MoveTo(index_ - 1);
  return true;
}

bool DocumentHistory::Redo() {
  if (!CanRedo()) return false;
  MoveTo(index_ + 1);
  return true;
}

void DocumentHistory::MoveTo(std::size_t index) {
  index_ = index;
  merge_open_ = false;
  restoring_ = true;
  // Drawing waits until the whole state is back.
  const bool loading = doc_.Loading();
  doc_.SetLoading(true);
  RestoreState(doc_, states_[index_]);
  doc_.SetLoading(loading);
  restoring_ = false;
  Update();
}

void DocumentHistory::Reset() {
  states_.assign(1, CaptureState(doc_));
  steps_.clear();
  index_ = 0;
  merge_open_ = false;
  Update();
}

void DocumentHistory::MarkSaved() {
  saved_ = CaptureState(doc_);
  merge_open_ = false;
  Update();
}

void DocumentHistory::Update() {
  modified_ = !CaptureState(doc_).SameFileContent(saved_);
  if (changed_) changed_();
}

void DocumentHistory::Record(const std::string& label, const std::string& merge_key) {
  if (depth_ > 0 || restoring_ || doc_.Loading()) return;
  Commit(label, merge_key);
}

void DocumentHistory::SettingsChanged(DocumentSetting setting) {
  switch (setting) {
    case DocumentSetting::Height: Record(VORBEL_TRANSLATABLE("Change Height"), "Height"); break;
    case DocumentSetting::Width: Record(VORBEL_TRANSLATABLE("Change Width"), "Width"); break;
    case DocumentSetting::WorkArea: Record(VORBEL_TRANSLATABLE("Change Work Area Color"), "WorkArea"); break;
    case DocumentSetting::Border: Record(VORBEL_TRANSLATABLE("Change Image Border")); break;
    case DocumentSetting::SetCaptions: Record(VORBEL_TRANSLATABLE("Change Set Captions")); break;
    case DocumentSetting::Transparency: Record(VORBEL_TRANSLATABLE("Change Transparency")); break;
    case DocumentSetting::Smooth: Record(VORBEL_TRANSLATABLE("Change Smooth Edges")); break;
    case DocumentSetting::Matte: Record(VORBEL_TRANSLATABLE("Change Matte")); break;
    case DocumentSetting::Caption:
    case DocumentSetting::LayoutFolder: break;
  }
}

void DocumentHistory::RowInserted(int) { Record(VORBEL_TRANSLATABLE("Add Layer")); }
void DocumentHistory::RowRemoved(int) { Record(VORBEL_TRANSLATABLE("Delete Layer")); }
void DocumentHistory::RowsExchanged(int) { Record(VORBEL_TRANSLATABLE("Move Layer")); }
void DocumentHistory::RowChanged(int) { Record(VORBEL_TRANSLATABLE("Change Layer")); }
void DocumentHistory::RowsReset() { Record(VORBEL_TRANSLATABLE("Replace Layers")); }

void DocumentHistory::SelectionChanged(int, int current) {
  // The selection is part of every state, but moving it is no step: the
  // state of now simply follows it.
  if (depth_ == 0 && !restoring_) states_[index_].selected = current;
}

}  // namespace vorbel::document
