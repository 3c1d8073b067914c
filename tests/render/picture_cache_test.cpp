// Pictures in the render pass: decoded once per pass and kept while their
// files are unchanged; every pass held to its budget.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "codecs/image_writers.h"
#include "render/picture_cache.h"
#include "render_test_support.h"
#include "support/test_support.h"

namespace vorbel::render {
namespace {

// A W x H 24-bit BMP of one colour.
void WriteFlat(const std::string& path, int w, int h, gdi::Pixel colour) {
  const std::vector<gdi::Pixel> pixels(static_cast<std::size_t>(w * h), colour);
  codecs::WriteBmpFile(path, codecs::PixelView{pixels.data(), w, h, w});
}

TEST(PicturesOfAPass, EachFileIsDecodedOncePerPassAndKeptWhileItIsUnchanged) {
  test::ScratchDir dir;
  WriteFlat(dir.File("p.bmp"), 3, 3, kRed);
  std::vector<std::uint8_t> cut = test::ReadBytes(dir.File("p.bmp"));
  cut.resize(cut.size() - 12);
  test::WriteBytes(dir.File("cut.bmp"), cut);
  document::ButtonDocument doc;
  SetSize(doc, 8, 8);
  for (int i = 0; i < 200; ++i) Add(doc, "Image", "Image=" + dir.File("p.bmp") + ";", std::to_string(i % 6));
  for (int i = 0; i < 200; ++i) Add(doc, "Background Image", "Image=" + dir.File("cut.bmp") + ";");
  ButtonRenderer r;
  ASSERT_EQ(r.RenderButton(doc), RenderResult::Drawn);
  EXPECT_EQ(r.PictureDecodes(), 2);  // the damaged one fails once
  EXPECT_EQ(r.RenderButton(doc), RenderResult::Drawn);
  EXPECT_EQ(r.PictureDecodes(), 3);  // the good one is kept, the damaged one tried again

  // A rewritten file is decoded anew.
  WriteFlat(dir.File("p.bmp"), 3, 3, kWhite);
  doc.ClearRows();
  Add(doc, "Image", "Image=" + dir.File("p.bmp") + ";");
  r.RenderButton(doc);
  EXPECT_EQ(r.PictureDecodes(), 4);
  EXPECT_EQ(r.Surface().GetPixel(2, 2), kWhite);
}

TEST(PicturesOfAPass, PicturesBeyondTheBudgetEndThePassUndecoded) {
  test::ScratchDir dir;
  test::WriteBytes(dir.File("huge.bmp"), test::HugeRleBmp());
  document::ButtonDocument doc;
  SetSize(doc, 8, 8);
  Add(doc, "Background", "Color=clRed;");
  for (int i = 0; i < 200; ++i) Add(doc, "Image", "Image=" + dir.File("huge.bmp") + ";");
  Add(doc, "Background", "Color=clWhite;");
  ButtonRenderer r;
  EXPECT_EQ(r.RenderButton(doc), RenderResult::Partial);
  EXPECT_EQ(r.FirstRowLeftOut(), 1);
  EXPECT_EQ(r.PictureDecodes(), 0);
  EXPECT_TRUE(PixelsAre(r.Surface(), [](int, int) { return kRed; }));
  EXPECT_NE(r.PartialMessage().find("Layer 2 and the layers after it were left out"), std::string::npos);

  // Each file counts once in a pass, by its size, cached or not.
  WriteFlat(dir.File("a.bmp"), 8, 8, kRed);
  WriteFlat(dir.File("b.bmp"), 8, 8, kWhite);
  PictureCache cache;
  for (int pass = 0; pass < 2; ++pass) {
    cache.BeginPass();
    PassBudget budget(100, kPassLayerWork);
    const auto a = cache.Get(dir.File("a.bmp"), budget);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(cache.Get(dir.File("a.bmp"), budget), a);
    EXPECT_FALSE(budget.Spent());
    EXPECT_EQ(cache.Get(dir.File("b.bmp"), budget), nullptr);
    EXPECT_TRUE(budget.Spent());
    cache.EndPass();
  }
  EXPECT_EQ(cache.Decodes(), 1);
}

TEST(PicturesOfAPass, LayersBeyondTheBudgetOfWorkAreLeftOut) {
  document::ButtonDocument doc;
  SetSize(doc, 4, 4);
  const int allowed = static_cast<int>(kPassLayerWork / kMinDrawerWork);
  std::vector<document::LayerRow> rows(static_cast<std::size_t>(allowed) + 10,
                                       document::LayerRow::Make("Bevel", "Pen=1;", "", ""));
  rows.insert(rows.begin() + 5, document::LayerRow::Make("Shape", "", "", ""));  // no drawer: no work
  doc.ReplaceRows(std::move(rows));
  ButtonRenderer r;
  EXPECT_EQ(r.RenderButton(doc), RenderResult::Partial);
  EXPECT_EQ(r.FirstRowLeftOut(), allowed + 1);
  EXPECT_NE(r.PartialMessage().find("more layers than"), std::string::npos);
}

}  // namespace
}  // namespace vorbel::render
