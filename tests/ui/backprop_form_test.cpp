// The background editor: loading, composing, dependent controls, the picture
// chooser's starting point and the random background.

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "controls/fnp_combo_color.h"
#include "controls/spin_edit.h"
#include "document/conversion_error.h"
#include "document/property_string.h"
#include "document/random.h"
#include "document/value_conversion.h"
#include "scripted_dialogs.h"
#include "ui/backprop_form.h"
#include "ui/open_pic_dialog.h"

namespace vorbel::ui {
namespace {

constexpr const char* kFirstUse =
    "Color=clSilver;Image=;Stretch=Yes;Transparent=No;Shape=None;EdgeDraw=No;Edge=clBlack;Draw3D=No;"
    "Highlight=clWhite;ShadowClr=clGray;";

std::string SelectedName(const document::ColorList& list) {
  return list.ItemIndex() < 0 ? std::string() : list.Entry(list.ItemIndex()).name;
}

// The user's pick of a named entry.
void Pick(document::ColorList& list, const std::string& name) {
  for (int i = 0; i < list.Count(); ++i) {
    if (list.Entry(i).name == name) {
      list.SetItemIndex(i, document::SelectionSource::kUser);
      return;
    }
  }
  FAIL() << "no entry " << name;
}

class TfrmBackPropTest : public ::testing::Test {
 protected:
  TfrmBackProp form;
  testing::ScriptedDialogs dialogs;
};

TEST_F(TfrmBackPropTest, FirstUse) {
  EXPECT_EQ(form.windowTitle(), "Background");
  EXPECT_EQ(form.size(), QSize(354, 216));
  EXPECT_EQ(form.GetProperties(), kFirstUse);
  ASSERT_EQ(form.PageControl1->count(), 4);
  EXPECT_EQ(form.PageControl1->tabText(0), "Settings");
  EXPECT_EQ(form.PageControl1->tabText(1), "Image");
  EXPECT_EQ(form.PageControl1->tabText(2), "Shape");
  EXPECT_EQ(form.PageControl1->tabText(3), "3D Colors");
  EXPECT_EQ(form.PageControl1->currentWidget(), form.tbshtSettings);
  EXPECT_EQ(SelectedName(form.BackgroundColors()), "Light Gray");
  EXPECT_EQ(SelectedName(form.ShadowColors()), "Dark Gray");
  EXPECT_EQ(form.BackgroundColors().Count(), 18);
  EXPECT_EQ(form.EdgeColors().Entries(), form.BackgroundColors().Entries());

  // No shape chosen yet; the corner size waits, disabled, at 20.
  EXPECT_FALSE(form.rbNone->isChecked() || form.rbEllipse->isChecked() || form.rbRoundRect->isChecked());
  EXPECT_FALSE(form.sedtRoundAmount->isEnabled());
  EXPECT_EQ(form.sedtRoundAmount->Text(), "20");
  // The edge colour waits for its box; the 3D colours start enabled although
  // "3D drawing" is unticked, until the box changes for the first time.
  EXPECT_FALSE(form.cclrEdge->isEnabled());
  EXPECT_FALSE(form.cbx3D->isChecked());
  EXPECT_TRUE(form.cclrHightlight->isEnabled());
  EXPECT_TRUE(form.cclrShadow->isEnabled());
  form.cbx3D->setChecked(true);
  form.cbx3D->setChecked(false);
  EXPECT_FALSE(form.cclrHightlight->isEnabled());
  EXPECT_FALSE(form.cclrShadow->isEnabled());

  // A round rectangle chosen before any load keeps the initial corner size.
  form.rbRoundRect->setChecked(true);
  EXPECT_TRUE(form.sedtRoundAmount->isEnabled());
  EXPECT_EQ(document::GetPropValue("Seed", form.GetProperties(), ""), "20");
}

TEST_F(TfrmBackPropTest, RoundTripOfEveryKey) {
  const std::string props =
      "Color=clNavy;Image=/pictures/sky.jpg;Stretch=No;Transparent=Yes;Shape=RoundRect;Seed=14;EdgeDraw=Yes;"
      "Edge=clRed;Draw3D=Yes;Highlight=clAqua;ShadowClr=clMaroon;";
  form.SetProperties(props);
  EXPECT_EQ(form.GetProperties(), props);
  EXPECT_TRUE(form.rbRoundRect->isChecked());
  EXPECT_TRUE(form.sedtRoundAmount->isEnabled());
  EXPECT_TRUE(form.cclrEdge->isEnabled());
  EXPECT_TRUE(form.cclrHightlight->isEnabled());

  const std::string other =
      "Color=clYellow;Image=;Stretch=Yes;Transparent=No;Shape=Ellipse;EdgeDraw=No;Edge=clTeal;Draw3D=No;"
      "Highlight=clLime;ShadowClr=clPurple;";
  form.SetProperties(other);
  EXPECT_EQ(form.GetProperties(), other);
  EXPECT_FALSE(form.cclrEdge->isEnabled());
  EXPECT_FALSE(form.cclrHightlight->isEnabled());
  EXPECT_FALSE(form.cclrShadow->isEnabled());

  // Keys in any letter case, flags by their "y", colours as numbers.
  form.SetProperties("color=255;STRETCH=maybe;edgedraw=y;shape=ellipse;Draw3D=on;");
  EXPECT_EQ(SelectedName(form.BackgroundColors()), "Red");
  EXPECT_TRUE(form.cbxStretch->isChecked());
  EXPECT_TRUE(form.cbxEdge->isChecked());
  EXPECT_TRUE(form.rbEllipse->isChecked());
  EXPECT_FALSE(form.cbx3D->isChecked());
}

TEST_F(TfrmBackPropTest, ShapesAndCornerSize) {
  form.SetProperties("Shape=Ellipse;");
  EXPECT_TRUE(form.rbEllipse->isChecked());
  EXPECT_EQ(form.sedtRoundAmount->Text(), "0");
  EXPECT_FALSE(form.sedtRoundAmount->isEnabled());
  form.rbRoundRect->setChecked(true);
  EXPECT_TRUE(form.sedtRoundAmount->isEnabled());
  EXPECT_NE(form.GetProperties().find("Shape=RoundRect;Seed=0;EdgeDraw="), std::string::npos);

  struct Case {
    const char* props;
    QRadioButton* TfrmBackProp::*checked;
    const char* corner;
  };
  const Case cases[] = {
      {"Shape=RoundRect;", &TfrmBackProp::rbRoundRect, "20"},
      {"Shape=RoundRect;Seed=;", &TfrmBackProp::rbRoundRect, "20"},
      {"Shape=roundrect;Seed=$10;", &TfrmBackProp::rbRoundRect, "16"},
      {"Shape=Round;Seed=5;", &TfrmBackProp::rbNone, "0"},
      {"Shape=Ellipse ;", &TfrmBackProp::rbNone, "0"},
      {"Seed=5;", &TfrmBackProp::rbNone, "0"},
      {"Shape=ELLIPSE;", &TfrmBackProp::rbEllipse, "0"},
  };
  for (const Case& c : cases) {
    form.SetProperties(c.props);
    EXPECT_TRUE((form.*c.checked)->isChecked()) << c.props;
    EXPECT_EQ(form.sedtRoundAmount->Text(), c.corner) << c.props;
    EXPECT_EQ(form.sedtRoundAmount->isEnabled(), form.rbRoundRect->isChecked()) << c.props;
  }

  // An emptied corner size is written empty and reads back as 20.
  form.SetProperties("Shape=RoundRect;Seed=7;");
  form.sedtRoundAmount->SetText("");
  const std::string props = form.GetProperties();
  EXPECT_NE(props.find("Shape=RoundRect;Seed=;"), std::string::npos);
  form.SetProperties(props);
  EXPECT_EQ(form.sedtRoundAmount->Text(), "20");
}

TEST_F(TfrmBackPropTest, ConversionErrorStopsTheLoadWhereItHappens) {
  form.SetProperties("Color=clRed;EdgeDraw=No;Edge=clBlue;Draw3D=No;Highlight=clLime;");
  try {
    form.SetProperties("Color=clNavy;Image=new.bmp;Shape=RoundRect;Seed=abc;EdgeDraw=Yes;Edge=clYellow;Draw3D=Yes;");
    FAIL() << "no conversion error";
  } catch (const document::ConversionError& error) {
    EXPECT_STREQ(error.what(), "'abc' is not a valid integer value");
  }
  // Loaded before the corner size ...
  EXPECT_EQ(SelectedName(form.BackgroundColors()), "Navy blue");
  EXPECT_EQ(form.edtBGImage->text(), "new.bmp");
  EXPECT_TRUE(form.rbRoundRect->isChecked());
  // ... and untouched after it.
  EXPECT_FALSE(form.cbxEdge->isChecked());
  EXPECT_EQ(SelectedName(form.EdgeColors()), "Blue");
  EXPECT_FALSE(form.cbx3D->isChecked());
  EXPECT_EQ(SelectedName(form.HighlightColors()), "Lime green");

  EXPECT_THROW(form.SetProperties("Color=red;"), document::ConversionError);
  EXPECT_THROW(form.SetProperties("ShadowClr= clRed;"), document::ConversionError);
}

TEST_F(TfrmBackPropTest, ColoursOutsideTheListKeepTheSelection) {
  form.SetProperties("Color=clRed;Highlight=clYellow;");
  // No Color: the default is the button face, which is not in the list.
  form.SetProperties("Image=;");
  EXPECT_EQ(SelectedName(form.BackgroundColors()), "Red");
  EXPECT_EQ(SelectedName(form.HighlightColors()), "Yellow");
  EXPECT_EQ(document::GetPropValue("Color", form.GetProperties(), ""), "clRed");
  form.SetProperties("Color=$00123456;");
  EXPECT_EQ(SelectedName(form.BackgroundColors()), "Red");

  // Gray and Silver share their values with Dark Gray and Light Gray.
  Pick(form.BackgroundColors(), "Gray");
  Pick(form.EdgeColors(), "Silver");
  const std::string props = form.GetProperties();
  EXPECT_EQ(document::GetPropValue("Color", props, ""), "clGray");
  EXPECT_EQ(document::GetPropValue("Edge", props, ""), "clSilver");
  form.SetProperties(props);
  EXPECT_EQ(SelectedName(form.BackgroundColors()), "Dark Gray");
  EXPECT_EQ(SelectedName(form.EdgeColors()), "Light Gray");
}

TEST_F(TfrmBackPropTest, WritesEveryKeyWhateverTheBoxesSay) {
  form.SetProperties("EdgeDraw=No;Edge=clFuchsia;Draw3D=No;Highlight=clTeal;ShadowClr=clOlive;Image=a.bmp;");
  const std::string props = form.GetProperties();
  EXPECT_NE(props.find("EdgeDraw=No;Edge=clFuchsia;"), std::string::npos);
  EXPECT_NE(props.find("Draw3D=No;Highlight=clTeal;ShadowClr=clOlive;"), std::string::npos);
  EXPECT_NE(props.find("Image=a.bmp;"), std::string::npos);

  // "Clear background" empties the path only.
  form.cbxStretch->setChecked(false);
  QTest::mouseClick(form.btnNoBack, Qt::LeftButton);
  EXPECT_EQ(form.edtBGImage->text(), "");
  EXPECT_FALSE(form.cbxStretch->isChecked());
  EXPECT_NE(form.GetProperties().find("Image=;Stretch=No;"), std::string::npos);
}

TEST_F(TfrmBackPropTest, PictureChooserStartsAtThePictureOrInTextures) {
  QTemporaryDir root;
  ASSERT_TRUE(root.isValid());
  QDir dir(root.path());
  ASSERT_TRUE(dir.mkpath("program/Textures"));
  ASSERT_TRUE(dir.mkpath("pictures"));
  const QString picture = dir.filePath("pictures/logo.bmp");
  ASSERT_TRUE(QFile::copy(QStringLiteral(VORBEL_TEST_DATA "/ui/pictures/stripes.bmp"), picture));
  form.SetDataFolders(dir.filePath("program"));

  QString startFolder;
  QStringList startFiles;
  dialogs.onExec = [&](QDialog& dialog) {
    auto& picker = dynamic_cast<OpenPicDlg&>(dialog);
    startFolder = picker.directory().absolutePath();
    startFiles = picker.selectedFiles();
    return static_cast<int>(QDialog::Rejected);
  };

  // An existing picture: its folder, its name.
  form.edtBGImage->setText(picture);
  form.sbtnSelectImageClick();
  EXPECT_EQ(startFolder, QFileInfo(picture).absolutePath());
  ASSERT_FALSE(startFiles.isEmpty());
  EXPECT_EQ(startFiles.front(), picture);
  EXPECT_EQ(form.edtBGImage->text(), picture);  // cancelled: unchanged

  // No such file: the Textures folder beside the program.
  form.edtBGImage->setText(dir.filePath("pictures/gone.bmp"));
  form.sbtnSelectImageClick();
  EXPECT_EQ(startFolder, QDir::cleanPath(dir.filePath("program/Textures")));

  // No Textures folder either: where the chooser was left.
  form.SetDataFolders(dir.filePath("pictures"), dir.filePath("nothing"));
  form.edtBGImage->clear();
  form.sbtnSelectImageClick();
  EXPECT_EQ(startFolder, QDir::cleanPath(dir.filePath("program/Textures")));

  // Confirming takes the chosen path.
  dialogs.onExec = [&](QDialog& dialog) {
    dynamic_cast<OpenPicDlg&>(dialog).selectFile(picture);
    return static_cast<int>(QDialog::Accepted);
  };
  form.sbtnSelectImageClick();
  EXPECT_EQ(form.edtBGImage->text(), picture);
}

TEST_F(TfrmBackPropTest, RandomBackgrounds) {
  form.edtBGImage->setText("kept.jpg");
  form.cbxStretch->setChecked(false);
  form.cbxTransparent->setChecked(true);
  form.SetProperties("Shape=Ellipse;Image=kept.jpg;Stretch=No;Transparent=Yes;Highlight=clRed;");
  bool sawShape[3] = {false, false, false};
  for (std::uint32_t seed = 1; seed <= 60; ++seed) {
    document::SeedRandom(seed);
    const std::string props = form.RandomProperties();
    // Keys in their order; no 3D colours.
    const std::string head = "Color=" + document::GetPropValue("Color", props, "") + ";Image=kept.jpg;Stretch=No;Transparent=Yes;";
    ASSERT_EQ(props.rfind(head, 0), 0u) << props;
    const std::string shape = document::GetPropValue("Shape", props, "");
    const std::string tail = "Draw3D=" + document::GetPropValue("Draw3D", props, "") + ";EdgeDraw=" +
                             document::GetPropValue("EdgeDraw", props, "") + ";Edge=" + document::GetPropValue("Edge", props, "") + ";";
    const std::string middle = shape == "RoundRect" ? "Shape=RoundRect;Seed=20;" : "Shape=" + shape + ";";
    EXPECT_EQ(props, head + middle + tail);
    sawShape[shape == "None" ? 0 : shape == "Ellipse" ? 1 : 2] = true;
    EXPECT_EQ(props.find("Highlight"), std::string::npos);
    EXPECT_EQ(props.find("ShadowClr"), std::string::npos);

    // The combos and boxes moved to match; the shape buttons did not.
    EXPECT_EQ(document::ColorToString(form.BackgroundColors().GetSelectedColor()), document::GetPropValue("Color", props, ""));
    EXPECT_EQ(document::ColorToString(form.EdgeColors().GetSelectedColor()), document::GetPropValue("Edge", props, ""));
    EXPECT_EQ(form.cbx3D->isChecked(), document::YesNoToBool(document::GetPropValue("Draw3D", props, "")));
    EXPECT_EQ(form.cbxEdge->isChecked(), document::YesNoToBool(document::GetPropValue("EdgeDraw", props, "")));
    EXPECT_EQ(form.cclrEdge->isEnabled(), form.cbxEdge->isChecked());
    EXPECT_EQ(form.cclrHightlight->isEnabled(), form.cbx3D->isChecked());
    EXPECT_TRUE(form.rbEllipse->isChecked());
  }
  EXPECT_TRUE(sawShape[0] && sawShape[1] && sawShape[2]);
  // Editing a random background shows the earlier 3D colours and keeps them.
  form.SetProperties(form.RandomProperties());
  EXPECT_EQ(document::GetPropValue("Highlight", form.GetProperties(), ""), "clRed");
}

}  // namespace
}  // namespace vorbel::ui
