// The `vorbel` program: headless export from the command line, and the
// launcher of the main window.
//
// It starts in a few milliseconds: nothing is set up before the arguments are
// read but the messages' language, and the window program (with its toolkit)
// is started only when no headless work is asked for.

#include <clocale>
#include <cstdio>
#include <span>
#include <string>

#include "app/command_line.h"
#include "app/headless_export.h"
#include "app/set_command.h"
#include "app/window_launcher.h"
#include "base/translation.h"
#include "desktop/translations.h"
#include "desktop/version_info.h"

namespace {

void PrintError(const std::string& message) {
  std::fputs(("vorbel: " + message + "\n").c_str(), stderr);
}

// In the GNU form: the program, its package and version, then the copyright
// and the licence.
std::string VersionText() {
  using vorbel::desktop::GetVersionInfoString;
  using vorbel::desktop::VersionInfoKey;
  const std::string program = vorbel::desktop::ProgramFilePath();
  std::string version = GetVersionInfoString(program, VersionInfoKey::FileVersion);
  if (version.empty()) version = VORBEL_VERSION;
  std::string copyright = GetVersionInfoString(program, VersionInfoKey::LegalCopyright);
  if (copyright.empty()) copyright = VORBEL_COPYRIGHT;
  return "vorbel (Vorbel) " + version + "\n" + copyright + "\n" +
         vorbel::base::Translate(
             "License MIT: <https://opensource.org/licenses/MIT>.\n"
             "This is free software: you are free to change and redistribute it.\n"
             "There is NO WARRANTY, to the extent permitted by law.\n");
}

// Messages in the user's language: only the categories of messages and of
// characters follow the locale; numbers are written the same everywhere.
void SetUpTranslations() {
  std::setlocale(LC_MESSAGES, "");
  std::setlocale(LC_CTYPE, "");
  vorbel::base::BindMessageCatalog(
      vorbel::desktop::TranslationFoldersFor(vorbel::desktop::ProgramFilePath()).message_catalogs);
}

// Prints what a headless job came to and gives the exit status.
int Report(const vorbel::app::ExportOutcome& outcome) {
  if (outcome.error.empty()) {
    // The picture was written; a warning does not make the export fail.
    if (!outcome.warning.empty()) PrintError(vorbel::base::TranslateFormat("warning: %s", {outcome.warning}));
    return 0;
  }
  PrintError(outcome.error);
  return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  using vorbel::app::CommandLine;
  using vorbel::base::Translate;
  SetUpTranslations();
  const std::span<const char* const> args(argv + (argc > 0 ? 1 : 0), static_cast<std::size_t>(argc > 0 ? argc - 1 : 0));
  const CommandLine command = vorbel::app::ParseCommandLine(args);
  switch (command.action) {
    case CommandLine::Action::Help:
      return std::fputs(vorbel::app::UsageText().c_str(), stdout) < 0 || std::fflush(stdout) != 0 ? 1 : 0;
    case CommandLine::Action::Version:
      return std::fputs(VersionText().c_str(), stdout) < 0 || std::fflush(stdout) != 0 ? 1 : 0;
    case CommandLine::Action::UsageError:
      PrintError(command.error);
      std::fputs(vorbel::app::ShortUsageText().c_str(), stderr);
      return 2;
    case CommandLine::Action::Export:
      return Report(vorbel::app::ExportLayout(command.output, command.layout, command.format, command.set.overrides,
                                              command.quality));
    case CommandLine::Action::Thumbnail:
      return Report(vorbel::app::WriteThumbnail(command.thumbnail_size, command.layout, command.output));
    // ---- button sets ----
    case CommandLine::Action::ExportSet: {
      const vorbel::app::SetOutcome outcome = vorbel::app::ExportLayoutSet(command.set, command.layout);
      for (const std::string& warning : outcome.warnings) {
        PrintError(vorbel::base::TranslateFormat("warning: %s", {warning}));
      }
      if (outcome.error.empty()) return 0;
      PrintError(outcome.error);
      return 1;
    }
    case CommandLine::Action::Window: break;
  }
  if (!vorbel::app::HasDisplay()) {
    PrintError(
        Translate("cannot open the main window: there is no display (DISPLAY and WAYLAND_DISPLAY are not set); use "
                  "--export OUT LAYOUT to export without a window"));
    return 1;
  }
  PrintError(vorbel::app::ExecWindowProgram(argv));
  std::fputs(vorbel::app::UsageText().c_str(), stderr);
  return 1;
}
