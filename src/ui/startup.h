#pragma once
// Start-up of the window program: the splash window, the busy cursor, the
// windows created in their fixed order, a wait that keeps the splash up for a
// minimum time while events are dispatched, and the main window shown.

#include <QLocale>
#include <QString>

#include <chrono>
#include <memory>

#include "ui/main_window.h"

namespace vorbel::ui {

// The least time the splash stays up, counted from just after it was painted;
// the creation of the windows counts towards it.
inline constexpr std::chrono::milliseconds kSplashMinimum{1728};

// The time source and event pump of the wait. Tests replace it so that no
// real time passes.
class StartupClock {
 public:
  virtual ~StartupClock() = default;
  // A monotonic time.
  virtual std::chrono::milliseconds Now() = 0;
  // Dispatches the pending events, then waits for more for at most `limit`.
  virtual void DispatchEvents(std::chrono::milliseconds limit) = 0;
};

// The real clock: waits for events without spinning.
class SystemStartupClock final : public StartupClock {
 public:
  std::chrono::milliseconds Now() override;
  void DispatchEvents(std::chrono::milliseconds limit) override;
};

// Dispatches events, sets the busy cursor again and reads the time, and
// repeats while no more than kSplashMinimum has passed since `start`. The body
// runs at least once.
void WaitForSplash(StartupClock& clock, std::chrono::milliseconds start);

// Everything before the event loop: creates and paints the splash, records
// the start time, shows the busy cursor, creates the main window (which
// opens a layout file named by the arguments) and its dialogs,
// waits, closes the splash unless a click closed it already, restores the
// cursor and shows the main window. The caller then runs the event loop.
std::unique_ptr<MainWindow> StartUp(MainWindowOptions options, StartupClock& clock);

// Shows the window's texts in the language of `locale` (by default the
// user's: QLocale's UI languages follow LANGUAGE and LC_MESSAGES): installs Qt's own translations and
// translationsFolder/vorbel_<language>.qm when they are there, and points the
// core's messages (gettext) at messageCatalogFolder, read as UTF-8. Call once,
// after the application object is made and before any window. Returns the
// number of Qt translations installed.
int InstallTranslations(const QString& translationsFolder, const QString& messageCatalogFolder,
                        const QLocale& locale = QLocale());

}  // namespace vorbel::ui
