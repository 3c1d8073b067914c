// The layer commands of the main window that run the editor dialogs (Add,
// Edit, the "left" and "top" prompts, the random button) and the remaining
// rules of the commands that move, hide and step layers. The dialogs never
// show: the scripted seam answers for them and may change their controls.

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeView>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "controls/color_combo_box.h"
#include "controls/spin_edit.h"
#include "document/layer_type.h"
#include "find_child.h"
#include "scripted_dialogs.h"
#include "ui/background_layer_dialog.h"
#include "ui/bevel_layer_dialog.h"
#include "ui/image_layer_dialog.h"
#include "ui/layer_list_model.h"
#include "ui/layer_type_dialog.h"
#include "ui/main_window.h"
#include "ui/offset_prompt.h"
#include "ui/preview_box.h"
#include "ui/text_layer_dialog.h"

namespace vorbel::ui {
namespace {

using test::Child;

MainWindowOptions QuietOptions() {
  MainWindowOptions options;
  options.register_file_type = false;
  options.working_directory = QStringLiteral("/nonexistent-working-folder");
  options.program_directory = QStringLiteral("/nonexistent-program-folder");
  options.shared_data_directory = QStringLiteral("/nonexistent-share-folder");
  return options;
}

// Answers each dialog by its object name; a dialog without an answer is
// accepted untouched. Records the order in which the dialogs were run.
class EditorScript : public test::ScriptedDialogs {
 public:
  std::map<QString, std::function<int(QDialog&)>> answers;
  QStringList shown;

  EditorScript() {
    on_exec = [this](QDialog& dialog) {
      shown << dialog.objectName();
      const auto answer = answers.find(dialog.objectName());
      return answer == answers.end() ? int(QDialog::Accepted) : answer->second(dialog);
    };
  }
  // The type chooser picks `type` and closes with OK.
  void ChooseType(const QString& type) {
    answers[QStringLiteral("layerTypeDialog")] = [type](QDialog& dialog) {
      auto& chooser = static_cast<LayerTypeDialog&>(dialog);
      Child<QComboBox>(chooser, "typeCombo")->setCurrentText(type);
      return int(QDialog::Accepted);
    };
  }
};

class LayerCommands : public ::testing::Test {
 protected:
  LayerCommands() { form.CreateDialogs(); }

  // Changes the button height without redrawing, so that the preview's height
  // tells whether the next command redrew.
  void ChangeHeightUnseen(const char* height) {
    doc.SetLoading(true);
    doc.SetHeightText(height);
    doc.SetLoading(false);
  }
  int PreviewHeight() const { return Child<PreviewBox>(form, "preview")->Picture().height(); }

