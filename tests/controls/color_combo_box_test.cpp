#include "controls/color_combo_box.h"

#include <QAbstractItemView>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QStyleOptionComboBox>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace vorbel::controls {
namespace {

using namespace base::literals;

std::vector<std::string> Names(const ColorComboBox& combo) {
  std::vector<std::string> names;
  for (int i = 0; i < combo.OtherColorIndex(); ++i) names.push_back(combo.itemText(i).toStdString());
  return names;
}

class ComboTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FillColorList(combo);
    combo.connect(&combo, &ColorComboBox::clicked, [this] { events.push_back("clicked"); });
    combo.connect(&combo, &ColorComboBox::changed, [this] { events.push_back("changed"); });
    combo.connect(&combo, &QComboBox::currentIndexChanged, [this] { events.push_back("index"); });
  }

  ColorComboBox combo;
  std::vector<std::string> events;
};

TEST_F(ComboTest, StartsAsAFixedDropDownListOfTheStandardColours) {
  ColorComboBox fresh;
  EXPECT_EQ(fresh.count(), 1);  // "Other colour…" alone
  EXPECT_EQ(fresh.ColorWidth(), 18);
  EXPECT_EQ(fresh.SortOrder(), document::ColorSortOrder::Unsorted);
  EXPECT_EQ(ColorComboBox::Version(), "1.00.00");
  EXPECT_FALSE(fresh.isEditable());
  EXPECT_EQ(fresh.maxVisibleItems(), 8);
  EXPECT_EQ(fresh.height(), 22);
  EXPECT_EQ(fresh.ItemHeight(), 16);
  EXPECT_EQ(fresh.GetSelectedColor(), base::Color{-1});

  ASSERT_EQ(combo.count(), 19);
  EXPECT_EQ(combo.itemText(0), "Aqua");
  EXPECT_EQ(combo.itemText(7), "Lime green");
  EXPECT_EQ(combo.itemText(17), "Yellow");
  EXPECT_EQ(combo.itemText(18), QStringLiteral("Other colour…"));
  EXPECT_EQ(combo.currentIndex(), -1);
  EXPECT_EQ(combo.GetSelectedColor(), base::Color{-1});
}

TEST_F(ComboTest, ProgramSelectionFollowsTheRulesSilently) {
  EXPECT_TRUE(combo.SelectColor(0x808000_color));
  EXPECT_EQ(combo.currentText(), "Teal");
  EXPECT_EQ(combo.GetSelectedColor(), 0x808000_color);

  // Shared values land on the first entry holding them.
  combo.SelectColor(0x808080_color);
  EXPECT_EQ(combo.currentText(), "Dark Gray");
  combo.SelectColor(0xC0C0C0_color);
  EXPECT_EQ(combo.currentText(), "Light Gray");

  // Unknown colours and names change nothing; names match case-sensitively.
  EXPECT_FALSE(combo.SelectColor(base::Color::System(0x0F)));
  EXPECT_FALSE(combo.SelectColor(0x123456_color));
  EXPECT_FALSE(combo.SelectColorName("red"));
  EXPECT_EQ(combo.currentText(), "Light Gray");
  EXPECT_EQ(combo.count(), 19);
  EXPECT_TRUE(combo.SelectColorName("Red"));
  EXPECT_EQ(combo.GetSelectedColor(), 0x0000FF_color);

  // Selections made through the list itself show in the box as well.
  combo.List().SelectColor(0xFFFFFF_color);
  EXPECT_EQ(combo.currentText(), "White");

  EXPECT_TRUE(events.empty()) << events.front();
}

TEST_F(ComboTest, UserPickRaisesClickThenChange) {
  combo.SelectColorName("Green");
  combo.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&combo));
  combo.setFocus();
  QTest::keyClick(&combo, Qt::Key_Down);
  EXPECT_EQ(combo.currentText(), "Lime green");
  EXPECT_EQ(combo.GetSelectedColor(), 0x00FF00_color);
  EXPECT_EQ(combo.List().ItemIndex(), 7);
  EXPECT_EQ(events, (std::vector<std::string>{"index", "clicked", "changed"}));

  // A pick in the open list.
  events.clear();
  combo.showPopup();
  QAbstractItemView* view = combo.view();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
  // The open list shows eight entries of 16 pixels and scrolls through the rest.
  EXPECT_GE(view->viewport()->height(), 8 * 16);
  EXPECT_LT(view->viewport()->height(), 9 * 16);
  view->scrollTo(view->model()->index(10, 0));
  const QRect navy = view->visualRect(view->model()->index(10, 0));
  // A narrow box scrolls its list sideways: the click goes to the visible part.
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(view->viewport()->width() / 2, navy.center().y()));
  EXPECT_EQ(combo.currentText(), "Navy blue");
  EXPECT_EQ(combo.GetSelectedColor(), 0x800000_color);
  EXPECT_EQ(events, (std::vector<std::string>{"index", "clicked", "changed"}));
}

