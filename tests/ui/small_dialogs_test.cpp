// The type chooser, the value prompt and the image editor.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "controls/spin_edit.h"
#include "find_child.h"
#include "scripted_dialogs.h"
#include "ui/image_layer_dialog.h"
#include "ui/layer_type_dialog.h"
#include "ui/offset_prompt.h"
#include "ui/picture_chooser.h"

namespace vorbel::ui {
namespace {

using test::Child;

TEST(LayerTypeDialog, OffersTheFourKindsAndKeepsTheLastChoice) {
  LayerTypeDialog form;
  EXPECT_EQ(form.windowTitle(), "New");
  ASSERT_EQ(Child<QComboBox>(form, "typeCombo")->count(), 4);
  EXPECT_EQ(Child<QComboBox>(form, "typeCombo")->itemText(0), "Background");
  EXPECT_EQ(Child<QComboBox>(form, "typeCombo")->itemText(1), "Bevel");
  EXPECT_EQ(Child<QComboBox>(form, "typeCombo")->itemText(2), "Text");
  EXPECT_EQ(Child<QComboBox>(form, "typeCombo")->itemText(3), "Image");
  EXPECT_EQ(form.SelectedType(), "Background");
  // "Type" keeps clear of the list, whatever the font.
  form.show();
  EXPECT_LT(Child<QLabel>(form, "typeLabel")->geometry().right(), Child<QComboBox>(form, "typeCombo")->x());
  EXPECT_TRUE(Child<QPushButton>(form, "okButton")->isDefault());
  EXPECT_FALSE(Child<QPushButton>(form, "cancelButton")->isDefault());

  Child<QComboBox>(form, "typeCombo")->setCurrentIndex(2);
  test::ScriptedDialogs dialogs;
  EXPECT_EQ(Dialogs().Exec(form), QDialog::Accepted);
  EXPECT_EQ(form.SelectedType(), "Text");
}

TEST(LayerTypeDialog, OkAcceptsAndCancelRejects) {
  LayerTypeDialog form;
  form.show();
  QTest::mouseClick(Child<QPushButton>(form, "cancelButton"), Qt::LeftButton);
  EXPECT_EQ(form.result(), QDialog::Rejected);
  form.show();
  QTest::mouseClick(Child<QPushButton>(form, "okButton"), Qt::LeftButton);
  EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST(OffsetPrompt, HasAnUnlimitedValue) {
  OffsetPrompt form;
  EXPECT_EQ(form.windowTitle(), "New value");
  EXPECT_FALSE(Child<controls::SpinEdit>(form, "valueEdit")->HasLimits());
  Child<controls::SpinEdit>(form, "valueEdit")->SetValue(-123456);
  EXPECT_EQ(Child<controls::SpinEdit>(form, "valueEdit")->Value(), -123456);
  // Typed values are read as every integer of the program; what is no
  // integer reads as 0.
  Child<controls::SpinEdit>(form, "valueEdit")->SetText("$10");
  EXPECT_EQ(Child<controls::SpinEdit>(form, "valueEdit")->Value(), 16);
  Child<controls::SpinEdit>(form, "valueEdit")->SetText(" -5");
  EXPECT_EQ(Child<controls::SpinEdit>(form, "valueEdit")->Value(), -5);
  Child<controls::SpinEdit>(form, "valueEdit")->SetText("-");
  EXPECT_EQ(Child<controls::SpinEdit>(form, "valueEdit")->Value(), 0);
  EXPECT_TRUE(Child<QPushButton>(form, "okButton")->isDefault());
  EXPECT_EQ(Child<QPushButton>(form, "cancelButton")->text(), "Cancel");
}

class ImageLayerDialogTest : public ::testing::Test {
 protected:
  ImageLayerDialog form;
  test::ScriptedDialogs dialogs;
};

TEST_F(ImageLayerDialogTest, FirstUseAndRoundTrip) {
  EXPECT_EQ(form.windowTitle(), "Image");
  EXPECT_EQ(form.GetProperties(), "Image=;Transparent=No;");

  form.SetProperties("Image=/pictures/logo.bmp;Transparent=Yes;");
  EXPECT_EQ(Child<QLineEdit>(form, "imageEdit")->text(), "/pictures/logo.bmp");
  EXPECT_TRUE(Child<QCheckBox>(form, "transparentBox")->isChecked());
  EXPECT_EQ(form.GetProperties(), "Image=/pictures/logo.bmp;Transparent=Yes;");

  // Missing keys take the load defaults: no path, not transparent.
  form.SetProperties("");
  EXPECT_EQ(form.GetProperties(), "Image=;Transparent=No;");
  // Any value holding a "y" is true.
  form.SetProperties("transparent=maybe;");
  EXPECT_TRUE(Child<QCheckBox>(form, "transparentBox")->isChecked());
}

TEST_F(ImageLayerDialogTest, PathWithSemicolonIsWrittenWholeAndReadBackCut) {
  Child<QLineEdit>(form, "imageEdit")->setText("/a;b.jpg");
  const std::string props = form.GetProperties();
  EXPECT_EQ(props, "Image=/a;b.jpg;Transparent=No;");
  form.SetProperties(props);
  EXPECT_EQ(Child<QLineEdit>(form, "imageEdit")->text(), "/a");
}

TEST_F(ImageLayerDialogTest, PickerSetsThePathOnlyWhenConfirmed) {
  Child<QLineEdit>(form, "imageEdit")->setText("/kept.bmp");
  dialogs.on_exec = [](QDialog& dialog) {
    EXPECT_NE(dynamic_cast<PictureChooser*>(&dialog), nullptr);
    return static_cast<int>(QDialog::Rejected);
  };
  form.ChooseImage();
  EXPECT_EQ(Child<QLineEdit>(form, "imageEdit")->text(), "/kept.bmp");

  const QString chosen = QStringLiteral(VORBEL_TEST_DATA) + "/ui/pictures/stripes.bmp";
  dialogs.on_exec = [&](QDialog& dialog) {
    auto& picker = static_cast<PictureChooser&>(dialog);
    picker.selectFile(chosen);
    return static_cast<int>(QDialog::Accepted);
  };
  form.ChooseImage();
  EXPECT_EQ(Child<QLineEdit>(form, "imageEdit")->text(), chosen);
  EXPECT_EQ(dialogs.exec_count, 2);
}

}  // namespace
}  // namespace vorbel::ui
