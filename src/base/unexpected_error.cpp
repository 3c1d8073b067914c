#include "base/unexpected_error.h"

#include <cxxabi.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <mutex>
#include <set>
#include <string>
#include <typeinfo>
#include <utility>

namespace vorbel::base {
namespace {

#ifdef VORBEL_ABORT_ON_BUGS
constexpr UnexpectedErrorAction kBuildAction = UnexpectedErrorAction::Abort;
#else
constexpr UnexpectedErrorAction kBuildAction = UnexpectedErrorAction::Report;
#endif

std::atomic<UnexpectedErrorAction> configured_action{kBuildAction};

// The readable name of the type of the exception being handled.
std::string CurrentExceptionType() {
  const std::type_info* type = abi::__cxa_current_exception_type();
  if (type == nullptr) return "unknown exception";
  int status = 0;
  char* readable = abi::__cxa_demangle(type->name(), nullptr, nullptr, &status);
  std::string name = status == 0 && readable != nullptr ? readable : type->name();
  std::free(readable);
  return name;
}

// The message of the exception being handled, when it has one.
std::string CurrentExceptionMessage() {
  try {
    throw;
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return {};
  }
}

}  // namespace

UnexpectedErrorAction CurrentUnexpectedErrorAction() { return configured_action.load(); }

void SetUnexpectedErrorAction(UnexpectedErrorAction action) { configured_action.store(action); }

void ReportUnexpectedError(std::string_view kind, std::string_view where) noexcept {
  try {
    const std::string type = CurrentExceptionType();
    const std::string message = CurrentExceptionMessage();
    const UnexpectedErrorAction action = CurrentUnexpectedErrorAction();
    if (action == UnexpectedErrorAction::Report) {
      static std::mutex mutex;
      static std::set<std::pair<std::string, std::string>> reported;
      const std::lock_guard<std::mutex> lock(mutex);
      if (!reported.emplace(std::string(kind), type).second) return;
    }
    const std::string line = "vorbel: internal error (" + type + (message.empty() ? "" : ": " + message) +
                             ") while " + std::string(where) + "\n";
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
  } catch (...) {
    // Out of memory for the message: the report is left out.
  }
  if (CurrentUnexpectedErrorAction() == UnexpectedErrorAction::Abort) std::abort();
}

}  // namespace vorbel::base
