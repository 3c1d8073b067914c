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

#include "controls/color_combo_box.h"
#include "controls/spin_edit.h"
#include "document/conversion_error.h"
#include "document/property_string.h"
#include "document/random.h"
#include "document/value_conversion.h"
#include "find_child.h"
#include "scripted_dialogs.h"
#include "ui/background_layer_dialog.h"
#include "ui/picture_chooser.h"

namespace vorbel::ui {
namespace {

using test::Child;

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
      list.SetItemIndex(i, document::SelectionSource::User);
      return;
    }
  }
  FAIL() << "no entry " << name;
}

class BackgroundLayerDialogTest : public ::testing::Test {
 protected:
  BackgroundLayerDialog form;
  test::ScriptedDialogs dialogs;
};

TEST_F(BackgroundLayerDialogTest, FirstUse) {
  EXPECT_EQ(form.windowTitle(), "Background");
  EXPECT_EQ(form.GetProperties(), kFirstUse);
  ASSERT_EQ(Child<QTabWidget>(form, "pages")->count(), 4);
  EXPECT_EQ(Child<QTabWidget>(form, "pages")->tabText(0), "Settings");
  EXPECT_EQ(Child<QTabWidget>(form, "pages")->tabText(1), "Image");
  EXPECT_EQ(Child<QTabWidget>(form, "pages")->tabText(2), "Shape");
  EXPECT_EQ(Child<QTabWidget>(form, "pages")->tabText(3), "3D Colors");
  EXPECT_EQ(Child<QTabWidget>(form, "pages")->currentWidget(), Child<QWidget>(form, "settingsPage"));
  EXPECT_EQ(SelectedName(form.BackgroundColors()), "Light Gray");
  EXPECT_EQ(SelectedName(form.ShadowColors()), "Dark Gray");
  EXPECT_EQ(form.BackgroundColors().Count(), 18);
  EXPECT_EQ(form.EdgeColors().Entries(), form.BackgroundColors().Entries());

  // No shape chosen yet; the corner size waits, disabled, at 20.
  EXPECT_FALSE(Child<QRadioButton>(form, "noShapeButton")->isChecked() ||
               Child<QRadioButton>(form, "ellipseButton")->isChecked() ||
               Child<QRadioButton>(form, "roundRectButton")->isChecked());
  EXPECT_FALSE(Child<controls::SpinEdit>(form, "cornerEdit")->isEnabled());
  EXPECT_EQ(Child<controls::SpinEdit>(form, "cornerEdit")->Text(), "20");
  // The edge colour waits for its box; the 3D colours start enabled although
  // "3D drawing" is unticked, until the box changes for the first time.
  EXPECT_FALSE(Child<controls::ColorComboBox>(form, "edgeCombo")->isEnabled());
  EXPECT_FALSE(Child<QCheckBox>(form, "shadingBox")->isChecked());
  EXPECT_TRUE(Child<controls::ColorComboBox>(form, "highlightCombo")->isEnabled());
  EXPECT_TRUE(Child<controls::ColorComboBox>(form, "shadowCombo")->isEnabled());
  Child<QCheckBox>(form, "shadingBox")->setChecked(true);
  Child<QCheckBox>(form, "shadingBox")->setChecked(false);
  EXPECT_FALSE(Child<controls::ColorComboBox>(form, "highlightCombo")->isEnabled());
  EXPECT_FALSE(Child<controls::ColorComboBox>(form, "shadowCombo")->isEnabled());

  // A round rectangle chosen before any load keeps the initial corner size.
  Child<QRadioButton>(form, "roundRectButton")->setChecked(true);
  EXPECT_TRUE(Child<controls::SpinEdit>(form, "cornerEdit")->isEnabled());
  EXPECT_EQ(document::GetPropValue("Seed", form.GetProperties(), ""), "20");
}

