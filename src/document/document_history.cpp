#include "document/document_history.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "base/translation.h"
#include "document/value_conversion.h"

namespace vorbel::document {
namespace {

// The same transparency, smooth edges and matte.
bool SameLook(const DocumentState& a, const DocumentState& b) {
  return a.transparency == b.transparency && a.smooth == b.smooth && a.matte == b.matte;
}

bool SameRows(const std::vector<SharedRow>& a, const std::vector<SharedRow>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](const SharedRow& x, const SharedRow& y) { return x == y || *x == *y; });
}

std::size_t RowBytes(const LayerRow& row) {
  std::size_t bytes = sizeof(row) + row.type.size();
  for (const std::string& item : row.sub_items) bytes += sizeof(item) + item.size();
  return bytes;
}

}  // namespace

bool DocumentState::SameContent(const DocumentState& other) const {
  return height_text == other.height_text && width_text == other.width_text &&
         work_area_index == other.work_area_index && border == other.border && SameLook(*this, other) &&
         SameRows(rows, other.rows) && set_captions == other.set_captions;
}

bool DocumentState::SameFileContent(const DocumentState& other) const {
  auto value = [](const std::string& text) { return TryStringToInt(text).value_or(0); };
  return value(height_text) == value(other.height_text) && value(width_text) == value(other.width_text) &&
         work_area_color == other.work_area_color && SameLook(*this, other) && SameRows(rows, other.rows) &&
         set_captions == other.set_captions;
}

std::size_t DocumentState::Bytes(const DocumentState* before) const {
  std::size_t bytes = sizeof(*this) + height_text.size() + width_text.size();
  for (const std::string& caption : set_captions) bytes += sizeof(caption) + caption.size();
  std::unordered_set<const LayerRow*> shared;
  if (before != nullptr) {
    for (const SharedRow& row : before->rows) shared.insert(row.get());
  }
  for (const SharedRow& row : rows) {
    bytes += sizeof(row);
    if (!shared.contains(row.get())) bytes += RowBytes(*row);
  }
  return bytes;
}

DocumentState CaptureState(const ButtonDocument& doc, const DocumentState* previous) {
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
  const std::vector<LayerRow>& rows = doc.Rows();
  state.rows.reserve(rows.size());
  const std::size_t before = previous != nullptr ? previous->rows.size() : 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    SharedRow row;
    for (const std::size_t at : {i, i - 1, i + 1}) {
      // i - 1 wraps round for the first row and is then out of range.
      if (at < before && *previous->rows[at] == rows[i]) {
        row = previous->rows[at];
        break;
      }
    }
    state.rows.push_back(row ? std::move(row) : std::make_shared<const LayerRow>(rows[i]));
  }
  state.selected = doc.SelectedRow();
  return state;
}

void RestoreState(ButtonDocument& doc, const DocumentState& state) {
  doc.SetHeightText(state.height_text);
  doc.SetWidthText(state.width_text);
  ColorList& workArea = doc.WorkArea();
  if (workArea.ItemIndex() != state.work_area_index) {
    if (state.work_area_index < workArea.Count() &&
        (state.work_area_index < 0 || workArea.Entry(state.work_area_index).color == state.work_area_color)) {
      workArea.SetItemIndex(state.work_area_index);
    } else {
      // The entry is no longer where it was: the colour is what counts.
      workArea.SelectOrAddColor(state.work_area_color);
    }
  }
  doc.SetBorder(state.border);
  doc.SetTransparencyRule(state.transparency);
  doc.SetSmooth(state.smooth);
  doc.SetMatte(state.matte);
  doc.SetSetCaptions(state.set_captions);
  // Unchanged rows stay in place, so the list keeps its scroll position.
  const std::vector<LayerRow>& now = doc.Rows();
  const bool same = std::equal(now.begin(), now.end(), state.rows.begin(), state.rows.end(),
                               [](const LayerRow& a, const SharedRow& b) { return a == *b; });
  if (!same) {
    std::vector<LayerRow> rows;
    rows.reserve(state.rows.size());
    for (const SharedRow& row : state.rows) rows.push_back(*row);
    doc.ReplaceRows(std::move(rows));
  }
  doc.SelectRow(state.selected < doc.RowCount() ? state.selected : -1);
}

DocumentHistory::DocumentHistory(ButtonDocument& doc) : doc_(doc) {
  PushState(CaptureState(doc_));
  saved_ = states_.front();
  subscription_ = doc_.Subscribe(this);
}

DocumentHistory::~DocumentHistory() = default;

DocumentHistory::Step::Step(DocumentHistory& history, std::string label, std::string merge_key) : history_(history) {
  history_.Begin(std::move(label), std::move(merge_key));
}

