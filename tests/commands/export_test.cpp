// Export end to end: from a document through the render pass to a file, read
// back by giflib, libpng, libjpeg and our BMP decoder.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <gif_lib.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "base/ascii_text.h"
#include "base/atomic_file.h"
#include "codecs/picture.h"
#include "commands/export.h"
#include "document/button_document.h"
#include "gdi/system_colors.h"
#include "layout/layout_file.h"
#include "render/button_renderer.h"
#include "support/test_support.h"

namespace vorbel::commands {
namespace {

using namespace base::literals;

using test::ReadBytes;
using test::ScratchDir;

constexpr gdi::Pixel kTealPixel{0x008080};  // the default work area, 0x00RRGGBB

TEST(ExportFormat, TheExtensionChoosesByItsUpperCasedText) {
  const std::map<std::string, ExportFormat> cases = {
      {"a.bmp", ExportFormat::Bmp},   {"a.BMP", ExportFormat::Bmp},   {"a.xbmp", ExportFormat::Bmp},
      {"a.jpg", ExportFormat::Jpeg},  {"a.JPEG", ExportFormat::Jpeg}, {"a.jpe", ExportFormat::Jpeg},
      {"a.ajp", ExportFormat::Jpeg},  {"a.bmpjp", ExportFormat::Bmp}, {"a.png", ExportFormat::Png},
      {"a.PNG", ExportFormat::Png},   {"a.pngx", ExportFormat::Gif},  {"a.gif", ExportFormat::Gif},
      {"noext", ExportFormat::Gif},   {"dir.bmp/name", ExportFormat::Gif},
      {"dir.png/a.jpg", ExportFormat::Jpeg}, {"a.", ExportFormat::Gif},
  };
  for (const auto& [name, format] : cases) EXPECT_EQ(ExportFormatFor(name), format) << name;
}

// Every row of the format table agrees with itself: its name and extensions
// choose it, and its encoder writes the file its MIME type names.
TEST(ExportFormat, EveryRowIsChosenByItsNamesAndWritesItsType) {
  const std::map<std::string_view, std::string> magic = {{"image/png", "\x89PNG"},
                                                         {"image/gif", "GIF8"},
                                                         {"image/jpeg", "\xFF\xD8"},
                                                         {"image/bmp", "BM"},
                                                         {"image/webp", "RIFF"}};
  const std::vector<gdi::Pixel> pixels(6, kTealPixel);
  for (const ExportFormatInfo& row : ExportFormats()) {
    EXPECT_EQ(FormatNamed(base::UpperCaseAscii(row.name)), row.format) << row.name;
    for (std::string_view extension : row.extensions) {
      EXPECT_EQ(ExportFormatFor("dir.gif/b" + base::UpperCaseAscii(extension)), row.format) << extension;
      EXPECT_EQ(FormatNamed(extension.substr(1)), row.format) << extension;
    }
    const std::vector<std::uint8_t> bytes = row.encode({pixels.data(), 3, 2, 3}, kTealPixel, kFormatQuality);
    ASSERT_TRUE(magic.contains(row.mime_type)) << row.mime_type;
    EXPECT_TRUE(std::string(bytes.begin(), bytes.end()).starts_with(magic.at(row.mime_type))) << row.name;
  }
  EXPECT_EQ(FormatNamed("tiff"), std::nullopt);
}

// Every example keeps every pixel in PNG and lossless WebP: the files decode
// to exactly the 8-bit RGBA of the drawn button, its alpha or its work area
// left out, the colour under transparent pixels included.
TEST(ExportFormat, PngAndWebpGiveBackEveryPixelOfEveryExample) {
  int examples = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(VORBEL_EXAMPLES)) {
    if (entry.path().extension() != ".vrb") continue;
    ++examples;
    const std::string name = entry.path().filename().string();
    document::ButtonDocument doc;
    render::ButtonRenderer renderer;
    layout::LoadLayout(doc, entry.path().string(), {}, layout::MissingLayout::IsAnError);
    const test::RgbaImage png = test::ReadPng(EncodeButton(doc, renderer, ExportFormat::Png, name));
    const test::RgbaImage webp = test::ReadWebp(EncodeButton(doc, renderer, ExportFormat::Webp, name));
    const gdi::Bitmap& drawn = renderer.Surface();
    const gdi::Pixel workArea = gdi::ResolveColor(doc.WorkAreaColor());
    ASSERT_EQ(png.pixels.size(), static_cast<std::size_t>(drawn.Width()) * drawn.Height()) << name;
    ASSERT_EQ(webp.pixels.size(), png.pixels.size()) << name;
    for (int y = 0; y < drawn.Height(); ++y) {
      for (int x = 0; x < drawn.Width(); ++x) {
        const gdi::Pixel p = drawn.GetPixel(x, y);
        const std::uint32_t alpha = drawn.KeepsAlpha() ? drawn.AlphaRow(y)[x] : (p == workArea ? 0 : 255);
        const std::string want = test::Hex(p.Rgb() | alpha << 24);
        const std::size_t i = static_cast<std::size_t>(y) * drawn.Width() + x;
        ASSERT_EQ(test::Hex(png.pixels[i]), want) << name << " PNG at " << x << "," << y;
        ASSERT_EQ(test::Hex(webp.pixels[i]), want) << name << " WebP at " << x << "," << y;
      }
    }
  }
  EXPECT_GE(examples, 6);
}

struct Gif {
  std::string signature;
  int width = 0, height = 0;
  std::vector<std::uint32_t> table;  // 0x00RRGGBB
  std::vector<std::uint8_t> indices;
  bool has_control = false;
  bool transparent_flag = false;
  int transparent_index = -1;
  std::uint8_t Index(int x, int y) const { return indices.at(static_cast<std::size_t>(y) * width + x); }
};

Gif ReadGif(const std::string& path) {
  Gif out;
  int error = 0;
  GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
  if (gif == nullptr) throw std::runtime_error(GifErrorString(error));
  if (DGifSlurp(gif) != GIF_OK || gif->ImageCount != 1) {
    DGifCloseFile(gif, &error);
    throw std::runtime_error("not a one-image GIF: " + path);
  }
  const std::vector<std::uint8_t> bytes = ReadBytes(path);
  out.signature.assign(bytes.begin(), bytes.begin() + 6);
  out.width = gif->SWidth;
  out.height = gif->SHeight;
  const SavedImage& image = gif->SavedImages[0];
  if (const ColorMapObject* map = image.ImageDesc.ColorMap) {
    for (int i = 0; i < map->ColorCount; ++i) {
      const GifColorType c = map->Colors[i];
      out.table.push_back(std::uint32_t{c.Red} << 16 | std::uint32_t{c.Green} << 8 | c.Blue);
    }
  }
  out.indices.assign(image.RasterBits, image.RasterBits + image.ImageDesc.Width * image.ImageDesc.Height);
  GraphicsControlBlock control;
  if (DGifSavedExtensionToGCB(gif, 0, &control) == GIF_OK) {
    out.has_control = true;
    out.transparent_index = control.TransparentColor;
    out.transparent_flag = control.TransparentColor != NO_TRANSPARENT_COLOR;
  }
  DGifCloseFile(gif, &error);
  return out;
}

class ExportTest : public ::testing::Test {
 protected:
  document::ButtonDocument doc;
  render::ButtonRenderer renderer;
  ScratchDir dir;