TEST_F(BackgroundLayerDialogTest, RoundTripOfEveryKey) {
  const std::string props =
      "Color=clNavy;Image=/pictures/sky.jpg;Stretch=No;Transparent=Yes;Shape=RoundRect;Seed=14;EdgeDraw=Yes;"
      "Edge=clRed;Draw3D=Yes;Highlight=clAqua;ShadowClr=clMaroon;";
  form.SetProperties(props);
  EXPECT_EQ(form.GetProperties(), props);
  EXPECT_TRUE(Child<QRadioButton>(form, "roundRectButton")->isChecked());
  EXPECT_TRUE(Child<controls::SpinEdit>(form, "cornerEdit")->isEnabled());
  EXPECT_TRUE(Child<controls::ColorComboBox>(form, "edgeCombo")->isEnabled());
  EXPECT_TRUE(Child<controls::ColorComboBox>(form, "highlightCombo")->isEnabled());

  const std::string other =
      "Color=clYellow;Image=;Stretch=Yes;Transparent=No;Shape=Ellipse;EdgeDraw=No;Edge=clTeal;Draw3D=No;"
      "Highlight=clLime;ShadowClr=clPurple;";
  form.SetProperties(other);
  EXPECT_EQ(form.GetProperties(), other);
  EXPECT_FALSE(Child<controls::ColorComboBox>(form, "edgeCombo")->isEnabled());
  EXPECT_FALSE(Child<controls::ColorComboBox>(form, "highlightCombo")->isEnabled());
  EXPECT_FALSE(Child<controls::ColorComboBox>(form, "shadowCombo")->isEnabled());

  // Keys in any letter case, flags by their "y", colours as numbers.
  form.SetProperties("color=255;STRETCH=maybe;edgedraw=y;shape=ellipse;Draw3D=on;");
  EXPECT_EQ(SelectedName(form.BackgroundColors()), "Red");
  EXPECT_TRUE(Child<QCheckBox>(form, "stretchBox")->isChecked());
  EXPECT_TRUE(Child<QCheckBox>(form, "edgeBox")->isChecked());
  EXPECT_TRUE(Child<QRadioButton>(form, "ellipseButton")->isChecked());
  EXPECT_FALSE(Child<QCheckBox>(form, "shadingBox")->isChecked());
}

TEST_F(BackgroundLayerDialogTest, ShapesAndCornerSize) {
  form.SetProperties("Shape=Ellipse;");
  EXPECT_TRUE(Child<QRadioButton>(form, "ellipseButton")->isChecked());
  EXPECT_EQ(Child<controls::SpinEdit>(form, "cornerEdit")->Text(), "0");
  EXPECT_FALSE(Child<controls::SpinEdit>(form, "cornerEdit")->isEnabled());
  Child<QRadioButton>(form, "roundRectButton")->setChecked(true);
  EXPECT_TRUE(Child<controls::SpinEdit>(form, "cornerEdit")->isEnabled());
  EXPECT_NE(form.GetProperties().find("Shape=RoundRect;Seed=0;EdgeDraw="), std::string::npos);

  struct Case {
    const char* props;
    const char* checked;  // the shape button that is down
    const char* corner;
  };
  const Case cases[] = {
      {"Shape=RoundRect;", "roundRectButton", "20"},
      {"Shape=RoundRect;Seed=;", "roundRectButton", "20"},
      {"Shape=roundrect;Seed=$10;", "roundRectButton", "16"},
      {"Shape=Round;Seed=5;", "noShapeButton", "0"},
      {"Shape=Ellipse ;", "noShapeButton", "0"},
      {"Seed=5;", "noShapeButton", "0"},
      {"Shape=ELLIPSE;", "ellipseButton", "0"},
  };
  for (const Case& c : cases) {
    form.SetProperties(c.props);
    EXPECT_TRUE(Child<QRadioButton>(form, c.checked)->isChecked()) << c.props;
    EXPECT_EQ(Child<controls::SpinEdit>(form, "cornerEdit")->Text(), c.corner) << c.props;
    EXPECT_EQ(Child<controls::SpinEdit>(form, "cornerEdit")->isEnabled(),
              Child<QRadioButton>(form, "roundRectButton")->isChecked())
        << c.props;
  }

  // An emptied corner size is written empty and reads back as 20.
  form.SetProperties("Shape=RoundRect;Seed=7;");
  Child<controls::SpinEdit>(form, "cornerEdit")->SetText("");
  const std::string props = form.GetProperties();
  EXPECT_NE(props.find("Shape=RoundRect;Seed=;"), std::string::npos);
  form.SetProperties(props);
  EXPECT_EQ(Child<controls::SpinEdit>(form, "cornerEdit")->Text(), "20");
}

