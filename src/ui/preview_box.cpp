#include "ui/preview_box.h"

#include <QPaintEvent>
#include <QPainter>

#include <cstring>

namespace vorbel::ui {

void CopySurfaceToImage(const gdi::Bitmap& surface, QImage& image) {
  const int w = surface.Width();
  const int h = surface.Height();
  if (surface.Empty()) {
    image = QImage();
    return;
  }
  if (image.width() != w || image.height() != h || image.format() != QImage::Format_RGB32) {
    image = QImage(w, h, QImage::Format_RGB32);
    if (image.isNull()) return;  // out of memory: show nothing rather than fail
  }
  // RGB32 wants 0xFF in the top byte; the surface keeps 0 there.
  for (int y = 0; y < h; ++y) {
    const gdi::Pixel* src = surface.Row(y);
    auto* dst = reinterpret_cast<quint32*>(image.scanLine(y));
    for (int x = 0; x < w; ++x) dst[x] = src[x].Rgb() | 0xFF000000u;
  }
}

void CopySurfaceWithAlphaToImage(const gdi::Bitmap& surface, QImage& image) {
  const int w = surface.Width();
  const int h = surface.Height();
  if (surface.Empty()) {
    image = QImage();
    return;
  }
  if (image.width() != w || image.height() != h || image.format() != QImage::Format_ARGB32_Premultiplied) {
    image = QImage(w, h, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return;
  }
  for (int y = 0; y < h; ++y) {
    const gdi::Pixel* src = surface.Row(y);
    const std::uint8_t* alpha = surface.AlphaRow(y);
    auto* dst = reinterpret_cast<quint32*>(image.scanLine(y));
    for (int x = 0; x < w; ++x) {
      const quint32 a = alpha != nullptr ? alpha[x] : 255;
      const auto premultiplied = [a](quint32 c) { return (c * a + 127) / 255; };
      dst[x] = (a << 24) | (premultiplied(src[x].Red()) << 16) | (premultiplied(src[x].Green()) << 8) |
               premultiplied(src[x].Blue());
    }
  }
}

PreviewBox::PreviewBox(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent, false);
  setObjectName(QStringLiteral("preview"));
}

void PreviewBox::SetPicture(const gdi::Bitmap& surface) {
  message_.clear();
  CopySurfaceToImage(surface, picture_);
  if (surface.KeepsAlpha()) {
    CopySurfaceWithAlphaToImage(surface, layer_);
  } else {
    layer_ = QImage();
  }
  const QSize size(std::max(surface.Width(), 0) * zoom_, std::max(surface.Height(), 0) * zoom_);
  if (this->size() != size) resize(size);
}

void PreviewBox::SetShowTransparency(bool show) {
  if (show == show_transparency_) return;
  show_transparency_ = show;
  update();
}

void PreviewBox::SetZoom(int zoom) {
  if (zoom != 1 && zoom != 2 && zoom != 4 && zoom != 8) return;
  if (zoom == zoom_) return;
  zoom_ = zoom;
  if (message_.isEmpty()) resize(picture_.size() * zoom_);
  update();
}

QPoint PreviewBox::ToPicture(QPoint point) const {
  auto divide = [this](int v) { return v >= 0 ? v / zoom_ : -((-v + zoom_ - 1) / zoom_); };
  return {divide(point.x()), divide(point.y())};
}

void PreviewBox::SetMessage(const QString& text, QSize size) {
  picture_ = QImage();
  layer_ = QImage();
  message_ = text;
  if (this->size() != size) resize(size);
}

void PreviewBox::paintEvent(QPaintEvent* event) {
  // The pass may resize the box, which asks for another paint; never run the
  // handler from inside itself.
  if (paint_handler_ && !painting_) {
    painting_ = true;
    paint_handler_();
    painting_ = false;
  }
  QPainter painter(this);
  if (!message_.isEmpty()) {
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect().adjusted(4, 4, -4, -4), Qt::AlignCenter | Qt::TextWordWrap, message_);
    return;
  }
  if (picture_.isNull()) return;
  const QRect exposed = event->rect().intersected(QRect(QPoint(0, 0), picture_.size() * zoom_));
  if (exposed.isEmpty()) return;
  const QImage* shown = &picture_;
  if (!layer_.isNull()) {
    // What shows through the transparent pixels: a checkerboard of 8-pixel
    // squares, or the work area.
    if (show_transparency_) {
      constexpr int kSquare = 8;
      painter.fillRect(exposed, QColor(255, 255, 255));
      for (int y = exposed.top() / kSquare * kSquare; y <= exposed.bottom(); y += kSquare) {
        for (int x = exposed.left() / kSquare * kSquare + ((y / kSquare) % 2 == 0 ? kSquare : 0); x <= exposed.right();
             x += 2 * kSquare) {
          painter.fillRect(QRect(x, y, kSquare, kSquare).intersected(exposed), QColor(204, 204, 204));
        }
      }
    } else {
      painter.fillRect(exposed, palette().color(QPalette::Window));
    }
    shown = &layer_;
  }
  if (zoom_ == 1) {
    painter.drawImage(exposed.topLeft(), *shown, exposed);
    return;
  }
  // Only the pixels under the exposed part are enlarged, each to a square of
  // zoom x zoom screen pixels (no smoothing: the default transformation).
  const QRect source(ToPicture(exposed.topLeft()), ToPicture(exposed.bottomRight()));
  painter.drawImage(QRect(source.topLeft() * zoom_, source.size() * zoom_), *shown, source);
}

}  // namespace vorbel::ui
