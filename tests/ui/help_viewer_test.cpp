#include "ui/help_viewer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QUrl>

#include <gtest/gtest.h>

#include "ui/resources.h"

namespace vorbel::ui {
namespace {

const QString kShippedHelp = QStringLiteral(VORBEL_TEST_DATA "/../../resources/help/vorbelkit.hlp");

class HelpViewerTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(viewer.LoadFile(kShippedHelp)) << viewer.LastError().toStdString(); }
  void TearDown() override { viewer.close(); }

  int CountItems() const {
    int count = 0;
    for (QTreeWidgetItemIterator it(viewer.ContentsTree()); *it != nullptr; ++it) ++count;
    return count;
  }

  HelpViewer viewer;
};

TEST_F(HelpViewerTest, OpensOnTheContents) {
  ASSERT_TRUE(viewer.ShowContents());
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
  EXPECT_EQ(viewer.Tabs()->currentIndex(), 0);
  EXPECT_EQ(viewer.windowTitle(), "Vorbel Help");
  // Every topic has its place in the tree, and the first is shown.
  std::optional<help::HelpDocument> document = help::HelpDocument::Load(kShippedHelp.toStdString());
  ASSERT_TRUE(document);
  EXPECT_EQ(CountItems(), static_cast<int>(document->Topics().size()));
  EXPECT_EQ(viewer.CurrentTopicId(), "welcome");
  EXPECT_TRUE(viewer.Browser()->toPlainText().contains("Welcome to Vorbel"));
  EXPECT_EQ(viewer.ContentsTree()->currentItem()->text(0), "Welcome to Vorbel");

  // Choosing a topic in the tree shows it.
  QTreeWidgetItem* last = viewer.ContentsTree()->topLevelItem(viewer.ContentsTree()->topLevelItemCount() - 1);
  viewer.ContentsTree()->setCurrentItem(last);
  EXPECT_EQ(viewer.CurrentTopicId().toStdString(), document->Topics()[document->Roots().back()].id);
}

TEST_F(HelpViewerTest, OpensOnTheIndexWithAnEmptySearchField) {
  viewer.ShowContents();
  viewer.SearchField()->setText("stale");
  ASSERT_TRUE(viewer.ShowIndex());
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
  EXPECT_EQ(viewer.Tabs()->currentIndex(), 1);
  EXPECT_TRUE(viewer.SearchField()->text().isEmpty());
  EXPECT_GT(viewer.KeywordList()->count(), 100);

  // Typing finds the first keyword with those letters; Enter shows its topic.
  QTest::keyClicks(viewer.SearchField(), "bevel l");
  ASSERT_NE(viewer.KeywordList()->currentItem(), nullptr);
  EXPECT_TRUE(viewer.KeywordList()->currentItem()->text().startsWith("bevel l", Qt::CaseInsensitive));
  QTest::keyClick(viewer.SearchField(), Qt::Key_Return);
  EXPECT_EQ(viewer.CurrentTopicId(), "layer-bevel");
}

TEST_F(HelpViewerTest, KeywordOfSeveralTopicsOffersThemAll) {
  viewer.ShowIndex();
  QTest::keyClicks(viewer.SearchField(), "help");
  ASSERT_NE(viewer.KeywordList()->currentItem(), nullptr);
  ASSERT_EQ(viewer.KeywordList()->currentItem()->text(), "help");
  // "help" belongs to one topic, which is shown at once; "preview" to several,
  // which are offered as links.
  emit viewer.KeywordList()->itemActivated(viewer.KeywordList()->currentItem());
  EXPECT_EQ(viewer.CurrentTopicId(), "cmd-help");

  viewer.SearchField()->clear();
  QTest::keyClicks(viewer.SearchField(), "preview");
  ASSERT_EQ(viewer.KeywordList()->currentItem()->text(), "preview");
  emit viewer.KeywordList()->itemActivated(viewer.KeywordList()->currentItem());
  const QString page = viewer.Browser()->toHtml();
  EXPECT_TRUE(page.contains("topic:main-window")) << page.toStdString();
  EXPECT_TRUE(page.contains("topic:preview"));
}

TEST_F(HelpViewerTest, LinksAndHistory) {
  viewer.ShowContents();
  EXPECT_FALSE(viewer.CanGoBack());
  emit viewer.Browser()->anchorClicked(QUrl("topic:export"));
  EXPECT_EQ(viewer.CurrentTopicId(), "export");
  EXPECT_EQ(viewer.ContentsTree()->currentItem()->text(0), "Exporting pictures");
  emit viewer.Browser()->anchorClicked(QUrl("topic:command-line"));
  emit viewer.Browser()->anchorClicked(QUrl("topic:no-such-topic"));  // ignored
  EXPECT_EQ(viewer.CurrentTopicId(), "command-line");

  viewer.GoBack();
  EXPECT_EQ(viewer.CurrentTopicId(), "export");
  viewer.GoBack();
  EXPECT_EQ(viewer.CurrentTopicId(), "welcome");
  EXPECT_FALSE(viewer.CanGoBack());
  viewer.GoForward();
  EXPECT_EQ(viewer.CurrentTopicId(), "export");
  // A new topic drops the forward history.
  ASSERT_TRUE(viewer.ShowTopic("layers"));
  EXPECT_FALSE(viewer.CanGoForward());

  ASSERT_TRUE(viewer.ShowContext(10));
  EXPECT_EQ(viewer.CurrentTopicId(), "layers-page");
  EXPECT_FALSE(viewer.ShowContext(9999));
}