  void SetUp() override {
    doc.SetWidth(40);
    doc.SetHeight(20);
  }
  // A white ellipse over the teal work area: the four corners stay teal.
  void MakeEllipse() {
    doc.AppendRow(document::LayerRow::Make("Background", "Color=clWhite;Shape=Ellipse;Draw3D=No;"));
  }
  // One colour over the whole button.
  void MakeFilled(const std::string& color) {
    doc.AppendRow(document::LayerRow::Make("Background", "Color=" + color + ";Shape=None;Draw3D=No;"));
  }
  std::string Export(const std::string& name) {
    const std::string path = dir.File(name);
    ExportButton(doc, renderer, path);
    return path;
  }
};

TEST_F(ExportTest, GifMakesTheWorkAreaCornersOfAnEllipseTransparent) {
  MakeEllipse();
  const Gif gif = ReadGif(Export("ellipse.gif"));
  EXPECT_EQ(gif.signature, "GIF89a");
  ASSERT_EQ(gif.width, 40);
  ASSERT_EQ(gif.height, 20);
  // Most used first: white inside, then teal reduced to the web palette (its
  // pixels are all transparent but still count), then the appended black.
  EXPECT_EQ(gif.table, (std::vector<std::uint32_t>{0xFFFFFF, 0x006666, 0x000000, 0x000000}));
  ASSERT_TRUE(gif.has_control);
  EXPECT_TRUE(gif.transparent_flag);
  EXPECT_EQ(gif.transparent_index, 2);
  for (auto [x, y] : {std::pair{0, 0}, {39, 0}, {0, 19}, {39, 19}}) EXPECT_EQ(gif.Index(x, y), 2) << x << "," << y;
  EXPECT_EQ(gif.Index(20, 10), 0);
}

TEST_F(ExportTest, GifWithoutWorkAreaPixelsIsGif87aReducedByTheFloorRule) {
  MakeFilled("$00641EFA");  // red 250, green 30, blue 100
  const Gif gif = ReadGif(Export("opaque.gif"));
  EXPECT_EQ(gif.signature, "GIF87a");
  EXPECT_FALSE(gif.has_control);
  EXPECT_EQ(gif.table, (std::vector<std::uint32_t>{0xCC0066, 0x000000}));  // (204, 0, 102), padding
  EXPECT_EQ(gif.Index(0, 0), 0);

  // BMP keeps the full colour.
  const codecs::Picture bmp = codecs::DecodeBmp(ReadBytes(Export("opaque.bmp")));
  EXPECT_EQ(bmp.At(0, 0), 0xFA1E64_px);
}

TEST_F(ExportTest, GifColourTableIsSortedByUse) {
  doc.SetWidth(60);
  doc.SetHeight(30);
  MakeFilled("clSilver");
  doc.AppendRow(document::LayerRow::Make("Bevel", "Highlight=clWhite;Shadow=clNavy;Pen=1;"));
  const Gif gif = ReadGif(Export("bevel.gif"));
  std::vector<int> uses(gif.table.size());
  for (std::uint8_t index : gif.indices) ++uses.at(index);
  ASSERT_GE(gif.table.size(), 3u);
  EXPECT_EQ(gif.table[0], 0x999999u);  // silver (192) reduces to 153
  for (std::size_t i = 1; i < uses.size(); ++i) EXPECT_GE(uses[i - 1], uses[i]) << "entry " << i;
}

TEST_F(ExportTest, PngAlphaIsZeroExactlyAtTheWorkAreaPixels) {
  MakeEllipse();
  const test::RgbaImage png = test::ReadPng(ReadBytes(Export("ellipse.png")));
  ASSERT_EQ(png.width, 40);
  ASSERT_EQ(png.height, 20);
  const gdi::Bitmap& surface = renderer.Surface();
  int transparent = 0;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 40; ++x) {
      const std::uint32_t p = png.pixels[static_cast<std::size_t>(y) * 40 + x];
      const bool workArea = surface.GetPixel(x, y) == kTealPixel;
      transparent += workArea;
      EXPECT_EQ(p >> 24, workArea ? 0u : 255u) << x << "," << y;
      EXPECT_EQ(p & 0xFFFFFF, surface.GetPixel(x, y).Rgb()) << x << "," << y;
    }
  }
  EXPECT_GT(transparent, 4);
}