TEST_F(BackgroundLayerDialogTest, ConversionErrorStopsTheLoadWhereItHappens) {
  form.SetProperties("Color=clRed;EdgeDraw=No;Edge=clBlue;Draw3D=No;Highlight=clLime;");
  try {
    form.SetProperties("Color=clNavy;Image=new.bmp;Shape=RoundRect;Seed=abc;EdgeDraw=Yes;Edge=clYellow;Draw3D=Yes;");
    FAIL() << "no conversion error";
  } catch (const document::ConversionError& error) {
    EXPECT_STREQ(error.what(), "'abc' is not a valid integer value");
  }
  // Loaded before the corner size ...
  EXPECT_EQ(SelectedName(form.BackgroundColors()), "Navy blue");
  EXPECT_EQ(Child<QLineEdit>(form, "imageEdit")->text(), "new.bmp");
  EXPECT_TRUE(Child<QRadioButton>(form, "roundRectButton")->isChecked());
  // ... and untouched after it.
  EXPECT_FALSE(Child<QCheckBox>(form, "edgeBox")->isChecked());
  EXPECT_EQ(SelectedName(form.EdgeColors()), "Blue");
  EXPECT_FALSE(Child<QCheckBox>(form, "shadingBox")->isChecked());
  EXPECT_EQ(SelectedName(form.HighlightColors()), "Lime green");

  EXPECT_THROW(form.SetProperties("Color=red;"), document::ConversionError);
  EXPECT_THROW(form.SetProperties("ShadowClr= clRed;"), document::ConversionError);
}

