// The main window as a view of the document, its file, export, help and
// layer commands, under the offscreen platform and through the dialog seam.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QTreeView>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "controls/color_combo_box.h"
#include "controls/spin_edit.h"
#include "find_child.h"
#include "scripted_dialogs.h"
#include "support/test_support.h"
#include "ui/export_set_dialog.h"
#include "ui/help_viewer.h"
#include "ui/layer_list_model.h"
#include "ui/main_window.h"
#include "ui/preview_box.h"
#include "ui/splash_window.h"
#include "ui/up_down_button.h"

namespace vorbel::ui {
namespace {

using test::Child;

using namespace base::literals;

// Answers the file choosers and the Yes/No question from the test.
class FileDialogsScript : public test::ScriptedDialogs {
 public:
  std::optional<QString> save_answer;
  std::optional<QString> open_answer;
  QString save_filter;  // the filter the answer was chosen with; empty: the first
  bool yes = false;
  std::vector<FileRequest> save_requests;
  std::vector<QString> questions;

  std::optional<QString> OpenFileName(QWidget*, const FileRequest&) override { return open_answer; }
  std::optional<FileChoice> SaveFileName(QWidget*, const FileRequest& request) override {
    save_requests.push_back(request);
    if (!save_answer) return std::nullopt;
    return FileChoice{*save_answer, save_filter.isEmpty() ? request.filters.front() : save_filter};
  }
  bool AskYesNo(QWidget*, const QString& title, const QString& text) override {
    questions.push_back(title + u'|' + text);
    return yes;
  }
};

// Each window keeps its settings in a file of its own, so no test sees the
// recent files or the zoom of another.
QString FreshSettingsFile() {
  static QTemporaryDir folder;
  static int count = 0;
  return folder.filePath(QStringLiteral("settings%1.conf").arg(++count));
}

MainWindowOptions QuietOptions(const QStringList& arguments = {}) {
  MainWindowOptions options;
  options.arguments = arguments;
  options.settings_file = FreshSettingsFile();
  options.register_file_type = false;
  options.working_directory = QStringLiteral("/nonexistent-working-folder");
  options.program_directory = QStringLiteral("/nonexistent-program-folder");
  options.shared_data_directory = QStringLiteral("/nonexistent-share-folder");
  return options;
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteText(const QString& path, const QByteArray& text) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

QString DisplayText(const MainWindow& form, int row, int column) {
  return Child<LayerListModel>(form, "layerModel")->index(row, column).data(Qt::DisplayRole).toString();
}

// Whether the row shows the visible mark: hidden rows show an empty space of
// its size instead.
bool HasMark(const MainWindow& form, int row) {
  const QIcon icon = Child<LayerListModel>(form, "layerModel")->index(row, 0).data(Qt::DecorationRole).value<QIcon>();
  const QImage picture = icon.pixmap(16, 16).toImage();
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (qAlpha(picture.pixel(x, y)) != 0) return true;
    }
  }
  return false;
}

TEST(MainWindow, StartsUntitledWithTheDefaultButtonAndNoLayers) {
  MainWindow form(QuietOptions());
  EXPECT_EQ(test::ShownTitle(form), QStringLiteral("Vorbel - [untitled.vrb]"));
  EXPECT_EQ(form.GetDocumentFileName(), "untitled.vrb");
  EXPECT_EQ(Child<QTabWidget>(form, "pages")->currentWidget(), Child<QWidget>(form, "buttonPage"));
  EXPECT_EQ(Child<QTabWidget>(form, "pages")->tabText(0), QStringLiteral("Button"));
  EXPECT_EQ(Child<QTabWidget>(form, "pages")->tabText(1), QStringLiteral("Layers"));
  EXPECT_EQ(Child<controls::SpinEdit>(form, "heightEdit")->Text(), QStringLiteral("30"));
  EXPECT_EQ(Child<controls::SpinEdit>(form, "widthEdit")->Text(), QStringLiteral("90"));
  EXPECT_EQ(form.Document().WorkAreaColor(), 0x00808000_color);
  EXPECT_EQ(Child<controls::ColorComboBox>(form, "workAreaCombo")->currentText(), QStringLiteral("Teal"));
  EXPECT_FALSE(Child<QCheckBox>(form, "borderBox")->isChecked());
  EXPECT_EQ(Child<LayerListModel>(form, "layerModel")->rowCount(), 0);
  EXPECT_FALSE(Child<QAction>(form, "moveUpAction")->isEnabled());
  EXPECT_FALSE(Child<QAction>(form, "moveDownAction")->isEnabled());
  EXPECT_FALSE(Child<QAction>(form, "deleteLayerAction")->isEnabled());
  EXPECT_TRUE(Child<QAction>(form, "addLayerAction")->isEnabled());
  EXPECT_FALSE(Child<QWidget>(form, "offsetPanel")->isEnabled());
  EXPECT_TRUE(Child<QPushButton>(form, "randomizeButton")->isHidden());

  // Only the short part of a hint is a tool tip; every tool button has one.
  EXPECT_EQ(Child<QAction>(form, "refreshAction")->toolTip(), QStringLiteral("Refresh (F5)"));
  EXPECT_EQ(Child<QAction>(form, "moveUpAction")->toolTip(), QStringLiteral("Move Layer Up"));
  EXPECT_EQ(Child<QAction>(form, "moveDownAction")->toolTip(), QStringLiteral("Move Layer Down"));
  EXPECT_TRUE(Child<controls::SpinEdit>(form, "heightEdit")->toolTip().isEmpty());
  for (QAction* action : Child<QToolBar>(form, "standardToolBar")->actions()) {
    if (action->isSeparator()) continue;
    QWidget* button = Child<QToolBar>(form, "standardToolBar")->widgetForAction(action);
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->toolTip().isEmpty()) << action->objectName().toStdString();
  }
  EXPECT_EQ(Child<QAction>(form, "newAction")->toolTip(), QStringLiteral("New (Ctrl+N)"));

