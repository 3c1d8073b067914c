#include "ui/text_sample.h"

#include <QImage>
#include <QPainter>

#include <cmath>

#include "gdi/canvas.h"
#include "gdi/font.h"
#include "gdi/system_colors.h"
#include "ui/preview_box.h"

namespace vorbel::ui {
namespace {

constexpr base::Color kWhite = base::Color::FromRgb(255, 255, 255);
constexpr base::Color kBtnFace = base::Color::System(0x0F);

bool IsBlank(const std::string& text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) > ' ') return false;
  }
  return true;
}

}  // namespace

gdi::Bitmap RenderTextSample(int width, int height, const TextSampleSettings& settings) {
  gdi::Bitmap surface(width, height);
  if (surface.Empty()) return surface;
  gdi::Canvas canvas(surface);
  canvas.SetBrushColor(settings.color == kWhite ? kBtnFace : kWhite);
  canvas.FillRect(surface.Bounds());
  canvas.SetFontColor(settings.color);
  canvas.SetFontName(settings.face);
  canvas.SetFontSize(settings.point_size);
  canvas.SetBkMode(gdi::BkMode::Transparent);
  const std::string& text = IsBlank(settings.caption) ? settings.face : settings.caption;
  try {
    canvas.TextOut(5, 5, text);
  } catch (const gdi::FontError&) {
    // No font at this size: the sample shows its ground only.
  }
  return surface;
}

TextSample::TextSample(Source source, QWidget* parent) : QWidget(parent), source_(std::move(source)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TextSample::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  // The sample is drawn at the size the button's text has; on a high-density
  // screen each of its pixels is a square of whole device pixels, as in the
  // preview, over as much of the box as it covers.
  const qreal ratio = PainterPixelRatio(painter);
  const int scale = WholeDeviceScale(ratio);
  const gdi::Bitmap picture = RenderTextSample(static_cast<int>(std::ceil(width() * ratio / scale)),
                                               static_cast<int>(std::ceil(height() * ratio / scale)),
                                               source_ ? source_() : TextSampleSettings{});
  if (picture.Empty()) return;
  // Our pixels are 0x00RRGGBB, the byte order of an RGB32 image.
  const QImage image(reinterpret_cast<const uchar*>(picture.Data()), picture.Width(), picture.Height(),
                     picture.Width() * 4, QImage::Format_RGB32);
  DrawInDevicePixels(painter, QPoint(0, 0), image, image.rect(), scale);
}

}  // namespace vorbel::ui