  EditorScript dialogs;
  MainWindow form{QuietOptions()};
  document::ButtonDocument& doc = form.Document();
};

TEST_F(LayerCommands, AddWithCancelAddsNothingButRedraws) {
  dialogs.answers[QStringLiteral("layerTypeDialog")] = [](QDialog&) { return int(QDialog::Rejected); };
  ChangeHeightUnseen("12");
  Child<QAction>(form, "addLayerAction")->trigger();
  EXPECT_EQ(dialogs.shown, QStringList({"layerTypeDialog"}));
  EXPECT_EQ(doc.RowCount(), 0);
  EXPECT_EQ(PreviewHeight(), 12);
}

TEST_F(LayerCommands, AddedBackgroundStartsFromThePreviousOnesSettingsAndSelectionStays) {
  doc.AppendRow(document::LayerRow::Make("Bevel", "Pen=3;"));
  doc.SelectRow(0);
  dialogs.ChooseType(QStringLiteral("Background"));
  bool rowWaitedWithoutSubItems = false;
  dialogs.answers[QStringLiteral("backgroundLayerDialog")] = [&](QDialog& dialog) {
    rowWaitedWithoutSubItems = doc.RowCount() == 2 && doc.Row(1).sub_items.empty();
    auto& editor = static_cast<BackgroundLayerDialog&>(dialog);
    Child<controls::ColorComboBox>(editor, "backgroundCombo")->SelectColorName(QStringLiteral("Red"));
    Child<QRadioButton>(editor, "ellipseButton")->setChecked(true);
    return int(QDialog::Accepted);
  };
  Child<QAction>(form, "addLayerAction")->trigger();
  ASSERT_EQ(doc.RowCount(), 2);
  EXPECT_TRUE(rowWaitedWithoutSubItems);
  const document::LayerRow first = doc.Row(1);
  EXPECT_EQ(first.type, "Background");
  EXPECT_EQ(first.image_index, document::kVisibleImage);
  EXPECT_NE(first.Properties().find("Color=clRed;"), std::string::npos) << first.Properties();
  EXPECT_NE(first.Properties().find("Shape=Ellipse;"), std::string::npos) << first.Properties();
  EXPECT_EQ(first.Left(), "");
  EXPECT_EQ(first.Top(), "");
  EXPECT_EQ(doc.SelectedRow(), 0);

  // The second background is not loaded from anything: the editor shows what
  // the first one was left with.
  std::string shownSettings;
  dialogs.answers[QStringLiteral("backgroundLayerDialog")] = [&](QDialog& dialog) {
    shownSettings = static_cast<BackgroundLayerDialog&>(dialog).GetProperties();
    return int(QDialog::Accepted);
  };
  Child<QAction>(form, "addLayerAction")->trigger();
  ASSERT_EQ(doc.RowCount(), 3);
  EXPECT_EQ(shownSettings, first.Properties());
  EXPECT_EQ(doc.Row(2), first);
  EXPECT_EQ(dialogs.shown,
            QStringList({"layerTypeDialog", "backgroundLayerDialog", "layerTypeDialog", "backgroundLayerDialog"}));
}

// Cancel (Esc, the close box) in any editor changes nothing: Edit leaves the
// row as it was, Add adds no layer; neither is a step to undo.
TEST_F(LayerCommands, CancelInEachEditorChangesNothing) {
  const std::map<QString, std::function<void(QDialog&)>> fiddle = {
      {"Background", [](QDialog& d) { Child<QLineEdit>(d, "imageEdit")->setText(QStringLiteral("x.bmp")); }},
      {"Text", [](QDialog& d) { Child<QLineEdit>(d, "captionEdit")->setText(QStringLiteral("changed")); }},
      {"Bevel", [](QDialog& d) { Child<controls::SpinEdit>(d, "penWidthEdit")->SetValue(9); }},
      {"Image", [](QDialog& d) { Child<QLineEdit>(d, "imageEdit")->setText(QStringLiteral("y.bmp")); }},
  };
  const std::map<QString, QString> editor = {{"Background", "backgroundLayerDialog"},
                                             {"Text", "textLayerDialog"},
                                             {"Bevel", "bevelLayerDialog"},
                                             {"Image", "imageLayerDialog"}};
  for (const auto& entry : fiddle) {
    const QString& type = entry.first;
    const std::function<void(QDialog&)>& change = entry.second;
    doc.ClearRows();
    doc.AppendRow(document::LayerRow::Make(type.toStdString(), "Text=Go;Image=a.bmp;Pen=2;", "3", "4"));
    doc.SelectRow(0);
    form.History().Reset();
    const document::LayerRow before = doc.Row(0);
    dialogs.answers[editor.at(type)] = [&](QDialog& dialog) {
      change(dialog);
      Child<QToolButton>(form, "alignCentre")->setChecked(true);  // would re-place a caption
      return int(QDialog::Rejected);
    };
    form.EditLayer();
    EXPECT_EQ(doc.Row(0), before) << type.toStdString();

    dialogs.ChooseType(type);
    form.AddLayer();
    EXPECT_EQ(doc.RowCount(), 1) << type.toStdString();
    EXPECT_FALSE(form.History().CanUndo()) << type.toStdString();
    Child<QToolButton>(form, "alignCentre")->setChecked(false);
  }
}

TEST_F(LayerCommands, ALayerAddedWithNothingSelectedBecomesTheCurrentOne) {
  doc.AppendRow(document::LayerRow::Make("Bevel", "Pen=3;"));
  dialogs.ChooseType(QStringLiteral("Bevel"));
  form.AddLayer();
  ASSERT_EQ(doc.RowCount(), 2);
  EXPECT_EQ(doc.SelectedRow(), 1);
  EXPECT_EQ(Child<QTreeView>(form, "layerList")->selectionModel()->selectedRows().front().row(), 1);
  EXPECT_EQ(form.History().UndoLabel(), "Add Layer");
}

TEST_F(LayerCommands, TextOffsetsComeFromTheAlignmentOnAddAndOnlyWithOneOnEdit) {
  dialogs.ChooseType(QStringLiteral("Text"));
  form.AddLayer();  // no alignment button down
  ASSERT_EQ(doc.RowCount(), 1);
  EXPECT_EQ(doc.Row(0).Left(), "");
  EXPECT_EQ(doc.Row(0).Top(), "");

  // Edited without an alignment, the offsets the row has stay.
  doc.SetRowSubItem(0, document::SubItem::Left, "3");
  doc.SetRowSubItem(0, document::SubItem::Top, "-2");
  doc.SelectRow(0);
  dialogs.answers[QStringLiteral("textLayerDialog")] = [](QDialog& dialog) {
    Child<QLineEdit>(static_cast<TextLayerDialog&>(dialog), "captionEdit")->setText(QStringLiteral("Go"));
    return int(QDialog::Accepted);
  };
  ChangeHeightUnseen("40");
  Child<QAction>(form, "editLayerAction")->trigger();
  EXPECT_NE(doc.Row(0).Properties().find("Text=Go;"), std::string::npos);
  EXPECT_EQ(doc.Row(0).Left(), "3");
  EXPECT_EQ(doc.Row(0).Top(), "-2");
  EXPECT_EQ(PreviewHeight(), 40);

  // With the bottom-right button down the caption is measured and placed.
  Child<QToolButton>(*Child<TextLayerDialog>(form), "alignBottomRight")->click();
  ASSERT_EQ(Child<TextLayerDialog>(form)->GetAlignment(), 9);
  emit Child<QTreeView>(form, "layerList")->doubleClicked(Child<LayerListModel>(form, "layerModel")->index(0, 0));
  std::string left;
  std::string top;
  form.Renderer().PlaceTextLayer(doc, doc.Row(0).Properties(), 9, left, top);
  EXPECT_FALSE(left.empty());
  EXPECT_EQ(doc.Row(0).Left(), left);
  EXPECT_EQ(doc.Row(0).Top(), top);

  // Add always places: top left is 4, 4 on any button.
  Child<QToolButton>(*Child<TextLayerDialog>(form), "alignTopLeft")->click();
  form.AddLayer();
  ASSERT_EQ(doc.RowCount(), 2);
  EXPECT_EQ(doc.Row(1).Left(), "4");
  EXPECT_EQ(doc.Row(1).Top(), "4");
  EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(LayerCommands, FontSizeThatIsNoNumberKeepsTheTextWithoutNewOffsetsAndShowsTheError) {
  dialogs.ChooseType(QStringLiteral("Text"));
  Child<QToolButton>(*Child<TextLayerDialog>(form), "alignCentre")->click();
  Child<controls::SpinEdit>(*Child<TextLayerDialog>(form), "fontSizeEdit")->SetText(QStringLiteral("abc"));
  ChangeHeightUnseen("33");
  form.AddLayer();
  ASSERT_EQ(doc.RowCount(), 1);
  const document::LayerRow added = doc.Row(0);
  ASSERT_TRUE(added.IsComplete());
  EXPECT_NE(added.Properties().find("FontSize=abc;"), std::string::npos);
  EXPECT_EQ(added.Left(), "");
  EXPECT_EQ(added.Top(), "");
  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_EQ(dialogs.errors[0], QStringLiteral("'abc' is not a valid integer value"));
  EXPECT_EQ(PreviewHeight(), 33);  // the kept row is drawn (and its caption skipped)

  // Edited with an alignment and a size typed wrong: the new properties
  // stay, the old offsets too, and nothing is redrawn.
  doc.SetRowSubItems(0, "Text=Old;FontSize=10;", "7", "");
  doc.SelectRow(0);
  dialogs.answers[QStringLiteral("textLayerDialog")] = [](QDialog& dialog) {
    auto& editor = static_cast<TextLayerDialog&>(dialog);
    Child<QLineEdit>(editor, "captionEdit")->setText(QStringLiteral("New"));
    Child<controls::SpinEdit>(editor, "fontSizeEdit")->SetText(QStringLiteral("1x"));
    return int(QDialog::Accepted);
  };
  ChangeHeightUnseen("20");
  form.EditLayer();
  EXPECT_NE(doc.Row(0).Properties().find("Text=New;"), std::string::npos);
  EXPECT_NE(doc.Row(0).Properties().find("FontSize=1x;"), std::string::npos);
  EXPECT_EQ(doc.Row(0).Left(), "7");
  EXPECT_EQ(doc.Row(0).Top(), "");
  ASSERT_EQ(dialogs.errors.size(), 2u);
  EXPECT_EQ(dialogs.errors[1], QStringLiteral("'1x' is not a valid integer value"));
  EXPECT_EQ(PreviewHeight(), 33);
}

TEST_F(LayerCommands, EditOfAStringTheEditorCannotLoadShowsTheMessageAndChangesNothing) {
  doc.AppendRow(document::LayerRow::Make("Background", "Shape=RoundRect;Seed=abc;", "1", "2"));
  ChangeHeightUnseen("21");
  form.EditLayer();  // nothing selected: nothing happens
  EXPECT_EQ(dialogs.exec_count, 0);
  EXPECT_EQ(PreviewHeight(), 30);

  doc.SelectRow(0);
  const document::LayerRow before = doc.Row(0);
  form.EditLayer();
  EXPECT_EQ(dialogs.exec_count, 0);  // the editor was not shown
  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_EQ(dialogs.errors[0], QStringLiteral("'abc' is not a valid integer value"));
  EXPECT_EQ(doc.Row(0), before);
  EXPECT_EQ(PreviewHeight(), 30);
}

TEST_F(LayerCommands, EditOfARowOfTwoKindsHandsTheFirstEditorsStringToTheSecond) {
  doc.AppendRow(document::LayerRow::Make("BackgroundImage", "Color=clRed;Image=first.bmp;", "5", "6"));
  doc.SelectRow(0);
  QString imageShown;
  dialogs.answers[QStringLiteral("backgroundLayerDialog")] = [](QDialog& dialog) {
    Child<QLineEdit>(static_cast<BackgroundLayerDialog&>(dialog), "imageEdit")->setText(QStringLiteral("second.bmp"));
    return int(QDialog::Accepted);
  };
  dialogs.answers[QStringLiteral("imageLayerDialog")] = [&](QDialog& dialog) {
    imageShown = Child<QLineEdit>(static_cast<ImageLayerDialog&>(dialog), "imageEdit")->text();
    return int(QDialog::Accepted);
  };
  form.EditLayer();
  EXPECT_EQ(dialogs.shown, QStringList({"backgroundLayerDialog", "imageLayerDialog"}));
  EXPECT_EQ(imageShown, QStringLiteral("second.bmp"));
  EXPECT_EQ(doc.Row(0).Properties().rfind("Image=second.bmp;Transparent=", 0), 0u) << doc.Row(0).Properties();
  EXPECT_EQ(doc.Row(0).Left(), "5");

  // A Type without any keyword opens no editor, but still redraws.
  doc.SetRowType(0, "Shape");
  ChangeHeightUnseen("22");
  form.EditLayer();
  EXPECT_EQ(dialogs.exec_count, 2);
  EXPECT_EQ(PreviewHeight(), 22);
}

TEST_F(LayerCommands, ValuePromptOpensOnTheOffsetAndWritesItOnlyAfterOk) {
  doc.AppendRow(document::LayerRow::Make("Image", "", "", "abc"));
  form.AskLeft();  // nothing selected
  EXPECT_EQ(dialogs.exec_count, 0);
  doc.SelectRow(0);

  QString opened;
  dialogs.answers[QStringLiteral("offsetPrompt")] = [&](QDialog& dialog) {
    opened = Child<controls::SpinEdit>(static_cast<OffsetPrompt&>(dialog), "valueEdit")->Text();
    Child<controls::SpinEdit>(static_cast<OffsetPrompt&>(dialog), "valueEdit")->SetText(QStringLiteral("-15"));
    return int(QDialog::Rejected);
  };
  ChangeHeightUnseen("25");
  Child<QPushButton>(form, "leftButton")->click();
  EXPECT_EQ(opened, QStringLiteral("0"));
  EXPECT_EQ(doc.Row(0).Left(), "");
  EXPECT_EQ(PreviewHeight(), 30);

  dialogs.answers[QStringLiteral("offsetPrompt")] = [&](QDialog& dialog) {
    opened = Child<controls::SpinEdit>(static_cast<OffsetPrompt&>(dialog), "valueEdit")->Text();
    Child<controls::SpinEdit>(static_cast<OffsetPrompt&>(dialog), "valueEdit")->SetText(QStringLiteral("-15"));
    return int(QDialog::Accepted);
  };
  Child<QPushButton>(form, "leftButton")->click();
  EXPECT_EQ(doc.Row(0).Left(), "-15");
  EXPECT_EQ(PreviewHeight(), 25);
  form.AskLeft();
  EXPECT_EQ(opened, QStringLiteral("-15"));

  // Top holds "abc": the prompt opens with 0; text that is no integer is
  // written as 0.
  dialogs.answers[QStringLiteral("offsetPrompt")] = [&](QDialog& dialog) {
    opened = Child<controls::SpinEdit>(static_cast<OffsetPrompt&>(dialog), "valueEdit")->Text();
    Child<controls::SpinEdit>(static_cast<OffsetPrompt&>(dialog), "valueEdit")->SetText(QStringLiteral("1x"));
    return int(QDialog::Accepted);
  };
  Child<QPushButton>(form, "topButton")->click();
  EXPECT_EQ(opened, QStringLiteral("0"));
  EXPECT_EQ(doc.Row(0).Top(), "0");
  EXPECT_EQ(doc.Row(0).Left(), "-15");
}

TEST_F(LayerCommands, RandomizeReplacesTheRowsAndRedraws) {
  doc.AppendRow(document::LayerRow::Make("Image", "Image=x.bmp;", "1", "1"));
  doc.AppendRow(document::LayerRow::Make("Image", "Image=y.bmp;", "2", "2"));
  doc.SetDocumentFileName("/somewhere/old.vrb");
  Child<QPushButton>(form, "randomizeButton")->click();
  ASSERT_GE(doc.RowCount(), 1);
  EXPECT_LE(doc.RowCount(), 3);
  EXPECT_EQ(doc.Row(doc.RowCount() - 1).type, "Text");
  for (const document::LayerRow& row : doc.Rows()) {
    EXPECT_FALSE(document::KindsForRender(row.type).image) << row.type;
    EXPECT_TRUE(row.IsComplete());
    EXPECT_EQ(row.Left(), "");
  }
  EXPECT_EQ(test::ShownTitle(form), QStringLiteral("Vorbel - [untitled.vrb]*"));
  EXPECT_GE(doc.Height(), 30);
  EXPECT_LE(doc.Height(), 75);
  EXPECT_EQ(Child<PreviewBox>(form, "preview")->Picture().size(), QSize(doc.Width(), doc.Height()));
  EXPECT_EQ(dialogs.exec_count, 0);
}

TEST_F(LayerCommands, MovesAtTheEndsToggleAndOffsetPanelFollowTheirRules) {
  doc.AppendRow(document::LayerRow::Make("Imagery", "a", "", "", 7));
  doc.AppendRow(document::LayerRow::Make("Bevel", "b", "", "", document::kHiddenImage));
  doc.SelectRow(1);
  EXPECT_FALSE(Child<QWidget>(form, "offsetPanel")->isEnabled());
  EXPECT_TRUE(Child<QAction>(form, "moveDownAction")->isEnabled());
  Child<QAction>(form, "moveDownAction")->trigger();  // already last
  EXPECT_EQ(doc.SelectedRow(), 1);
  EXPECT_EQ(doc.Row(1).sub_items[0], "b");

  form.MoveLayerUp();  // the hidden bevel moves down in the image with its state
  EXPECT_EQ(doc.Row(0).type, "Bevel");
  EXPECT_EQ(doc.Row(0).image_index, document::kHiddenImage);
  EXPECT_EQ(doc.Row(1).image_index, 7);

  doc.SelectRow(1);
  EXPECT_TRUE(Child<QWidget>(form, "offsetPanel")->isEnabled());
  form.ToggleVisibility();
  EXPECT_EQ(doc.Row(1).image_index, document::kVisibleImage);
  form.ToggleVisibility();
  EXPECT_EQ(doc.Row(1).image_index, document::kHiddenImage);
}

}  // namespace
}  // namespace vorbel::ui