  // The offset controls: each caption fits its button, and nothing overlaps.
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  QWidget* panel = Child<QWidget>(form, "offsetPanel");
  QRect previous;
  for (const char* name : {"leftButton", "leftArrows", "topButton", "topArrows"}) {
    const QRect r = Child<QWidget>(form, name)->geometry();
    EXPECT_TRUE(panel->rect().contains(r)) << name;
    EXPECT_GT(r.left(), previous.right()) << name;
    EXPECT_GE(r.height(), 20) << name;
    previous = r;
  }
  for (const char* name : {"leftButton", "topButton"}) {
    QPushButton* button = Child<QPushButton>(form, name);
    EXPECT_GE(button->width(), button->fontMetrics().horizontalAdvance(button->text()) + 12) << name;
  }
  EXPECT_EQ(Child<QPushButton>(form, "leftButton")->text(), QStringLiteral("Left"));
  EXPECT_EQ(Child<QPushButton>(form, "topButton")->text(), QStringLiteral("Top"));

  // The layer list: four columns, the first wide enough for "Background" and
  // the mark, one row at most selected.
  const QStringList headers = {"Type", "Properties", "Left", "Top"};
  QTreeView* list = Child<QTreeView>(form, "layerList");
  for (int c = 0; c < 4; ++c) {
    EXPECT_EQ(Child<LayerListModel>(form, "layerModel")->headerData(c, Qt::Horizontal).toString(), headers[c]);
    if (c > 0) {
      EXPECT_EQ(list->header()->sectionSize(c), LayerListModel::kColumnWidths[c]);
    }
  }
  EXPECT_GE(list->header()->sectionSize(0), list->fontMetrics().horizontalAdvance(QStringLiteral("Background")) + 30);
  EXPECT_EQ(Child<QTreeView>(form, "layerList")->selectionMode(), QAbstractItemView::SingleSelection);
  EXPECT_EQ(Child<QTreeView>(form, "layerList")->selectionBehavior(), QAbstractItemView::SelectRows);
}

TEST(MainWindow, MenusHoldTheirItemsInOrderAndRefreshActsFromTheViewMenu) {
  MainWindow form(QuietOptions());
  auto texts = [](QMenu* menu) {
    QStringList list;
    for (QAction* a : menu->actions()) list << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return list;
  };
  EXPECT_EQ(texts(Child<QMenu>(form, "fileMenu")),
            QStringList({"&New", "&Open...", "Open &Recent", "&Save", "Save &As...", "&Export...", "Export Se&t...",
                         "-", "E&xit"}));
  EXPECT_EQ(texts(Child<QMenu>(form, "editMenu")), QStringList({"&Undo", "&Redo"}));
  EXPECT_EQ(texts(Child<QMenu>(form, "viewMenu")),
            QStringList({"&Refresh", "-", "&100 %", "&200 %", "&400 %", "&800 %", "-", "Zoom &In", "Zoom &Out", "-",
                         "Show &Transparency"}));
  EXPECT_EQ(texts(Child<QMenu>(form, "layerMenu")),
            QStringList({"&New...", "&Delete...", "-", "Move &up", "Move do&wn"}));
  EXPECT_EQ(texts(Child<QMenu>(form, "helpMenu")), QStringList({"&Contents", "&Search...", "-", "&About..."}));
  // The popup shares the Layer menu's actions, and so their texts.
  EXPECT_EQ(texts(Child<QMenu>(form, "layerPopup")),
            QStringList({"&Edit...", "&New...", "&Delete...", "&Toggle visibility"}));
  EXPECT_EQ(Child<QMenu>(form, "layerPopup")->defaultAction(), Child<QAction>(form, "editLayerAction"));

  QStringList bar;
  for (QAction* a : form.menuBar()->actions()) bar << a->text();
  EXPECT_EQ(bar, QStringList({"&File", "&Edit", "&Layer", "&View", "&Help"}));
  EXPECT_EQ(Child<QAction>(form, "refreshAction")->shortcut(), QKeySequence(Qt::Key_F5));

  // A height change made while drawing is suspended shows only after Refresh.
  form.Document().SetLoading(true);
  form.Document().SetHeightText("12");
  form.Document().SetLoading(false);
  EXPECT_EQ(Child<PreviewBox>(form, "preview")->Picture().height(), 30);
  Child<QAction>(form, "refreshAction")->trigger();
  EXPECT_EQ(Child<PreviewBox>(form, "preview")->Picture().height(), 12);
}

