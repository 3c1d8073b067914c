// What every window shows whatever the font, the language and the screen:
// texts that fit their controls, a keyboard order that follows the controls,
// a name for every control a screen reader reaches, and pictures that stay
// sharp on high-density screens.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "controls/spin_edit.h"
#include "document/button_document.h"
#include "document/layer_row.h"
#include "find_child.h"
#include "gdi/bitmap.h"
#include "ui/background_layer_dialog.h"
#include "ui/bevel_layer_dialog.h"
#include "ui/export_set_dialog.h"
#include "ui/help_viewer.h"
#include "ui/image_layer_dialog.h"
#include "ui/layer_type_dialog.h"
#include "ui/main_window.h"
#include "ui/offset_prompt.h"
#include "ui/picture_chooser.h"
#include "ui/preview_box.h"
#include "ui/splash_window.h"
#include "ui/text_layer_dialog.h"

namespace vorbel::ui {
namespace {

using test::Child;

// Every text of the program twice over, as long as German and longer.
class LongTexts final : public QTranslator {
 public:
  QString translate(const char* context, const char* source, const char* /*disambiguation*/, int /*n*/) const override {
    if (context == nullptr || source == nullptr || std::strncmp(context, "vorbel::", 8) != 0) return {};
    const QString text = QString::fromUtf8(source);
    return text + u' ' + text;
  }
  bool isEmpty() const override { return false; }
};

const document::ButtonDocument& SetLayout() {
  static const auto* doc = [] {
    auto* d = new document::ButtonDocument;
    d->SetWidth(40);
    d->SetHeight(18);
    d->AppendRow(document::LayerRow::Make("Background", "Color=clTeal;"));
    d->AppendRow(document::LayerRow::Make("Text", "Text=Go;FontFace=DejaVu Sans;FontSize=8;Align=5;"));
    return d;
  }();
  return *doc;
}

MainWindowOptions QuietOptions() {
  static QTemporaryDir folder;
  static int count = 0;
  MainWindowOptions options;
  options.settings_file = folder.filePath(QStringLiteral("settings%1.conf").arg(++count));
  options.register_file_type = false;
  options.working_directory = QStringLiteral("/nonexistent-working-folder");
  options.program_directory = QStringLiteral("/nonexistent-program-folder");
  options.shared_data_directory = QStringLiteral("/nonexistent-share-folder");
  return options;
}

struct Window {
  const char* name;
  std::function<std::unique_ptr<QWidget>()> make;
};

// Every window of the program, made fresh in the font and language at hand.
std::vector<Window> Windows() {
  return {
      {"main window", [] { return std::make_unique<MainWindow>(QuietOptions()); }},
      {"background", [] { return std::make_unique<BackgroundLayerDialog>(); }},
      {"text", [] { return std::make_unique<TextLayerDialog>(); }},
      {"bevel", [] { return std::make_unique<BevelLayerDialog>(); }},
      {"image", [] { return std::make_unique<ImageLayerDialog>(); }},
      {"new layer", [] { return std::make_unique<LayerTypeDialog>(); }},
      {"offset", [] { return std::make_unique<OffsetPrompt>(); }},
      {"set", [] { return std::make_unique<ExportSetDialog>(SetLayout()); }},
      {"picture chooser", [] { return std::make_unique<PictureChooser>(); }},
      {"about", [] { return std::make_unique<SplashWindow>(nullptr); }},
      {"help",
       [] {
         auto viewer = std::make_unique<HelpViewer>();
         viewer->LoadFile(QStringLiteral(VORBEL_TEST_DATA "/../../resources/help/vorbelkit.hlp"));
         return viewer;
       }},
  };
}

// Shows the window and calls `check` once for each page of each of its tab
// widgets (once when it has none), with that page up.
void OnEveryPage(QWidget& window, const std::function<void()>& check) {
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const QList<QTabWidget*> tabs = window.findChildren<QTabWidget*>();
  if (tabs.isEmpty()) check();
  for (QTabWidget* pages : tabs) {
    for (int i = 0; i < pages->count(); ++i) {
      pages->setCurrentIndex(i);
      QApplication::processEvents();
      check();
    }
  }
}

// The labels and buttons of `window` on show whose text does not fit: less
// room than their size hint asks, or reaching out of the window.
QStringList Clipped(QWidget& window) {
  QStringList clipped;
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    auto* label = qobject_cast<QLabel*>(widget);
    auto* button = qobject_cast<QAbstractButton*>(widget);
    if ((label == nullptr || label->text().isEmpty()) && (button == nullptr || button->text().isEmpty())) continue;
    if (!widget->isVisible() || widget->window() != &window) continue;
    QSize needed = widget->sizeHint();
    if (label != nullptr && label->wordWrap()) needed = {0, label->heightForWidth(widget->width())};
    const QRect inWindow(widget->mapTo(&window, QPoint(0, 0)), widget->size());
    if (widget->width() < needed.width() || widget->height() < needed.height() || !window.rect().contains(inWindow)) {
      clipped << QStringLiteral("%1 \"%2\" %3x%4, needs %5x%6")
                     .arg(widget->objectName(), label != nullptr ? label->text() : button->text())
                     .arg(widget->width())
                     .arg(widget->height())
                     .arg(needed.width())
                     .arg(needed.height());
    }
  }
  return clipped;
}

TEST(WindowFit, NoTextIsClippedInLargeFontsOrLongLanguages) {
  const QFont standard = QApplication::font();
  QFont large = standard;
  large.setPointSizeF(standard.pointSizeF() * 2);
  struct Case {
    const char* what;
    QFont font;
    bool long_texts;
  };
  for (const Case& c : {Case{"standard", standard, false}, Case{"large font", large, false},
                        Case{"long texts", standard, true}, Case{"both", large, true}}) {
    QApplication::setFont(c.font);
    LongTexts translator;
    if (c.long_texts) QCoreApplication::installTranslator(&translator);
    for (const Window& w : Windows()) {
      std::unique_ptr<QWidget> window = w.make();
      OnEveryPage(*window,
                  [&] { EXPECT_EQ(Clipped(*window).join(u'\n').toStdString(), "") << c.what << ", " << w.name; });
      window->hide();
    }
    QCoreApplication::removeTranslator(&translator);
  }
  QApplication::setFont(standard);
}

// The controls of the current page that Tab reaches from the first, in order.
QStringList TabOrder(QWidget& page) {
  QStringList names;
  QWidget* first = page.nextInFocusChain();
  for (QWidget* w = first; names.size() < 50; w = w->nextInFocusChain()) {
    if (page.isAncestorOf(w) && w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) != 0 &&
        w->focusProxy() == nullptr) {
      names << w->objectName();
    }
    if (w->nextInFocusChain() == first) break;
  }
  return names;
}

