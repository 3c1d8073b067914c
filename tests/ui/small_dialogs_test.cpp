// The type chooser, the value prompt and the image editor.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "controls/spin_edit.h"
#include "scripted_dialogs.h"
#include "ui/image_form.h"
#include "ui/new_form.h"
#include "ui/newval_form.h"
#include "ui/open_pic_dialog.h"

namespace vorbel::ui {
namespace {

TEST(TfrmNew, OffersTheFourKindsAndKeepsTheLastChoice) {
  TfrmNew form;
  EXPECT_EQ(form.windowTitle(), "New");
  EXPECT_EQ(form.size(), QSize(241, 80));
  ASSERT_EQ(form.cboType->count(), 4);
  EXPECT_EQ(form.cboType->itemText(0), "Background");
  EXPECT_EQ(form.cboType->itemText(1), "Bevel");
  EXPECT_EQ(form.cboType->itemText(2), "Text");
  EXPECT_EQ(form.cboType->itemText(3), "Image");
  EXPECT_EQ(form.SelectedType(), "Background");
  EXPECT_TRUE(form.btnOk->isDefault());
  EXPECT_FALSE(form.btnCancel->isDefault());

  form.cboType->setCurrentIndex(2);
  testing::ScriptedDialogs dialogs;
  EXPECT_EQ(Dialogs().Exec(form), QDialog::Accepted);
  EXPECT_EQ(form.SelectedType(), "Text");
}

TEST(TfrmNew, OkAcceptsAndCancelRejects) {
  TfrmNew form;
  form.show();
  QTest::mouseClick(form.btnCancel, Qt::LeftButton);
  EXPECT_EQ(form.result(), QDialog::Rejected);
  form.show();
  QTest::mouseClick(form.btnOk, Qt::LeftButton);
  EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST(TfrmNewValue, HasAnUnlimitedValue) {
  TfrmNewValue form;
  EXPECT_EQ(form.windowTitle(), "New value");
  EXPECT_EQ(form.size(), QSize(162, 94));
  EXPECT_FALSE(form.sedtValue->HasLimits());
  form.sedtValue->SetValue(-123456);
  EXPECT_EQ(form.sedtValue->Value(), -123456);
  // Typed values are read as every integer of the program; what is no
  // integer reads as 0.
  form.sedtValue->SetText("$10");
  EXPECT_EQ(form.sedtValue->Value(), 16);
  form.sedtValue->SetText(" -5");
  EXPECT_EQ(form.sedtValue->Value(), -5);
  form.sedtValue->SetText("-");
  EXPECT_EQ(form.sedtValue->Value(), 0);
  EXPECT_EQ(form.lblValue->geometry().topLeft(), QPoint(5, 10));
  EXPECT_TRUE(form.btnOk->isDefault());
  EXPECT_EQ(form.Button1->text(), "Cancel");
}

class TfrmImageTest : public ::testing::Test {
 protected:
  TfrmImage form;
  testing::ScriptedDialogs dialogs;
};

TEST_F(TfrmImageTest, FirstUseAndRoundTrip) {
  EXPECT_EQ(form.windowTitle(), "Image");
  EXPECT_EQ(form.size(), QSize(354, 100));
  EXPECT_EQ(form.GetProperties(), "Image=;Transparent=No;");

  form.SetProperties("Image=/pictures/logo.bmp;Transparent=Yes;");
  EXPECT_EQ(form.edtImage->text(), "/pictures/logo.bmp");
  EXPECT_TRUE(form.cbxTransparent->isChecked());
  EXPECT_EQ(form.GetProperties(), "Image=/pictures/logo.bmp;Transparent=Yes;");

  // Missing keys take the load defaults: no path, not transparent.
  form.SetProperties("");
  EXPECT_EQ(form.GetProperties(), "Image=;Transparent=No;");
  // Any value holding a "y" is true.
  form.SetProperties("transparent=maybe;");
  EXPECT_TRUE(form.cbxTransparent->isChecked());
}

TEST_F(TfrmImageTest, PathWithSemicolonIsWrittenWholeAndReadBackCut) {
  form.edtImage->setText("/a;b.jpg");
  const std::string props = form.GetProperties();
  EXPECT_EQ(props, "Image=/a;b.jpg;Transparent=No;");
  form.SetProperties(props);
  EXPECT_EQ(form.edtImage->text(), "/a");
}

TEST_F(TfrmImageTest, PickerSetsThePathOnlyWhenConfirmed) {
  form.edtImage->setText("/kept.bmp");
  dialogs.onExec = [](QDialog& dialog) {
    EXPECT_NE(dynamic_cast<OpenPicDlg*>(&dialog), nullptr);
    return static_cast<int>(QDialog::Rejected);
  };
  form.sbtnSelectImageClick();
  EXPECT_EQ(form.edtImage->text(), "/kept.bmp");

  const QString chosen = QStringLiteral(VORBEL_TEST_DATA) + "/ui/pictures/stripes.bmp";
  dialogs.onExec = [&](QDialog& dialog) {
    auto& picker = static_cast<OpenPicDlg&>(dialog);
    picker.selectFile(chosen);
    return static_cast<int>(QDialog::Accepted);
  };
  form.sbtnSelectImageClick();
  EXPECT_EQ(form.edtImage->text(), chosen);
  EXPECT_EQ(dialogs.execCount, 2);
}

}  // namespace
}  // namespace vorbel::ui
