#pragma once
// The undo history of a ButtonDocument and whether it differs from its file.
//
// The history keeps whole states of the document: the button settings, the
// rows and the selection. Restoring one gives the document back exactly as it
// was, byte for byte in its saved text. A state shares the rows a step did not
// change with the state before it, so a step costs the memory of what it
// changed, not of the whole layout. Each step between two states carries the
// label of the change ("Delete Layer"), which the Edit menu shows as "Undo
// Delete Layer".
//
// Every change of the document becomes a step by itself, labelled after the
// setting it touched. A command that makes several changes, or wants its own
// label, opens a Step around them and commits it when it succeeded: the
// changes then become one step under the command's label, or none when they
// cancel out. A Step that ends without Commit (the command failed, was
// cancelled or threw) gives the document back as it was when the Step began
// and leaves no step. Steps with the same merge key that follow each other
// become one (typing a height, an arrow held down), until BreakMerge, an undo
// or a save ends the run.
//
// Changes made while the document is loading are not recorded; the file
// commands call Reset afterwards. Changes of the selection and the caption are
// never steps of their own.

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/button_document.h"
#include "document/document_observer.h"
#include "document/layer_row.h"

namespace vorbel::document {

// A row as the history keeps it: shared by the states it did not change in.
using SharedRow = std::shared_ptr<const LayerRow>;

// What the history keeps of the document at one point.
struct DocumentState {
  std::string height_text;
  std::string width_text;
  int work_area_index = -1;  // the selected entry of the work-area list
  base::Color work_area_color = kNoSelectedColor;
  bool border = false;
  Transparency transparency = Transparency::WorkAreaColor;
  bool smooth = false;
  std::optional<base::Color> matte;
  std::vector<std::string> set_captions;
  std::vector<SharedRow> rows;
  int selected = -1;

  // The same button and rows, the selection aside.
  bool SameContent(const DocumentState& other) const;
  // The same layout file text: Height, Width, the work-area colour, the
  // transparency, smooth edges, the matte, the rows and the set's captions
  // (the border is not part of the file, and "030"
  // saves as "30").
  bool SameFileContent(const DocumentState& other) const;
  // Roughly the memory the state takes beyond what it shares with `before`
  // (the state before it in the history; null: all of it).
  std::size_t Bytes(const DocumentState* before = nullptr) const;
};

// The document as it is now. Rows equal to a row of `previous` at the same
// place or one place away (a step changes, adds, removes or exchanges rows)
// are shared with it rather than copied.
DocumentState CaptureState(const ButtonDocument& doc, const DocumentState* previous = nullptr);
// Gives the document the settings, rows and selection of `state`; the
// document tells its observers as for any other change.
void RestoreState(ButtonDocument& doc, const DocumentState& state);

class DocumentHistory : private DocumentObserver {
 public:
  // Up to kMaxSteps steps are kept while all kept states together take no
  // more than kMaxBytes; the oldest go first. As a step costs what it
  // changed, that is every one of them for layouts of ordinary size (at
  // least 100 steps whenever each changes less than kMaxBytes / 100), but the
  // byte bound holds for a huge layout too, at the cost of its oldest steps.
  static constexpr std::size_t kMaxSteps = 1000;
  static constexpr std::size_t kMaxBytes = std::size_t{32} << 20;

  // Starts with no steps and the document as it is now counted as saved.
  // `doc` must outlive the history.
  explicit DocumentHistory(ButtonDocument& doc);
  DocumentHistory(const DocumentHistory&) = delete;
  DocumentHistory& operator=(const DocumentHistory&) = delete;
  ~DocumentHistory() override;

  // Runs after every change of the steps or of the modified state.
  void SetChangedHandler(std::function<void()> handler) { changed_ = std::move(handler); }

  // Groups the document's changes from its construction on into one step.
  // Commit keeps them; a Step destroyed without Commit takes them back. Steps
  // may nest and make one step together, kept only when every one of them
  // was committed.
  class Step {
   public:
    Step(DocumentHistory& history, std::string label, std::string merge_key = {});
    ~Step();
    Step(const Step&) = delete;
    Step& operator=(const Step&) = delete;
    void Commit();

   private:
    DocumentHistory& history_;
    bool open_ = true;
  };

  // The next change starts a step of its own even when it has the merge key
  // of the one before.
  void BreakMerge() { merge_open_ = false; }

  bool CanUndo() const { return index_ > 0; }
  bool CanRedo() const { return index_ < steps_.size(); }
  // The label of the step Undo / Redo would take back or make again; empty
  // when there is none.
  std::string UndoLabel() const;
  std::string RedoLabel() const;
  // Gives the document the state before / after that step. False when there
  // is no step to take.
  bool Undo();
  bool Redo();
  std::size_t StepCount() const { return steps_.size(); }
  // What the kept states take together, shared rows counted once.
  std::size_t Bytes() const { return bytes_; }

  // Forgets every step: the document as it is now is where the history
  // starts (New and Open are not steps).
  void Reset();
  // The document as it is now is what its file holds.
  void MarkSaved();
  // True when the document would save to other text than it was last loaded
  // from or saved as. Undoing back to that state clears it again.
  bool IsModified() const { return modified_; }

 private:
  struct StepInfo {
    std::string label;
    std::string merge_key;
  };

  void Begin(std::string label, std::string merge_key);
  void End(bool committed);
  void Commit(const std::string& label, const std::string& merge_key);
  // Gives the document `state` without recording it, drawing suspended.
  void Restore(const DocumentState& state);
  void MoveTo(std::size_t index);
  // Appends a state after the current one and counts its bytes.
  void PushState(DocumentState state);
  void DropFirstState();
  void Trim();
  void Update();

  // DocumentObserver: a change made outside a Step is a step of its own.
  void SettingsChanged(DocumentSetting setting) override;
  void RowInserted(int row) override;
  void RowRemoved(int row) override;
  void RowsExchanged(int first) override;
  void RowChanged(int row) override;
  void RowsReset() override;
  void SelectionChanged(int previous, int current) override;
  void Record(const std::string& label, const std::string& merge_key = {});

  ButtonDocument& doc_;
  DocumentSubscription subscription_;
  std::function<void()> changed_;
  // states_[i] is the document before step i and after step i - 1;
  // states_[index_] is the document now.
  std::vector<DocumentState> states_;
  // state_bytes_[i] is what states_[i] takes beyond states_[i - 1].
  std::vector<std::size_t> state_bytes_;
  std::size_t bytes_ = 0;
  std::vector<StepInfo> steps_;
  std::size_t index_ = 0;
  DocumentState saved_;
  bool modified_ = false;
  bool merge_open_ = false;
  bool restoring_ = false;
  int depth_ = 0;
  bool step_failed_ = false;
  // The document as the outermost open Step found it.
  DocumentState step_start_;
  std::string step_label_;
  std::string step_merge_key_;
};

}  // namespace vorbel::document
