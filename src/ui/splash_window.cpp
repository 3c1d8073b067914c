#include "ui/splash_window.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QVBoxLayout>

#include <algorithm>

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

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, const QFont& font) {
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
  picture_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  picture_->setAccessibleName(tr("Vorbel: buttons for the web, layer by layer"));
  // Texts longer than the picture has room for make it grow on white.
  QPalette white = picture_->palette();
  white.setColor(QPalette::Window, Qt::white);
  picture_->setPalette(white);
  picture_->setAutoFillBackground(true);

  version_label_ =
      MakeLabel(picture_, QStringLiteral("versionLabel"), QString(), PixelFont(QStringLiteral("Arial"), 11, true));
  copyright_label_ = MakeLabel(picture_, QStringLiteral("copyrightLabel"),
                               tr("Copyright (C) 2026 The Vorbel developers"), PixelFont(QStringLiteral("Arial"), 9));
  note_label_ = MakeLabel(picture_, QStringLiteral("noteLabel"),
                          tr("Free software under the MIT License: you are welcome to use, change and share it."),
                          PixelFont(QStringLiteral("Arial"), 9));
  note_label_->setWordWrap(true);
  note_label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  visit_label_ = MakeLabel(picture_, QStringLiteral("visitLabel"), tr("For information visit:"),
                           PixelFont(QStringLiteral("Arial"), 11, true));
  QFont web = PixelFont(QStringLiteral("MS Sans Serif"), 11);
  web.setUnderline(true);
  web_site_label_ = MakeLabel(picture_, QStringLiteral("webSiteLabel"), QString::fromLatin1(kWebSite), web);
  QPalette green = web_site_label_->palette();
  green.setColor(QPalette::WindowText, QColor(0, 128, 0));
  web_site_label_->setPalette(green);
  web_site_label_->setCursor(Qt::PointingHandCursor);
  // The web site is a link the keyboard reaches too: Tab, then Enter.
  web_site_label_->setFocusPolicy(Qt::StrongFocus);
  web_site_label_->setAccessibleName(tr("Web site: %1").arg(QString::fromLatin1(kWebSite)));

  // The texts stand in the picture's white field, right of its buttons.
  auto* texts = new QVBoxLayout(picture_);
  texts->setContentsMargins(104, 99, 14, 8);
  texts->setSpacing(0);
  texts->addWidget(version_label_);
  texts->addSpacing(6);
  texts->addWidget(copyright_label_);
  texts->addSpacing(3);
  texts->addWidget(note_label_);
  texts->addSpacing(4);
  texts->addWidget(visit_label_);
  texts->addSpacing(1);
  texts->addWidget(web_site_label_, 0, Qt::AlignLeft);
  texts->addStretch(1);
  texts->setSizeConstraint(QLayout::SetNoConstraint);

  for (QLabel* label : {picture_, version_label_, copyright_label_, note_label_, visit_label_, web_site_label_}) {
    label->installEventFilter(this);
  }

  SetVersionText(VersionCaption(programFile));
  // A one-pixel black frame around the picture.
  auto* frame = new QVBoxLayout(this);
  frame->setContentsMargins(1, 1, 1, 1);
  frame->addWidget(picture_);
  frame->setSizeConstraint(QLayout::SetFixedSize);
  CenterOnScreen(*this);
}

void SplashWindow::SetVersionText(const QString& text) {
  version_label_->setText(text);
  // The picture, or more when the texts need more room.
  QLayout* texts = picture_->layout();
  const QSize picture = picture_->pixmap().size();
  const int width = std::max(picture.width(), texts->totalSizeHint().width());
  const int height = texts->hasHeightForWidth() ? texts->totalHeightForWidth(width) : texts->totalSizeHint().height();
  picture_->setMinimumSize(width, std::max(picture.height(), height));
}

bool SplashWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == web_site_label_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
      OpenWebSite();
      return true;
    }
  }
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
