#include "ui/help_viewer.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QUrl>
#include <QVBoxLayout>

#include <utility>

namespace vorbel::ui {

namespace {

constexpr int kTopicRole = Qt::UserRole;
constexpr int kEntryRole = Qt::UserRole + 1;
constexpr qint64 kMaxHelpFileSize = 32 << 20;

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

HelpViewer::HelpViewer(QWidget* parent) : QDialog(parent) {
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                 Qt::WindowCloseButtonHint);
  setWindowTitle(tr("Help"));
  setSizeGripEnabled(true);
  resize(760, 520);

  back_ = new QAction(style()->standardIcon(QStyle::SP_ArrowBack), tr("&Back"), this);
  back_->setShortcut(QKeySequence::Back);
  forward_ = new QAction(style()->standardIcon(QStyle::SP_ArrowForward), tr("&Forward"), this);
  forward_->setShortcut(QKeySequence::Forward);
  connect(back_, &QAction::triggered, this, &HelpViewer::GoBack);
  connect(forward_, &QAction::triggered, this, &HelpViewer::GoForward);
  auto* tools = new QToolBar(tr("Navigation"), this);
  tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  tools->addAction(back_);
  tools->addAction(forward_);

  contents_ = new QTreeWidget;
  contents_->setHeaderHidden(true);
  contents_->setRootIsDecorated(true);
  contents_->setAccessibleName(tr("Contents"));
  contents_->setAccessibleDescription(tr("The help's topics; Enter or a click shows one"));
  connect(contents_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (item != nullptr) Display(item->data(0, kTopicRole).value<qulonglong>(), true);
  });

  search_ = new QLineEdit;
  search_->setPlaceholderText(tr("Type the first letters of a keyword"));
  search_->setClearButtonEnabled(true);
  search_->setAccessibleName(tr("Keyword"));
  keywords_ = new QListWidget;
  keywords_->setAccessibleName(tr("Index"));
  keywords_->setAccessibleDescription(tr("The help's keywords in alphabetical order; Enter shows the topic"));
  connect(search_, &QLineEdit::textEdited, this, &HelpViewer::SearchEdited);
  connect(search_, &QLineEdit::returnPressed, this, [this] { DisplayKeyword(keywords_->currentItem()); });
  connect(keywords_, &QListWidget::itemActivated, this, &HelpViewer::DisplayKeyword);
  auto* index_page = new QWidget;
  auto* index_layout = new QVBoxLayout(index_page);
  index_layout->addWidget(new QLabel(tr("&Keyword:")));
  static_cast<QLabel*>(index_layout->itemAt(0)->widget())->setBuddy(search_);
  index_layout->addWidget(search_);
  index_layout->addWidget(keywords_);

  tabs_ = new QTabWidget;
  tabs_->setAccessibleName(tr("Contents and index"));
  tabs_->addTab(contents_, tr("&Contents"));
  tabs_->addTab(index_page, tr("&Index"));

  browser_ = new QTextBrowser;
  browser_->setOpenLinks(false);
  browser_->setAccessibleName(tr("Help page"));
  connect(browser_, &QTextBrowser::anchorClicked, this, &HelpViewer::FollowLink);

  auto* splitter = new QSplitter(Qt::Horizontal);
  splitter->addWidget(tabs_);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(0, 0);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({230, 530});

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(tools);
  layout->addWidget(splitter);
  UpdateActions();
}

QString HelpViewer::FindHelpFile(const QString& workingFolder, const QString& programFolder) {
  const QString beside_program = QDir(programFolder).filePath(QStringLiteral("help/winhelp/") + kHelpFileName);
  if (!programFolder.isEmpty() && QFileInfo(beside_program).isFile()) return QFileInfo(beside_program).absoluteFilePath();
  const QString in_working = QDir(workingFolder).filePath(kHelpFileName);
  if (!workingFolder.isEmpty() && QFileInfo(in_working).isFile()) return QFileInfo(in_working).absoluteFilePath();
  return QString();
}

bool HelpViewer::LoadFile(const QString& fileName) {
  // Read through QFile so that the compiled-in copy (":/help/...") opens too.
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) {
    last_error_ = tr("Cannot open %1: %2").arg(fileName, file.errorString());
    return false;
  }
  if (file.size() > kMaxHelpFileSize) {
    last_error_ = tr("%1 is too large for a help file").arg(fileName);
    return false;
  }
  const QByteArray bytes = file.readAll();
  std::string error;
  std::optional<help::HelpDocument> document =
      help::HelpDocument::Parse(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), &error);
  if (!document) {
    last_error_ = FromUtf8(error);
    return false;
  }
  last_error_.clear();
  SetDocument(std::move(*document), fileName);
  return true;
}

void HelpViewer::SetDocument(help::HelpDocument document, const QString& fileName) {
  document_ = std::move(document);
  file_name_ = fileName;
  // Pictures named relative to the help file (<img src="images/main.png"/>)
  // are looked up in the help file's folder, wherever the file was found.
  browser_->setSearchPaths(fileName.isEmpty() ? QStringList()
                                              : QStringList{QFileInfo(fileName).absolutePath()});
  index_ = document_->Index();
  history_.clear();
  position_ = -1;
  setWindowTitle(document_->Title().empty() ? tr("Help") : FromUtf8(document_->Title()));
  Rebuild();
}