TEST_F(ExportTest, JpegAndBmpShowTheWorkAreaColourWhereGifIsTransparent) {
  MakeFilled("clTeal");  // a layer in the work-area colour
  renderer.RenderButton(doc);
  const codecs::Picture jpeg = codecs::DecodeJpeg(ReadBytes(Export("teal.jpeg")));
  EXPECT_EQ(jpeg.width, 40);
  EXPECT_EQ(jpeg.height, 20);
  const codecs::Picture bmp = codecs::DecodeBmp(ReadBytes(Export("teal.bmp")));
  ASSERT_EQ(bmp.width, 40);
  ASSERT_EQ(bmp.height, 20);
  for (const base::Pixel p : bmp.pixels) ASSERT_EQ(p, kTealPixel);

  const Gif gif = ReadGif(Export("teal.gif"));
  EXPECT_EQ(gif.transparent_index, 1);
  for (std::uint8_t index : gif.indices) ASSERT_EQ(index, 1);
}

// The surface may still hold a layer deleted since the last pass; no format
// copies it, and the surface then holds what was written.
TEST_F(ExportTest, EveryFormatDrawsTheDocumentAsItIsNow) {
  for (const char* name : {"now.bmp", "now.jpg", "now.gif", "now.png", "now.webp"}) {
    MakeFilled("clWhite");
    renderer.RenderButton(doc);
    doc.RemoveRow(0);  // only the teal work area is left
    const std::vector<std::uint8_t> bytes = ReadBytes(Export(name));
    EXPECT_EQ(renderer.Surface().GetPixel(5, 5), kTealPixel) << name;
    switch (ExportFormatFor(name)) {
      case ExportFormat::Bmp: EXPECT_EQ(codecs::DecodeBmp(bytes).At(5, 5), kTealPixel); break;
      case ExportFormat::Jpeg: EXPECT_LT(codecs::DecodeJpeg(bytes).At(5, 5).Red(), 40); break;  // lossy
      case ExportFormat::Gif: EXPECT_TRUE(ReadGif(dir.File(name)).transparent_flag); break;
      case ExportFormat::Png: EXPECT_EQ(test::ReadPng(bytes).pixels.at(5 * 40 + 5) >> 24, 0u); break;
      case ExportFormat::Webp: EXPECT_EQ(test::ReadWebp(bytes).pixels.at(5 * 40 + 5) >> 24, 0u); break;
    }
  }
  // A surface of another size than the button is never copied: it is drawn first.
  doc.SetWidth(41);
  EXPECT_EQ(codecs::DecodeBmp(ReadBytes(Export("resized.bmp"))).width, 41);
}

