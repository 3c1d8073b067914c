// The handling of exceptions that no code expects.

#include <gtest/gtest.h>

#include <stdexcept>

#include "base/unexpected_error.h"

namespace vorbel::base {
namespace {

// Throws `error` and hands it to ReportUnexpectedError as a catching place does.
template <typename E>
void CatchAndReport(const E& error, std::string_view kind, std::string_view where) {
  try {
    throw error;
  } catch (...) {
    ReportUnexpectedError(kind, where);
  }
}

// Restores the build's action when a test changed it.
class UnexpectedErrorTest : public ::testing::Test {
 protected:
  void TearDown() override { SetUnexpectedErrorAction(build_action_); }

 private:
  UnexpectedErrorAction build_action_ = CurrentUnexpectedErrorAction();
};

TEST_F(UnexpectedErrorTest, ReportNamesThePlaceAndTheExceptionOncePerKindAndType) {
  SetUnexpectedErrorAction(UnexpectedErrorAction::Report);
  ::testing::internal::CaptureStderr();
  CatchAndReport(std::logic_error("index 7"), "test place", "doing step 1");
  CatchAndReport(std::logic_error("index 8"), "test place", "doing step 2");
  CatchAndReport(std::out_of_range("far"), "test place", "doing step 3");
  CatchAndReport(std::logic_error("index 9"), "other place", "doing step 4");
  CatchAndReport(42, "test place", "doing step 5");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "vorbel: internal error (std::logic_error: index 7) while doing step 1\n"
            "vorbel: internal error (std::out_of_range: far) while doing step 3\n"
            "vorbel: internal error (std::logic_error: index 9) while doing step 4\n"
            "vorbel: internal error (int) while doing step 5\n");
}

TEST_F(UnexpectedErrorTest, AbortEndsTheProgramWithTheReport) {
  SetUnexpectedErrorAction(UnexpectedErrorAction::Abort);
  EXPECT_DEATH(CatchAndReport(std::logic_error("broken"), "abort place", "doing the thing"),
               "internal error \\(std::logic_error: broken\\) while doing the thing");
}

}  // namespace
}  // namespace vorbel::base
