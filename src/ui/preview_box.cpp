#include "ui/preview_box.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTransform>

#include <cmath>
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

int WholeDeviceScale(qreal ratio) { return std::max(1, qRound(ratio)); }

qreal PainterPixelRatio(const QPainter& painter) {
  const qreal ratio = painter.deviceTransform().m11();
  return ratio > 0 ? ratio : 1.0;
}

void DrawInDevicePixels(QPainter& painter, QPoint topLeft, const QImage& image, const QRect& source, int scale) {
  const qreal ratio = PainterPixelRatio(painter);
  painter.save();
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  // From here on one unit is one device pixel; the corner lands on the device
  // pixel under it.
  const QPointF corner = painter.worldTransform().map(QPointF(topLeft));
  QTransform device;
  device.translate(std::round(corner.x() * ratio) / ratio, std::round(corner.y() * ratio) / ratio);
  device.scale(1.0 / ratio, 1.0 / ratio);
  painter.setWorldTransform(device);
  painter.drawImage(QRect(QPoint(0, 0), source.size() * scale), image, source);
  painter.restore();
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
  const QSize size = SizeFor(QSize(std::max(surface.Width(), 0), std::max(surface.Height(), 0)));
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
  if (message_.isEmpty()) resize(SizeFor(picture_.size()));
  update();
}

int PreviewBox::DeviceScale() const { return zoom_ * WholeDeviceScale(devicePixelRatioF()); }

QSize PreviewBox::SizeFor(QSize picture) const {
  const qreal ratio = devicePixelRatioF();
  const int scale = DeviceScale();
  return {static_cast<int>(std::ceil(picture.width() * scale / ratio)),
          static_cast<int>(std::ceil(picture.height() * scale / ratio))};
}

QPoint PreviewBox::ToPicture(QPoint point) const {
  const qreal ratio = devicePixelRatioF();
  const int scale = DeviceScale();
  return {static_cast<int>(std::floor(point.x() * ratio / scale)),
          static_cast<int>(std::floor(point.y() * ratio / scale))};
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
  const QRect exposed = event->rect().intersected(QRect(QPoint(0, 0), SizeFor(picture_.size())));
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
  // Only the pixels under the exposed part are drawn, each a square of whole
  // device pixels (no smoothing), from the corner of the box: on a screen
  // whose pixel ratio is a whole number that is the zoom's square of window
  // pixels.
  const int scale = zoom_ * WholeDeviceScale(PainterPixelRatio(painter));
  const qreal ratio = PainterPixelRatio(painter);
  const auto toPicture = [&](int v) { return static_cast<int>(std::floor(v * ratio / scale)); };
  const QRect source = QRect(QPoint(toPicture(exposed.left()), toPicture(exposed.top())),
                             QPoint(toPicture(exposed.right() + 1), toPicture(exposed.bottom() + 1)))
                           .intersected(shown->rect());
  if (source.isEmpty()) return;
  // The device pixel where the source's first pixel starts, as a window point
  // of the painter (exact on screens of whole ratios).
  QTransform device;
  device.scale(1.0 / ratio, 1.0 / ratio);
  painter.save();
  painter.setClipRect(exposed);
  painter.setWorldTransform(device);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawImage(QRect(source.topLeft() * scale, source.size() * scale), *shown, source);
  painter.restore();
}

}  // namespace vorbel::ui
