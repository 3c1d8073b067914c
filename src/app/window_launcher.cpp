#include "app/window_launcher.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "desktop/version_info.h"

namespace vorbel::app {

std::vector<std::string> WindowProgramCandidates(const std::string& programPath) {
  const std::size_t slash = programPath.rfind('/');
  if (slash == std::string::npos) return {};
  const std::string folder = programPath.substr(0, slash + 1);
  return {folder + kWindowProgramName, folder + "../lib/vorbel/" + kWindowProgramName};
}

std::vector<std::string> WindowProgramArguments(const std::vector<std::string>& args) {
  std::vector<std::string> result = {"--"};
  result.insert(result.end(), args.begin(), args.end());
  const auto end = std::find(result.begin() + 1, result.end(), "--");
  if (end != result.end()) result.erase(end);
  return result;
}

int ToolkitArgumentCount(int argc, const char* const argv[]) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--") == 0) return i;
  }
  return argc;
}

bool HasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return true;
  }
  return false;
}

std::string ExecWindowProgram(char* const argv[]) {
  const std::string self = desktop::ProgramFilePath();
  if (self.empty()) return "cannot find the main window: the system does not tell where this program is";
  // The window program registers layout files to open through this launcher,
  // not through itself; it learns the launcher's path from here.
  ::setenv("VORBEL_PROGRAM", self.c_str(), 1);
  const std::vector<std::string> candidates = WindowProgramCandidates(self);
  std::vector<std::string> given;
  for (char* const* arg = argv + (argv[0] != nullptr ? 1 : 0); *arg != nullptr; ++arg) given.emplace_back(*arg);
  std::vector<std::string> args = WindowProgramArguments(given);
  std::vector<char*> windowArgv;
  windowArgv.push_back(argv[0]);
  for (std::string& arg : args) windowArgv.push_back(arg.data());
  windowArgv.push_back(nullptr);
  std::string failure;
  for (const std::string& candidate : candidates) {
    ::execv(candidate.c_str(), windowArgv.data());
    // Only a failed exec comes back here.
    const int err = errno;
    if (err != ENOENT && failure.empty()) failure = candidate + ": " + std::strerror(err);
  }
  if (!failure.empty()) return "cannot start the main window " + failure;
  std::string message = "the main window is not installed (looked for ";
  for (std::size_t i = 0; i < candidates.size(); ++i) message += (i ? " and " : "") + candidates[i];
  return message + "); use --export OUT LAYOUT to export without a window";
}

}  // namespace vorbel::app
