// Loading a picture file: the decoder chosen by the extension, one read of the
// file, and every failure as a PictureError that names the file.

#include <gtest/gtest.h>

#include "codecs/image_writers.h"
#include "codecs/picture.h"
#include "support/test_support.h"

namespace vorbel::codecs {
namespace {

using namespace base::literals;

using test::ScratchDir;
using test::TestImage;
using test::WriteBytes;

TEST(Picture, DecoderIsChosenByTheExtensionOfTheFileName) {
  for (const char* jpeg : {"a.jpg", "a.JPEG", "b.jpe", "c.ajp", "dir/x.Jp2", "a.b.JPG", "odd.jp", "folder.x/p.xjpx"})
    EXPECT_TRUE(IsJpegPath(jpeg)) << jpeg;
  for (const char* bmp : {"a.bmp", "a.gif", "a.png", "noext", "a.j", "a.p", "jpeg.folder/pic", "a.jpg.bmp", "a.j.p",
                          "x.jpg/brick", "pics.dir/.jpgs/picture"})
    EXPECT_FALSE(IsJpegPath(bmp)) << bmp;
}

TEST(Picture, LoadsBothKindsAndNamesTheFileInFailures) {
  ScratchDir dir;
  TestImage img(3, 2, std::vector<std::uint32_t>{1, 2, 3, 4, 5, 0x00FF00});
  WriteBytes(dir.path() / "p.bmp", EncodeBmp(img.View()));
  WriteBytes(dir.path() / "p.jpg", EncodeJpeg(img.View()));
  WriteBytes(dir.path() / "bmp-named.jpg", EncodeBmp(img.View()));
  WriteBytes(dir.path() / "jpeg-named.gif", EncodeJpeg(img.View()));

  const Picture bmp = LoadPicture(dir.File("p.bmp"));
  EXPECT_EQ(bmp.pixels, img.pixels);
  EXPECT_EQ(bmp.TransparentColour(), 4_px);
  EXPECT_EQ(LoadPicture(dir.File("p.jpg")).width, 3);

  auto expectError = [](const std::string& path, const std::string& words) {
    try {
      LoadPicture(path);
      ADD_FAILURE() << path << " loaded";
    } catch (const PictureError& e) {
      const std::string what = e.what();
      EXPECT_NE(what.find(path), std::string::npos) << what;
      EXPECT_NE(what.find(words), std::string::npos) << what;
    }
  };
  expectError(dir.File("bmp-named.jpg"), "Not a JPEG file");
  expectError(dir.File("jpeg-named.gif"), "Not a BMP picture");
  expectError(dir.File("missing.bmp"), "Cannot open picture file");
  expectError(dir.path().string(), "not a regular file");
  WriteBytes(dir.path() / "empty.bmp", {});
  expectError(dir.File("empty.bmp"), "Not a BMP picture");
}

TEST(Picture, TransparentColourOfAnEmptyPictureIsBlack) {
  Picture empty;
  EXPECT_EQ(empty.TransparentColour(), 0_px);
  empty.two_colour = true;
  EXPECT_EQ(empty.TransparentColour(), 0xFFFFFF_px);
}

}  // namespace
}  // namespace vorbel::codecs