void HelpViewer::Rebuild() {
  const QSignalBlocker block_contents(contents_);
  contents_->clear();
  keywords_->clear();
  browser_->clear();
  if (!document_) return;
  for (std::size_t root : document_->Roots()) AddTopicItems(nullptr, root);
  contents_->expandToDepth(0);
  for (std::size_t i = 0; i < index_.size(); ++i) {
    auto* item = new QListWidgetItem(FromUtf8(index_[i].keyword), keywords_);
    item->setData(kEntryRole, static_cast<qulonglong>(i));
  }
  UpdateActions();
}

void HelpViewer::AddTopicItems(QTreeWidgetItem* parent, std::size_t topic) {
  const help::HelpTopic& t = document_->Topics()[topic];
  auto* item = parent != nullptr ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(contents_);
  item->setText(0, FromUtf8(t.title));
  item->setData(0, kTopicRole, static_cast<qulonglong>(topic));
  item->setIcon(0, style()->standardIcon(t.children.empty() ? QStyle::SP_FileIcon : QStyle::SP_DirIcon));
  for (std::size_t child : t.children) AddTopicItems(item, child);
}

void HelpViewer::Present() {
  if (isMinimized()) showNormal();
  else show();
  raise();
  activateWindow();
}

bool HelpViewer::ShowContents() {
  if (!document_) return false;
  tabs_->setCurrentIndex(0);
  if (position_ < 0 && !document_->Roots().empty()) Display(document_->Roots().front(), true);
  Present();
  contents_->setFocus();
  return true;
}

bool HelpViewer::ShowIndex() {
  if (!document_) return false;
  tabs_->setCurrentIndex(1);
  search_->clear();
  if (keywords_->count() > 0) keywords_->setCurrentRow(0);
  if (position_ < 0 && !document_->Roots().empty()) Display(document_->Roots().front(), true);
  Present();
  search_->setFocus();
  return true;
}

bool HelpViewer::ShowTopic(const QString& id) {
  if (!document_) return false;
  const std::optional<std::size_t> topic = document_->Find(id.toStdString());
  if (!topic) return false;
  Display(*topic, true);
  return true;
}

bool HelpViewer::ShowContext(int context) {
  if (!document_) return false;
  const std::optional<std::size_t> topic = document_->FindContext(context);
  if (!topic) return false;
  Display(*topic, true);
  Present();
  return true;
}

QString HelpViewer::CurrentTopicId() const {
  if (!document_ || position_ < 0) return QString();
  return FromUtf8(document_->Topics()[history_[static_cast<std::size_t>(position_)]].id);
}

void HelpViewer::Display(std::size_t topic, bool record) {
  if (!document_ || topic >= document_->Topics().size()) return;
  if (record) {
    const bool same = position_ >= 0 && history_[static_cast<std::size_t>(position_)] == topic;
    if (!same) {
      history_.resize(static_cast<std::size_t>(position_ + 1));
      history_.push_back(topic);
      position_ = static_cast<int>(history_.size()) - 1;
    }
  }
  browser_->setHtml(FromUtf8(document_->Topics()[topic].body));
  SelectInContents(topic);
  UpdateActions();
}

void HelpViewer::SelectInContents(std::size_t topic) {
  const QSignalBlocker block(contents_);
  for (QTreeWidgetItemIterator it(contents_); *it != nullptr; ++it) {
    if ((*it)->data(0, kTopicRole).value<qulonglong>() == topic) {
      contents_->setCurrentItem(*it);
      contents_->scrollToItem(*it);
      return;
    }
  }
}

void HelpViewer::DisplayKeyword(QListWidgetItem* item) {
  if (item == nullptr || !document_) return;
  const std::size_t entry = item->data(kEntryRole).value<qulonglong>();
  if (entry >= index_.size()) return;
  const help::HelpIndexEntry& found = index_[entry];
  if (found.topics.size() == 1) {
    Display(found.topics.front(), true);
    return;
  }
  // Several topics share the keyword: offer them all.
  QString page = QStringLiteral("<h2>%1</h2><p>%2</p><ul>")
                     .arg(FromUtf8(found.keyword).toHtmlEscaped(), tr("Topics with this keyword:"));
  for (std::size_t topic : found.topics) {
    const help::HelpTopic& t = document_->Topics()[topic];
    page += QStringLiteral("<li><a href=\"topic:%1\">%2</a></li>").arg(FromUtf8(t.id), FromUtf8(t.title).toHtmlEscaped());
  }
  page += QStringLiteral("</ul>");
  browser_->setHtml(page);
}

void HelpViewer::FollowLink(const QUrl& url) {
  if (url.scheme() == QStringLiteral("topic")) {
    ShowTopic(url.path());
    return;
  }
  if (url.scheme() == QStringLiteral("http") || url.scheme() == QStringLiteral("https") ||
      url.scheme() == QStringLiteral("mailto")) {
    QDesktopServices::openUrl(url);
  }
}

void HelpViewer::SearchEdited(const QString& text) {
  const std::optional<std::size_t> found = help::HelpDocument::FindKeyword(index_, text.toStdString());
  if (!found) return;
  keywords_->setCurrentRow(static_cast<int>(*found));
  keywords_->scrollToItem(keywords_->currentItem(), QAbstractItemView::PositionAtTop);
}

void HelpViewer::GoBack() {
  if (!CanGoBack()) return;
  --position_;
  Display(history_[static_cast<std::size_t>(position_)], false);
}

void HelpViewer::GoForward() {
  if (!CanGoForward()) return;
  ++position_;
  Display(history_[static_cast<std::size_t>(position_)], false);
}

void HelpViewer::UpdateActions() {
  back_->setEnabled(CanGoBack());
  forward_->setEnabled(CanGoForward());
}

}  // namespace vorbel::ui
