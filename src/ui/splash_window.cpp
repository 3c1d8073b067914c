#include "ui/splash_window.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFont>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>

#include "desktop/version_info.h"
#include "ui/dialog_helpers.h"
#include "ui/resources.h"

namespace vorbel::ui {
namespace {

std::function<void(const QUrl&)>& UrlOpener() {
  static std::function<void(const QUrl&)> opener;
  return opener;
}

QFont PixelFont(const QString& family, int pixels, bool bold = false) {
  QFont font(family);
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, const QFont& font, int x, int y) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setFont(font);
  label->setAttribute(Qt::WA_TranslucentBackground);
  label->setAutoFillBackground(false);
  // The picture's ground is white whatever the desktop theme, so the text
  // stays dark on it.
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, Qt::black);
  label->setPalette(palette);
  label->move(x, y);
  label->adjustSize();
  return label;
}

}  // namespace

QString ProgramVersion(const QString& programFile) {
  const std::string file = programFile.isEmpty() ? desktop::ProgramFilePath() : programFile.toStdString();
  return QString::fromStdString(desktop::GetVersionInfoString(file, desktop::VersionInfoKey::FileVersion));
}

QString VersionCaption(const QString& programFile) {
  return QCoreApplication::translate("vorbel::ui::SplashWindow", "Version %1").arg(ProgramVersion(programFile));
}

void SplashWindow::SetUrlOpener(std::function<void(const QUrl&)> opener) { UrlOpener() = std::move(opener); }

SplashWindow::SplashWindow(QWidget* parent, const QString& programFile)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  InitResources();
  setObjectName(QStringLiteral("splashWindow"));
  setWindowTitle(tr("About Vorbel"));
  setAttribute(Qt::WA_DeleteOnClose);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::black);
  setPalette(palette);
  setAutoFillBackground(true);

  picture_ = new QLabel(this);
  picture_->setObjectName(QStringLiteral("picture"));
  picture_->setPixmap(QPixmap(QStringLiteral(":/pictures/splash.png")));
  picture_->adjustSize();

  version_label_ = MakeLabel(this, QStringLiteral("versionLabel"), QString(),
                             PixelFont(QStringLiteral("Arial"), 11, true), 105, 100);
  copyright_label_ = MakeLabel(this, QStringLiteral("copyrightLabel"), tr("Copyright (C) 2026 The Vorbel developers"),
                               PixelFont(QStringLiteral("Arial"), 9), 105, 120);
  note_label_ = MakeLabel(this, QStringLiteral("noteLabel"),
                          tr("Free software under the MIT License: you are welcome to use, change and share it."),
                          PixelFont(QStringLiteral("Arial"), 9), 105, 135);
  note_label_->setWordWrap(true);
  note_label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  note_label_->setFixedSize(231, 26);
  visit_label_ = MakeLabel(this, QStringLiteral("visitLabel"), tr("For information visit:"),
                           PixelFont(QStringLiteral("Arial"), 11, true), 105, 165);
  QFont web = PixelFont(QStringLiteral("MS Sans Serif"), 11);
  web.setUnderline(true);
  web_site_label_ = MakeLabel(this, QStringLiteral("webSiteLabel"), QString::fromLatin1(kWebSite), web, 105, 180);
  QPalette green = web_site_label_->palette();
  green.setColor(QPalette::WindowText, QColor(0, 128, 0));
  web_site_label_->setPalette(green);
  web_site_label_->setCursor(Qt::PointingHandCursor);

  for (QLabel* label : {picture_, version_label_, copyright_label_, note_label_, visit_label_, web_site_label_}) {
    label->installEventFilter(this);
  }

  SetVersionText(VersionCaption(programFile));
  version_label_->repaint();
  picture_->move(1, 1);
  // A one-pixel black frame around the picture.
  setFixedSize(picture_->width() + 2, picture_->height() + 2);
  CenterOnScreen(*this);
}

void SplashWindow::SetVersionText(const QString& text) {
  version_label_->setText(text);
  version_label_->adjustSize();
}

bool SplashWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    if (watched == web_site_label_) {
      OpenWebSite();
      return true;
    }
    if (watched == picture_ || watched == version_label_ || watched == copyright_label_ || watched == note_label_ ||
        watched == visit_label_) {
      close();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void SplashWindow::OpenWebSite() {
  const QUrl url(web_site_label_->text());
  if (UrlOpener()) {
    UrlOpener()(url);
  } else {
    QDesktopServices::openUrl(url);  // failures are not reported
  }
}

}  // namespace vorbel::ui
