// Our canvas against the images recorded by the reference renderer: every
// scenario without text must come out identical, pixel for pixel. The s-*
// scenarios are the pen sweep: thousands of small lines, rectangles, ellipses
// and rounded rectangles drawn with pens of width 1 to 10, their maps kept
// compressed.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "oracle_scenario.h"

namespace vorbel::gdi::test {
namespace {

const std::string kDir = std::string(VORBEL_TEST_DATA) + "/gdi-oracle/";

class OracleScenarioTest : public ::testing::TestWithParam<const char*> {};

TEST_P(OracleScenarioTest, MatchesRecordedPixels) {
  const std::string name = GetParam();
  const ScenarioResult run = RunScenario(kDir + name + ".txt");
  ASSERT_TRUE(run.error.empty()) << run.error;
  const std::string map = kDir + name + ".map";
  const PixelMap expected = LoadPixelMap(std::filesystem::exists(map) ? map : map + ".gz");
  ASSERT_TRUE(expected.error.empty()) << expected.error;
  EXPECT_EQ("identical", DescribeDifference(expected.image, run.main))
      << name << ", drawn by" << DifferingLines(run, expected.image);
}

INSTANTIATE_TEST_SUITE_P(Scenarios, OracleScenarioTest,
                         ::testing::Values("a-bevel-rects", "b-bevel-lines-1", "b-bevel-lines-3",
                                           "b-pen-widths", "c-rect-pen3", "c-rect-pens",
                                           "d-ellipse", "d-ellipse-flood", "d-roundrect-10",
                                           "d-roundrect-20", "d-roundrect-flood", "e-flood-border",
                                           "e-flood-diagonal", "g-mask-blit", "g-mask-expected",
                                           "g-mono-colours", "g-stretch", "g-stretch-sweep", "s-lines",
                                           "s-rects", "s-ellipses", "s-roundrects"),
                         [](const ::testing::TestParamInfo<const char*>& param) {
                           std::string n = param.param;
                           for (char& ch : n) {
                             if (ch == '-') ch = '_';
                           }
                           return n;
                         });

TEST(OracleScenario, FloodFillStartedOnTheBorderReportsFailure) {
  const ScenarioResult run = RunScenario(kDir + "e-flood-border.txt");
  ASSERT_TRUE(run.error.empty()) << run.error;
  ASSERT_EQ(1u, run.failures.size());
  EXPECT_EQ("failed line 20: ExtFloodFill", run.failures[0]);
}

TEST(OracleScenario, MaskedCopyEqualsDirectDrawing) {
  const ScenarioResult masked = RunScenario(kDir + "g-mask-blit.txt");
  const ScenarioResult direct = RunScenario(kDir + "g-mask-expected.txt");
  ASSERT_TRUE(masked.error.empty() && direct.error.empty());
  EXPECT_EQ("identical", DescribeDifference(direct.main, masked.main));
}

}  // namespace
}  // namespace vorbel::gdi::test