// BMP copies the pass the load drew, PNG draws a second one: both are the
// same picture, whatever the bevel's pen width left in the canvas.
TEST_F(ExportTest, EveryFormatShowsTheSamePixels) {
  doc.SetWidth(24);
  doc.SetHeight(14);
  doc.AppendRow(document::LayerRow::Make("Background", "Color=clWhite;Shape=Ellipse;EdgeDraw=Yes;Edge=clNavy;"));
  doc.AppendRow(document::LayerRow::Make("Bevel", "Pen=4;Highlight=clSilver;Shadow=clGray;"));
  renderer.RenderButton(doc);
  const codecs::Picture bmp = codecs::DecodeBmp(ReadBytes(Export("a.bmp")));
  const test::RgbaImage png = test::ReadPng(ReadBytes(Export("a.png")));
  ASSERT_EQ(png.pixels.size(), bmp.pixels.size());
  for (std::size_t i = 0; i < bmp.pixels.size(); ++i) {
    EXPECT_EQ(png.pixels[i] & 0xFFFFFF, bmp.pixels[i].Rgb()) << "pixel " << i % 24 << "," << i / 24;
  }
}

TEST_F(ExportTest, EmptyOrHugeButtonsExportNothingAndSayWhy) {
  MakeEllipse();
  for (auto [w, h] : {std::pair{0, 20}, {40, -1}, {40000, 10}, {20000, 20000}}) {
    doc.SetWidth(w);
    doc.SetHeight(h);
    for (const char* name : {"x.gif", "x.bmp", "x.jpg", "x.png"}) {
      try {
        Export(name);
        ADD_FAILURE() << "exported " << w << " x " << h;
      } catch (const base::FileWriteError& e) {
        EXPECT_NE(std::string(e.what()).find(std::to_string(w) + " x " + std::to_string(h)), std::string::npos)
            << e.what();
      }
    }
  }
  EXPECT_TRUE(dir.Entries().empty());
}

// Root ignores permission bits, so the unwritable places are a path below a
// regular file and a folder that does not exist.
TEST_F(ExportTest, AFileThatCannotBeCreatedIsReportedAndNothingIsLeft) {
  MakeEllipse();
  test::WriteBytes(dir.File("file"), {1, 2, 3});
  for (const std::string& name : {dir.File("file/sub/x.gif"), dir.File("missing/x.bmp")}) {
    try {
      ExportButton(doc, renderer, name);
      ADD_FAILURE() << "exported to " << name;
    } catch (const base::FileWriteError& e) {
      EXPECT_STREQ(e.what(), ("Cannot create file " + name).c_str());
    }
  }
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"file"});
}

TEST_F(ExportTest, AnExistingFileIsReplacedWhole) {
  MakeEllipse();
  test::WriteBytes(dir.File("out.bmp"), std::vector<std::uint8_t>(100000, 7));
  const codecs::Picture bmp = codecs::DecodeBmp(ReadBytes(Export("out.bmp")));
  EXPECT_EQ(bmp.width, 40);
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"out.bmp"});
}

// A FIFO or a character device named as the picture gets the picture and
// stays what it is; it is never replaced by a regular file. The device is a
// copy of /dev/null made in the scratch folder, so only the superuser tries it.
TEST_F(ExportTest, FifosAndDevicesAreWrittenNotReplaced) {
  MakeEllipse();
  const std::vector<std::uint8_t> bytes = ReadBytes(Export("file.gif"));
  const std::string gif(bytes.begin(), bytes.end());
  const std::string fifo = dir.File("pipe.gif");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  ExportButton(doc, renderer, fifo);
  std::string got(gif.size() + 1, '\0');
  got.resize(static_cast<std::size_t>(std::max<ssize_t>(0, ::read(reader, got.data(), got.size()))));
  ::close(reader);
  EXPECT_EQ(got, gif);
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));

  if (::geteuid() != 0) GTEST_SKIP() << "device nodes need the superuser";
  const std::string null = dir.File("null.gif");
  if (::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) GTEST_SKIP() << "device nodes cannot be made here";
  const int probe = ::open(null.c_str(), O_WRONLY);
  if (probe < 0) GTEST_SKIP() << "devices cannot be opened in this folder";
  ::close(probe);
  ExportButton(doc, renderer, null);
  struct stat st {};
  ASSERT_EQ(::stat(null.c_str(), &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));
  EXPECT_EQ(st.st_rdev, makedev(1, 3));
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"file.gif", "null.gif", "pipe.gif"}));
}

}  // namespace
}  // namespace vorbel::commands
