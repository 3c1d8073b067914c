#include "ui/startup.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTimer>
#include <QTranslator>

#include "base/translation.h"
#include "ui/splash_window.h"

namespace vorbel::ui {

std::chrono::milliseconds SystemStartupClock::Now() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch());
}

void SystemStartupClock::DispatchEvents(std::chrono::milliseconds limit) {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  if (limit.count() <= 0) return;
  // Sleep until an event arrives or the limit is up; the timer guarantees
  // the wake-up, so the wait never spins.
  QTimer wake;
  wake.setSingleShot(true);
  wake.start(static_cast<int>(limit.count()));
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

int InstallTranslations(const QString& translationsFolder, const QString& messageCatalogFolder, const QLocale& locale) {
  // Qt's widgets speak UTF-8 whatever the locale's character set.
  base::BindMessageCatalog(messageCatalogFolder.toStdString(), "UTF-8");
  int installed = 0;
  const auto install = [&](const QString& name, const QString& folder) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(locale, name, QStringLiteral("_"), folder) &&
        QCoreApplication::installTranslator(translator)) {
      ++installed;
    } else {
      delete translator;
    }
  };
  // The standard buttons and dialogs, from the toolkit's own translations.
  install(QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  install(QStringLiteral("vorbel"), translationsFolder);
  return installed;
}

void WaitForSplash(StartupClock& clock, std::chrono::milliseconds start) {
  std::chrono::milliseconds now = start;
  do {
    const std::chrono::milliseconds left = kSplashMinimum - (now - start) + std::chrono::milliseconds(1);
    clock.DispatchEvents(left);
    QApplication::changeOverrideCursor(Qt::WaitCursor);
    now = clock.Now();
  } while (now - start <= kSplashMinimum);
}

std::unique_ptr<MainWindow> StartUp(MainWindowOptions options, StartupClock& clock) {
  QPointer<SplashWindow> splash = new SplashWindow(nullptr, options.program_path);
  // At start-up the label stays empty when the program has no version.
  const QString version = ProgramVersion(options.program_path);
  splash->SetVersionText(version.isEmpty() ? QString() : VersionCaption(options.program_path));
  splash->show();
  splash->repaint();

  const std::chrono::milliseconds start = clock.Now();
  QApplication::setOverrideCursor(Qt::WaitCursor);

  auto main = std::make_unique<MainWindow>(std::move(options));
  main->SetSplash(splash);
  main->CreateDialogs();

  WaitForSplash(clock, start);

  // A click during the wait closed it already.
  if (splash && splash->isVisible()) splash->close();
  QApplication::restoreOverrideCursor();

  main->show();
  return main;
}

}  // namespace vorbel::ui
