#pragma once
// The commands that change the layer stack: add, edit, delete, move up and
// down, hide or show, the offset steps and prompts, and the random button.
//
// Each command acts on the document's current layer and checks itself with
// Enabled; the window shows one action for each and enables it from there.
// A command's changes are one step of the history, committed when the
// command succeeds; one that is cancelled or fails leaves the document as it
// was. The dialogs the commands need (the type chooser, the editors, the
// value prompt, the delete question) belong to the window and are reached
// through LayerDialogs.

#include <cstdint>
#include <exception>
#include <optional>
#include <string>

#include "commands/random_layers.h"
#include "document/button_document.h"
#include "document/document_history.h"
#include "document/layer_row.h"
#include "render/button_renderer.h"

namespace vorbel::commands {

enum class LayerCommand {
  Add,
  Edit,
  Delete,
  MoveUp,
  MoveDown,
  ToggleVisibility,
  IncreaseLeft,  // one pixel right
  DecreaseLeft,
  IncreaseTop,  // one pixel down
  DecreaseTop,
  AskLeft,  // the value prompt of "left"
  AskTop,
  Random,
};

// Whether `command` can act on `doc` with row `selected` current (-1: none).
// Add and the random button always can; the offset commands need a current
// layer that has offsets (text or image); the others need a current layer.
// Move up on the first row and Move down on the last are enabled and do
// nothing.
bool Enabled(LayerCommand command, const document::ButtonDocument& doc, int selected);

// The editors a Type can open, in the order the commands run them.
enum class LayerKind { Background, Text, Bevel, Image };

// The window's dialogs, as the layer commands use them. Each runs modally.
class LayerDialogs {
 public:
  virtual ~LayerDialogs() = default;
  // The type chooser: the Type of the new layer, nothing when cancelled.
  virtual std::optional<std::string> ChooseLayerType() = 0;
  // "Delete this layer?" with the question sound: true for Yes.
  virtual bool ConfirmDelete() = 0;
  // The editor of `kind`. With `properties` it is loaded from them first,
  // which raises a conversion error for a string it cannot load (the editor
  // is then not shown); without, it starts from the settings it was left
  // with. Returns the property string it composes, nothing when cancelled.
  virtual std::optional<std::string> RunEditor(LayerKind kind, const std::string* properties) = 0;
  // The alignment code (0 to 9, 0 for none) of the text editor as it closed.
  virtual int TextAlignment() = 0;
  // The value prompt opened on `value`: the new value, nothing when
  // cancelled.
  virtual std::optional<std::int32_t> AskOffset(std::int32_t value) = 0;
  // The random property strings of the random button.
  virtual RandomLayerSource& RandomSource(LayerKind kind) = 0;
};

class LayerCommands {
 public:
  // What a command that ran asks of the window.
  struct Outcome {
    bool redraw = false;
    // An error to show once the command is done; the changes it reports
    // are kept (a text layer whose font size is no number keeps its new
    // properties without new offsets).
    std::exception_ptr error;
  };

  // All must outlive the commands. `renderer` places text layers.
  LayerCommands(document::ButtonDocument& doc, document::DocumentHistory& history, render::ButtonRenderer& renderer,
                LayerDialogs& dialogs);

  bool Enabled(LayerCommand command) const { return commands::Enabled(command, doc_, doc_.SelectedRow()); }

  // Runs `command` when it is enabled. An error other than those Outcome
  // reports takes back what the command changed and is raised.
  Outcome Run(LayerCommand command);

 private:
  Outcome Add();
  Outcome Edit();
  Outcome Delete();
  Outcome Move(bool up);
  Outcome ToggleVisibility();
  Outcome StepOffset(document::SubItem sub_item, int delta);
  Outcome AskOffset(document::SubItem sub_item);
  Outcome Random();

  document::ButtonDocument& doc_;
  document::DocumentHistory& history_;
  render::ButtonRenderer& renderer_;
  LayerDialogs& dialogs_;
};

}  // namespace vorbel::commands
