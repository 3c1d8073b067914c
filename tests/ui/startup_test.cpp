// The start-up sequence with a clock that the test drives: no real time
// passes and nothing sleeps.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <clocale>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "document/value_conversion.h"
#include "find_child.h"
#include "ui/background_layer_dialog.h"
#include "ui/bevel_layer_dialog.h"
#include "ui/export_set_dialog.h"
#include "ui/help_viewer.h"
#include "ui/image_layer_dialog.h"
#include "ui/layer_type_dialog.h"
#include "ui/offset_prompt.h"
#include "ui/splash_window.h"
#include "ui/startup.h"
#include "ui/text_layer_dialog.h"

namespace vorbel::ui {
namespace {

using test::Child;

using std::chrono::milliseconds;

// Every dispatch of events lets `step` milliseconds pass.
class SteppingClock : public StartupClock {
 public:
  milliseconds now{1'000'000};
  milliseconds step{100};
  std::vector<milliseconds> limits;     // what each dispatch was allowed to wait
  std::function<void(int)> onDispatch;  // called with the dispatch count
  std::vector<bool> busy;               // whether the busy cursor was up after each dispatch

  milliseconds Now() override { return now; }
  void DispatchEvents(milliseconds limit) override {
    limits.push_back(limit);
    if (onDispatch) onDispatch(static_cast<int>(limits.size()));
    QCoreApplication::processEvents();
    now += step;
  }
};

MainWindowOptions QuietOptions(const QStringList& arguments = {}) {
  MainWindowOptions options;
  options.arguments = arguments;
  options.register_file_type = false;
  options.working_directory = QStringLiteral("/nonexistent-working-folder");
  options.program_directory = QStringLiteral("/nonexistent-program-folder");
  options.shared_data_directory = QStringLiteral("/nonexistent-share-folder");
  return options;
}

TEST(StartupWait, DispatchesUntilMoreThanTheMinimumHasPassed) {
  SteppingClock clock;
  const milliseconds start = clock.now;
  WaitForSplash(clock, start);
  // 100 ms a round: 1700 ms is not enough, 1800 ms is.
  EXPECT_EQ(clock.limits.size(), 18u);
  EXPECT_GT(clock.now - start, kSplashMinimum);
  // Each round may wait only for the time that is left.
  EXPECT_EQ(clock.limits.front(), milliseconds(1729));
  EXPECT_EQ(clock.limits.back(), milliseconds(29));

  // Exactly 1728 ms is not yet over: the wait goes one more round.
  SteppingClock exact;
  exact.step = milliseconds(1728);
  WaitForSplash(exact, exact.now);
  EXPECT_EQ(exact.limits.size(), 2u);
}

TEST(StartupWait, RunsOnceWhenTheTimeIsAlreadyUp) {
  SteppingClock clock;
  const milliseconds start = clock.now - milliseconds(5000);  // creating the windows took long
  WaitForSplash(clock, start);
  EXPECT_EQ(clock.limits.size(), 1u);
}

TEST(StartUp, ShowsTheSplashForTheMinimumThenTheMainWindowWithItsWindows) {
  SteppingClock clock;
  clock.step = milliseconds(500);
  QPointer<SplashWindow> seen;
  clock.onDispatch = [&](int) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* splash = qobject_cast<SplashWindow*>(w); splash && splash->isVisible()) seen = splash;
    }
    EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
    if (QGuiApplication::overrideCursor()) {
      EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
  };
  const milliseconds start = clock.now;
  std::unique_ptr<MainWindow> main = StartUp(QuietOptions(), clock);
  EXPECT_GE(clock.now - start, kSplashMinimum);
  EXPECT_EQ(clock.limits.size(), 4u);
  ASSERT_TRUE(seen);
  EXPECT_EQ(seen->size(), QSize(352, 202));
  // The test program has no version strings: at start-up the label is empty.
  EXPECT_TRUE(Child<QLabel>(*seen, "versionLabel")->text().isEmpty());
  EXPECT_TRUE(Child<QLabel>(*seen, "noteLabel")->text().contains(QStringLiteral("MIT License")));
  EXPECT_FALSE(seen->isVisible());
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_TRUE(main->isVisible());
  EXPECT_EQ(test::ShownTitle(*main), QStringLiteral("Vorbel - [untitled.vrb]"));
  // The dialogs exist before the window shows and are not visible.
  for (QDialog* dialog : std::initializer_list<QDialog*>{
           Child<LayerTypeDialog>(*main), Child<BackgroundLayerDialog>(*main), Child<TextLayerDialog>(*main),
           Child<BevelLayerDialog>(*main), Child<ImageLayerDialog>(*main), Child<OffsetPrompt>(*main)}) {
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(dialog->isVisible());
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(seen);  // closing freed it
}

TEST(StartUp, AClickClosesTheSplashEarlyAndStartUpGoesOn) {
  SteppingClock clock;
  QPointer<SplashWindow> clicked;
  bool wasOpen = false;
  std::vector<bool> openAfter;
  clock.onDispatch = [&](int round) {
    if (round == 2) {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* splash = qobject_cast<SplashWindow*>(w); splash && splash->isVisible()) {
          clicked = splash;
          wasOpen = true;
          QTest::mouseClick(Child<QLabel>(*splash, "visitLabel"), Qt::LeftButton);
        }
      }
    }
    if (round > 2) openAfter.push_back(clicked && clicked->isVisible());
  };
  std::unique_ptr<MainWindow> main = StartUp(QuietOptions(), clock);
  EXPECT_TRUE(wasOpen);
  EXPECT_EQ(openAfter, std::vector<bool>(16, false));  // closed at once by the click
  EXPECT_EQ(clock.limits.size(), 18u);                 // the wait itself is not cut short
  EXPECT_TRUE(main->isVisible());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(clicked);  // and freed
}

