#pragma once
// The splash window: the program's picture with its version, copyright, a
// note on redistribution and the web site address. Shown during start-up and
// again, modally, as the about window.
//
// A click on the picture or any label but the address closes it; closing
// frees it. A click on the address opens it in the desktop's web browser and
// keeps the window open.

#include <QDialog>
#include <QString>
#include <QUrl>

#include <functional>

class QLabel;

namespace vorbel::ui {

class SplashWindow final : public QDialog {
  Q_OBJECT

 public:
  // The product web site shown and opened by the address label.
  static constexpr const char* kWebSite = "https://vorbel.org";

  // Reads the program's version for its label; `programFile` is the program
  // file to read it from ("" for the running one).
  explicit SplashWindow(QWidget* parent = nullptr, const QString& programFile = QString());

  // Replaces the way the address is opened (tests); empty restores the
  // desktop's URL handler.
  static void SetUrlOpener(std::function<void(const QUrl&)> opener);

  // Shows `text` as the version line (start-up leaves it empty when the
  // program has no version).
  void SetVersionText(const QString& text);

 public slots:
  // Opens the web site address.
  void OpenWebSite();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* picture_ = nullptr;
  QLabel* version_label_ = nullptr;
  QLabel* copyright_label_ = nullptr;
  QLabel* note_label_ = nullptr;
  QLabel* visit_label_ = nullptr;
  QLabel* web_site_label_ = nullptr;
};

// "Version " followed by the program file's FileVersion string; just
// "Version " when the file has none.
QString VersionCaption(const QString& programFile);
// The FileVersion string of a program file ("" for the running program when
// programFile is empty, or when the file has none).
QString ProgramVersion(const QString& programFile);

}  // namespace vorbel::ui
