// The window program: the main window with its splash, started by the
// `vorbel` launcher when no command-line job is given.

#include <QApplication>

#include "ui/startup.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vorbel"));
  // The user's settings (recent files, zoom) live under this name.
  QApplication::setOrganizationName(QStringLiteral("Vorbel"));

  vorbel::ui::MainWindowOptions options;
  options.arguments = QApplication::arguments().mid(1);
  // The launcher names itself so that the desktop opens layout files through
  // it rather than through this program file.
  options.program_path = qEnvironmentVariable("VORBEL_PROGRAM");

  vorbel::ui::SystemStartupClock clock;
  const std::unique_ptr<vorbel::ui::MainWindow> main = vorbel::ui::StartUp(std::move(options), clock);
  return QApplication::exec();
}