TEST(StartUp, OpensTheFirstArgumentAndIgnoresTheRest) {
  QTemporaryDir dir;
  const QString path = dir.filePath("b.vrb");
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Button]\r\nHeight=33\r\nLayers=0\r\n");
  }
  SteppingClock clock;
  clock.step = milliseconds(2000);
  std::unique_ptr<MainWindow> main = StartUp(QuietOptions({path, QStringLiteral("ignored.vrb")}), clock);
  EXPECT_EQ(test::ShownTitle(*main), QStringLiteral("Vorbel - [") + path + u']');
  EXPECT_EQ(main->Document().Height(), 33);
}

// The accelerator of a text ("&Datei" gives 'd'), or none.
QChar Mnemonic(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != u'&') continue;
    if (text[i + 1] != u'&') return text[i + 1].toLower();
    ++i;  // "&&" is a shown "&"
  }
  return {};
}

// The texts that carry accelerators in one window: its labels, buttons and
// group boxes, and, for the main window, the menu bar's titles.
QStringList WindowTexts(const QWidget& window) {
  QStringList texts;
  for (const QWidget* widget : window.findChildren<QWidget*>()) {
    if (widget->window() != &window) continue;  // a dialog of its own
    if (const auto* label = qobject_cast<const QLabel*>(widget)) texts << label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) texts << button->text();
    if (const auto* box = qobject_cast<const QGroupBox*>(widget)) texts << box->title();
  }
  if (const auto* main = qobject_cast<const QMainWindow*>(&window)) {
    for (const QAction* menu : main->menuBar()->actions()) texts << menu->text();
  }
  return texts;
}

// A text's accelerators that come twice, as "letter: text, text".
std::vector<std::string> Clashes(const QStringList& texts) {
  std::map<QChar, QStringList> byLetter;
  for (const QString& text : texts) {
    if (const QChar letter = Mnemonic(text); !letter.isNull()) byLetter[letter] << text;
  }
  std::vector<std::string> clashes;
  for (const auto& [letter, owners] : byLetter) {
    if (owners.size() > 1) clashes.push_back(QString(letter).append(u": ").append(owners.join(u", ")).toStdString());
  }
  return clashes;
}

