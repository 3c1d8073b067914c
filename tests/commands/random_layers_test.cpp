// The random button over a fixed seed.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/button_document.h"
#include "document/random.h"
#include "commands/random_layers.h"

namespace vorbel::commands {
namespace {

// A source that draws one number, so the order of draws shows in the result.
class DrawingSource : public RandomLayerSource {
 public:
  explicit DrawingSource(std::string name) : name_(std::move(name)) {}
  std::string RandomProperties() override {
    ++calls;
    return name_ + "=" + std::to_string(document::RandomUpTo(1000)) + ";";
  }
  int calls = 0;

 private:
  std::string name_;
};

TEST(RandomButton, ReplacesTheDocumentWithinTheBounds) {
  document::ButtonDocument doc;
  doc.AppendRow(document::LayerRow::Make("Image", "Image=a.bmp;"));
  doc.SetDocumentFileName("/somewhere/button.vrb");
  doc.SetBorder(true);
  const base::Color workArea = doc.WorkAreaColor();

  bool sawBackground = false, sawNoBackground = false, sawBevel = false, sawNoBevel = false;
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    document::SeedRandom(seed);
    DrawingSource background("B"), bevel("V"), text("T");
    RandomButton(doc, background, bevel, text, RandomSeeding::Keep);

    EXPECT_GE(doc.Height(), 30);
    EXPECT_LE(doc.Height(), 75);
    EXPECT_GE(doc.Width(), 50);
    EXPECT_LE(doc.Width(), 130);
    EXPECT_EQ(doc.Caption(), document::ButtonDocument::kUntitledCaption);
    EXPECT_TRUE(doc.Border());
    EXPECT_EQ(doc.WorkAreaColor(), workArea);

    // Rows: Background?, Bevel?, Text, and never an image.
    std::vector<std::string> types;
    for (const document::LayerRow& row : doc.Rows()) {
      types.push_back(row.type);
      EXPECT_EQ(row.SubItemText(document::SubItem::Left), "");
      EXPECT_EQ(row.SubItemText(document::SubItem::Top), "");
      EXPECT_EQ(row.image_index, document::kVisibleImage);
      EXPECT_TRUE(row.IsComplete());
    }
    ASSERT_FALSE(types.empty());
    EXPECT_EQ(types.back(), "Text");
    std::size_t i = 0;
    if (types[i] == "Background") ++i;
    if (types[i] == "Bevel") ++i;
    EXPECT_EQ(i + 1, types.size()) << "seed " << seed;
    EXPECT_EQ(text.calls, 1);
    (background.calls ? sawBackground : sawNoBackground) = true;
    (bevel.calls ? sawBevel : sawNoBevel) = true;
  }
  EXPECT_TRUE(sawBackground && sawNoBackground && sawBevel && sawNoBevel);
}

TEST(RandomButton, DrawsInTheDocumentedOrder) {
  for (std::uint32_t seed : {7u, 99u, 2024u}) {
    // Replay the draws by hand: height, width, background?, its string,
    // bevel?, its string, text.
    document::SeedRandom(seed);
    int h = document::RandomUpTo(75);
    if (h < 30) h = document::RandomUpTo(75);
    if (h < 30) h = document::RandomUpTo(75);
    if (h < 30) h = 30;
    int w = document::RandomUpTo(130);
    if (w < 50) w = document::RandomUpTo(130);
    if (w < 50) w = document::RandomUpTo(130);
    if (w < 50) w = 80;
    std::vector<std::string> expected;
    if (document::RandomUpTo(4) >= 2) expected.push_back("B=" + std::to_string(document::RandomUpTo(1000)) + ";");
    if (document::RandomUpTo(1) == 1) expected.push_back("V=" + std::to_string(document::RandomUpTo(1000)) + ";");
    expected.push_back("T=" + std::to_string(document::RandomUpTo(1000)) + ";");

    document::SeedRandom(seed);
    document::ButtonDocument doc;
    DrawingSource background("B"), bevel("V"), text("T");
    RandomButton(doc, background, bevel, text, RandomSeeding::Keep);
    EXPECT_EQ(doc.Height(), h);
    EXPECT_EQ(doc.Width(), w);
    std::vector<std::string> got;
    for (const document::LayerRow& row : doc.Rows()) got.push_back(row.Properties());
    EXPECT_EQ(got, expected) << "seed " << seed;
  }
}

TEST(RandomButton, SizeFallbacks) {
  // Over many draws the fallbacks show: a height of exactly 30 and a width of
  // exactly 80 come up far more often than one value in 76 or 131 would.
  document::SeedRandom(5);
  int height30 = 0, width80 = 0;
  constexpr int kRuns = 20000;
  for (int i = 0; i < kRuns; ++i) {
    const int h = RandomButtonHeight();
    const int w = RandomButtonWidth();
    ASSERT_TRUE(h >= 30 && h <= 75);
    ASSERT_TRUE(w >= 50 && w <= 130);
    height30 += h == 30;
    width80 += w == 80;
  }
  // (30/76)^3 of the runs fall back to 30; (50/131)^3 to 80.
  EXPECT_GT(height30, kRuns * 5 / 100);
  EXPECT_GT(width80, kRuns * 5 / 100);
}

}  // namespace
}  // namespace vorbel::commands