TEST(WindowFit, TabFollowsTheControlsOfEachPage) {
  struct Case {
    const char* window;
    const char* page;
    QStringList order;
  };
  const std::vector<Case> cases = {
      {"bevel", nullptr, {"highlightCombo", "shadowCombo", "penWidthEdit", "okButton", "cancelButton"}},
      {"image", nullptr, {"imageEdit", "chooseImageButton", "transparentBox", "okButton", "cancelButton"}},
      {"background", "settingsPage", {"backgroundCombo", "transparentBox", "edgeBox"}},
      {"background", "imagePage", {"imageEdit", "chooseImageButton", "clearImageButton", "stretchBox"}},
      {"background", "shapePage", {"noShapeButton", "ellipseButton", "roundRectButton"}},
      {"background", "shadingPage", {"shadingBox", "highlightCombo", "shadowCombo"}},
      {"text",
       "textPage",
       {"captionEdit", "fontCombo", "fontSizeEdit", "angleEdit", "colorCombo", "alignTopLeft", "alignTop",
        "alignTopRight", "alignLeft", "alignCentre", "alignRight", "alignBottomLeft", "alignBottom",
        "alignBottomRight"}},
      {"text",
       "effectsPage",
       {"shadowBox", "shadowOffsetEdit", "shadowCombo", "outlineBox", "outlineCombo", "gradientBox",
        "gradientStartCombo", "gradientEndCombo"}},
      {"main window",
       "buttonPage",
       {"heightEdit", "widthEdit", "workAreaCombo", "borderBox", "transparencyCombo", "smoothBox", "matteCombo"}},
  };
  for (const Case& c : cases) {
    for (const Window& w : Windows()) {
      if (std::strcmp(w.name, c.window) != 0) continue;
      std::unique_ptr<QWidget> window = w.make();
      window->show();
      ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
      QWidget* page = window.get();
      if (c.page != nullptr) {
        page = Child<QWidget>(*window, c.page);
        auto* pages = qobject_cast<QTabWidget*>(page->parentWidget()->parentWidget());
        ASSERT_NE(pages, nullptr);
        pages->setCurrentWidget(page);
        QApplication::processEvents();
      }
      EXPECT_EQ(TabOrder(*page), c.order) << c.window << " " << (c.page != nullptr ? c.page : "");
    }
  }
}