// A colour the box does not hold gets an entry of its own and comes back
// unchanged; "Other colour…" asks for one, and stepping through the closed box
// never does.
TEST_F(ComboTest, KeepsEveryColourAndOffersOtherColours) {
  struct Given {
    base::Color color;
    const char* shown;
  };
  for (const Given& given : {Given{0x00336699_color, "$00336699"}, Given{base::Color::System(0x0F), "Button face"},
                             Given{0x1FFFFFFF_color, "None"}, Given{0x00FF0000_color, "Blue"}}) {
    combo.List().SelectOrAddColor(given.color);
    EXPECT_EQ(combo.currentText(), QString::fromUtf8(given.shown));
    EXPECT_EQ(combo.GetSelectedColor(), given.color);
  }
  EXPECT_EQ(combo.count(), 18 + 3 + 1);
  EXPECT_EQ(combo.itemText(combo.count() - 1), QStringLiteral("Other colour…"));
  EXPECT_TRUE(events.empty());

  std::vector<QColor> asked;
  std::optional<QColor> answer = QColor(0x11, 0x22, 0x33);
  ColorComboBox::SetColorChooser([&](QWidget*, const QColor& initial) {
    asked.push_back(initial);
    return answer;
  });
  combo.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&combo));
  combo.showPopup();
  QAbstractItemView* view = combo.view();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
  view->scrollTo(view->model()->index(combo.OtherColorIndex(), 0));
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                    QPoint(view->viewport()->width() / 2,
                           view->visualRect(view->model()->index(combo.OtherColorIndex(), 0)).center().y()));
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0], QColor(Qt::blue));
  EXPECT_EQ(combo.GetSelectedColor(), base::Color::FromRgb(0x11, 0x22, 0x33));
  EXPECT_EQ(combo.currentText(), QStringLiteral("$00332211"));
  EXPECT_EQ(events.back(), "changed");

  // Cancelled: the selection stays.
  events.clear();
  answer.reset();
  combo.ChooseOtherColor();
  EXPECT_EQ(combo.GetSelectedColor(), base::Color::FromRgb(0x11, 0x22, 0x33));
  EXPECT_TRUE(events.empty());

  // The Down key on the last colour stays there.
  combo.setFocus();
  QTest::keyClick(&combo, Qt::Key_Down);
  EXPECT_EQ(asked.size(), 2u);
  EXPECT_EQ(combo.GetSelectedColor(), base::Color::FromRgb(0x11, 0x22, 0x33));
  EXPECT_EQ(combo.currentIndex(), combo.List().ItemIndex());
  ColorComboBox::SetColorChooser({});
}

TEST_F(ComboTest, ColorWidthRefusesValuesBelowFive) {
  combo.SetColorWidth(4);
  EXPECT_EQ(combo.ColorWidth(), 18);
  combo.SetColorWidth(5);
  EXPECT_EQ(combo.ColorWidth(), 5);
}

TEST_F(ComboTest, SortingReordersAndKeepsTheSelectedColour) {
  combo.SelectColorName("Gray");  // 808080, second of the pair
  combo.SetSortOrder(document::ColorSortOrder::Color);
  EXPECT_EQ(Names(combo), (std::vector<std::string>{"Black", "Maroon", "Red", "Green", "Olive green", "Lime green",
                                                    "Yellow", "Navy blue", "Purple", "Teal", "Dark Gray", "Gray",
                                                    "Light Gray", "Silver", "Blue", "Fuchsia", "Aqua", "White"}));
  EXPECT_EQ(combo.currentText(), "Dark Gray");  // the first entry with that colour now
  EXPECT_EQ(combo.GetSelectedColor(), 0x808080_color);

  combo.SetSortOrder(document::ColorSortOrder::Unsorted);
  EXPECT_EQ(combo.itemText(0), "Black");
  combo.AddColor("Zero", 0_color);
  EXPECT_EQ(combo.itemText(18), "Zero");
  EXPECT_TRUE(events.empty());
}

TEST_F(ComboTest, CopiesAnotherCombosEntries) {
  combo.SelectColorName("Teal");
  ColorComboBox copy;
  copy.AddColor("Old", 1_color);
  copy.AssignEntries(combo);
  EXPECT_EQ(Names(copy), Names(combo));
  EXPECT_EQ(copy.GetSelectedColor(), base::Color{-1});
  EXPECT_TRUE(copy.SelectColor(0x808000_color));
  EXPECT_EQ(copy.currentText(), "Teal");
  // Entries keep their colours with their names.
  EXPECT_EQ(copy.itemText(15), "Teal");
  EXPECT_EQ(copy.itemData(15).toInt(), 0x808000);

  combo.List().Clear();
  EXPECT_EQ(combo.OtherColorIndex(), 0);
  EXPECT_EQ(combo.currentIndex(), -1);
  EXPECT_EQ(combo.GetSelectedColor(), base::Color{-1});
}

