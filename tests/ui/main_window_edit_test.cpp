// What keeps the user's work: the question before unsaved changes are given
// up, undo and redo, the recent files, drag and drop, the keys, the export
// chooser's extensions and start folders, the zoom, and the editors' Cancel.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScrollArea>
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
                                  "Bitmap file (*.bmp)", "All files (*)"}));
  // Export starts in the layout's folder.
  EXPECT_EQ(QFileInfo(dialogs.requests[0].start_in).absoluteFilePath(), QFileInfo(dir_.path()).absoluteFilePath());
  const QByteArray magic[] = {"\xFF\xD8", "\x89PNG", "GIF8", "BM"};
  const char* extension[] = {"jpg", "png", "gif", "bmp"};
  for (int i = 0; i < 4; ++i) {
    dialogs.save_answer = FileChoice{dir_.filePath(QStringLiteral("button%1").arg(i)), filters[i]};
    form->Export();
    QFile file(dir_.filePath(QStringLiteral("button%1.%2").arg(i).arg(QLatin1String(extension[i]))));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << extension[i];
    EXPECT_TRUE(file.readAll().startsWith(magic[i])) << extension[i];
  }
  // The next export starts with the last name, in the layout's folder.
  form->Export();
  EXPECT_EQ(dialogs.requests.back().start_in, dir_.filePath("button3.bmp"));
  // With "All files" the name stays as typed, and its format is GIF.
  dialogs.save_answer = FileChoice{dir_.filePath("plain"), filters[4]};
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
  EXPECT_EQ(dialogs.requests.back().start_in, dir_.filePath("documents"));
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

TEST_F(WindowTest, TheOffsetArrowsDrawAFocusMark) {
  std::unique_ptr<MainWindow> form = Open();
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  form->Document().SelectRow(1);
  UpDownButton* arrows = Child<UpDownButton>(*form, "leftArrows");
  const QImage plain = arrows->grab().toImage();
  QApplication::setActiveWindow(form.get());
  arrows->setFocus(Qt::TabFocusReason);
  ASSERT_TRUE(arrows->hasFocus());
  EXPECT_NE(arrows->grab().toImage(), plain);
  dialogs.save_changes = commands::SaveChangesAnswer::Discard;
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
