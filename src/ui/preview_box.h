#pragma once
// The preview paint box: shows the render surface at its top-left corner, 1:1
// or enlarged by a whole factor with every pixel a sharp square, or a message
// in place of the picture when there is none to show. The zoom is the view's
// alone: the picture it shows is the surface as the export writes it.
//
// Every paint first runs the owner's paint handler (the render pass), so the
// preview always shows the document in its current state, then copies the
// picture that the pass left.
//
// On a high-density screen each button pixel is a square of whole device
// pixels (2 x 2 at a ratio of 1.5 or 2, times the zoom), never smoothed.
//
// A picture with alpha shows its transparent and partly transparent pixels
// over a checkerboard, or over the box's window colour (the work area) when
// transparency is not to be shown.

#include <QImage>
#include <QPainter>
#include <QString>
#include <QWidget>

#include <functional>

#include "gdi/bitmap.h"

namespace vorbel::ui {

class PreviewBox final : public QWidget {
  Q_OBJECT

 public:
  explicit PreviewBox(QWidget* parent = nullptr);

  // Runs at the start of every paint; normally the render pass, which calls
  // SetPicture or SetMessage.
  void SetPaintHandler(std::function<void()> handler) { paint_handler_ = std::move(handler); }

  // Takes a copy of the surface's pixels as the picture, with their alpha when
  // the surface keeps it, and sizes the box to it times the zoom; the
  // message goes away.
  void SetPicture(const gdi::Bitmap& surface);
  // Whether transparent pixels show over a checkerboard (the default) or
  // over the window colour.
  void SetShowTransparency(bool show);
  bool ShowsTransparency() const { return show_transparency_; }
  // Shows `text` instead of a picture, word-wrapped in a box of `size`.
  void SetMessage(const QString& text, QSize size);

  // The picture's colours, opaque, transparency aside.
  const QImage& Picture() const { return picture_; }
  // The zoom factor: 1 (the default), 2, 4 or 8; other values are ignored.
  int Zoom() const { return zoom_; }
  void SetZoom(int zoom);
  // The button pixel under a point of the box.
  QPoint ToPicture(QPoint point) const;
  // Device pixels per button pixel along each side: the zoom times the whole
  // number of device pixels a window pixel takes.
  int DeviceScale() const;
  const QString& Message() const { return message_; }
  // True while a paint runs the paint handler.
  bool IsPainting() const { return painting_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::function<void()> paint_handler_;
  QImage picture_;
  QImage layer_;  // the picture with its alpha; null for a picture without
  QString message_;
  bool show_transparency_ = true;
  bool painting_ = false;
  int zoom_ = 1;

  // The box's size for a picture of `picture` pixels.
  QSize SizeFor(QSize picture) const;
};

// The whole number of device pixels that stands for one pixel of a picture
// on a screen of `ratio` device pixels per window pixel: 1 up to 1.49, 2 from
// 1.5 to 2.49, and so on. Pictures enlarged by it stay sharp.
int WholeDeviceScale(qreal ratio);

// The ratio of device pixels to window pixels that `painter` draws with.
qreal PainterPixelRatio(const QPainter& painter);

// Draws the `source` part of `image` with its top-left corner at the window
// point `topLeft`, each picture pixel a square of `scale` device pixels,
// never smoothed.
void DrawInDevicePixels(QPainter& painter, QPoint topLeft, const QImage& image, const QRect& source, int scale);

// Copies surface pixels (0x00RRGGBB) into `image` as opaque RGB32, reusing the
// image's memory when the size is unchanged.
void CopySurfaceToImage(const gdi::Bitmap& surface, QImage& image);
// Copies surface pixels with their alpha into `image` as premultiplied ARGB32
// (opaque where the surface keeps no alpha), reusing its memory likewise.
void CopySurfaceWithAlphaToImage(const gdi::Bitmap& surface, QImage& image);

}  // namespace vorbel::ui
