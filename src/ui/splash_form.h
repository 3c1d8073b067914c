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

class TfrmSplash final : public QDialog {
  Q_OBJECT

 public:
  // The product web site shown and opened by the address label.
  static constexpr const char* kWebSite = "https://vorbel.org";

  // Reads the program's version for its label; `programFile` is the program
  // file to read it from ("" for the running one).
  explicit TfrmSplash(QWidget* parent = nullptr, const QString& programFile = QString());

  // Replaces the way the address is opened (tests); empty restores the
  // desktop's URL handler.
  static void SetUrlOpener(std::function<void(const QUrl&)> opener);

  QLabel* Image1 = nullptr;
  QLabel* lblVersion = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* lblWebSite = nullptr;

 public slots:
  void Image1Click();
  void lblWebSiteClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormCreate(const QString& programFile);
};

// "Version " followed by the program file's FileVersion string; just
// "Version " when the file has none.
QString VersionCaption(const QString& programFile);
// The FileVersion string of a program file ("" for the running program when
// programFile is empty, or when the file has none).
QString ProgramVersion(const QString& programFile);

}  // namespace vorbel::ui