// Renders one entry as the list draws it on a white ground with a navy
// highlight and returns the picture.
QImage RenderEntry(const QString& name, base::Color color, bool selected, int colorWidth = 18) {
  QImage image(120, 16, QImage::Format_RGB32);
  image.fill(Qt::magenta);
  QPalette palette;
  palette.setColor(QPalette::Base, Qt::white);
  palette.setColor(QPalette::Text, Qt::black);
  palette.setColor(QPalette::Highlight, QColor(0, 0, 128));
  palette.setColor(QPalette::HighlightedText, Qt::white);
  QPainter painter(&image);
  DrawColorEntry(painter, QRect(0, 0, 120, 16), name, color, selected, colorWidth, 16, palette, QFont());
  return image;
}

std::string Grid(const QImage& image, int width) {
  std::string out;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < width; ++x) {
      const QRgb p = image.pixel(x, y);
      out += p == qRgb(0, 0, 0) ? '#' : p == qRgb(255, 255, 255) ? '.' : p == qRgb(255, 0, 0) ? 'r' : '?';
    }
    out += '\n';
  }
  return out;
}

TEST(DrawColorEntry, SwatchFrameAndFillSitWhereTheListDrawsThem) {
  const QImage image = RenderEntry("", 0x0000FF_color, false);  // red, no text
  // Frame from (1,1) to (16,14) inclusive: (Left+1, Top+1) to (Left+W-1, Top+H-1) exclusive.
  const std::string expected_row_frame = ".################...";
  const std::string expected_row_fill = ".#rrrrrrrrrrrrrr#...";
  const std::string grid = Grid(image, 20);
  std::string expected = std::string(20, '.') + "\n" + expected_row_frame + "\n";
  for (int y = 2; y <= 13; ++y) expected += expected_row_fill + "\n";
  expected += expected_row_frame + "\n" + std::string(20, '.') + "\n";
  EXPECT_EQ(grid, expected) << grid;

  // A narrower swatch follows ColorWidth; the swatch height follows the item height.
  const QImage narrow = RenderEntry("", 0x0000FF_color, false, 5);
  EXPECT_EQ(narrow.pixel(3, 1), qRgb(0, 0, 0));
  EXPECT_EQ(narrow.pixel(2, 2), qRgb(255, 0, 0));
  EXPECT_EQ(narrow.pixel(4, 1), qRgb(255, 255, 255));
}

TEST(DrawColorEntry, SelectedEntryUsesTheHighlightColours) {
  const QImage image = RenderEntry("Red", 0x0000FF_color, true);
  const QRgb navy = qRgb(0, 0, 128);
  EXPECT_EQ(image.pixel(0, 0), navy);
  EXPECT_EQ(image.pixel(17, 8), navy);
  EXPECT_EQ(image.pixel(119, 15), navy);
  EXPECT_EQ(image.pixel(1, 1), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(8, 8), qRgb(255, 0, 0));
  // The text is drawn in the highlight-text colour, from x = 22 on.
  bool white_text = false;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 120; ++x) {
      const QRgb p = image.pixel(x, y);
      if (x >= 18 && x < 22) {
        EXPECT_EQ(p, navy) << x << "," << y;
      }
      if (x >= 22 && qRed(p) > 200 && qBlue(p) > 200) white_text = true;
    }
  }
  EXPECT_TRUE(white_text);
}

// Columns holding any pixel that is not background, from x = 22 on.
std::vector<int> InkColumns(const QImage& image, int& inkPixels) {
  std::vector<int> columns;
  inkPixels = 0;
  for (int x = 22; x < image.width(); ++x) {
    bool ink = false;
    for (int y = 0; y < image.height(); ++y) {
      if (image.pixel(x, y) != qRgb(255, 255, 255)) {
        ink = true;
        ++inkPixels;
      }
    }
    if (ink) columns.push_back(x);
  }
  return columns;
}

TEST(DrawColorEntry, AmpersandUnderlinesTheNextCharacter) {
  int plain_ink = 0, marked_ink = 0;
  const std::vector<int> plain = InkColumns(RenderEntry("R", 0_color, false), plain_ink);
  const std::vector<int> marked = InkColumns(RenderEntry("&R", 0_color, false), marked_ink);
  ASSERT_FALSE(plain.empty());
  // The "&" itself is not drawn; the "R" gains an underline.
  EXPECT_LE(marked.front(), plain.front());  // the underline may start at the advance
  EXPECT_LE(marked.back(), plain.back() + 1);
  EXPECT_GT(marked_ink, plain_ink);
}

TEST_F(ComboTest, ClosedBoxShowsTheSelectedSwatch) {
  combo.resize(156, 22);
  combo.SelectColorName("Red");
  const QImage shot = combo.grab().toImage();
  QStyleOptionComboBox option;
  option.initFrom(&combo);
  option.editable = false;
  const QRect field = combo.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &combo);
  const qreal scale = shot.devicePixelRatio();
  const QPoint inside(static_cast<int>((field.left() + 8) * scale), static_cast<int>((field.top() + 8) * scale));
  EXPECT_EQ(shot.pixelColor(inside), QColor(255, 0, 0));

  // With nothing selected the field shows no swatch.
  combo.List().SetItemIndex(-1);
  EXPECT_NE(combo.grab().toImage().pixelColor(inside), QColor(255, 0, 0));
}

}  // namespace
}  // namespace vorbel::controls
