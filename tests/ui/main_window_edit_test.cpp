// What keeps the user's work: the question before unsaved changes are given
// up, undo and redo, the recent files, drag and drop, the keys, the export
// chooser's extensions and start folders, the zoom, and the editors' Cancel.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "controls/color_combo_box.h"
#include "controls/spin_edit.h"
#include "find_child.h"
#include "layout/layout_file.h"
#include "scripted_dialogs.h"
#include "ui/background_layer_dialog.h"
#include "ui/bevel_layer_dialog.h"
#include "ui/image_layer_dialog.h"
#include "ui/main_window.h"
#include "ui/picture_chooser.h"
#include "ui/preview_box.h"
#include "ui/text_layer_dialog.h"
#include "ui/up_down_button.h"

namespace vorbel::ui {
namespace {

using test::Child;

const char kLayout[] =
    "[Button]\r\nHeight=20\r\nWidth=40\r\nWorkArea=8421376\r\nLayers=2\r\n"
    "[Layer0]\r\nType=Background\r\nProperties=Color=clWhite;Shape=None;Draw3D=No;\r\nX=0\r\nY=0\r\nVisible=0\r\n"
    "[Layer1]\r\nType=Text\r\nProperties=Text=Go;FontSize=8;\r\nX=3\r\nY=2\r\nVisible=0\r\n";

// Answers the choosers and questions from the test and records what it was
// asked.
class Script : public test::ScriptedDialogs {
 public:
  std::optional<QString> open_answer;
  std::optional<FileChoice> save_answer;
  std::vector<FileRequest> requests;
  bool yes = true;

  std::optional<QString> OpenFileName(QWidget*, const FileRequest& request) override {
    requests.push_back(request);
    return open_answer;
  }
  std::optional<FileChoice> SaveFileName(QWidget*, const FileRequest& request) override {
    requests.push_back(request);
    return save_answer;
  }
  bool AskYesNo(QWidget*, const QString&, const QString&) override { return yes; }
};

class WindowTest : public ::testing::Test {
 protected:
  WindowTest() {
    layout_ = dir_.filePath("a.vrb");
    QFile file(layout_);
    if (file.open(QIODevice::WriteOnly)) file.write(kLayout);
  }

  MainWindowOptions Options() const {
    MainWindowOptions options;
    options.register_file_type = false;
    options.working_directory = QStringLiteral("/nonexistent-working-folder");
    options.program_directory = QStringLiteral("/nonexistent-program-folder");
    options.shared_data_directory = QStringLiteral("/nonexistent-share-folder");
    options.settings_file = dir_.filePath("settings.conf");
    options.documents_folder = dir_.filePath("documents");
    return options;
  }
  // A window on the layout a.vrb.
  std::unique_ptr<MainWindow> Open() {
    MainWindowOptions options = Options();
    options.arguments = {layout_};
    auto form = std::make_unique<MainWindow>(options);
    form->CreateDialogs();
    return form;
  }
  static std::string Text(const MainWindow& form) { return layout::FormatLayout(form.Document()); }