// A colour outside the list, the button face a missing Color stands for
// among them, gets an entry and comes back unchanged.
TEST_F(BackgroundLayerDialogTest, ColoursOutsideTheListGetAnEntryAndComeBackUnchanged) {
  form.SetProperties("Color=clRed;Highlight=clYellow;");
  form.SetProperties("Image=;");
  EXPECT_EQ(SelectedName(form.BackgroundColors()), "Button face");
  EXPECT_EQ(SelectedName(form.HighlightColors()), "Button highlight");
  EXPECT_EQ(document::GetPropValue("Color", form.GetProperties(), ""), "clBtnFace");
  form.SetProperties("Color=$00123456;");
  EXPECT_EQ(SelectedName(form.BackgroundColors()), "$00123456");
  EXPECT_EQ(document::GetPropValue("Color", form.GetProperties(), ""), "$00123456");
  form.SetProperties("Color=clBtnFace;");
  EXPECT_EQ(form.BackgroundColors().Count(), 18 + 2);  // no second entry for a colour it holds

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

TEST_F(BackgroundLayerDialogTest, WritesEveryKeyWhateverTheBoxesSay) {
  form.SetProperties("EdgeDraw=No;Edge=clFuchsia;Draw3D=No;Highlight=clTeal;ShadowClr=clOlive;Image=a.bmp;");
  const std::string props = form.GetProperties();
  EXPECT_NE(props.find("EdgeDraw=No;Edge=clFuchsia;"), std::string::npos);
  EXPECT_NE(props.find("Draw3D=No;Highlight=clTeal;ShadowClr=clOlive;"), std::string::npos);
  EXPECT_NE(props.find("Image=a.bmp;"), std::string::npos);

  // "Clear background" empties the path only.
  Child<QCheckBox>(form, "stretchBox")->setChecked(false);
  QTest::mouseClick(Child<QPushButton>(form, "clearImageButton"), Qt::LeftButton);
  EXPECT_EQ(Child<QLineEdit>(form, "imageEdit")->text(), "");
  EXPECT_FALSE(Child<QCheckBox>(form, "stretchBox")->isChecked());
  EXPECT_NE(form.GetProperties().find("Image=;Stretch=No;"), std::string::npos);
}

TEST_F(BackgroundLayerDialogTest, PictureChooserStartsAtThePictureOrInTextures) {
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
  dialogs.on_exec = [&](QDialog& dialog) {
    auto& picker = dynamic_cast<PictureChooser&>(dialog);
    startFolder = picker.directory().absolutePath();
    startFiles = picker.selectedFiles();
    return static_cast<int>(QDialog::Rejected);
  };

  // An existing picture: its folder, its name.
  Child<QLineEdit>(form, "imageEdit")->setText(picture);
  form.ChooseImage();
  EXPECT_EQ(startFolder, QFileInfo(picture).absolutePath());
  ASSERT_FALSE(startFiles.isEmpty());
  EXPECT_EQ(startFiles.front(), picture);
  EXPECT_EQ(Child<QLineEdit>(form, "imageEdit")->text(), picture);  // cancelled: unchanged

  // No such file: the Textures folder beside the program.
  Child<QLineEdit>(form, "imageEdit")->setText(dir.filePath("pictures/gone.bmp"));
  form.ChooseImage();
  EXPECT_EQ(startFolder, QDir::cleanPath(dir.filePath("program/Textures")));

  // No Textures folder either: where the chooser was left.
  form.SetDataFolders(dir.filePath("pictures"), dir.filePath("nothing"));
  Child<QLineEdit>(form, "imageEdit")->clear();
  form.ChooseImage();
  EXPECT_EQ(startFolder, QDir::cleanPath(dir.filePath("program/Textures")));

  // Confirming takes the chosen path.
  dialogs.on_exec = [&](QDialog& dialog) {
    dynamic_cast<PictureChooser&>(dialog).selectFile(picture);
    return static_cast<int>(QDialog::Accepted);
  };
  form.ChooseImage();
  EXPECT_EQ(Child<QLineEdit>(form, "imageEdit")->text(), picture);
}

TEST_F(BackgroundLayerDialogTest, RandomBackgrounds) {
  Child<QLineEdit>(form, "imageEdit")->setText("kept.jpg");
  Child<QCheckBox>(form, "stretchBox")->setChecked(false);
  Child<QCheckBox>(form, "transparentBox")->setChecked(true);
  form.SetProperties("Shape=Ellipse;Image=kept.jpg;Stretch=No;Transparent=Yes;Highlight=clRed;");
  bool sawShape[3] = {false, false, false};
  for (std::uint32_t seed = 1; seed <= 60; ++seed) {
    document::SeedRandom(seed);
    const std::string props = form.RandomProperties();
    // Keys in their order; no 3D colours.
    const std::string head =
        "Color=" + document::GetPropValue("Color", props, "") + ";Image=kept.jpg;Stretch=No;Transparent=Yes;";
    ASSERT_EQ(props.rfind(head, 0), 0u) << props;
    const std::string shape = document::GetPropValue("Shape", props, "");
    const std::string tail = "Draw3D=" + document::GetPropValue("Draw3D", props, "") +
                             ";EdgeDraw=" + document::GetPropValue("EdgeDraw", props, "") +
                             ";Edge=" + document::GetPropValue("Edge", props, "") + ";";
    const std::string middle = shape == "RoundRect" ? "Shape=RoundRect;Seed=20;" : "Shape=" + shape + ";";
    EXPECT_EQ(props, head + middle + tail);
    sawShape[shape == "None" ? 0 : shape == "Ellipse" ? 1 : 2] = true;
    EXPECT_EQ(props.find("Highlight"), std::string::npos);
    EXPECT_EQ(props.find("ShadowClr"), std::string::npos);

    // The combos and boxes moved to match; the shape buttons did not.
    EXPECT_EQ(document::ColorToString(form.BackgroundColors().GetSelectedColor()),
              document::GetPropValue("Color", props, ""));
    EXPECT_EQ(document::ColorToString(form.EdgeColors().GetSelectedColor()), document::GetPropValue("Edge", props, ""));
    EXPECT_EQ(Child<QCheckBox>(form, "shadingBox")->isChecked(),
              document::YesNoToBool(document::GetPropValue("Draw3D", props, "")));
    EXPECT_EQ(Child<QCheckBox>(form, "edgeBox")->isChecked(),
              document::YesNoToBool(document::GetPropValue("EdgeDraw", props, "")));
    EXPECT_EQ(Child<controls::ColorComboBox>(form, "edgeCombo")->isEnabled(),
              Child<QCheckBox>(form, "edgeBox")->isChecked());
    EXPECT_EQ(Child<controls::ColorComboBox>(form, "highlightCombo")->isEnabled(),
              Child<QCheckBox>(form, "shadingBox")->isChecked());
    EXPECT_TRUE(Child<QRadioButton>(form, "ellipseButton")->isChecked());
  }
  EXPECT_TRUE(sawShape[0] && sawShape[1] && sawShape[2]);
  // A random background without 3D colours shows those it is drawn with.
  form.SetProperties(form.RandomProperties());
  EXPECT_EQ(document::GetPropValue("Highlight", form.GetProperties(), ""), "clBtnHighlight");
}

}  // namespace
}  // namespace vorbel::ui
