#pragma once
// Exceptions that no code expects.
//
// The places that go on after a failure (the render pass for each layer row,
// the window after a command, the file-type registration at start-up) expect
// base::Error and std::bad_alloc. Any other exception caught there is a
// programming error. Builds made with VORBEL_ABORT_ON_BUGS (those of the test
// command) end the program on it at once, so that no test passes over a bug;
// the shipped program says so on standard error and goes on, so that a bug
// never costs the user unsaved work.

#include <string_view>

namespace vorbel::base {

enum class UnexpectedErrorAction {
  Abort,   // print the report and abort
  Report,  // print the report, once per kind of place and exception, and go on
};

// The action of this build: Abort with VORBEL_ABORT_ON_BUGS, else Report.
UnexpectedErrorAction CurrentUnexpectedErrorAction();
// Replaces the action for the rest of the run (tests of the shipped
// behaviour).
void SetUnexpectedErrorAction(UnexpectedErrorAction action);

// Handles the exception being caught; call it only inside a catch block.
// Prints "vorbel: internal error (<exception type>: <what>) while <where>" on
// standard error. `kind` names the sort of place ("layer row"): with Report
// the first exception of each type caught at a place of that kind is
// printed, later ones are not.
void ReportUnexpectedError(std::string_view kind, std::string_view where) noexcept;

}  // namespace vorbel::base