  Script dialogs;
  QTemporaryDir dir_;
  QString layout_;
};

TEST_F(WindowTest, UnsavedChangesAreSavedDiscardedOrKeptAsTheUserAnswers) {
  std::unique_ptr<MainWindow> form = Open();
  EXPECT_EQ(test::ShownTitle(*form), QStringLiteral("Vorbel - [%1]").arg(layout_));
  form->NewDocument();  // unmodified: nothing is asked
  EXPECT_TRUE(dialogs.save_changes_asked.empty());
  form->OpenLayout(layout_);
  const std::string loaded = Text(*form);

  form->Document().SetHeight(33);
  EXPECT_EQ(test::ShownTitle(*form), QStringLiteral("Vorbel - [%1]*").arg(layout_));
  for (const std::function<void()>& giveUp :
       std::vector<std::function<void()>>{[&] { form->NewDocument(); }, [&] { form->Open(); },
                                          [&] { form->OpenLayout(layout_); }, [&] { EXPECT_FALSE(form->close()); }}) {
    dialogs.save_changes = commands::SaveChangesAnswer::Cancel;
    giveUp();
    EXPECT_EQ(form->Document().Height(), 33);
  }
  EXPECT_EQ(dialogs.save_changes_asked, std::vector<QString>(4, QStringLiteral("a.vrb")));

  // Save, then New: the file holds the change and the layers are gone.
  dialogs.save_changes = commands::SaveChangesAnswer::Save;
  form->NewDocument();
  EXPECT_EQ(form->Document().RowCount(), 0);
  document::ButtonDocument back;
  layout::LoadLayout(back, layout_.toStdString());
  EXPECT_EQ(back.Height(), 33);
  EXPECT_EQ(test::ShownTitle(*form), QStringLiteral("Vorbel - [untitled.vrb]"));

  // An untitled document asks for a name; a save there that fails shows the
  // error, and the document stays.
  form->Document().SetWidth(7);
  dialogs.save_answer = FileChoice{QStringLiteral("/nonexistent-folder/b.vrb"), {}};
  EXPECT_FALSE(form->close());
  EXPECT_EQ(dialogs.save_changes_asked.back(), QStringLiteral("untitled.vrb"));
  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_EQ(dialogs.errors[0], QStringLiteral("Unable to write to /nonexistent-folder/b.vrb"));
  EXPECT_EQ(form->Document().Width(), 7);

  // Discard: the window closes, nothing is written.
  dialogs.save_changes = commands::SaveChangesAnswer::Discard;
  EXPECT_TRUE(form->close());
}

TEST_F(WindowTest, UndoTakesEveryKindOfChangeBackToTheLoadedTextAndRedoMakesItAgain) {
  std::unique_ptr<MainWindow> form = Open();
  MainWindow& w = *form;
  document::ButtonDocument& doc = w.Document();
  const std::string loaded = Text(w);
  QAction* undo = Child<QAction>(w, "undoItem");
  QAction* redo = Child<QAction>(w, "redoItem");
  EXPECT_FALSE(undo->isEnabled());

  auto* height = Child<controls::SpinEdit>(w, "heightEdit");
  height->SetText(QStringLiteral("2"));
  height->SetText(QStringLiteral("25"));  // typing is one step
  emit height->editingFinished();
  EXPECT_EQ(undo->text(), QStringLiteral("&Undo Change Height"));
  Child<controls::SpinEdit>(w, "widthEdit")->SetText(QStringLiteral("44"));
  Child<controls::ColorComboBox>(w, "workAreaCombo")->SelectColorName(QStringLiteral("White"));
  Child<QCheckBox>(w, "borderBox")->click();
  doc.SelectRow(1);
  auto* arrows = Child<UpDownButton>(w, "leftArrows");
  emit arrows->stepsStarted();
  for (int i = 0; i < 5; ++i) emit arrows->upClicked();  // one held press
  EXPECT_EQ(doc.Row(1).Left(), "8");
  w.ToggleVisibility();
  w.MoveLayerUp();
  EXPECT_EQ(undo->text(), QStringLiteral("&Undo Move Layer Up"));
  dialogs.on_exec = [](QDialog& dialog) {
    if (auto* text = qobject_cast<TextLayerDialog*>(&dialog)) {
      Child<QLineEdit>(*text, "captionEdit")->setText(QStringLiteral("Stop"));
    }
    return int(QDialog::Accepted);
  };
  w.EditLayer();
  w.AddLayer();
  w.DeleteLayer();
  EXPECT_EQ(undo->text(), QStringLiteral("&Undo Delete Layer"));
  const std::string changed = Text(w);

  int steps = 0;
  while (undo->isEnabled()) {
    undo->trigger();
    ++steps;
  }
  EXPECT_EQ(steps, 10);
  EXPECT_EQ(Text(w), loaded);
  EXPECT_FALSE(doc.Border());
  EXPECT_EQ(test::ShownTitle(w), QStringLiteral("Vorbel - [%1]").arg(layout_));  // clean again
  EXPECT_EQ(Child<PreviewBox>(w, "preview")->Picture().size(), QSize(40, 20));   // redrawn
  EXPECT_EQ(redo->text(), QStringLiteral("&Redo Change Height"));
  while (redo->isEnabled()) redo->trigger();
  EXPECT_EQ(Text(w), changed);
  EXPECT_EQ(Child<PreviewBox>(w, "preview")->Picture().size(), QSize(44, 25));
  EXPECT_TRUE(test::ShownTitle(w).endsWith(u'*'));
  EXPECT_EQ(undo->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
  EXPECT_EQ(redo->shortcuts(), QList<QKeySequence>({QKeySequence(QStringLiteral("Ctrl+Shift+Z")),
                                                    QKeySequence(QStringLiteral("Ctrl+Y"))}));
}

// A layer deleted (or moved) leaves the preview at once, and every export
// format draws what the document holds now.
TEST_F(WindowTest, DeleteRedrawsThePreviewAndEveryExportLeavesTheLayerOut) {
  std::unique_ptr<MainWindow> form = Open();
  const QImage& picture = Child<PreviewBox>(*form, "preview")->Picture();
  ASSERT_EQ(picture.pixel(20, 10), qRgb(255, 255, 255));
  form->Document().SelectRow(0);
  form->DeleteLayer();
  EXPECT_EQ(picture.pixel(20, 10), qRgb(0, 128, 128));  // the teal work area
  for (const char* name : {"x.bmp", "x.jpg", "x.gif", "x.png"}) {
    dialogs.save_answer = FileChoice{dir_.filePath(name), QStringLiteral("All files (*)")};
    form->Export();
    EXPECT_TRUE(QFileInfo::exists(dir_.filePath(name))) << name;
  }
  const QImage bmp(dir_.filePath("x.bmp"));
  EXPECT_EQ(bmp.pixel(20, 10), qRgb(0, 128, 128));
  EXPECT_EQ(qAlpha(QImage(dir_.filePath("x.png")).pixel(20, 10)), 0);
  EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(WindowTest, ANameWithoutExtensionGetsThatOfTheSelectedFilter) {
  std::unique_ptr<MainWindow> form = Open();
  form->Export();  // cancelled
  ASSERT_EQ(dialogs.requests.size(), 1u);
  const QStringList filters = dialogs.requests[0].filters;
  EXPECT_EQ(filters, QStringList({"JPEG file (*.jpg)", "PNG image (*.png)", "Compuserve GIF file (*.gif)",
                                  "Bitmap file (*.bmp)", "WebP image (*.webp)", "All files (*)"}));
  // Export suggests the layout's name in its folder.
  EXPECT_EQ(dialogs.requests[0].start_in, QDir(dir_.path()).filePath("a.jpg"));
  const QByteArray magic[] = {"\xFF\xD8", "\x89PNG", "GIF8", "BM", "RIFF"};
  const char* extension[] = {"jpg", "png", "gif", "bmp", "webp"};
  for (int i = 0; i < 5; ++i) {
    dialogs.save_answer = FileChoice{dir_.filePath(QStringLiteral("button%1").arg(i)), filters[i]};
    form->Export();
    QFile file(dir_.filePath(QStringLiteral("button%1.%2").arg(i).arg(QLatin1String(extension[i]))));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << extension[i];
    EXPECT_TRUE(file.readAll().startsWith(magic[i])) << extension[i];
  }
  // The next export suggests the layout's name with the format used last.
  form->Export();
  EXPECT_EQ(dialogs.requests.back().start_in, dir_.filePath("a.webp"));
  EXPECT_EQ(dialogs.requests.back().selected_filter, filters[4]);
  // With "All files" the name stays as typed, and its format is GIF.
  dialogs.save_answer = FileChoice{dir_.filePath("plain"), filters[5]};
  form->Export();
  EXPECT_TRUE(QFileInfo::exists(dir_.filePath("plain")));
}

TEST_F(WindowTest, SaveAsStartsAtTheLayoutOrInTheDocumentsFolder) {
  std::unique_ptr<MainWindow> form = Open();
  form->SaveAs();
  EXPECT_EQ(dialogs.requests.back().start_in, QFileInfo(layout_).absoluteFilePath());
  MainWindow untitled(Options());
  untitled.SaveAs();
  EXPECT_EQ(dialogs.requests.back().start_in, dir_.filePath("documents/untitled.vrb"));
  untitled.Export();
  EXPECT_EQ(dialogs.requests.back().start_in, dir_.filePath("documents/untitled.jpg"));
}

TEST_F(WindowTest, RecentFilesAreKeptInTheSettingsAndAMissingOneLeavesTheList) {
  {
    std::unique_ptr<MainWindow> form = Open();
    dialogs.save_answer = FileChoice{dir_.filePath("b.vrb"), QStringLiteral("Vorbelkit files (*.vrb)")};
    form->SaveAs();
  }
  MainWindow form(Options());
  QMenu* recent = Child<QMenu>(form, "recentMenu");
  ASSERT_EQ(form.RecentFiles().Files().size(), 2u);
  EXPECT_EQ(form.RecentFiles().Files().front(), dir_.filePath("b.vrb").toStdString());
  EXPECT_EQ(Child<QAction>(form, "recentFile1")->text(), QStringLiteral("&1 b.vrb"));
  EXPECT_EQ(Child<QAction>(form, "recentFile2")->text(), QStringLiteral("&2 a.vrb"));
  EXPECT_TRUE(recent->isEnabled());

  Child<QAction>(form, "recentFile2")->trigger();
  EXPECT_EQ(form.Document().RowCount(), 2);
  EXPECT_EQ(form.RecentFiles().Files().front(), layout_.toStdString());

  QFile::remove(dir_.filePath("b.vrb"));
  Child<QAction>(form, "recentFile2")->trigger();
  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_TRUE(dialogs.errors[0].contains(QStringLiteral("b.vrb")));
  EXPECT_EQ(form.RecentFiles().Files().size(), 1u);
  EXPECT_EQ(form.Document().RowCount(), 2);  // the open document stays
}

TEST_F(WindowTest, ADroppedLayoutOpensAndADroppedPictureBecomesALayerWhereItFalls) {
  MainWindow form(Options());
  form.resize(500, 400);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  form.Document().SetHeight(40);
  auto drop = [&](const QString& path, QPoint at) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    // As a drag arrives: it enters, then drops.
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &enter);
    QDropEvent event(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &event);
    return event.isAccepted();
  };
  const QString picture = dir_.filePath("tile.bmp");
  QFile(picture).open(QIODevice::WriteOnly);
  form.SetZoom(2);
  PreviewBox* preview = Child<PreviewBox>(form, "preview");
  ASSERT_TRUE(drop(picture, preview->mapTo(&form, QPoint(21, 9))));
  ASSERT_EQ(form.Document().RowCount(), 1);
  const document::LayerRow& row = form.Document().Row(0);
  EXPECT_EQ(row.type, "Image");
  EXPECT_EQ(row.Properties(), "Image=" + picture.toStdString() + ";Transparent=No;");
  EXPECT_EQ(row.Left(), "10");  // zoomed twice
  EXPECT_EQ(row.Top(), "4");
  EXPECT_EQ(form.History().UndoLabel(), "Add Layer");

  // Over the layer list a picture is no drop; a layout is, with the question.
  EXPECT_FALSE(drop(picture, Child<QTreeView>(form, "layerList")->mapTo(&form, QPoint(5, 5))));
  dialogs.save_changes = commands::SaveChangesAnswer::Cancel;
  EXPECT_TRUE(drop(layout_, QPoint(5, 5)));
  EXPECT_EQ(form.Document().RowCount(), 1);
  dialogs.save_changes = commands::SaveChangesAnswer::Discard;
  drop(layout_, QPoint(5, 5));
  EXPECT_EQ(form.Document().RowCount(), 2);
  EXPECT_EQ(dialogs.save_changes_asked.size(), 2u);
}

TEST_F(WindowTest, ZoomEnlargesThePreviewOnlyAndIsRemembered) {
  {
    std::unique_ptr<MainWindow> form = Open();
    PreviewBox* preview = Child<PreviewBox>(*form, "preview");
    Child<QAction>(*form, "zoom400Item")->trigger();
    EXPECT_EQ(preview->size(), QSize(160, 80));
    EXPECT_EQ(preview->Picture().size(), QSize(40, 20));  // the picture itself is 1:1
    const QImage shown = preview->grab().toImage();
    EXPECT_EQ(shown.pixel(3, 3), shown.pixel(0, 0));  // a pixel is a 4 x 4 square
    QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::ControlModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(Child<QScrollArea>(*form, "previewPanel")->viewport(), &wheel);
    EXPECT_EQ(form->Zoom(), 2);
    dialogs.save_answer = FileChoice{dir_.filePath("z.bmp"), QStringLiteral("All files (*)")};
    form->Export();
    EXPECT_EQ(QImage(dir_.filePath("z.bmp")).size(), QSize(40, 20));
  }
  MainWindow again(Options());
  EXPECT_EQ(again.Zoom(), 2);
  EXPECT_TRUE(Child<QAction>(again, "zoom200Item")->isChecked());
}

TEST_F(WindowTest, TheLayerListAndTheMenusHaveTheirKeys) {
  std::unique_ptr<MainWindow> form = Open();
  const std::pair<const char*, const char*> keys[] = {
      {"newAction", "Ctrl+N"},    {"openAction", "Ctrl+O"},
      {"saveAction", "Ctrl+S"},   {"saveAsItem", "Ctrl+Shift+S"},
      {"exportAction", "Ctrl+E"}, {"refreshAction", "F5"},
      {"exitItem", "Ctrl+Q"},     {"toggleVisibilityAction", "Ctrl+H"},
  };
  for (const auto& [name, key] : keys) {
    EXPECT_EQ(Child<QAction>(*form, name)->shortcut(), QKeySequence(QString::fromLatin1(key))) << name;
  }
  QTreeView* list = Child<QTreeView>(*form, "layerList");
  form->Document().SelectRow(0);
  int edits = 0;
  dialogs.on_exec = [&](QDialog&) {
    ++edits;
    return int(QDialog::Rejected);
  };
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(edits, 1);
  QMenu* popup = Child<QMenu>(*form, "layerPopup");
  QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier);
  EXPECT_TRUE(popup->isVisible());
  popup->hide();
  QTest::keyClick(list, Qt::Key_Menu);
  EXPECT_TRUE(popup->isVisible());
  popup->hide();
  dialogs.yes = true;
  QTest::keyClick(list, Qt::Key_Delete);
  EXPECT_EQ(form->Document().RowCount(), 1);
  EXPECT_EQ(dialogs.beeps, 1);  // with the usual confirmation
}

// Every control of the window that takes the keyboard focus shows that it has
// it, on either page.
TEST_F(WindowTest, EveryFocusableControlShowsItsFocus) {
  std::unique_ptr<MainWindow> form = Open();
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  form->Document().SelectRow(1);  // the offset controls are enabled for the caption
  QApplication::setActiveWindow(form.get());
  // As after the Tab key: the focus is the keyboard's.
  form->setAttribute(Qt::WA_KeyboardFocusChange);
  auto* pages = Child<QTabWidget>(*form, "pages");
  int checked = 0;
  for (const char* page : {"buttonPage", "layersPage"}) {
    pages->setCurrentWidget(Child<QWidget>(*form, page));
    QApplication::processEvents();
    for (QWidget* widget : form->findChildren<QWidget*>()) {
      if (!widget->isVisible() || !widget->isEnabled() || (widget->focusPolicy() & Qt::TabFocus) == 0 ||
          widget->focusProxy() != nullptr) {
        continue;
      }
      if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();
      const QImage plain = widget->grab().toImage();
      widget->setFocus(Qt::TabFocusReason);
      ASSERT_TRUE(widget->hasFocus()) << widget->objectName().toStdString();
      EXPECT_NE(widget->grab().toImage(), plain)
          << widget->metaObject()->className() << " " << widget->objectName().toStdString();
      ++checked;
    }
  }
  EXPECT_GE(checked, 8);
  dialogs.save_changes = commands::SaveChangesAnswer::Discard;
}

// With the cursor in a size field the window's keys act: Ctrl+Z takes back
// the typing in the field as one step and then the step before it, Redo makes
// them again, Ctrl+E exports.
TEST_F(WindowTest, UndoRedoAndExportKeysActInTheSizeFields) {
  std::unique_ptr<MainWindow> form = Open();
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  QApplication::setActiveWindow(form.get());
  form->Document().SelectRow(1);
  form->ToggleVisibility();
  auto* height = Child<controls::SpinEdit>(*form, "heightEdit");
  height->setFocus(Qt::TabFocusReason);
  height->selectAll();
  QTest::keyClicks(height, QStringLiteral("45"));
  EXPECT_EQ(form->Document().Height(), 45);
  QTest::keyClick(height, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(form->Document().Height(), 20);
  EXPECT_EQ(height->Text(), QStringLiteral("20"));
  QTest::keyClick(height, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(form->Document().Row(1).image_index, document::kVisibleImage);
  EXPECT_TRUE(Child<QAction>(*form, "redoItem")->isEnabled());
  QTest::keyClick(height, Qt::Key_Y, Qt::ControlModifier);
  QTest::keyClick(height, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(form->Document().Height(), 45);
  EXPECT_EQ(form->Document().Row(1).image_index, document::kHiddenImage);
  EXPECT_FALSE(Child<QAction>(*form, "redoItem")->isEnabled());

  dialogs.save_answer = FileChoice{dir_.filePath("typed.png"), QStringLiteral("PNG image (*.png)")};
  QTest::keyClick(height, Qt::Key_E, Qt::ControlModifier);
  EXPECT_TRUE(QFileInfo::exists(dir_.filePath("typed.png")));
  EXPECT_TRUE(height->hasFocus());
  dialogs.save_changes = commands::SaveChangesAnswer::Discard;
}

// Colours outside the standard list, in the layers and the work area, survive
// opening, editing with OK and saving, byte for byte; another colour comes
// from "Other colour…" through the platform's colour dialog.
TEST_F(WindowTest, ColoursOutsideTheListSurviveAnEditAndASave) {
  const QByteArray text =
      "[Button]\r\nHeight=20\r\nWidth=40\r\nWorkArea=1193046\r\nLayers=2\r\n"
      "[Layer0]\r\nType=Background\r\nProperties=Color=$00336699;Image=;Stretch=No;Transparent=No;Shape=None;"
      "EdgeDraw=No;Edge=clBtnFace;Draw3D=No;Highlight=clBtnHighlight;ShadowClr=$00010203;\r\nX=0\r\nY=0\r\n"
      "Visible=0\r\n"
      "[Layer1]\r\nType=Bevel\r\nProperties=Highlight=clInfoBk;Shadow=$00ABCDEF;Pen=2;\r\nX=0\r\nY=0\r\nVisible=0\r\n";
  const QString path = dir_.filePath("colours.vrb");
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
  }
  std::unique_ptr<MainWindow> form = Open();
  dialogs.save_changes = commands::SaveChangesAnswer::Discard;
  // The editors last held other colours.
  for (int row : {0, 1}) {
    form->Document().SelectRow(row);
    form->EditLayer();
  }
  form->OpenLayout(path);
  EXPECT_EQ(form->Document().WorkAreaColor(), base::Color{1193046});
  EXPECT_EQ(Child<controls::ColorComboBox>(*form, "workAreaCombo")->currentText(), QStringLiteral("$00123456"));
  for (int row : {0, 1}) {
    form->Document().SelectRow(row);
    form->EditLayer();
  }
  form->Save();
  QFile saved(path);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(saved.readAll(), text);

  dialogs.on_exec = [](QDialog& dialog) {
    auto* chooser = qobject_cast<QColorDialog*>(&dialog);
    if (chooser == nullptr) return int(QDialog::Rejected);
    EXPECT_EQ(chooser->currentColor(), QColor(0x56, 0x34, 0x12));
    chooser->setCurrentColor(QColor(1, 2, 3));
    return int(QDialog::Accepted);
  };
  Child<controls::ColorComboBox>(*form, "workAreaCombo")->ChooseOtherColor();
  EXPECT_EQ(form->Document().WorkAreaColor(), base::Color::FromRgb(1, 2, 3));
  form->Undo();
  EXPECT_EQ(form->Document().WorkAreaColor(), base::Color{1193046});
  EXPECT_TRUE(dialogs.errors.empty());
}

// A file gives the window the button the command line draws from it, whatever
// layout was open before.
TEST_F(WindowTest, OpenStartsFromTheSettingsOfANewWindow) {
  const QString path = dir_.filePath("partial.vrb");
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Button]\r\nHeight=x\r\nWorkArea=123\r\nLayers=0\r\n");
  }
  std::unique_ptr<MainWindow> form = Open();
  form->Document().SetHeight(77);
  form->Document().SetWorkAreaColor(base::Color::FromRgb(255, 255, 255));
  dialogs.save_changes = commands::SaveChangesAnswer::Discard;
  form->OpenLayout(path);
  document::ButtonDocument fresh;
  layout::LoadLayout(fresh, path.toStdString(), {}, layout::MissingLayout::IsAnError);
  EXPECT_EQ(Text(*form), layout::FormatLayout(fresh));
  EXPECT_EQ(form->Document().Height(), 30);
  EXPECT_EQ(form->Document().WorkAreaColor(), base::Color{123});
}

// The window's place, size and splitter come back at the next start; the
// layer list's columns fill its width.
TEST_F(WindowTest, TheWindowKeepsItsPlaceSizeAndSplitterAndItsColumnsFillTheWidth) {
  QList<int> sizes;
  QRect place;
  {
    MainWindow form(Options());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.setGeometry(QRect(60, 70, 720, 520));
    auto* splitter = Child<QSplitter>(form, "splitter");
    splitter->setSizes({150, splitter->height() - 150});
    sizes = splitter->sizes();
    place = form.geometry();
    EXPECT_TRUE(form.close());
  }
  MainWindow again(Options());
  again.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
  EXPECT_EQ(again.geometry(), place);
  EXPECT_EQ(Child<QSplitter>(again, "splitter")->sizes(), sizes);
  Child<QTabWidget>(again, "pages")->setCurrentWidget(Child<QWidget>(again, "layersPage"));
  QApplication::processEvents();
  auto* list = Child<QTreeView>(again, "layerList");
  EXPECT_EQ(list->header()->length(), list->viewport()->width());
}

// Runs the real file choosers, which the test sees and answers through Exec.
class RealChoosers : public Script {
 public:
  std::optional<QString> OpenFileName(QWidget* parent, const FileRequest& request) override {
    return DialogSeam::OpenFileName(parent, request);
  }
  std::optional<FileChoice> SaveFileName(QWidget* parent, const FileRequest& request) override {
    return DialogSeam::SaveFileName(parent, request);
  }
};

// What a chooser shows when it opens: its folder, the name typed in and the
// filter.
struct ChooserStart {
  QString folder;
  QString name;
  QString filter;
};

ChooserStart StartOf(QDialog& dialog) {
  auto& chooser = dynamic_cast<QFileDialog&>(dialog);
  const auto* name = chooser.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  return {chooser.directory().absolutePath(), name ? name->text() : QString(), chooser.selectedNameFilter()};
}

TEST_F(WindowTest, FileChoosersStartInsideTheirFolderWithTheNameTypedIn) {
  RealChoosers choosers;  // in place of the fixture's script
  std::vector<ChooserStart> starts;
  std::function<void(QFileDialog&)> answer;
  choosers.on_exec = [&](QDialog& dialog) {
    starts.push_back(StartOf(dialog));
    if (!answer) return int(QDialog::Rejected);
    answer(dynamic_cast<QFileDialog&>(dialog));
    return int(QDialog::Accepted);
  };
  const QString documents = QFileInfo(dir_.filePath("documents")).absoluteFilePath();
  ASSERT_TRUE(QDir().mkpath(documents));
  {
    MainWindow untitled(Options());
    untitled.Open();
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].folder, documents);
    EXPECT_EQ(starts[0].name, QString());
  }
  // Without a documents folder a new layout is saved in the nearest folder
  // there is.
  MainWindowOptions options = Options();
  options.documents_folder = dir_.filePath("missing/documents");
  MainWindow untitled(options);
  answer = [](QFileDialog&) {};
  untitled.Save();
  ASSERT_EQ(starts.size(), 2u);
  EXPECT_EQ(starts[1].folder, QFileInfo(dir_.path()).absoluteFilePath());
  EXPECT_EQ(starts[1].name, QStringLiteral("untitled.vrb"));
  EXPECT_TRUE(QFileInfo::exists(dir_.filePath("untitled.vrb")));
  EXPECT_TRUE(choosers.errors.empty()) << choosers.errors.front().toStdString();

  // Export suggests the layout's name with the format used last, that
  // format's filter shown.
  std::unique_ptr<MainWindow> form = Open();
  answer = [](QFileDialog& chooser) {
    chooser.selectNameFilter(QStringLiteral("PNG image (*.png)"));
    chooser.selectFile(QStringLiteral("b.png"));
  };
  form->Export();
  EXPECT_EQ(starts.back().folder, QFileInfo(dir_.path()).absoluteFilePath());
  EXPECT_EQ(starts.back().name, QStringLiteral("a.jpg"));
  EXPECT_EQ(starts.back().filter, QStringLiteral("JPEG file (*.jpg)"));
  EXPECT_TRUE(QFileInfo::exists(dir_.filePath("b.png")));
  answer = nullptr;
  form->Export();
  EXPECT_EQ(starts.back().name, QStringLiteral("a.png"));
  EXPECT_EQ(starts.back().filter, QStringLiteral("PNG image (*.png)"));
  EXPECT_TRUE(choosers.errors.empty());
}

