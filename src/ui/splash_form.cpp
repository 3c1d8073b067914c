#include "ui/splash_form.h"

#include <QDesktopServices>
#include <QFont>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>

#include "desktop/version_info.h"
#include "ui/form_helpers.h"
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
  return QString::fromStdString(desktop::GetVersionInfoString(file, desktop::viFileVersion));
}

QString VersionCaption(const QString& programFile) {
  return QStringLiteral("Version ") + ProgramVersion(programFile);
}

void TfrmSplash::SetUrlOpener(std::function<void(const QUrl&)> opener) { UrlOpener() = std::move(opener); }

TfrmSplash::TfrmSplash(QWidget* parent, const QString& programFile)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  InitResources();
  setObjectName(QStringLiteral("frmSplash"));
  setWindowTitle(QStringLiteral("frmSplash"));
  setAttribute(Qt::WA_DeleteOnClose);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::black);
  setPalette(palette);
  setAutoFillBackground(true);

  Image1 = new QLabel(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setPixmap(QPixmap(QStringLiteral(":/pictures/splash.png")));
  Image1->adjustSize();

  lblVersion = MakeLabel(this, QStringLiteral("lblVersion"), QString(), PixelFont(QStringLiteral("Arial"), 11, true),
                         105, 100);
  Label3 = MakeLabel(this, QStringLiteral("Label3"), QStringLiteral("Copyright (C) 2026 The Vorbel developers"),
                     PixelFont(QStringLiteral("Arial"), 9), 105, 120);
  Label2 = MakeLabel(this, QStringLiteral("Label2"),
                     QStringLiteral("These tools are free: you are welcome to give copies of them to anyone."),
                     PixelFont(QStringLiteral("Arial"), 9), 105, 135);
  Label2->setWordWrap(true);
  Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label2->setFixedSize(231, 26);
  Label5 = MakeLabel(this, QStringLiteral("Label5"), QStringLiteral("For information visit:"),
                     PixelFont(QStringLiteral("Arial"), 11, true), 105, 165);
  QFont web = PixelFont(QStringLiteral("MS Sans Serif"), 11);
  web.setUnderline(true);
  lblWebSite = MakeLabel(this, QStringLiteral("lblWebSite"), QString::fromLatin1(kWebSite), web, 105, 180);
  QPalette green = lblWebSite->palette();
  green.setColor(QPalette::WindowText, QColor(0, 128, 0));
  lblWebSite->setPalette(green);
  lblWebSite->setCursor(Qt::PointingHandCursor);

  for (QLabel* label : {Image1, lblVersion, Label3, Label2, Label5, lblWebSite}) label->installEventFilter(this);

  FormCreate(programFile);
}

void TfrmSplash::FormCreate(const QString& programFile) {
  lblVersion->setText(VersionCaption(programFile));
  lblVersion->adjustSize();
  lblVersion->repaint();
  Image1->move(1, 1);
  // A one-pixel black frame around the picture.
  setFixedSize(Image1->width() + 2, Image1->height() + 2);
  CenterOnScreen(*this);
}

bool TfrmSplash::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    if (watched == lblWebSite) {
      lblWebSiteClick();
      return true;
    }
    if (watched == Image1 || watched == lblVersion || watched == Label3 || watched == Label2 || watched == Label5) {
      Image1Click();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TfrmSplash::Image1Click() { close(); }

void TfrmSplash::lblWebSiteClick() {
  const QUrl url(lblWebSite->text());
  if (UrlOpener()) {
    UrlOpener()(url);
  } else {
    QDesktopServices::openUrl(url);  // failures are not reported
  }
}

}  // namespace vorbel::ui
