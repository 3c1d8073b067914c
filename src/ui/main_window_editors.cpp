// The dialogs of the layer commands: the type chooser, the delete question,
// the four editors, the value prompt of "left" and "top" and the editors'
// random property strings.
//
// Each dialog is created once by CreateDialogs and reused, so it keeps its
// settings between uses; every one runs modally through Dialogs().Exec.

#include <QDialog>

#include <cstdint>
#include <optional>
#include <string>

#include "ui/background_layer_dialog.h"
#include "ui/bevel_layer_dialog.h"
#include "ui/dialog_seam.h"
#include "ui/image_layer_dialog.h"
#include "ui/layer_type_dialog.h"
#include "ui/main_window.h"
#include "ui/offset_prompt.h"
#include "ui/text_layer_dialog.h"

namespace vorbel::ui {

void MainWindow::CreateDialogs() {
  // The main window owns them; none is shown yet.
  layer_type_dialog_ = new LayerTypeDialog(this);
  background_dialog_ = new BackgroundLayerDialog(this);
  text_dialog_ = new TextLayerDialog(this);
  bevel_dialog_ = new BevelLayerDialog(this);
  image_dialog_ = new ImageLayerDialog(this);
  offset_prompt_ = new OffsetPrompt(this);
}

void MainWindow::EnsureDialogs() {
  if (layer_type_dialog_ == nullptr) CreateDialogs();
}

namespace {

// Loads an editor when there is something to load, runs it and composes.
template <typename Editor>
std::optional<std::string> RunLoaded(Editor& editor, const std::string* properties) {
  if (properties != nullptr) editor.SetProperties(*properties);
  if (Dialogs().Exec(editor) != QDialog::Accepted) return std::nullopt;
  return editor.GetProperties();
}

}  // namespace

std::optional<std::string> MainWindow::ChooseLayerType() {
  EnsureDialogs();
  if (Dialogs().Exec(*layer_type_dialog_) != QDialog::Accepted) return std::nullopt;
  return layer_type_dialog_->SelectedType().toStdString();
}

bool MainWindow::ConfirmDelete() {
  Dialogs().Beep();
  return Dialogs().AskYesNo(this, tr("Confirm"), tr("Delete this layer?"));
}

std::optional<std::string> MainWindow::RunEditor(commands::LayerKind kind, const std::string* properties) {
  EnsureDialogs();
  switch (kind) {
    case commands::LayerKind::Background: return RunLoaded(*background_dialog_, properties);
    case commands::LayerKind::Text: return RunLoaded(*text_dialog_, properties);
    case commands::LayerKind::Bevel: return RunLoaded(*bevel_dialog_, properties);
    case commands::LayerKind::Image: return RunLoaded(*image_dialog_, properties);
  }
  return std::nullopt;
}

int MainWindow::TextAlignment() {
  EnsureDialogs();
  return text_dialog_->GetAlignment();
}

std::optional<std::int32_t> MainWindow::AskOffset(std::int32_t value) {
  EnsureDialogs();
  offset_prompt_->SetValue(value);
  if (Dialogs().Exec(*offset_prompt_) != QDialog::Accepted) return std::nullopt;
  // The prompt's text reads as 0 when it is no integer.
  return offset_prompt_->Value();
}

commands::RandomLayerSource& MainWindow::RandomSource(commands::LayerKind kind) {
  EnsureDialogs();
  switch (kind) {
    case commands::LayerKind::Background: return *background_dialog_;
    case commands::LayerKind::Bevel: return *bevel_dialog_;
    case commands::LayerKind::Text:
    case commands::LayerKind::Image: break;
  }
  // The random button makes no image layers; text is its one other kind.
  return *text_dialog_;
}

}  // namespace vorbel::ui
