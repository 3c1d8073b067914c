// File > "Export Set...": the strip that previews the set, the export with
// its progress and Cancel, and the choices as the settings keep them.

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include "find_child.h"
#include "scripted_dialogs.h"
#include "ui/export_set_dialog.h"
#include "ui/preview_box.h"

namespace vorbel::ui {
namespace {

using test::Child;

// A rounded teal face with a centred caption "Go".
std::unique_ptr<document::ButtonDocument> Layout() {
  auto doc = std::make_unique<document::ButtonDocument>();
  doc->SetWidth(40);
  doc->SetHeight(18);
  doc->AppendRow(document::LayerRow::Make("Background", "Color=clTeal;Shape=RoundRect;Seed=6;Draw3D=Yes;"));
  doc->AppendRow(document::LayerRow::Make("Text", "Text=Go;FontFace=DejaVu Sans;FontSize=8;Color=clWhite;Align=5;",
                                          "12", "2"));
  return doc;
}

TEST(ExportSetDialog, TheStripFollowsTheEditsAndAProblemStopsTheExport) {
  const auto doc = Layout();
  ExportSetDialog dialog(*doc);
  dialog.SetChoices(ExportSetDialog::DefaultChoices(*doc, QStringLiteral("/tmp/x")));
  ASSERT_NE(dialog.Set(), nullptr) << dialog.Problem().toStdString();
  const int w = dialog.Set()->Width();
  const int h = dialog.Set()->Height();
  // One caption, the layout's own, in the normal, hover and pressed looks.
  EXPECT_EQ(dialog.Strip().size(), QSize(3 * w + 2 * 4, h));

  // Every mnemonic of a label reaches its control.
  for (const QLabel* label : dialog.findChildren<QLabel*>()) {
    if (label->text().contains(u'&')) {
      EXPECT_NE(label->buddy(), nullptr) << label->text().toStdString();
    }
  }

  // Editing the list starts the redraw; it comes when the timer runs out.
  Child<QPlainTextEdit>(dialog, "captionsEdit")->setPlainText(QStringLiteral("Home\nProducts\n\nContact"));
  EXPECT_TRUE(Child<QTimer>(dialog, "previewTimer")->isActive());
  dialog.UpdatePreview();
  ASSERT_NE(dialog.Set(), nullptr);
  EXPECT_EQ(dialog.Set()->ButtonCount(), 3);
  EXPECT_EQ(dialog.Strip().height(), 3 * dialog.Set()->Height() + 2 * 4);
  // The strip's top-left button is the set's first, normal, at 1x.
  commands::ButtonSet same(*doc, dialog.Set()->Options());
  QImage first;
  CopySurfaceToImage(same.Draw(0, render::ButtonState::Normal, 1), first);
  EXPECT_EQ(dialog.Strip().copy(0, 0, first.width(), first.height()).convertToFormat(QImage::Format_ARGB32),
            first.convertToFormat(QImage::Format_ARGB32));
  EXPECT_TRUE(Child<QPushButton>(dialog, "exportButton")->isEnabled());

  for (const char* box : {"normalBox", "hoverBox", "pressedBox"}) Child<QCheckBox>(dialog, box)->setChecked(false);
  dialog.UpdatePreview();
  EXPECT_EQ(dialog.Set(), nullptr);
  EXPECT_EQ(dialog.Problem(), QStringLiteral("Choose at least one look"));
  EXPECT_EQ(Child<QLabel>(dialog, "statusLabel")->text(), dialog.Problem());
  EXPECT_FALSE(Child<QPushButton>(dialog, "exportButton")->isEnabled());

  Child<QCheckBox>(dialog, "disabledBox")->setChecked(true);
  Child<QLineEdit>(dialog, "patternEdit")->setText(QStringLiteral("{state}"));
  dialog.UpdatePreview();
  EXPECT_EQ(dialog.Set(), nullptr);
  EXPECT_FALSE(dialog.Problem().isEmpty());
}

TEST(ExportSetDialog, ExportsStepByStepAndCancelStopsBetweenSteps) {
  const auto doc = Layout();
  QTemporaryDir dir;
  ExportSetChoices choices = ExportSetDialog::DefaultChoices(*doc, dir.filePath(QStringLiteral("set")));
  choices.captions = QStringLiteral("Home\nProducts\nContact");
  ExportSetDialog dialog(*doc);
  dialog.SetChoices(choices);
  ASSERT_NE(dialog.Set(), nullptr) << dialog.Problem().toStdString();
  const std::vector<std::string> names = dialog.Set()->FileNames();

  // Close pressed after the first step stops the export there: the first
  // caption's three 1x files are written, nothing else, and the dialog stays.
  test::ScriptedDialogs dialogs;
  QList<int> steps;
  const auto connection = QObject::connect(&dialog, &ExportSetDialog::StepWritten, &dialog, [&](int done, int total) {
    steps << done;
    EXPECT_EQ(total, 7);  // a step for each caption at each scale, and the sheets
    EXPECT_EQ(Child<QPushButton>(dialog, "closeButton")->text(), QStringLiteral("Cancel"));
    Child<QPushButton>(dialog, "closeButton")->click();
  });
  dialog.show();
  EXPECT_FALSE(dialog.ExportNow());
  EXPECT_EQ(steps, QList<int>{1});
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_TRUE(Child<QLabel>(dialog, "statusLabel")->text().startsWith(QStringLiteral("Stopped: 3 of 23 files")));
  EXPECT_EQ(QDir(dir.filePath(QStringLiteral("set"))).entryList(QDir::Files).size(), 3);

  // The three files written are replaced only after the user said so, once.
  QObject::disconnect(connection);
  dialog.UpdatePreview();
  EXPECT_TRUE(Child<QLabel>(dialog, "statusLabel")->text().contains(QStringLiteral("3 of them are in")));
  EXPECT_FALSE(dialog.ExportNow());
  EXPECT_EQ(QDir(dir.filePath(QStringLiteral("set"))).entryList(QDir::Files).size(), 3);
  dialogs.yes_answer = true;
  EXPECT_TRUE(dialog.ExportNow());
  EXPECT_EQ(dialogs.questions_asked.size(), 2u);
  for (const std::string& name : names) {
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("set/") + QString::fromStdString(name)))) << name;
  }
  EXPECT_EQ(Child<QPushButton>(dialog, "closeButton")->text(), QStringLiteral("Close"));
  EXPECT_TRUE(dialogs.errors.empty());
}