DocumentHistory::Step::~Step() {
  if (open_) history_.End(false);
}

void DocumentHistory::Step::Commit() {
  if (!open_) return;
  open_ = false;
  history_.End(true);
}

void DocumentHistory::Begin(std::string label, std::string merge_key) {
  if (depth_++ > 0) return;
  step_failed_ = false;
  step_start_ = CaptureState(doc_, &states_[index_]);
  step_label_ = std::move(label);
  step_merge_key_ = std::move(merge_key);
}

void DocumentHistory::End(bool committed) {
  step_failed_ = step_failed_ || !committed;
  if (--depth_ > 0) return;
  const DocumentState start = std::move(step_start_);
  step_start_ = {};
  if (doc_.Loading()) return;
  if (!step_failed_) {
    Commit(step_label_, step_merge_key_);
    return;
  }
  // Nothing of a failed step stays: not in the document, not in the history.
  // This runs in a destructor, perhaps while an error is on its way; when
  // even restoring fails, the changes stay and the next step records them.
  try {
    Restore(start);
  } catch (...) {
  }
}

std::string DocumentHistory::UndoLabel() const { return CanUndo() ? steps_[index_ - 1].label : std::string(); }

std::string DocumentHistory::RedoLabel() const { return CanRedo() ? steps_[index_].label : std::string(); }

void DocumentHistory::Commit(const std::string& label, const std::string& merge_key) {
  DocumentState now = CaptureState(doc_, &states_[index_]);
  if (now.SameContent(states_[index_])) {
    states_[index_].selected = now.selected;
    return;
  }
  // A new change ends the steps that could have been made again.
  while (states_.size() > index_ + 1) {
    bytes_ -= state_bytes_.back();
    states_.pop_back();
    state_bytes_.pop_back();
  }
  steps_.resize(index_);
  const bool merge = merge_open_ && !merge_key.empty() && index_ > 0 && steps_.back().merge_key == merge_key;
  if (merge) {
    // The run's last state takes the place of the one before; it shares rows
    // with the state before the run.
    bytes_ -= state_bytes_.back();
    states_.pop_back();
    state_bytes_.pop_back();
    steps_.pop_back();
    --index_;
    // A run that ends where it began (a height typed and typed back) is no
    // step at all.
    if (!now.SameContent(states_[index_])) {
      now = CaptureState(doc_, &states_[index_]);
      steps_.push_back({label, merge_key});
      PushState(std::move(now));
      ++index_;
    }
  } else {
    steps_.push_back({label, merge_key});
    PushState(std::move(now));
    ++index_;
  }
  merge_open_ = true;
  Trim();
  Update();
}

void DocumentHistory::PushState(DocumentState state) {
  state_bytes_.push_back(state.Bytes(states_.empty() ? nullptr : &states_.back()));
  bytes_ += state_bytes_.back();
  states_.push_back(std::move(state));
}

void DocumentHistory::DropFirstState() {
  bytes_ -= state_bytes_[0] + state_bytes_[1];
  states_.erase(states_.begin());
  state_bytes_.erase(state_bytes_.begin());
  // The new first state shares with nothing any more.
  state_bytes_[0] = states_[0].Bytes();
  bytes_ += state_bytes_[0];
}

void DocumentHistory::Trim() {
  // The state of now always stays, however large.
  while (index_ > 0 && (steps_.size() > kMaxSteps || bytes_ > kMaxBytes)) {
    DropFirstState();
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

void DocumentHistory::Restore(const DocumentState& state) {
  // Drawing waits until the whole state is back; the flags come back also
  // when restoring fails.
  struct Guard {
    ButtonDocument& doc;
    bool& restoring;
    bool loading = doc.Loading();
    Guard(ButtonDocument& d, bool& r) : doc(d), restoring(r) {
      restoring = true;
      doc.SetLoading(true);
    }
    ~Guard() {
      doc.SetLoading(loading);
      restoring = false;
    }
  } guard(doc_, restoring_);
  RestoreState(doc_, state);
}

void DocumentHistory::MoveTo(std::size_t index) {
  index_ = index;
  merge_open_ = false;
  Restore(states_[index_]);
  Update();
}

void DocumentHistory::Reset() {
  states_.clear();
  state_bytes_.clear();
  bytes_ = 0;
  PushState(CaptureState(doc_));
  steps_.clear();
  index_ = 0;
  merge_open_ = false;
  Update();
}

void DocumentHistory::MarkSaved() {
  saved_ = CaptureState(doc_, &states_[index_]);
  merge_open_ = false;
  Update();
}

void DocumentHistory::Update() {
  modified_ = !CaptureState(doc_, &states_[index_]).SameFileContent(saved_);
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