TEST(MainWindow, ShowsTheDocumentAndWritesTheUsersChangesBack) {
  MainWindow form(QuietOptions());
  document::ButtonDocument& doc = form.Document();

  Child<controls::SpinEdit>(form, "heightEdit")->SetText(QStringLiteral("45"));
  EXPECT_EQ(doc.Height(), 45);
  EXPECT_EQ(Child<PreviewBox>(form, "preview")->size(), QSize(90, 45));
  doc.SetWidthText("12");
  EXPECT_EQ(Child<controls::SpinEdit>(form, "widthEdit")->Text(), QStringLiteral("12"));
  EXPECT_EQ(Child<PreviewBox>(form, "preview")->Picture().size(), QSize(12, 45));
  Child<QCheckBox>(form, "borderBox")->click();
  EXPECT_TRUE(doc.Border());
  doc.SetWorkAreaColor(0x00FFFFFF_color);
  EXPECT_EQ(Child<controls::ColorComboBox>(form, "workAreaCombo")->currentText(), QStringLiteral("White"));
  // The panel around the button and the button's pixels show the work area;
  // the border is the work area's complement.
  EXPECT_EQ(Child<QFrame>(form, "previewPanel")->palette().color(QPalette::Window), QColor(255, 255, 255));
  const QImage& picture = Child<PreviewBox>(form, "preview")->Picture();
  EXPECT_EQ(picture.pixel(5, 5), qRgb(255, 255, 255));
  EXPECT_EQ(picture.pixel(0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(Child<PreviewBox>(form, "preview")->mapTo(Child<QWidget>(form, "previewPanel"), QPoint(0, 0)),
            QPoint(2, 2));

  doc.SetCaption("Vorbel - [x.vrb]");
  EXPECT_EQ(test::ShownTitle(form), QStringLiteral("Vorbel - [x.vrb]*"));  // changed since it was loaded
}

TEST(MainWindow, LayerListFollowsTheRowsWithTextsAndVisibleMark) {
  MainWindow form(QuietOptions());
  document::ButtonDocument& doc = form.Document();
  doc.AppendRow(document::LayerRow::Make("Background", "Color=clRed;", "0", "0"));
  doc.AppendRow(document::LayerRow::Make("Text", "Caption=Go;", "3", "-4", document::kHiddenImage));
  ASSERT_EQ(Child<LayerListModel>(form, "layerModel")->rowCount(), 2);
  EXPECT_EQ(DisplayText(form, 1, 0), QStringLiteral("Text"));
  EXPECT_EQ(DisplayText(form, 1, 1), QStringLiteral("Caption=Go;"));
  EXPECT_EQ(DisplayText(form, 1, 2), QStringLiteral("3"));
  EXPECT_EQ(DisplayText(form, 1, 3), QStringLiteral("-4"));
  EXPECT_TRUE(HasMark(form, 0));
  EXPECT_FALSE(HasMark(form, 1));
  doc.SetRowImageIndex(0, 5);  // drawn, but without the mark
  EXPECT_FALSE(HasMark(form, 0));

  // Selecting in the list selects in the document and enables the commands.
  QItemSelectionModel* selection = Child<QTreeView>(form, "layerList")->selectionModel();
  selection->select(Child<LayerListModel>(form, "layerModel")->index(1, 0),
                    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  EXPECT_EQ(doc.SelectedRow(), 1);
  EXPECT_TRUE(Child<QAction>(form, "moveUpAction")->isEnabled());
  EXPECT_TRUE(
      Child<QAction>(form, "moveDownAction")->isEnabled());  // on the last row too; the command then does nothing
  EXPECT_TRUE(Child<QAction>(form, "deleteLayerAction")->isEnabled());
  EXPECT_TRUE(Child<QWidget>(form, "offsetPanel")->isEnabled());
  doc.SelectRow(0);
  EXPECT_EQ(Child<QTreeView>(form, "layerList")->selectionModel()->selectedRows().front().row(), 0);
  EXPECT_FALSE(Child<QWidget>(form, "offsetPanel")->isEnabled());  // a background has no offsets
  doc.SetRowType(0, "Context");
  EXPECT_TRUE(Child<QWidget>(form, "offsetPanel")->isEnabled());

  EXPECT_TRUE(Child<QAction>(form, "editLayerAction")->isEnabled());
  doc.SelectRow(-1);
  EXPECT_FALSE(Child<QAction>(form, "moveUpAction")->isEnabled());
  EXPECT_FALSE(Child<QAction>(form, "deleteLayerAction")->isEnabled());
  EXPECT_TRUE(Child<QAction>(form, "addLayerAction")->isEnabled());
  EXPECT_FALSE(Child<QAction>(form, "editLayerAction")->isEnabled());
  EXPECT_FALSE(Child<QAction>(form, "toggleVisibilityAction")->isEnabled());
}

TEST(MainWindow, LayerCommandsMoveToggleStepAndDeleteAfterConfirmation) {
  FileDialogsScript dialogs;
  MainWindow form(QuietOptions());
  document::ButtonDocument& doc = form.Document();
  doc.AppendRow(document::LayerRow::Make("Background", "A", "0", "0"));
  doc.AppendRow(document::LayerRow::Make("Image", "B", "", "abc", document::kHiddenImage));
  doc.SelectRow(1);

  form.MoveLayerUp();
  EXPECT_EQ(doc.Row(0).sub_items[0], "B");
  EXPECT_EQ(doc.Row(0).image_index, document::kHiddenImage);  // the hidden state moves with the layer
  EXPECT_EQ(doc.Row(1).image_index, document::kVisibleImage);
  EXPECT_EQ(doc.SelectedRow(), 0);
  form.MoveLayerUp();  // already first
  EXPECT_EQ(doc.SelectedRow(), 0);

  emit Child<UpDownButton>(form, "leftArrows")->upClicked();  // empty Left counts as 0
  EXPECT_EQ(doc.Row(0).Left(), "1");
  emit Child<UpDownButton>(form, "topArrows")->downClicked();  // "abc" counts as 0
  EXPECT_EQ(doc.Row(0).Top(), "-1");
  emit Child<UpDownButton>(form, "topArrows")->upClicked();
  emit Child<UpDownButton>(form, "topArrows")->upClicked();
  EXPECT_EQ(doc.Row(0).Top(), "1");

  form.ToggleVisibility();
  EXPECT_EQ(doc.Row(0).image_index, document::kVisibleImage);
  EXPECT_TRUE(HasMark(form, 0));

  dialogs.yes = false;
  form.DeleteLayer();
  EXPECT_EQ(doc.RowCount(), 2);
  ASSERT_EQ(dialogs.questions.size(), 1u);
  EXPECT_EQ(dialogs.questions[0], QStringLiteral("Confirm|Delete this layer?"));
  EXPECT_EQ(dialogs.beeps, 1);
  dialogs.yes = true;
  form.DeleteLayer();
  EXPECT_EQ(doc.RowCount(), 1);
  EXPECT_EQ(doc.SelectedRow(), -1);
  EXPECT_FALSE(Child<QAction>(form, "deleteLayerAction")->isEnabled());
  // Without a selection the commands ask nothing and change nothing.
  form.DeleteLayer();
  emit Child<UpDownButton>(form, "leftArrows")->upClicked();
  EXPECT_EQ(dialogs.questions.size(), 2u);
  EXPECT_EQ(doc.Row(0).Left(), "0");
}

TEST(MainWindow, OffsetStepsStopAtTheEndsOfTheIntegerRange) {
  MainWindow form(QuietOptions());
  document::ButtonDocument& doc = form.Document();
  doc.AppendRow(document::LayerRow::Make("Text", "", "2147483647", "-2147483648"));
  doc.SelectRow(0);
  form.IncreaseLeft();
  form.DecreaseTop();
  EXPECT_EQ(doc.Row(0).Left(), "2147483647");
  EXPECT_EQ(doc.Row(0).Top(), "-2147483648");
  EXPECT_EQ(UpDownButton::kRepeatDelayMs, 400);
  EXPECT_EQ(UpDownButton::kRepeatIntervalMs, 100);
}

TEST(MainWindow, ArgumentFileIsLoadedWithItsCaptionAndAMissingOneIgnored) {
  QTemporaryDir dir;
  const QString path = dir.filePath("start.vrb");
  ASSERT_TRUE(WriteText(path,
                        "[Button]\r\nHeight=40\r\nWidth=70\r\nWorkArea=16777215\r\nLayers=1\r\n"
                        "[Layer0]\r\nType=Bevel\r\nProperties=Width=2;\r\nX=0\r\nY=0\r\nVisible=0\r\n"));
  {
    MainWindow form(QuietOptions({path, dir.filePath("second.vrb")}));
    EXPECT_EQ(test::ShownTitle(form), QStringLiteral("Vorbel - [") + path + u']');
    EXPECT_EQ(Child<controls::SpinEdit>(form, "heightEdit")->Text(), QStringLiteral("40"));
    EXPECT_EQ(Child<LayerListModel>(form, "layerModel")->rowCount(), 1);
    EXPECT_EQ(Child<controls::ColorComboBox>(form, "workAreaCombo")->currentText(), QStringLiteral("White"));
    EXPECT_EQ(Child<PreviewBox>(form, "preview")->Picture().size(), QSize(70, 40));
  }
  {
    MainWindow form(QuietOptions({dir.filePath("missing.vrb")}));
    EXPECT_EQ(test::ShownTitle(form), QStringLiteral("Vorbel - [untitled.vrb]"));
    EXPECT_EQ(Child<LayerListModel>(form, "layerModel")->rowCount(), 0);
    EXPECT_EQ(Child<controls::SpinEdit>(form, "heightEdit")->Text(), QStringLiteral("30"));
  }
}

// Records the override cursor whenever the document reports a change.
class CursorWatch : public document::DocumentObserver {
 public:
  std::vector<int> shapes;  // -1: no override cursor
  void Note() {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    shapes.push_back(cursor ? int(cursor->shape()) : -1);
  }
  void SettingsChanged(document::DocumentSetting) override { Note(); }
  void RowInserted(int) override { Note(); }
  void RowsReset() override { Note(); }
};

TEST(MainWindow, OpenLoadsTheChosenFileUnderTheHourglass) {
  FileDialogsScript dialogs;
  QTemporaryDir dir;
  const QString path = dir.filePath("open.vrb");
  ASSERT_TRUE(WriteText(path,
                        "[Button]\r\nHeight=44\r\nLayers=1\r\n"
                        "[Layer0]\r\nType=Bevel\r\nProperties=Width=2;\r\nX=0\r\nY=0\r\nVisible=0\r\n"));
  MainWindow form(QuietOptions());
  CursorWatch watch;
  const document::DocumentSubscription watching = form.Document().Subscribe(&watch);

  form.Open();  // cancelled: nothing happens
  EXPECT_TRUE(watch.shapes.empty());
  EXPECT_EQ(test::ShownTitle(form), QStringLiteral("Vorbel - [untitled.vrb]"));

  dialogs.open_answer = path;
  form.Open();
  EXPECT_EQ(test::ShownTitle(form), QStringLiteral("Vorbel - [") + path + u']');
  EXPECT_EQ(form.Document().Height(), 44);
  EXPECT_EQ(Child<LayerListModel>(form, "layerModel")->rowCount(), 1);
  ASSERT_FALSE(watch.shapes.empty());
  for (int shape : watch.shapes) EXPECT_EQ(shape, int(Qt::WaitCursor));
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);  // restored afterwards
}

// A picture chosen through "All files", or a FIFO named at start, is refused
// with a message; the window keeps its document, and Save still goes to the
// layout it came from.
TEST(MainWindow, FilesThatAreNoLayoutsAreRefusedAndTheDocumentStays) {
  FileDialogsScript dialogs;
  QTemporaryDir dir;
  const QString layout = dir.filePath("open.vrb");
  ASSERT_TRUE(WriteText(layout, "[Button]\r\nHeight=44\r\nLayers=1\r\n[Layer0]\r\nType=Bevel\r\n"));
  const QByteArray png("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x01", 20);
  const QString picture = dir.filePath("picture.png");
  ASSERT_TRUE(WriteText(picture, png));
  MainWindow form(QuietOptions());
  dialogs.open_answer = layout;
  form.Open();
  dialogs.open_answer = picture;
  form.Open();
  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_EQ(dialogs.errors[0], "Cannot open file " + picture + ": the file is not a layout file");
  EXPECT_EQ(form.GetDocumentFileName(), layout.toStdString());
  EXPECT_EQ(Child<LayerListModel>(form, "layerModel")->rowCount(), 1);
  form.Save();
  EXPECT_EQ(ReadAll(picture), png);
  EXPECT_TRUE(ReadAll(layout).contains("Height=44"));

  const QString fifo = dir.filePath("pipe.vrb");
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  MainWindow started(QuietOptions({fifo}));
  ASSERT_EQ(dialogs.errors.size(), 2u);
  EXPECT_EQ(dialogs.errors[1], "Cannot open file " + fifo + ": not a regular file");
  EXPECT_EQ(started.GetDocumentFileName(), "untitled.vrb");
}

TEST(MainWindow, SaveOfAnUntitledDocumentAsksForANameAndNeverWritesACutOffPath) {
  FileDialogsScript dialogs;
  QTemporaryDir dir;
  MainWindow form(QuietOptions());

  form.Save();  // cancelled: nothing written, still untitled
  ASSERT_EQ(dialogs.save_requests.size(), 1u);
  EXPECT_TRUE(dialogs.save_requests[0].confirm_overwrite);
  EXPECT_EQ(dialogs.save_requests[0].filters.front(), QStringLiteral("Vorbelkit files (*.vrb)"));
  EXPECT_EQ(form.GetDocumentFileName(), "untitled.vrb");

  ASSERT_TRUE(QDir(dir.path()).mkpath("a]b"));
  const QString path = dir.filePath("a]b/button.vrb");
  dialogs.save_answer = path;
  form.Save();
  EXPECT_TRUE(ReadAll(path).startsWith("[Button]"));
  EXPECT_EQ(test::ShownTitle(form), QStringLiteral("Vorbel - [") + path + u']');
  // The caption cannot hold the path: the name read back stops at the "]".
  EXPECT_EQ(QString::fromStdString(form.GetDocumentFileName()), dir.filePath("a"));

  // Saving again writes to the full path, not to the cut-off name, and asks nothing.
  form.Document().SetHeightText("77");
  form.Save();
  EXPECT_EQ(dialogs.save_requests.size(), 2u);
  EXPECT_TRUE(ReadAll(path).contains("Height=77"));
  EXPECT_FALSE(QFile::exists(dir.filePath("a")));
}

TEST(MainWindow, SaveFailureShowsTheErrorAndKeepsTheCaption) {
  FileDialogsScript dialogs;
  MainWindow form(QuietOptions());
  dialogs.save_answer = QStringLiteral("/nonexistent-folder/x.vrb");
  form.SaveAs();
  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_EQ(dialogs.errors[0], QStringLiteral("Unable to write to /nonexistent-folder/x.vrb"));
  EXPECT_EQ(test::ShownTitle(form), QStringLiteral("Vorbel - [untitled.vrb]"));
}

TEST(MainWindow, ExportChoosesTheFormatByTheNamesExtension) {
  FileDialogsScript dialogs;
  QTemporaryDir dir;
  MainWindow form(QuietOptions());

  form.Export();  // cancelled
  ASSERT_EQ(dialogs.save_requests.size(), 1u);
  EXPECT_EQ(dialogs.save_requests[0].default_suffix, QStringLiteral("jpg"));
  EXPECT_EQ(dialogs.save_requests[0].filters.size(), 6);
  EXPECT_TRUE(QDir(dir.path()).isEmpty());

  struct Case {
    const char* name;
    QByteArray magic;
  };
  const Case cases[] = {{"a.xbmp", "BM"}, {"b.JPEG", "\xFF\xD8"}, {"c.gif", "GIF8"}, {"d.x", "GIF8"}, {"e.WebP", "RIFF"}};
  for (const Case& c : cases) {
    dialogs.save_answer = dir.filePath(c.name);
    form.Export();  // the menu item acts as the tool button
    EXPECT_TRUE(ReadAll(*dialogs.save_answer).startsWith(c.magic)) << c.name;
  }
  EXPECT_TRUE(dialogs.errors.empty());

  dialogs.save_answer = QStringLiteral("/nonexistent-folder/x.bmp");
  form.Export();
  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_TRUE(dialogs.errors[0].startsWith(QStringLiteral("Cannot create file")));
}

// The set dialog starts with the choices last made for the same layout, and
// with the layout's own caption for one it has not seen.
TEST(MainWindow, ExportSetKeepsTheLastChoicesOfEachLayout) {
  QTemporaryDir dir;
  const auto layout = [&](const char* name, const char* caption) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    EXPECT_TRUE(WriteText(path, QByteArray("[Button]\r\nHeight=20\r\nWidth=50\r\nWorkArea=16777215\r\nLayers=1\r\n"
                                           "[Layer0]\r\nType=Text\r\nProperties=Text=") +
                                    caption + ";FontSize=8;\r\nX=2\r\nY=2\r\nVisible=0\r\n"));
    return path;
  };
  const QString first = layout("first.vrb", "One");
  const QString second = layout("second.vrb", "Two");
  test::ScriptedDialogs dialogs;
  QStringList shown;
  dialogs.on_exec = [&](QDialog& dialog) {
    auto* captions = Child<QPlainTextEdit>(dialog, "captionsEdit");
    shown << captions->toPlainText() + u'|' + Child<QLineEdit>(dialog, "folderEdit")->text();
    captions->setPlainText(captions->toPlainText() + QStringLiteral("\nMore"));
    return int(QDialog::Rejected);
  };
  dialogs.save_changes = commands::SaveChangesAnswer::Discard;
  MainWindow form(QuietOptions({first}));
  Child<QAction>(form, "exportSetItem")->trigger();
  Child<QAction>(form, "exportSetItem")->trigger();
  form.OpenLayout(second);
  form.ExportSet();
  form.OpenLayout(first);
  form.ExportSet();
  EXPECT_EQ(shown,
            QStringList({"One|" + dir.filePath("first-buttons"), "One\nMore|" + dir.filePath("first-buttons"),
                         "Two|" + dir.filePath("second-buttons"), "One\nMore\nMore|" + dir.filePath("first-buttons")}));
}

// A layout of one caption, "Go", on a white work area.
const QByteArray kGoLayout =
    "[Button]\r\nHeight=20\r\nWidth=50\r\nWorkArea=16777215\r\nLayers=1\r\n"
    "[Layer0]\r\nType=Text\r\nProperties=Text=Go;FontSize=8;\r\nX=2\r\nY=2\r\nVisible=0\r\n";

// A set written whole leaves its captions in the layout, as a change that
// can be undone and is saved with it; the layout then opens the dialog on them.
TEST(MainWindow, ASetWrittenFromTheWindowKeepsItsCaptionsInTheLayout) {
  QTemporaryDir dir;
  const QString path = dir.filePath("nav.vrb");
  ASSERT_TRUE(WriteText(path, kGoLayout));
  test::ScriptedDialogs dialogs;
  dialogs.yes_answer = true;  // the second export replaces the files of the first
  QString shown;
  dialogs.on_exec = [&](QDialog& dialog) {
    shown = Child<QPlainTextEdit>(dialog, "captionsEdit")->toPlainText();
    Child<QPlainTextEdit>(dialog, "captionsEdit")->setPlainText(QStringLiteral("Home\nAbout us"));
    EXPECT_TRUE(static_cast<ExportSetDialog&>(dialog).ExportNow());
    return int(QDialog::Rejected);
  };
  {
    MainWindow form(QuietOptions({path}));
    form.ExportSet();
    EXPECT_EQ(shown, QStringLiteral("Go"));
    EXPECT_EQ(form.Document().SetCaptions(), (std::vector<std::string>{"Home", "About us"}));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("nav-buttons/about-us-normal@1x.png")));
    EXPECT_EQ(Child<QAction>(form, "undoItem")->text(), QStringLiteral("&Undo Change Set Captions"));
    form.Undo();
    EXPECT_TRUE(form.Document().SetCaptions().empty());
    form.Redo();
    form.Save();
    EXPECT_TRUE(ReadAll(path).endsWith("[Set]\r\nCaptions=2\r\nCaption1=Home\r\nCaption2=About us\r\n"));
  }
  MainWindow fresh(QuietOptions({path}));
  fresh.ExportSet();
  EXPECT_EQ(shown, QStringLiteral("Home\nAbout us"));
}

