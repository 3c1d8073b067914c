// The start-up sequence with a clock that the test drives: no real time
// passes and nothing sleeps.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <clocale>
#include <cstdlib>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "document/value_conversion.h"
#include "find_child.h"
#include "ui/background_layer_dialog.h"
#include "ui/bevel_layer_dialog.h"
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

// A language is added by its files alone: the window's own texts (Qt) and
// the core's messages it shows (gettext, the command line's catalog) follow.
TEST(InstallTranslations, TheWindowAndTheCoreMessagesItShowsFollowTheInstalledFiles) {
  const std::string messages = std::setlocale(LC_MESSAGES, nullptr);
  std::setlocale(LC_MESSAGES, "C.UTF-8");
  ::setenv("LANGUAGE", "de", 1);
  EXPECT_GE(InstallTranslations(QStringLiteral(VORBEL_TEST_TRANSLATIONS),
                                QStringLiteral(VORBEL_TEST_TRANSLATIONS "/locale"), QLocale(QLocale::German)),
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
}

}  // namespace
}  // namespace vorbel::ui