// The controls under `node` that the Tab key reaches and a screen reader
// would announce without a name.
void FindUnnamed(QAccessibleInterface* node, QStringList& unnamed, int depth = 0) {
  if (node == nullptr || depth > 64) return;
  const QAccessible::State state = node->state();
  auto* widget = qobject_cast<QWidget*>(node->object());
  if (widget != nullptr && (widget->focusPolicy() & Qt::TabFocus) != 0 && state.focusable && !state.invisible &&
      node->text(QAccessible::Name).trimmed().isEmpty()) {
    unnamed << QStringLiteral("%1 (%2)").arg(node->object()->objectName(), node->object()->metaObject()->className());
  }
  for (int i = 0; i < node->childCount(); ++i) FindUnnamed(node->child(i), unnamed, depth + 1);
}

TEST(WindowFit, EveryControlAScreenReaderReachesHasAName) {
  for (const Window& w : Windows()) {
    std::unique_ptr<QWidget> window = w.make();
    OnEveryPage(*window, [&] {
      QStringList unnamed;
      FindUnnamed(QAccessible::queryAccessibleInterface(window.get()), unnamed);
      EXPECT_EQ(unnamed.join(u',').toStdString(), "") << w.name;
    });
    window->hide();
  }
  // The alignment pad's positions speak as places, not as their captions.
  TextLayerDialog text;
  EXPECT_EQ(Child<QWidget>(text, "alignTopLeft")->accessibleName(), QStringLiteral("Top left"));
  EXPECT_EQ(Child<QWidget>(text, "alignBottomRight")->accessibleName(), QStringLiteral("Bottom right"));
}

TEST(WindowFit, ThePreviewDescribesTheButtonItShows) {
  MainWindow form(QuietOptions());
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  form.Document().SetWidth(110);
  form.Document().SetHeight(28);
  for (const char* type : {"Background", "Bevel", "Text"}) {
    form.Document().AppendRow(document::LayerRow::Make(type, ""));
  }
  form.Refresh();
  QWidget* panel = Child<QWidget>(form, "previewPanel");
  EXPECT_EQ(panel->accessibleDescription(), QStringLiteral("Button preview, 110 by 28 pixels, 3 layers"));
  form.Document().SetWidth(64);
  form.Refresh();
  EXPECT_EQ(panel->accessibleDescription(), QStringLiteral("Button preview, 64 by 28 pixels, 3 layers"));
}

// On a screen of 1.5 or 2 device pixels to the window pixel each pixel of
// the button is a sharp 2 x 2 square, never a blend of its neighbours.
TEST(WindowFit, PicturesStaySharpOnHighDensityScreens) {
  gdi::Bitmap stripes(4, 2);
  for (int x = 0; x < 4; ++x) {
    for (int y = 0; y < 2; ++y) stripes.SetPixel(x, y, base::Pixel(x % 2 == 0 ? 0x000000u : 0xFFFFFFu));
  }
  for (const qreal ratio : {1.0, 1.5, 2.0}) {
    PreviewBox box;
    box.SetPicture(stripes);
    const int scale = WholeDeviceScale(ratio);
    QImage screen(4 * scale, 2 * scale, QImage::Format_RGB32);
    screen.setDevicePixelRatio(ratio);
    screen.fill(Qt::red);
    box.render(&screen);
    // What the box covers on that screen.
    const int width = static_cast<int>(box.width() * ratio);
    const int height = static_cast<int>(box.height() * ratio);
    for (int x = 0; x < width; ++x) {
      const QRgb expected = (x / scale) % 2 == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
      for (int y = 0; y < height; ++y) {
        ASSERT_EQ(screen.pixel(x, y), expected) << "ratio " << ratio << " at " << x << "," << y;
      }
    }
  }
}

}  // namespace
}  // namespace vorbel::ui