// Closing the set dialog keeps the captions typed in the layout, as a step
// that can be undone; captions only looked at leave the layout unchanged.
TEST(MainWindow, ClosingTheSetDialogKeepsTheTypedCaptions) {
  QTemporaryDir dir;
  const QString path = dir.filePath("nav.vrb");
  ASSERT_TRUE(WriteText(path, kGoLayout));
  test::ScriptedDialogs dialogs;
  QString typed;
  dialogs.on_exec = [&](QDialog& dialog) {
    if (!typed.isEmpty()) Child<QPlainTextEdit>(dialog, "captionsEdit")->setPlainText(typed);
    return int(QDialog::Rejected);
  };
  MainWindow form(QuietOptions({path}));
  form.ExportSet();
  EXPECT_FALSE(form.History().IsModified());
  EXPECT_TRUE(form.Document().SetCaptions().empty());
  typed = QStringLiteral("Home\n  About us \n");
  form.ExportSet();
  EXPECT_EQ(form.Document().SetCaptions(), (std::vector<std::string>{"Home", "About us"}));
  EXPECT_EQ(Child<QAction>(form, "undoItem")->text(), QStringLiteral("&Undo Change Set Captions"));
  dialogs.save_changes = commands::SaveChangesAnswer::Discard;
}

TEST(MainWindow, NewClearsTheLayersAndKeepsTheButtonSettings) {
  test::ScriptedDialogs dialogs;
  dialogs.save_changes = commands::SaveChangesAnswer::Discard;
  MainWindow form(QuietOptions());
  document::ButtonDocument& doc = form.Document();
  doc.SetHeightText("50");
  doc.AppendRow(document::LayerRow::Make("Bevel", ""));
  doc.SetDocumentFileName("/x/y.vrb");
  form.NewDocument();
  EXPECT_EQ(Child<LayerListModel>(form, "layerModel")->rowCount(), 0);
  EXPECT_EQ(test::ShownTitle(form), QStringLiteral("Vorbel - [untitled.vrb]"));
  EXPECT_EQ(Child<controls::SpinEdit>(form, "heightEdit")->Text(), QStringLiteral("50"));
}

