#pragma once
// A dialog seam for tests: runs no dialog, answers from a script and records
// what it was asked.

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

#include "ui/dialog_seam.h"

namespace vorbel::ui::test {

class ScriptedDialogs : public DialogSeam {
 public:
  // Answers Exec: the dialog is handed over to be inspected and changed, and
  // the function's result is the dialog's result. Without an answer, Exec
  // returns Accepted without touching the dialog.
  std::function<int(QDialog&)> on_exec;
  int exec_count = 0;
  std::vector<QString> errors;
  int beeps = 0;
  // The answer to "Save changes to NAME?", and the names it was asked for.
  commands::SaveChangesAnswer save_changes = commands::SaveChangesAnswer::Cancel;
  std::vector<QString> save_changes_asked;
  // The answer to the folder chooser (nothing: cancelled), and where it started.
  std::optional<QString> folder;
  QString folder_start;
  // The answer to the Yes/No questions, and the questions asked.
  bool yes_answer = false;
  std::vector<QString> questions_asked;

  ScriptedDialogs() { SetDialogSeam(this); }
  ~ScriptedDialogs() override { SetDialogSeam(nullptr); }
  ScriptedDialogs(const ScriptedDialogs&) = delete;
  ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

  int Exec(QDialog& dialog) override {
    ++exec_count;
    return on_exec ? on_exec(dialog) : QDialog::Accepted;
  }
  std::optional<QString> OpenFileName(QWidget*, const FileRequest&) override { return std::nullopt; }
  std::optional<FileChoice> SaveFileName(QWidget*, const FileRequest&) override { return std::nullopt; }
  std::optional<QString> FolderName(QWidget*, const QString&, const QString& start_in) override {
    folder_start = start_in;
    return folder;
  }
  bool AskYesNo(QWidget*, const QString&, const QString& text) override {
    questions_asked.push_back(text);
    return yes_answer;
  }
  commands::SaveChangesAnswer AskSaveChanges(QWidget*, const QString& name) override {
    save_changes_asked.push_back(name);
    return save_changes;
  }
  void ShowError(QWidget*, const QString& text) override { errors.push_back(text); }
  void Beep() override { ++beeps; }
};

}  // namespace vorbel::ui::test