// The strip names the look of each column and shows every button pixel as a
// square of whole device pixels on a screen of twice the density; the status
// line tells what the choices would write.
TEST(ExportSetDialog, TheStripNamesItsLooksAndTheStatusFollowsTheChoices) {
  const auto doc = Layout();
  ExportSetDialog dialog(*doc);
  dialog.SetChoices(ExportSetDialog::DefaultChoices(*doc, QStringLiteral("/nonexistent/set")));
  ASSERT_NE(dialog.Set(), nullptr);
  EXPECT_EQ(dialog.StripHeadings(), QStringList({"Normal", "Hover", "Pressed"}));
  const QString status = Child<QLabel>(dialog, "statusLabel")->text();
  EXPECT_TRUE(status.contains(QStringLiteral("Normal, Hover and Pressed at 1x and 2x, as PNG")))
      << status.toStdString();
  EXPECT_TRUE(status.contains(QStringLiteral("/nonexistent/set")));

  Child<QCheckBox>(dialog, "scale2Box")->setChecked(false);
  Child<QComboBox>(dialog, "formatCombo")->setCurrentIndex(1);
  Child<QLineEdit>(dialog, "folderEdit")->clear();
  dialog.UpdatePreview();
  const QString changed = Child<QLabel>(dialog, "statusLabel")->text();
  EXPECT_TRUE(changed.contains(QStringLiteral("at 1x, as GIF"))) << changed.toStdString();
  EXPECT_TRUE(changed.contains(QStringLiteral("Choose the folder")));

  auto* view = Child<QWidget>(dialog, "stripView");
  QImage dense(view->size() * 2, QImage::Format_ARGB32);
  dense.setDevicePixelRatio(2);
  dense.fill(Qt::transparent);
  view->render(&dense);
  const QImage strip = dialog.Strip().convertToFormat(QImage::Format_ARGB32);
  const int top = 2 * (view->height() - strip.height());
  for (int y = 0; y < dialog.Set()->Height(); ++y) {
    for (int x = 0; x < dialog.Set()->Width(); ++x) {
      for (int d = 0; d < 4; ++d) {
        ASSERT_EQ(dense.pixel(2 * x + d % 2, top + 2 * y + d / 2), strip.pixel(x, y)) << x << "," << y;
      }
    }
  }
}

TEST(ExportSetDialog, ChoicesRoundTripThroughTheSettingsAndBadOnesKeepTheDefaults) {
  const auto doc = Layout();
  ExportSetChoices choices = ExportSetDialog::DefaultChoices(*doc, QStringLiteral("/out"));
  EXPECT_EQ(choices.captions, QStringLiteral("Go"));
  choices.captions = QStringLiteral("A\nB");
  choices.options.states = {render::ButtonState::Disabled, render::ButtonState::Normal};
  choices.options.scales = {3};
  choices.options.formats = {commands::ExportFormat::Gif, commands::ExportFormat::Png};
  choices.options.pattern = "{index}-{state}";
  choices.options.size = commands::SetSize::Fixed;
  choices.options.sprite = false;
  choices.options.caption_layer = 1;
  const ExportSetChoices back = ExportSetChoicesFromMap(ExportSetChoicesToMap(choices), {});
  EXPECT_EQ(back.captions, choices.captions);
  EXPECT_EQ(back.folder, choices.folder);
  EXPECT_EQ(back.options.states, choices.options.states);
  EXPECT_EQ(back.options.scales, choices.options.scales);
  EXPECT_EQ(back.options.formats, choices.options.formats);
  EXPECT_EQ(back.options.pattern, choices.options.pattern);
  EXPECT_EQ(back.options.size, choices.options.size);
  EXPECT_EQ(back.options.sprite, choices.options.sprite);
  EXPECT_EQ(back.options.caption_layer, choices.options.caption_layer);

  // The dialog shows them as they were.
  ExportSetDialog dialog(*doc);
  dialog.SetChoices(back);
  const ExportSetChoices shown = dialog.Choices();
  EXPECT_EQ(shown.options.states, (std::vector{render::ButtonState::Normal, render::ButtonState::Disabled}));
  EXPECT_EQ(shown.options.pattern, choices.options.pattern);
  EXPECT_EQ(shown.options.formats, choices.options.formats);
  EXPECT_EQ(shown.options.caption_layer, 1);

  const QVariantMap hostile = {{QStringLiteral("States"), QStringList{QStringLiteral("sideways")}},
                               {QStringLiteral("Scales"), QVariantList{7}},
                               {QStringLiteral("Format"), QStringLiteral("tiff")},
                               {QStringLiteral("Pattern"), QStringLiteral("../{name}")}};
  const ExportSetChoices kept = ExportSetChoicesFromMap(hostile, choices);
  EXPECT_EQ(kept.options.states, choices.options.states);
  EXPECT_EQ(kept.options.scales, choices.options.scales);
  EXPECT_EQ(kept.options.formats, choices.options.formats);
  EXPECT_EQ(kept.options.pattern, choices.options.pattern);
}

}  // namespace
}  // namespace vorbel::ui
