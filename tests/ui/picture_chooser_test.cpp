// The picture chooser: its preview, its filters and where it starts.

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "ui/picture_chooser.h"

namespace vorbel::ui {
namespace {

QString Picture(const char* name) { return QStringLiteral(VORBEL_TEST_DATA "/ui/pictures/") + name; }

TEST(LoadPreviewImage, DecodesWithTheProgramsOwnReaders) {
  const QImage bmp = LoadPreviewImage(Picture("stripes.bmp"));
  ASSERT_EQ(bmp.size(), QSize(6, 4));
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) {
      EXPECT_EQ(bmp.pixel(x, y), x < 3 ? qRgb(0, 0, 255) : qRgb(255, 0, 0)) << x << "," << y;
    }
  }
  // JPEG is lossy: only the size and the dominant channel are exact enough.
  const QImage jpeg = LoadPreviewImage(Picture("green.jpg"));
  ASSERT_EQ(jpeg.size(), QSize(8, 8));
  EXPECT_GT(qGreen(jpeg.pixel(4, 4)), 240);
  EXPECT_LT(qRed(jpeg.pixel(4, 4)), 16);

  EXPECT_TRUE(LoadPreviewImage(Picture("broken.bmp")).isNull());
  EXPECT_TRUE(LoadPreviewImage(Picture("missing.bmp")).isNull());
  EXPECT_TRUE(LoadPreviewImage(QStringLiteral(VORBEL_TEST_DATA "/ui/pictures")).isNull());
  EXPECT_TRUE(LoadPreviewImage(QString()).isNull());
}

TEST(LoadPreviewImage, ChoosesTheReaderByExtensionLikeTheDrawers) {
  // A BMP file named .jpg goes to the JPEG reader and fails there, as it does
  // when a layer draws it.
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString renamed = dir.filePath("stripes.jpg");
  ASSERT_TRUE(QFile::copy(Picture("stripes.bmp"), renamed));
  EXPECT_TRUE(LoadPreviewImage(renamed).isNull());
}

TEST(PicturePreview, ShowsThePictureAndItsSize) {
  PicturePreview preview;
  preview.resize(200, 220);
  preview.ShowPicture(Picture("stripes.bmp"));
  EXPECT_EQ(preview.Picture().size(), QSize(6, 4));
  EXPECT_EQ(preview.Caption(), "6 x 4");
  preview.ShowPicture(Picture("broken.bmp"));
  EXPECT_TRUE(preview.Picture().isNull());
  EXPECT_EQ(preview.Caption(), "No preview");
  preview.ShowPicture(QStringLiteral(VORBEL_TEST_DATA "/ui/pictures"));
  EXPECT_EQ(preview.Caption(), "");
}

TEST(PictureChooser, OffersThePictureFiltersAndAddsJpg) {
  PictureChooser dialog;
  const QStringList filters = dialog.nameFilters();
  ASSERT_EQ(filters.size(), 4);
  EXPECT_EQ(filters[0], "All supported files (*.jpeg *.jpg *.bmp)");
  EXPECT_EQ(filters[1], "JPEG files (*.jpeg *.jpg)");
  EXPECT_EQ(filters[2], "Bitmap files (*.bmp)");
  EXPECT_EQ(filters[3], "All files (*)");
  EXPECT_EQ(dialog.selectedNameFilter(), filters[0]);
  EXPECT_EQ(dialog.defaultSuffix(), "jpg");
  EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);

  // Highlighting a file previews it.
  dialog.setDirectory(QStringLiteral(VORBEL_TEST_DATA "/ui/pictures"));
  emit dialog.currentChanged(Picture("stripes.bmp"));
  EXPECT_EQ(dialog.Preview()->Picture().size(), QSize(6, 4));
  // So does a name typed into the file name field.
  dialog.Preview()->ShowPicture({});
  auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  ASSERT_NE(name, nullptr);
  name->setText(QStringLiteral("stripes.bmp"));
  EXPECT_EQ(dialog.Preview()->Picture().size(), QSize(6, 4));
}

TEST(FindTexturesFolder, BesideTheProgramThenTheSharedFolder) {
  QTemporaryDir root;
  ASSERT_TRUE(root.isValid());
  QDir dir(root.path());
  ASSERT_TRUE(dir.mkpath("bin"));
  ASSERT_TRUE(dir.mkpath("lib/vorbel"));
  const QString bin = dir.filePath("bin");
  const QString lib = dir.filePath("lib/vorbel");

  EXPECT_EQ(FindTexturesFolder(bin), "");
  EXPECT_EQ(FindTexturesFolder(QString()), "");

  ASSERT_TRUE(dir.mkpath("share/vorbel/Textures"));
  const QString shared = QDir::cleanPath(dir.filePath("share/vorbel/Textures"));
  EXPECT_EQ(FindTexturesFolder(bin), shared);
  EXPECT_EQ(FindTexturesFolder(lib), shared);

  // A folder beside the program comes first.
  ASSERT_TRUE(dir.mkpath("lib/vorbel/Textures"));
  EXPECT_EQ(FindTexturesFolder(lib), QDir::cleanPath(dir.filePath("lib/vorbel/Textures")));

  // A shared folder given explicitly replaces the derived ones.
  EXPECT_EQ(FindTexturesFolder(bin, dir.filePath("elsewhere")), "");
  ASSERT_TRUE(dir.mkpath("elsewhere/Textures"));
  EXPECT_EQ(FindTexturesFolder(bin, dir.filePath("elsewhere")), QDir::cleanPath(dir.filePath("elsewhere/Textures")));

  // A file called Textures is no folder.
  QFile file(dir.filePath("bin/Textures"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  EXPECT_EQ(FindTexturesFolder(bin), shared);
}

TEST(Textures, EveryShippedTextureDecodes) {
  const QDir textures(QStringLiteral(VORBEL_TEST_DATA "/../../resources/textures"));
  const QStringList files = textures.entryList({"*.bmp", "*.jpg"}, QDir::Files);
  EXPECT_GE(files.size(), 5);
  for (const QString& name : files) {
    const QImage image = LoadPreviewImage(textures.filePath(name));
    EXPECT_FALSE(image.isNull()) << name.toStdString();
    EXPECT_LE(QFileInfo(textures.filePath(name)).size(), 16 * 1024) << name.toStdString();
  }
}

}  // namespace
}  // namespace vorbel::ui