TEST(MainWindow, TooLargeButtonShowsAMessageInsteadOfAPicture) {
  MainWindow form(QuietOptions());
  form.resize(600, 400);
  form.Document().SetWidthText("40000");
  EXPECT_TRUE(Child<PreviewBox>(form, "preview")->Picture().isNull());
  EXPECT_TRUE(Child<PreviewBox>(form, "preview")->Message().contains(QStringLiteral("too large")));
  form.Document().SetWidthText("20000");
  form.Document().SetHeightText("20000");  // 400 million pixels
  EXPECT_TRUE(Child<PreviewBox>(form, "preview")->Message().contains(QStringLiteral("too large")));
  form.Document().SetHeightText("3");
  EXPECT_TRUE(Child<PreviewBox>(form, "preview")->Message().isEmpty());
  EXPECT_EQ(Child<PreviewBox>(form, "preview")->Picture().size(), QSize(20000, 3));
}

TEST(MainWindow, APassCutShortByItsBudgetSaysSoInTheStatusBar) {
  QTemporaryDir dir;
  const std::vector<std::uint8_t> huge = vorbel::test::HugeRleBmp();
  ASSERT_TRUE(WriteText(dir.filePath("huge.bmp"),
                        QByteArray(reinterpret_cast<const char*>(huge.data()), static_cast<qsizetype>(huge.size()))));
  MainWindow form(QuietOptions());
  form.Document().AppendRow(
      document::LayerRow::Make("Image", "Image=" + dir.filePath("huge.bmp").toStdString() + ";", "0", "0"));
  form.Refresh();
  const QLabel* note = Child<QLabel>(form, "passLimitLabel");
  EXPECT_TRUE(note->isVisibleTo(&form));
  EXPECT_TRUE(note->text().startsWith(QStringLiteral("Layer 1 and the layers after it were left out")));
  form.Document().ClearRows();
  form.Refresh();
  EXPECT_FALSE(note->isVisibleTo(&form));
}