TEST(HelpViewer, WithoutAHelpFileTheCommandsDoNothing) {
  HelpViewer viewer;
  EXPECT_FALSE(viewer.LoadFile(QStringLiteral(VORBEL_TEST_DATA "/no/such/vorbelkit.hlp")));
  EXPECT_FALSE(viewer.LastError().isEmpty());
  EXPECT_FALSE(viewer.ShowContents());
  EXPECT_FALSE(viewer.ShowIndex());
  EXPECT_FALSE(viewer.isVisible());
}

// Pictures named relative to the help file are found beside it, wherever the
// program was started from; every picture the shipped help names is there.
TEST_F(HelpViewerTest, FindsEveryPictureTheHelpNames) {
  std::optional<help::HelpDocument> document = help::HelpDocument::Load(kShippedHelp.toStdString());
  ASSERT_TRUE(document);
  const QRegularExpression source(QStringLiteral("<img\\s+src=\"([^\"]+)\""));
  int relative = 0;
  for (const help::HelpTopic& topic : document->Topics()) {
    QRegularExpressionMatchIterator it = source.globalMatch(QString::fromStdString(topic.body));
    while (it.hasNext()) {
      const QUrl url(it.next().captured(1));
      if (url.isRelative()) ++relative;
      const QVariant data = viewer.Browser()->loadResource(QTextDocument::ImageResource, url);
      const QImage picture = QImage::fromData(data.toByteArray());
      EXPECT_FALSE(picture.isNull()) << topic.id << ": " << url.toString().toStdString();
      // The pictures travel with the help file: keep them small.
      EXPECT_LE(data.toByteArray().size(), 64 * 1024) << url.toString().toStdString();
    }
  }
  EXPECT_GT(relative, 0);

  // A help file in another folder finds its own pictures, not those above.
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkpath("images"));
  QImage dot(3, 2, QImage::Format_RGB32);
  dot.fill(Qt::red);
  ASSERT_TRUE(dot.save(QDir(dir.path()).filePath("images/dot.png")));
  const QString help = QDir(dir.path()).filePath("vorbelkit.hlp");
  {
    QFile file(help);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("VORBEL-HELP 1\n== a\ntitle: A\n--\n<p><img src=\"images/dot.png\"/></p>\n");
  }
  ASSERT_TRUE(viewer.LoadFile(help)) << viewer.LastError().toStdString();
  ASSERT_TRUE(viewer.ShowTopic(QStringLiteral("a")));
  const QImage shown = QImage::fromData(
      viewer.Browser()->loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("images/dot.png"))).toByteArray());
  EXPECT_EQ(shown.size(), QSize(3, 2));
  EXPECT_TRUE(viewer.Browser()
                  ->loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("images/main_window.png")))
                  .isNull());
}

TEST(HelpViewer, FindsTheHelpFileBesideTheProgramFirst) {
  QTemporaryDir work, program;
  ASSERT_TRUE(work.isValid() && program.isValid());
  EXPECT_EQ(HelpViewer::FindHelpFile(work.path(), program.path()), "");

  const QString in_work = QDir(work.path()).filePath("vorbelkit.hlp");
  QFile(in_work).open(QIODevice::WriteOnly);
  EXPECT_EQ(HelpViewer::FindHelpFile(work.path(), program.path()), in_work);

  ASSERT_TRUE(QDir(program.path()).mkpath("help/winhelp"));
  const QString beside = QDir(program.path()).filePath("help/winhelp/vorbelkit.hlp");
  QFile(beside).open(QIODevice::WriteOnly);
  EXPECT_EQ(HelpViewer::FindHelpFile(work.path(), program.path()), beside);
}

// The resource file is compiled into this test, as into the window program.
TEST(Resources, PicturesAndHelpAreCompiledIn) {
  for (const char* name : {"new", "open", "save", "export", "refresh", "layer_up", "layer_down", "add_layer",
                           "delete_layer"}) {
    const QImage glyph(QStringLiteral(":/toolbar/%1.png").arg(QLatin1String(name)));
    EXPECT_EQ(glyph.size(), QSize(16, 16)) << name;
    // The double-density form, for tool bars and menus on 2x screens.
    EXPECT_EQ(ResourceIcon(QStringLiteral(":/toolbar/%1.png").arg(QLatin1String(name))).availableSizes(),
              QList<QSize>({QSize(16, 16), QSize(32, 32)}))
        << name;
  }
  EXPECT_EQ(QImage(":/layers/visible.png").size(), QSize(16, 16));
  for (const int size : {16, 32, 48, 64, 128, 256}) {
    EXPECT_EQ(QImage(QStringLiteral(":/icons/vorbel_%1.png").arg(size)).size(), QSize(size, size));
  }
  EXPECT_EQ(QImage(":/icons/layout_document_32.png").size(), QSize(32, 32));
  // Every picture of the help says what it shows to those who cannot see it.
  QFile help(kShippedHelp);
  ASSERT_TRUE(help.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(help.readAll());
  EXPECT_GT(text.count(QStringLiteral("<img ")), 20);
  const QRegularExpression withoutAlt(QStringLiteral(R"(<img (?![^>]*alt="[^"]+")[^>]*>)"));
  EXPECT_FALSE(withoutAlt.match(text).hasMatch()) << withoutAlt.match(text).captured().toStdString();
  const QImage splash(":/pictures/splash.png");
  EXPECT_EQ(splash.size(), QSize(350, 200));
  EXPECT_FALSE(splash.hasAlphaChannel());
  EXPECT_EQ(splash.pixelColor(349, 199), QColor(Qt::white));

  // The compiled-in help is the shipped one and opens in the viewer.
  HelpViewer viewer;
  EXPECT_TRUE(viewer.LoadFile(":/help/vorbelkit.hlp")) << viewer.LastError().toStdString();
}

}  // namespace
}  // namespace vorbel::ui
