#pragma once
// The built-in help window: a contents tree, a keyword index with a search
// field, and the topic text with links, Back and Forward.

#include "help/help_document.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <optional>

class QAction;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;
class QUrl;

namespace vorbel::ui {

class HelpViewer : public QDialog {
  Q_OBJECT

 public:
  // The help file's name, the same wherever it is found.
  static constexpr const char* kHelpFileName = "vorbelkit.hlp";

  explicit HelpViewer(QWidget* parent = nullptr);

  // Where the program's help file is: "help/winhelp/vorbelkit.hlp" in the
  // program's folder when that exists, else "vorbelkit.hlp" in the working
  // folder when that exists, else "".
  static QString FindHelpFile(const QString& workingFolder, const QString& programFolder);

  // Reads a help file. On failure the viewer keeps what it had, and
  // LastError() tells why.
  bool LoadFile(const QString& fileName);
  void SetDocument(help::HelpDocument document, const QString& fileName = QString());
  bool HasDocument() const { return document_.has_value(); }
  QString FileName() const { return file_name_; }
  QString LastError() const { return last_error_; }

  // Show the window on the contents (the current topic, or the first one) or
  // on the keyword index with an empty search field. Both do nothing and
  // return false when no help document is loaded.
  bool ShowContents();
  bool ShowIndex();
  // Shows one topic by id or by help context number; false when there is none.
  bool ShowTopic(const QString& id);
  bool ShowContext(int context);

  QString CurrentTopicId() const;
  bool CanGoBack() const { return position_ > 0; }
  bool CanGoForward() const { return position_ + 1 < static_cast<int>(history_.size()); }

  // The parts of the window, for the program's tests.
  QTabWidget* Tabs() const { return tabs_; }
  QTreeWidget* ContentsTree() const { return contents_; }
  QLineEdit* SearchField() const { return search_; }
  QListWidget* KeywordList() const { return keywords_; }
  QTextBrowser* Browser() const { return browser_; }

 public slots:
  void GoBack();
  void GoForward();

 private:
  void Rebuild();
  void AddTopicItems(QTreeWidgetItem* parent, std::size_t topic);
  // Shows the topic with this index; history grows unless navigating it.
  void Display(std::size_t topic, bool record);
  void DisplayKeyword(QListWidgetItem* item);
  void FollowLink(const QUrl& url);
  void SearchEdited(const QString& text);
  void SelectInContents(std::size_t topic);
  void UpdateActions();
  void Present();

  std::optional<help::HelpDocument> document_;
  std::vector<help::HelpIndexEntry> index_;
  QString file_name_;
  QString last_error_;
  std::vector<std::size_t> history_;
  int position_ = -1;

  QTabWidget* tabs_ = nullptr;
  QTreeWidget* contents_ = nullptr;
  QLineEdit* search_ = nullptr;
  QListWidget* keywords_ = nullptr;
  QTextBrowser* browser_ = nullptr;
  QAction* back_ = nullptr;
  QAction* forward_ = nullptr;
};

}  // namespace vorbel::ui