// While an editor is open the preview shows the layer as edited, and Cancel
// gives it back; the first control of the page has the keyboard focus.
TEST_F(WindowTest, EditorsShowTheirChangesInThePreviewUntilCancelled) {
  std::unique_ptr<MainWindow> form = Open();
  form->Document().SelectRow(0);
  const std::string before = Text(*form);
  const auto pixel = [&] { return form->Renderer().Surface().GetPixel(1, 1); };
  const gdi::Pixel white = pixel();
  gdi::Pixel during;
  QWidget* focused = nullptr;
  dialogs.on_exec = [&](QDialog& dialog) {
    auto* combo = Child<controls::ColorComboBox>(dialog, "backgroundCombo");
    focused = dialog.focusWidget();
    QTest::keyClick(combo, Qt::Key_Down);  // White to Yellow
    during = pixel();
    return int(QDialog::Rejected);
  };
  form->EditLayer();
  EXPECT_EQ(during, gdi::Pixel::FromRgb(255, 255, 0));
  EXPECT_EQ(pixel(), white);
  EXPECT_EQ(focused, Child<QWidget>(*form, "backgroundCombo"));
  EXPECT_EQ(Text(*form), before);
}

// Each editor: Enter is OK, Esc and the close box are Cancel.
TEST(Editors, EnterAcceptsEscapeAndTheCloseBoxCancel) {
  BackgroundLayerDialog background;
  TextLayerDialog text;
  BevelLayerDialog bevel;
  ImageLayerDialog image;
  for (QDialog* dialog : std::initializer_list<QDialog*>{&background, &text, &bevel, &image}) {
    const std::string name = dialog->objectName().toStdString();
    EXPECT_EQ(Child<QPushButton>(*dialog, "cancelButton")->text(), QStringLiteral("Cancel")) << name;
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    QWidget* focus = dialog->focusWidget() ? dialog->focusWidget() : dialog;
    QTest::keyClick(focus, Qt::Key_Return);
    EXPECT_EQ(dialog->result(), QDialog::Accepted) << name;
    EXPECT_FALSE(dialog->isVisible()) << name;
    dialog->show();
    QTest::keyClick(dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog->result(), QDialog::Rejected) << name;
    dialog->setResult(QDialog::Accepted);
    dialog->show();
    dialog->close();
    EXPECT_EQ(dialog->result(), QDialog::Rejected) << name;
  }
}

// The image editor's chooser starts beside the current picture, else in
// Textures.
TEST(Editors, ThePictureChooserStartsAtThePictureElseInTextures) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkpath("program/Textures") && QDir(dir.path()).mkpath("pictures"));
  QFile(dir.filePath("pictures/a.bmp")).open(QIODevice::WriteOnly);
  test::ScriptedDialogs dialogs;
  QString started;
  dialogs.on_exec = [&](QDialog& dialog) {
    started = static_cast<PictureChooser&>(dialog).directory().absolutePath();
    return int(QDialog::Rejected);
  };
  ImageLayerDialog image;
  image.SetDataFolders(dir.filePath("program"));
  image.ChooseImage();
  EXPECT_EQ(started, QDir(dir.filePath("program/Textures")).absolutePath());
  image.SetProperties("Image=" + dir.filePath("pictures/a.bmp").toStdString() + ";");
  image.ChooseImage();
  EXPECT_EQ(started, QDir(dir.filePath("pictures")).absolutePath());
}

}  // namespace
}  // namespace vorbel::ui