// The texts with accelerators of every window and menu, by window or menu.
std::map<std::string, QStringList> AcceleratorGroups() {
  std::map<std::string, QStringList> groups;
  {
    SteppingClock clock;
    std::unique_ptr<MainWindow> main = StartUp(QuietOptions(), clock);
    groups["main window"] = WindowTexts(*main);
    for (const QMenu* menu : main->findChildren<QMenu*>()) {
      const std::string name = "menu " + menu->objectName().toStdString() + " " + menu->title().toStdString();
      for (const QAction* item : menu->actions()) groups[name] << item->text();
    }
    const document::ButtonDocument layout;
    groups["set"] = WindowTexts(ExportSetDialog(layout));
  }
  groups["background"] = WindowTexts(BackgroundLayerDialog());
  groups["bevel"] = WindowTexts(BevelLayerDialog());
  groups["text"] = WindowTexts(TextLayerDialog());
  groups["image"] = WindowTexts(ImageLayerDialog());
  groups["help"] = WindowTexts(HelpViewer());
  return groups;
}

// A language is added by its files alone: the window's own texts (Qt) and
// the core's messages it shows (gettext, the command line's catalog) follow
// the shipped German. In German as in English every accelerator of a menu
// or a window is its own, so that Alt and a letter reaches one control.
TEST(InstallTranslations, TheWindowAndTheCoreMessagesItShowsFollowTheShippedGerman) {
  const std::string messages = std::setlocale(LC_MESSAGES, nullptr);
  std::setlocale(LC_MESSAGES, "C.UTF-8");
  ::setenv("LANGUAGE", "de", 1);
  EXPECT_GE(InstallTranslations(QStringLiteral(VORBEL_SHIPPED_TRANSLATIONS "/translations"),
                                QStringLiteral(VORBEL_SHIPPED_TRANSLATIONS "/locale"), QLocale(QLocale::German)),
            1);
  std::string conversion;
  try {
    document::StringToInt("x");
  } catch (const document::ConversionError& e) {
    conversion = e.what();
  }
  const QString title = OffsetPrompt(nullptr).windowTitle();
  // A new row's Type stays the one its layout files and drawing know.
  const LayerTypeDialog types;
  const QString shownType = Child<QComboBox>(types, "typeCombo")->currentText();
  const QString chosenType = types.SelectedType();

  const std::map<std::string, QStringList> groups = AcceleratorGroups();
  QString formats;
  {
    const document::ButtonDocument layout;
    // The format and colour names come from the core's tables, in its catalog.
    formats = Child<QComboBox>(ExportSetDialog(layout), "formatCombo")->itemText(0);
  }
  const int colours = Child<QComboBox>(BackgroundLayerDialog(), "backgroundCombo")->findText(QStringLiteral("Weiß"));

  for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>()) {
    QCoreApplication::removeTranslator(translator);
    delete translator;
  }
  ::unsetenv("LANGUAGE");
  std::setlocale(LC_MESSAGES, messages.c_str());
  EXPECT_EQ(title, QStringLiteral("Neuer Wert"));
  EXPECT_EQ(shownType, QStringLiteral("Hintergrund"));
  EXPECT_EQ(chosenType, QStringLiteral("Background"));
  EXPECT_EQ(conversion, "„x“ ist keine gültige Ganzzahl");
  EXPECT_EQ(OffsetPrompt(nullptr).windowTitle(), QStringLiteral("New value"));
  EXPECT_TRUE(formats.startsWith(QStringLiteral("PNG-Bild"))) << formats.toStdString();
  EXPECT_GE(colours, 0);
  const auto fileMenu = groups.find("menu fileMenu &Datei");
  EXPECT_TRUE(fileMenu != groups.end() && fileMenu->second.contains(QStringLiteral("Sa&tz exportieren …")));
  for (const auto& [group, texts] : groups) EXPECT_EQ(Clashes(texts), std::vector<std::string>{}) << group;
  for (const auto& [group, texts] : AcceleratorGroups())
    EXPECT_EQ(Clashes(texts), std::vector<std::string>{}) << "in English: " << group;
}

}  // namespace
}  // namespace vorbel::ui