TEST(MainWindow, PreviewPaintsTheSurfaceOneToOne) {
  MainWindow form(QuietOptions());
  form.Document().AppendRow(document::LayerRow::Make("Background", "Color=clRed;Shape=None;", "0", "0"));
  const QImage shown = Child<PreviewBox>(form, "preview")->grab().toImage();
  ASSERT_EQ(shown.size(), QSize(90, 30));
  EXPECT_EQ(shown.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(shown.pixel(89, 29), qRgb(255, 0, 0));
}

// The command line draws with a renderer of its own and no window: a
// gradient caption must come out alike whatever the window's size.
TEST(MainWindow, PreviewShowsTheSamePixelsAsTheCommandLineAtAnyWindowSize) {
  MainWindow form(QuietOptions());
  document::ButtonDocument& doc = form.Document();
  doc.SetWidth(320);
  doc.SetHeight(60);
  doc.AppendRow(document::LayerRow::Make(
      "Text", "FontFace=DejaVu Sans;FontSize=28;Text=MMMMMMMMM;Gradient=Yes;GradientStart=clRed;GradientEnd=clBlue;"));
  render::ButtonRenderer commandLine;
  commandLine.RenderButton(doc);
  for (const QSize size : {QSize(900, 700), QSize(300, 200)}) {
    form.resize(size);
    form.Refresh();
    const QImage shown = Child<PreviewBox>(form, "preview")->Picture();
    ASSERT_EQ(shown.size(), QSize(320, 60));
    int differ = 0;
    for (int y = 0; y < 60; ++y) {
      for (int x = 0; x < 320; ++x)
        differ += (shown.pixel(x, y) & 0xFFFFFF) != commandLine.Surface().GetPixel(x, y).Rgb();
    }
    EXPECT_EQ(differ, 0) << "window " << size.width() << " x " << size.height();
  }
}

TEST(MainWindow, HelpFileIsFoundBesideTheProgramOrInTheSharedDataOrTheWorkingFolder) {
  QTemporaryDir dir;
  QDir root(dir.path());
  ASSERT_TRUE(root.mkpath("work") && root.mkpath("prefix/lib/vorbel") &&
              root.mkpath("prefix/share/vorbel/help/winhelp"));
  MainWindowOptions options = QuietOptions();
  options.working_directory = root.filePath("work");
  options.program_directory = root.filePath("prefix/lib/vorbel");
  options.shared_data_directory = QString();  // derived from the program folder

  {
    FileDialogsScript dialogs;
    MainWindow form(options);
    EXPECT_TRUE(form.HelpFile().isEmpty());
    form.ShowHelpContents();  // no help file: nothing happens
    form.SearchHelp();
    EXPECT_TRUE(form.findChildren<HelpViewer*>().isEmpty());
    EXPECT_TRUE(dialogs.errors.empty());
  }
  const QString working = root.filePath("work/vorbelkit.hlp");
  ASSERT_TRUE(QFile::copy(QStringLiteral(VORBEL_TEST_DATA "/../../resources/help/vorbelkit.hlp"), working));
  EXPECT_EQ(MainWindow(options).HelpFile(), working);

  const QString shared = root.filePath("prefix/share/vorbel/help/winhelp/vorbelkit.hlp");
  ASSERT_TRUE(QFile::copy(working, shared));
  EXPECT_EQ(QFileInfo(MainWindow(options).HelpFile()).canonicalFilePath(), QFileInfo(shared).canonicalFilePath());

  ASSERT_TRUE(root.mkpath("prefix/lib/vorbel/help/winhelp"));
  const QString beside = root.filePath("prefix/lib/vorbel/help/winhelp/vorbelkit.hlp");
  ASSERT_TRUE(QFile::copy(working, beside));
  MainWindow form(options);
  EXPECT_EQ(form.HelpFile(), beside);
  form.ShowHelpContents();
  const QList<HelpViewer*> viewers = form.findChildren<HelpViewer*>();
  ASSERT_EQ(viewers.size(), 1);
  EXPECT_TRUE(viewers.front()->isVisible());
  // F1 shows the topic of the window, or that of the layer list from there.
  form.ContextHelp();
  const QString windowTopic = viewers.front()->CurrentTopicId();
  form.show();
  Child<QTabWidget>(form, "pages")->setCurrentWidget(Child<QWidget>(form, "layersPage"));
  Child<QTreeView>(form, "layerList")->setFocus();
  form.activateWindow();
  QApplication::setActiveWindow(&form);
  ASSERT_TRUE(Child<QTreeView>(form, "layerList")->hasFocus());
  form.ContextHelp();
  EXPECT_NE(viewers.front()->CurrentTopicId(), windowTopic);
  viewers.front()->close();
}

TEST(MainWindow, AboutShowsAFreshSplashEachTimeThatAClickCloses) {
  test::ScriptedDialogs dialogs;
  MainWindow form(QuietOptions());
  QString version;
  dialogs.on_exec = [&](QDialog& dialog) {
    auto* splash = qobject_cast<SplashWindow*>(&dialog);
    EXPECT_NE(splash, nullptr);
    if (!splash) return int(QDialog::Rejected);
    version = Child<QLabel>(*splash, "versionLabel")->text();
    splash->show();
    QTest::mouseClick(Child<QLabel>(*splash, "webSiteLabel"), Qt::LeftButton);
    EXPECT_TRUE(splash->isVisible());  // the address keeps it open
    QTest::mouseClick(Child<QLabel>(*splash, "picture"), Qt::LeftButton);
    EXPECT_FALSE(splash->isVisible());
    return int(QDialog::Rejected);
  };
  QList<QUrl> opened;
  SplashWindow::SetUrlOpener([&](const QUrl& url) { opened << url; });
  form.About();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(form.Splash(), nullptr);
  form.About();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  SplashWindow::SetUrlOpener({});
  EXPECT_EQ(dialogs.exec_count, 2);
  EXPECT_EQ(opened.size(), 2);
  EXPECT_EQ(opened.front(), QUrl(QString::fromLatin1(SplashWindow::kWebSite)));
  // The test program has no version strings: the label reads "Version ".
  EXPECT_EQ(version, QStringLiteral("Version "));
}

TEST(MainWindow, RegistersTheLayoutFileTypeForTheLauncherAtCreation) {
  QTemporaryDir home;
  MainWindowOptions options = QuietOptions();
  options.register_file_type = true;
  options.data_home = home.path().toStdString();
  options.program_path = QStringLiteral("/opt/my tools/vorbel");
  int runs = 0;
  options.command_runner = [&](const std::vector<std::string>&) { ++runs; };
  MainWindow form(options);
  const QByteArray entry = ReadAll(home.filePath("applications/org.vorbel.vorbel.desktop"));
  EXPECT_TRUE(entry.contains("/opt/my tools/vorbel")) << entry.toStdString();
  EXPECT_FALSE(QDir(home.filePath("mime/packages")).entryList(QDir::Files).isEmpty());
  for (const char* size : {"16x16", "256x256", "scalable"}) {
    EXPECT_FALSE(QDir(home.filePath(QStringLiteral("icons/hicolor/%1/mimetypes").arg(QLatin1String(size))))
                     .entryList(QDir::Files)
                     .isEmpty())
        << size;
  }
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);  // the busy cursor is gone again
}

}  // namespace
}  // namespace vorbel::ui

