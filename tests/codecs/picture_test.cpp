// Loading a picture file: the decoder chosen by the extension, one read of the
// file, and every failure as a PictureError that names the file.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

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
  // A FIFO in a picture's place (swapped in after any look at the name) is
  // judged once opened, without waiting for a writer that never comes.
  ASSERT_EQ(::mkfifo(dir.File("pipe.bmp").c_str(), 0600), 0);
  expectError(dir.File("pipe.bmp"), "not a regular file");
  WriteBytes(dir.path() / "empty.bmp", {});
  expectError(dir.File("empty.bmp"), "Not a BMP picture");
}

// The header is read, and the picture weighed, before the rest of the file.
TEST(Picture, AFileIsReadHeaderFirst) {
  ScratchDir dir;
  const TestImage img(30, 20, 5);
  std::vector<std::uint8_t> bmp = EncodeBmp(img.View());
  bmp.resize(bmp.size() / 2);
  WriteBytes(dir.path() / "half.bmp", bmp);
  PictureFile half(dir.File("half.bmp"), false);
  EXPECT_EQ(half.ReadHeader(), (PictureSize{30, 20}));
  EXPECT_THROW(half.Decode(), PictureError);  // its rows are cut short

  WriteBytes(dir.path() / "p.jpeg", EncodeJpeg(img.View()));
  PictureFile jpeg(dir.File("p.jpeg"), true);
  EXPECT_EQ(jpeg.ReadHeader(), (PictureSize{30, 20}));
  EXPECT_EQ(jpeg.Decode().pixels.size(), 600u);

  // A gibibyte of nothing (sparse, so it takes no disk) is refused by its
  // first bytes.
  const std::string sparse = dir.File("sparse.bmp");
  WriteBytes(sparse, {});
  std::filesystem::resize_file(sparse, std::uintmax_t{1} << 30);
  EXPECT_THROW(PictureFile(sparse, false).ReadHeader(), PictureError);
  EXPECT_THROW(PictureFile(sparse, true).ReadHeader(), PictureError);

  // A file that is rewritten gets another stamp.
  const FileStamp before = PictureFile(dir.File("p.jpeg"), true).Stamp();
  WriteBytes(dir.path() / "p.jpeg", EncodeBmp(img.View()));
  EXPECT_NE(PictureFile(dir.File("p.jpeg"), true).Stamp(), before);
}

TEST(Picture, TransparentColourOfAnEmptyPictureIsBlack) {
  Picture empty;
  EXPECT_EQ(empty.TransparentColour(), 0_px);
  empty.two_colour = true;
  EXPECT_EQ(empty.TransparentColour(), 0xFFFFFF_px);
}

}  // namespace
}  // namespace vorbel::codecs
