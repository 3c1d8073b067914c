// The main window as a view of the document, its file, export, help and
// layer commands, under the offscreen platform and through the dialog seam.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QTreeView>

#include <gtest/gtest.h>

#include "controls/fnp_combo_color.h"
#include "controls/spin_edit.h"
#include "scripted_dialogs.h"
#include "ui/help_viewer.h"
#include "ui/layer_list_model.h"
#include "ui/main_form.h"
#include "ui/preview_box.h"
#include "ui/splash_form.h"
#include "ui/up_down_button.h"

namespace vorbel::ui {
namespace {

using namespace base::literals;

// Answers the file choosers and the Yes/No question from the test.
class FileDialogsScript : public testing::ScriptedDialogs {
 public:
  std::optional<QString> saveAnswer;
  std::optional<QString> openAnswer;
  bool yes = false;
  std::vector<FileRequest> saveRequests;
  std::vector<QString> questions;

  std::optional<QString> OpenFileName(QWidget*, const FileRequest&) override { return openAnswer; }
  std::optional<QString> SaveFileName(QWidget*, const FileRequest& request) override {
    saveRequests.push_back(request);
    return saveAnswer;
  }
  bool AskYesNo(QWidget*, const QString& title, const QString& text) override {
    questions.push_back(title + u'|' + text);
    return yes;
  }
};

MainFormOptions QuietOptions(const QStringList& arguments = {}) {
  MainFormOptions options;
  options.arguments = arguments;
  options.registerFileType = false;
  options.workingDirectory = QStringLiteral("/nonexistent-working-folder");
  options.programDirectory = QStringLiteral("/nonexistent-program-folder");
  options.sharedDataDirectory = QStringLiteral("/nonexistent-share-folder");
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

QString DisplayText(const TMainForm& form, int row, int column) {
  return form.lvItemsModel->index(row, column).data(Qt::DisplayRole).toString();
}

bool HasMark(const TMainForm& form, int row) {
  return !form.lvItemsModel->index(row, 0).data(Qt::DecorationRole).value<QIcon>().isNull();
}

TEST(MainForm, StartsUntitledWithTheDefaultButtonAndNoLayers) {
  TMainForm form(QuietOptions());
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Vorbel - [untitled.vrb]"));
  EXPECT_EQ(form.GetDocumentFileName(), "untitled.vrb");
  EXPECT_EQ(form.PageControl1->currentWidget(), form.tbshtButton);
  EXPECT_EQ(form.PageControl1->tabText(0), QStringLiteral("Button"));
  EXPECT_EQ(form.PageControl1->tabText(1), QStringLiteral("Layers"));
  EXPECT_EQ(form.sedtHeight->Text(), QStringLiteral("30"));
  EXPECT_EQ(form.sedtWidth->Text(), QStringLiteral("90"));
  EXPECT_EQ(form.Document().WorkAreaColor(), 0x00808000_color);
  EXPECT_EQ(form.cclrWorkArea->currentText(), QStringLiteral("Teal"));
  EXPECT_FALSE(form.cbxBorder->isChecked());
  EXPECT_EQ(form.lvItemsModel->rowCount(), 0);
  EXPECT_FALSE(form.tbtnUp->isEnabled());
  EXPECT_FALSE(form.tbtnDown->isEnabled());
  EXPECT_FALSE(form.tbtnDeleteLayer->isEnabled());
  EXPECT_TRUE(form.tbtnAddLayer->isEnabled());
  EXPECT_FALSE(form.pnlOffset->isEnabled());
  EXPECT_TRUE(form.btnRandomize->isHidden());

  // Only the short part of a hint is a tool tip.
  EXPECT_EQ(form.btnRefresh->toolTip(), QStringLiteral("Refresh"));
  EXPECT_EQ(form.tbtnDown->toolTip(), QStringLiteral("Down"));
  EXPECT_TRUE(form.sedtHeight->toolTip().isEmpty());
  // The file and export buttons have no hint and so show no tool tip, though
  // they keep a name for assistive tools.
  for (QAction* action : {form.tbtnNew, form.tbtnOpen, form.tbtnSave, form.tbtnExport}) {
    QWidget* button = form.ToolBar1->widgetForAction(action);
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->toolTip().isEmpty()) << action->objectName().toStdString();
    EXPECT_FALSE(button->accessibleName().isEmpty()) << action->objectName().toStdString();
  }
  EXPECT_EQ(form.ToolBar1->widgetForAction(form.btnRefresh)->toolTip(), QStringLiteral("Refresh"));

  // The offset controls: two 26 x 20 buttons and two 16 x 21 spin buttons in
  // a 96 x 20 panel.
  EXPECT_EQ(form.pnlOffset->size(), QSize(96, 20));
  EXPECT_EQ(form.btnLeft->geometry(), QRect(2, 0, 26, 20));
  EXPECT_EQ(form.sbtnX->geometry(), QRect(29, 0, 16, 21));
  EXPECT_EQ(form.btnTop->geometry(), QRect(50, 0, 26, 20));
  EXPECT_EQ(form.sbtnY->geometry(), QRect(77, 0, 16, 21));
  EXPECT_EQ(form.btnLeft->text(), QStringLiteral("left"));
  EXPECT_EQ(form.btnTop->text(), QStringLiteral("top"));

  // The layer list: four columns of the given widths, one row at most selected.
  const QStringList headers = {"Type", "Properties", "Left", "Top"};
  for (int c = 0; c < 4; ++c) {
    EXPECT_EQ(form.lvItemsModel->headerData(c, Qt::Horizontal).toString(), headers[c]);
    EXPECT_EQ(form.lvItems->header()->sectionSize(c), LayerListModel::kColumnWidths[c]);
  }
  EXPECT_EQ(form.lvItems->selectionMode(), QAbstractItemView::SingleSelection);
  EXPECT_EQ(form.lvItems->selectionBehavior(), QAbstractItemView::SelectRows);
}

TEST(MainForm, MenusHoldTheirItemsInOrderAndRefreshActsFromTheMenuBar) {
  TMainForm form(QuietOptions());
  auto texts = [](QMenu* menu) {
    QStringList list;
    for (QAction* a : menu->actions()) list << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return list;
  };
  EXPECT_EQ(texts(form.File1),
            QStringList({"&New", "&Open...", "&Save", "Save a&s...", "&Export...", "-", "E&xit"}));
  EXPECT_EQ(texts(form.Layer1), QStringList({"&New...", "&Delete...", "-", "Move &up", "Move &down"}));
  EXPECT_EQ(texts(form.Help1), QStringList({"&Contents", "&Search...", "-", "&About..."}));
  EXPECT_EQ(texts(form.pmnuLayers), QStringList({"&Edit...", "&Add", "&Delete", "&Toggle visiblity"}));
  EXPECT_EQ(form.pmnuLayers->defaultAction(), form.Edit1);

  QStringList bar;
  for (QAction* a : form.menuBar()->actions()) bar << a->text();
  EXPECT_EQ(bar, QStringList({"&File", "&Layer", "&Refresh", "&Help"}));
  EXPECT_EQ(form.Refresh1->menu(), nullptr);

  // A height change made while drawing is suspended shows only after Refresh.
  form.Document().SetLoading(true);
  form.Document().SetHeightText("12");
  form.Document().SetLoading(false);
  EXPECT_EQ(form.pbxPreview->Picture().height(), 30);
  form.Refresh1->trigger();
  EXPECT_EQ(form.pbxPreview->Picture().height(), 12);
}

TEST(MainForm, ShowsTheDocumentAndWritesTheUsersChangesBack) {
  TMainForm form(QuietOptions());
  document::ButtonDocument& doc = form.Document();

  form.sedtHeight->SetText(QStringLiteral("45"));
  EXPECT_EQ(doc.Height(), 45);
  EXPECT_EQ(form.pbxPreview->size(), QSize(90, 45));
  doc.SetWidthText("12");
  EXPECT_EQ(form.sedtWidth->Text(), QStringLiteral("12"));
  EXPECT_EQ(form.pbxPreview->Picture().size(), QSize(12, 45));
  form.cbxBorder->click();
  EXPECT_TRUE(doc.Border());
  doc.SetWorkAreaColor(0x00FFFFFF_color);
  EXPECT_EQ(form.cclrWorkArea->currentText(), QStringLiteral("White"));
  // The panel around the button and the button's pixels show the work area;
  // the border is the work area's complement.
  EXPECT_EQ(form.pnlPreview->palette().color(QPalette::Window), QColor(255, 255, 255));
  const QImage& picture = form.pbxPreview->Picture();
  EXPECT_EQ(picture.pixel(5, 5), qRgb(255, 255, 255));
  EXPECT_EQ(picture.pixel(0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(form.pbxPreview->pos(), QPoint(2, 2));

  doc.SetCaption("Vorbel - [x.vrb]");
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Vorbel - [x.vrb]"));
}

TEST(MainForm, LayerListFollowsTheRowsWithTextsAndVisibleMark) {
  TMainForm form(QuietOptions());
  document::ButtonDocument& doc = form.Document();
  doc.AppendRow(document::LayerRow::Make("Background", "Color=clRed;", "0", "0"));
  doc.AppendRow(document::LayerRow::Make("Text", "Caption=Go;", "3", "-4", document::kHiddenImage));
  ASSERT_EQ(form.lvItemsModel->rowCount(), 2);
  EXPECT_EQ(DisplayText(form, 1, 0), QStringLiteral("Text"));
  EXPECT_EQ(DisplayText(form, 1, 1), QStringLiteral("Caption=Go;"));
  EXPECT_EQ(DisplayText(form, 1, 2), QStringLiteral("3"));
  EXPECT_EQ(DisplayText(form, 1, 3), QStringLiteral("-4"));
  EXPECT_TRUE(HasMark(form, 0));
  EXPECT_FALSE(HasMark(form, 1));
  doc.SetRowImageIndex(0, 5);  // drawn, but without the mark
  EXPECT_FALSE(HasMark(form, 0));

  // Selecting in the list selects in the document and enables the commands.
  form.lvItems->selectionModel()->select(form.lvItemsModel->index(1, 0),
                                         QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  EXPECT_EQ(doc.SelectedRow(), 1);
  EXPECT_TRUE(form.tbtnUp->isEnabled());
  EXPECT_TRUE(form.tbtnDown->isEnabled());  // on the last row too; the command then does nothing
  EXPECT_TRUE(form.tbtnDeleteLayer->isEnabled());
  EXPECT_TRUE(form.pnlOffset->isEnabled());
  doc.SelectRow(0);
  EXPECT_EQ(form.lvItems->selectionModel()->selectedRows().front().row(), 0);
  EXPECT_FALSE(form.pnlOffset->isEnabled());  // a background has no offsets
  doc.SetRowType(0, "Context");
  EXPECT_TRUE(form.pnlOffset->isEnabled());

  form.Layer1Click();
  EXPECT_TRUE(form.Moveup1->isEnabled());
  doc.SelectRow(-1);
  form.Layer1Click();
  form.pmnuLayersPopup();
  EXPECT_FALSE(form.Moveup1->isEnabled());
  EXPECT_FALSE(form.Delete1->isEnabled());
  EXPECT_TRUE(form.New2->isEnabled());
  EXPECT_FALSE(form.Edit1->isEnabled());
  EXPECT_FALSE(form.Togglevisiblity1->isEnabled());
  EXPECT_TRUE(form.Add1->isEnabled());
  EXPECT_FALSE(form.tbtnDeleteLayer->isEnabled());
}

TEST(MainForm, LayerCommandsMoveToggleStepAndDeleteAfterConfirmation) {
  FileDialogsScript dialogs;
  TMainForm form(QuietOptions());
  document::ButtonDocument& doc = form.Document();
  doc.AppendRow(document::LayerRow::Make("Background", "A", "0", "0"));
  doc.AppendRow(document::LayerRow::Make("Image", "B", "", "abc", document::kHiddenImage));
  doc.SelectRow(1);

  form.tbtnUpClick();
  EXPECT_EQ(doc.Row(0).sub_items[0], "B");
  EXPECT_EQ(doc.Row(0).image_index, document::kHiddenImage);  // the hidden state moves with the layer
  EXPECT_EQ(doc.Row(1).image_index, document::kVisibleImage);
  EXPECT_EQ(doc.SelectedRow(), 0);
  form.tbtnUpClick();  // already first
  EXPECT_EQ(doc.SelectedRow(), 0);

  emit form.sbtnX->upClicked();  // empty Left counts as 0
  EXPECT_EQ(doc.Row(0).Left(), "1");
  emit form.sbtnY->downClicked();  // "abc" counts as 0
  EXPECT_EQ(doc.Row(0).Top(), "-1");
  emit form.sbtnY->upClicked();
  emit form.sbtnY->upClicked();
  EXPECT_EQ(doc.Row(0).Top(), "1");

  form.Togglevisiblity1Click();
  EXPECT_EQ(doc.Row(0).image_index, document::kVisibleImage);
  EXPECT_TRUE(HasMark(form, 0));

  dialogs.yes = false;
  form.tbtnDeleteLayerClick();
  EXPECT_EQ(doc.RowCount(), 2);
  ASSERT_EQ(dialogs.questions.size(), 1u);
  EXPECT_EQ(dialogs.questions[0], QStringLiteral("Confirm|Delete this layer?"));
  EXPECT_EQ(dialogs.beeps, 1);
  dialogs.yes = true;
  form.tbtnDeleteLayerClick();
  EXPECT_EQ(doc.RowCount(), 1);
  EXPECT_EQ(doc.SelectedRow(), -1);
  EXPECT_FALSE(form.tbtnDeleteLayer->isEnabled());
  // Without a selection the commands ask nothing and change nothing.
  form.tbtnDeleteLayerClick();
  emit form.sbtnX->upClicked();
  EXPECT_EQ(dialogs.questions.size(), 2u);
  EXPECT_EQ(doc.Row(0).Left(), "0");
}

TEST(MainForm, OffsetStepsStopAtTheEndsOfTheIntegerRange) {
  TMainForm form(QuietOptions());
  document::ButtonDocument& doc = form.Document();
  doc.AppendRow(document::LayerRow::Make("Text", "", "2147483647", "-2147483648"));
  doc.SelectRow(0);
  form.sbtnXUpClick();
  form.sbtnYDownClick();
  EXPECT_EQ(doc.Row(0).Left(), "2147483647");
  EXPECT_EQ(doc.Row(0).Top(), "-2147483648");
  EXPECT_EQ(UpDownButton::kRepeatDelayMs, 400);
  EXPECT_EQ(UpDownButton::kRepeatIntervalMs, 100);
}

TEST(MainForm, ArgumentFileIsLoadedWithItsCaptionAndAMissingOneIgnored) {
  QTemporaryDir dir;
  const QString path = dir.filePath("start.vrb");
  ASSERT_TRUE(WriteText(path,
                        "[Button]\r\nHeight=40\r\nWidth=70\r\nWorkArea=16777215\r\nLayers=1\r\n"
                        "[Layer0]\r\nType=Bevel\r\nProperties=Width=2;\r\nX=0\r\nY=0\r\nVisible=0\r\n"));
  {
    TMainForm form(QuietOptions({path, dir.filePath("second.vrb")}));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Vorbel - [") + path + u']');
    EXPECT_EQ(form.sedtHeight->Text(), QStringLiteral("40"));
    EXPECT_EQ(form.lvItemsModel->rowCount(), 1);
    EXPECT_EQ(form.cclrWorkArea->currentText(), QStringLiteral("White"));
    EXPECT_EQ(form.pbxPreview->Picture().size(), QSize(70, 40));
  }
  {
    TMainForm form(QuietOptions({dir.filePath("missing.vrb")}));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Vorbel - [untitled.vrb]"));
    EXPECT_EQ(form.lvItemsModel->rowCount(), 0);
    EXPECT_EQ(form.sedtHeight->Text(), QStringLiteral("30"));
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

TEST(MainForm, OpenLoadsTheChosenFileUnderTheHourglass) {
  FileDialogsScript dialogs;
  QTemporaryDir dir;
  const QString path = dir.filePath("open.vrb");
  ASSERT_TRUE(WriteText(path,
                        "[Button]\r\nHeight=44\r\nLayers=1\r\n"
                        "[Layer0]\r\nType=Bevel\r\nProperties=Width=2;\r\nX=0\r\nY=0\r\nVisible=0\r\n"));
  TMainForm form(QuietOptions());
  CursorWatch watch;
  const document::DocumentSubscription watching = form.Document().Subscribe(&watch);

  form.tbtnOpenClick();  // cancelled: nothing happens
  EXPECT_TRUE(watch.shapes.empty());
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Vorbel - [untitled.vrb]"));

  dialogs.openAnswer = path;
  form.tbtnOpenClick();
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Vorbel - [") + path + u']');
  EXPECT_EQ(form.Document().Height(), 44);
  EXPECT_EQ(form.lvItemsModel->rowCount(), 1);
  ASSERT_FALSE(watch.shapes.empty());
  for (int shape : watch.shapes) EXPECT_EQ(shape, int(Qt::WaitCursor));
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);  // restored afterwards
}

TEST(MainForm, SaveOfAnUntitledDocumentAsksForANameAndNeverWritesACutOffPath) {
  FileDialogsScript dialogs;
  QTemporaryDir dir;
  TMainForm form(QuietOptions());

  form.tbtnSaveClick();  // cancelled: nothing written, still untitled
  ASSERT_EQ(dialogs.saveRequests.size(), 1u);
  EXPECT_TRUE(dialogs.saveRequests[0].confirmOverwrite);
  EXPECT_EQ(dialogs.saveRequests[0].filters.front(), QStringLiteral("Vorbelkit files (*.vrb)"));
  EXPECT_EQ(form.GetDocumentFileName(), "untitled.vrb");

  ASSERT_TRUE(QDir(dir.path()).mkpath("a]b"));
  const QString path = dir.filePath("a]b/button.vrb");
  dialogs.saveAnswer = path;
  form.tbtnSaveClick();
  EXPECT_TRUE(ReadAll(path).startsWith("[Button]"));
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Vorbel - [") + path + u']');
  // The caption cannot hold the path: the name read back stops at the "]".
  EXPECT_EQ(QString::fromStdString(form.GetDocumentFileName()), dir.filePath("a"));

  // Saving again writes to the full path, not to the cut-off name, and asks nothing.
  form.Document().SetHeightText("77");
  form.tbtnSaveClick();
  EXPECT_EQ(dialogs.saveRequests.size(), 2u);
  EXPECT_TRUE(ReadAll(path).contains("Height=77"));
  EXPECT_FALSE(QFile::exists(dir.filePath("a")));
}

TEST(MainForm, SaveFailureShowsTheErrorAndKeepsTheCaption) {
  FileDialogsScript dialogs;
  TMainForm form(QuietOptions());
  dialogs.saveAnswer = QStringLiteral("/nonexistent-folder/x.vrb");
  form.Saveas1Click();
  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_EQ(dialogs.errors[0], QStringLiteral("Unable to write to /nonexistent-folder/x.vrb"));
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Vorbel - [untitled.vrb]"));
}

TEST(MainForm, ExportChoosesTheFormatByTheNamesExtension) {
  FileDialogsScript dialogs;
  QTemporaryDir dir;
  TMainForm form(QuietOptions());

  form.tbtnExportClick();  // cancelled
  ASSERT_EQ(dialogs.saveRequests.size(), 1u);
  EXPECT_EQ(dialogs.saveRequests[0].defaultSuffix, QStringLiteral("jpg"));
  EXPECT_EQ(dialogs.saveRequests[0].filters.size(), 4);
  EXPECT_TRUE(QDir(dir.path()).isEmpty());

  struct Case {
    const char* name;
    QByteArray magic;
  };
  const Case cases[] = {{"a.xbmp", "BM"}, {"b.JPEG", "\xFF\xD8"}, {"c.gif", "GIF8"}, {"d", "GIF8"}};
  for (const Case& c : cases) {
    dialogs.saveAnswer = dir.filePath(c.name);
    form.Export1Click();  // the menu item acts as the tool button
    EXPECT_TRUE(ReadAll(*dialogs.saveAnswer).startsWith(c.magic)) << c.name;
  }
  EXPECT_TRUE(dialogs.errors.empty());

  dialogs.saveAnswer = QStringLiteral("/nonexistent-folder/x.bmp");
  form.tbtnExportClick();
  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_TRUE(dialogs.errors[0].startsWith(QStringLiteral("Cannot create file")));
}

TEST(MainForm, NewClearsTheLayersAndKeepsTheButtonSettings) {
  TMainForm form(QuietOptions());
  document::ButtonDocument& doc = form.Document();
  doc.SetHeightText("50");
  doc.AppendRow(document::LayerRow::Make("Bevel", ""));
  doc.SetDocumentFileName("/x/y.vrb");
  form.tbtnNewClick();
  EXPECT_EQ(form.lvItemsModel->rowCount(), 0);
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Vorbel - [untitled.vrb]"));
  EXPECT_EQ(form.sedtHeight->Text(), QStringLiteral("50"));
}

TEST(MainForm, TooLargeButtonShowsAMessageInsteadOfAPicture) {
  TMainForm form(QuietOptions());
  form.resize(600, 400);
  form.Document().SetWidthText("40000");
  EXPECT_TRUE(form.pbxPreview->Picture().isNull());
  EXPECT_TRUE(form.pbxPreview->Message().contains(QStringLiteral("too large")));
  form.Document().SetWidthText("20000");
  form.Document().SetHeightText("20000");  // 400 million pixels
  EXPECT_TRUE(form.pbxPreview->Message().contains(QStringLiteral("too large")));
  form.Document().SetHeightText("3");
  EXPECT_TRUE(form.pbxPreview->Message().isEmpty());
  EXPECT_EQ(form.pbxPreview->Picture().size(), QSize(20000, 3));
}

TEST(MainForm, PreviewPaintsTheSurfaceOneToOne) {
  TMainForm form(QuietOptions());
  form.Document().AppendRow(document::LayerRow::Make("Background", "Color=clRed;Shape=None;", "0", "0"));
  const QImage shown = form.pbxPreview->grab().toImage();
  ASSERT_EQ(shown.size(), QSize(90, 30));
  EXPECT_EQ(shown.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(shown.pixel(89, 29), qRgb(255, 0, 0));
}

TEST(MainForm, HelpFileIsFoundBesideTheProgramOrInTheSharedDataOrTheWorkingFolder) {
  QTemporaryDir dir;
  QDir root(dir.path());
  ASSERT_TRUE(root.mkpath("work") && root.mkpath("prefix/lib/vorbel") &&
              root.mkpath("prefix/share/vorbel/help/winhelp"));
  MainFormOptions options = QuietOptions();
  options.workingDirectory = root.filePath("work");
  options.programDirectory = root.filePath("prefix/lib/vorbel");
  options.sharedDataDirectory = QString();  // derived from the program folder

  {
    FileDialogsScript dialogs;
    TMainForm form(options);
    EXPECT_TRUE(form.HelpFile().isEmpty());
    form.Contents1Click();  // no help file: nothing happens
    form.Search1Click();
    EXPECT_TRUE(form.findChildren<HelpViewer*>().isEmpty());
    EXPECT_TRUE(dialogs.errors.empty());
  }
  const QString working = root.filePath("work/vorbelkit.hlp");
  ASSERT_TRUE(QFile::copy(QStringLiteral(VORBEL_TEST_DATA "/../../resources/help/vorbelkit.hlp"), working));
  EXPECT_EQ(TMainForm(options).HelpFile(), working);

  const QString shared = root.filePath("prefix/share/vorbel/help/winhelp/vorbelkit.hlp");
  ASSERT_TRUE(QFile::copy(working, shared));
  EXPECT_EQ(QFileInfo(TMainForm(options).HelpFile()).canonicalFilePath(), QFileInfo(shared).canonicalFilePath());

  ASSERT_TRUE(root.mkpath("prefix/lib/vorbel/help/winhelp"));
  const QString beside = root.filePath("prefix/lib/vorbel/help/winhelp/vorbelkit.hlp");
  ASSERT_TRUE(QFile::copy(working, beside));
  TMainForm form(options);
  EXPECT_EQ(form.HelpFile(), beside);
  form.Contents1Click();
  const QList<HelpViewer*> viewers = form.findChildren<HelpViewer*>();
  ASSERT_EQ(viewers.size(), 1);
  EXPECT_TRUE(viewers.front()->isVisible());
  // F1 shows the topic of the window, or that of the layer list from there.
  form.ContextHelp();
  const QString windowTopic = viewers.front()->CurrentTopicId();
  form.show();
  form.PageControl1->setCurrentWidget(form.tbshtLayers);
  form.lvItems->setFocus();
  form.activateWindow();
  QApplication::setActiveWindow(&form);
  ASSERT_TRUE(form.lvItems->hasFocus());
  form.ContextHelp();
  EXPECT_NE(viewers.front()->CurrentTopicId(), windowTopic);
  viewers.front()->close();
}

TEST(MainForm, AboutShowsAFreshSplashEachTimeThatAClickCloses) {
  testing::ScriptedDialogs dialogs;
  TMainForm form(QuietOptions());
  QString version;
  dialogs.onExec = [&](QDialog& dialog) {
    auto* splash = qobject_cast<TfrmSplash*>(&dialog);
    EXPECT_NE(splash, nullptr);
    if (!splash) return int(QDialog::Rejected);
    version = splash->lblVersion->text();
    splash->show();
    QTest::mouseClick(splash->lblWebSite, Qt::LeftButton);
    EXPECT_TRUE(splash->isVisible());  // the address keeps it open
    QTest::mouseClick(splash->Image1, Qt::LeftButton);
    EXPECT_FALSE(splash->isVisible());
    return int(QDialog::Rejected);
  };
  QList<QUrl> opened;
  TfrmSplash::SetUrlOpener([&](const QUrl& url) { opened << url; });
  form.About1Click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(form.Splash(), nullptr);
  form.About1Click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  TfrmSplash::SetUrlOpener({});
  EXPECT_EQ(dialogs.execCount, 2);
  EXPECT_EQ(opened.size(), 2);
  EXPECT_EQ(opened.front(), QUrl(QString::fromLatin1(TfrmSplash::kWebSite)));
  // The test program has no version strings: the label reads "Version ".
  EXPECT_EQ(version, QStringLiteral("Version "));
}

TEST(MainForm, RegistersTheLayoutFileTypeForTheLauncherAtCreation) {
  QTemporaryDir home;
  MainFormOptions options = QuietOptions();
  options.registerFileType = true;
  options.dataHome = home.path().toStdString();
  options.programPath = QStringLiteral("/opt/my tools/vorbel");
  int runs = 0;
  options.commandRunner = [&](const std::vector<std::string>&) { ++runs; };
  TMainForm form(options);
  const QByteArray entry = ReadAll(home.filePath("applications/vorbel.desktop"));
  EXPECT_TRUE(entry.contains("/opt/my tools/vorbel")) << entry.toStdString();
  EXPECT_FALSE(QDir(home.filePath("mime/packages")).entryList(QDir::Files).isEmpty());
  EXPECT_FALSE(QDir(home.filePath("icons/hicolor/32x32/mimetypes")).entryList(QDir::Files).isEmpty());
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);  // the busy cursor is gone again
}

}  // namespace
}  // namespace vorbel::ui
