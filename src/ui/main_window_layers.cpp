// The layer commands of the main window. The commands themselves are the
// core's LayerCommands; the window supplies their dialogs
// (main_window_editors.cpp), redraws and shows their errors.

#include <QAction>

#include <exception>

#include "ui/dialog_seam.h"
#include "ui/main_window.h"

namespace vorbel::ui {

using commands::LayerCommand;

void MainWindow::RunLayerCommand(LayerCommand command) {
  commands::LayerCommands::Outcome outcome;
  try {
    outcome = layer_commands_.Run(command);
  } catch (...) {
    // The command took back what it changed.
    Dialogs().ShowError(this, CaughtErrorText());
    return;
  }
  if (outcome.redraw) RenderButton();
  if (outcome.error) {
    try {
      std::rethrow_exception(outcome.error);
    } catch (...) {
      Dialogs().ShowError(this, CaughtErrorText());
    }
  }
}

void MainWindow::AddLayer() { RunLayerCommand(LayerCommand::Add); }
void MainWindow::EditLayer() { RunLayerCommand(LayerCommand::Edit); }
void MainWindow::DeleteLayer() { RunLayerCommand(LayerCommand::Delete); }
void MainWindow::MoveLayerUp() { RunLayerCommand(LayerCommand::MoveUp); }
void MainWindow::MoveLayerDown() { RunLayerCommand(LayerCommand::MoveDown); }
void MainWindow::ToggleVisibility() { RunLayerCommand(LayerCommand::ToggleVisibility); }
void MainWindow::IncreaseLeft() { RunLayerCommand(LayerCommand::IncreaseLeft); }
void MainWindow::DecreaseLeft() { RunLayerCommand(LayerCommand::DecreaseLeft); }
void MainWindow::IncreaseTop() { RunLayerCommand(LayerCommand::IncreaseTop); }
void MainWindow::DecreaseTop() { RunLayerCommand(LayerCommand::DecreaseTop); }
void MainWindow::AskLeft() { RunLayerCommand(LayerCommand::AskLeft); }
void MainWindow::AskTop() { RunLayerCommand(LayerCommand::AskTop); }
void MainWindow::Randomize() { RunLayerCommand(LayerCommand::Random); }

}  // namespace vorbel::ui
