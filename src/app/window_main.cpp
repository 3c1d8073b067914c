// The window program: the main window with its splash, started by the
// `vorbel` launcher when no command-line job is given.

#include <QApplication>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/window_launcher.h"
#include "base/translation.h"
#include "desktop/file_type_registration.h"
#include "desktop/translations.h"
#include "desktop/version_info.h"
#include "ui/startup.h"

namespace {

QtMessageHandler toolkit_handler = nullptr;
// The message of a start without a display, in the user's language, made
// before the toolkit starts.
std::string no_display_message;

// While the toolkit starts, its fatal message (no display to be reached) ends
// the program with a plain message and status 1 instead of an abort. Every
// other message goes where it would have gone.
void StartupMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtFatalMsg) {
    std::fputs(no_display_message.c_str(), stderr);
    std::_Exit(1);
  }
  if (toolkit_handler != nullptr) toolkit_handler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
  // The launcher puts "--" before the file names; the toolkit gets only the
  // arguments before it, so that a file named "-reverse" stays a file name.
  int toolkitArgc = vorbel::app::ToolkitArgumentCount(argc, argv);
  const bool separated = toolkitArgc < argc;
  QStringList files;
  for (int i = toolkitArgc + 1; i < argc; ++i) files << QString::fromLocal8Bit(argv[i]);

  const vorbel::desktop::TranslationFolders translations =
      vorbel::desktop::TranslationFoldersFor(vorbel::desktop::ProgramFilePath());
  std::setlocale(LC_MESSAGES, "");
  std::setlocale(LC_CTYPE, "");
  vorbel::base::BindMessageCatalog(translations.message_catalogs);
  no_display_message = std::string("vorbel: ") +
                       vorbel::base::Translate("cannot open the main window: no display can be reached; use --export "
                                               "OUT LAYOUT to export without a window") +
                       "\n";
  toolkit_handler = qInstallMessageHandler(StartupMessageHandler);
  QApplication app(toolkitArgc, argv);
  qInstallMessageHandler(toolkit_handler);
  QApplication::setApplicationName(QStringLiteral("Vorbel"));
  // The user's settings (recent files, zoom) live under this name.
  QApplication::setOrganizationName(QStringLiteral("Vorbel"));
  // Desktops match the window to its desktop entry (icon, name) by this name.
  QGuiApplication::setDesktopFileName(QString::fromLatin1(vorbel::desktop::kApplicationId));
  // The toolkit took the user's locale for every category; numbers written
  // to files never follow it.
  std::setlocale(LC_NUMERIC, "C");
  vorbel::ui::InstallTranslations(QString::fromStdString(translations.qt_translations),
                                  QString::fromStdString(translations.message_catalogs));

  vorbel::ui::MainWindowOptions options;
  options.arguments = separated ? files : QApplication::arguments().mid(1);
  // The launcher names itself so that the desktop opens layout files through
  // it rather than through this program file.
  options.program_path = qEnvironmentVariable("VORBEL_PROGRAM");

  vorbel::ui::SystemStartupClock clock;
  const std::unique_ptr<vorbel::ui::MainWindow> main = vorbel::ui::StartUp(std::move(options), clock);
  return QApplication::exec();
}