namespace vorbel::ui {
namespace {

// The Button page edits the look of the pictures; the status bar counts what
// the old rule takes away; View, Show Transparency is kept in the settings
// and changes the preview only.
TEST(MainWindow, TheLookOfThePicturesIsEditedShownAndKept) {
  MainWindowOptions options = QuietOptions();
  {
    MainWindow form(options);
    document::ButtonDocument& doc = form.Document();
    EXPECT_EQ(doc.TransparencyRule(), document::Transparency::Unpainted);  // a new button
    EXPECT_FALSE(form.History().IsModified());
    doc.SetWorkAreaColor(base::Color::FromRgb(255, 255, 255));
    doc.AppendRow(document::LayerRow::Make("Background", "Color=clWhite;Shape=Ellipse;"));
    Child<QComboBox>(form, "transparencyCombo")->setCurrentIndex(0);
    EXPECT_EQ(doc.TransparencyRule(), document::Transparency::WorkAreaColor);
    const auto* note =
        Child<QStatusBar>(form, "statusBar")->findChild<QLabel*>(QStringLiteral("transparencyNoteLabel"));
    ASSERT_NE(note, nullptr);
    const int count = note->text().section(QLatin1Char(' '), 0, 0).toInt();
    EXPECT_GT(count, 1500);  // the ellipse
    EXPECT_EQ(note->text(),
              QStringLiteral("%1 pixels of the button have the work-area colour and will be transparent").arg(count));
    Child<QCheckBox>(form, "smoothBox")->click();
    EXPECT_TRUE(doc.Smooth());
    Child<QComboBox>(form, "matteCombo")->setCurrentIndex(1);
    EXPECT_TRUE(doc.Matte().has_value());
    doc.SetMatte(base::Color::FromRgb(1, 2, 3));
    EXPECT_EQ(Child<QComboBox>(form, "matteCombo")->currentText(), QStringLiteral("#010203"));
    form.History().Undo();
    EXPECT_EQ(Child<QComboBox>(form, "matteCombo")->currentIndex(), 1);

    QAction* show = Child<QAction>(form, "showTransparencyItem");
    EXPECT_TRUE(show->isChecked());
    EXPECT_TRUE(Child<PreviewBox>(form, "preview")->ShowsTransparency());
    show->trigger();
    EXPECT_FALSE(Child<PreviewBox>(form, "preview")->ShowsTransparency());
  }
  MainWindow again(options);
  EXPECT_FALSE(Child<QAction>(again, "showTransparencyItem")->isChecked());
  EXPECT_FALSE(Child<PreviewBox>(again, "preview")->ShowsTransparency());
}

}  // namespace
}  // namespace vorbel::ui
