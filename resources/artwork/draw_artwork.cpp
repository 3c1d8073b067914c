// Draws the program's pictures: the tool-bar glyphs and the visible-layer mark
// (each also at double size for high-density screens), the program icon and
// the layout-file icon in every size, and the splash picture.
//
//   draw_artwork OUTPUT_FOLDER [--sheet SHEET.png]
//
// Every picture is drawn from code so that it can be changed and redrawn the
// same way. Glyphs have a dark outline and a faint light halo around it, so
// they stand out on light and on dark tool bars alike. --sheet writes an
// enlarged overview on a light and a dark ground for checking them by eye.

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>

#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

const QColor kOutline(0x1c, 0x26, 0x33);
const QColor kHalo(255, 255, 255, 110);

QImage NewImage(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

// Fills a shape with a top-to-bottom gradient, outlines it dark and rings the
// outline with the light halo.
void Shape(QPainter& p, const QPainterPath& path, const QColor& top, const QColor& bottom,
           const QColor& outline = kOutline) {
  p.save();
  p.setPen(QPen(kHalo, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
  const QRectF box = path.boundingRect();
  QLinearGradient fill(box.topLeft(), box.bottomLeft());
  fill.setColorAt(0, top);
  fill.setColorAt(1, bottom);
  p.setBrush(fill);
  p.setPen(QPen(outline, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.drawPath(path);
  p.restore();
}

// A thin light line just inside an edge, the usual bevel of a glyph.
void Shine(QPainter& p, QPointF a, QPointF b, int alpha = 170) {
  p.save();
  p.setPen(QPen(QColor(255, 255, 255, alpha), 1.0));
  p.drawLine(a, b);
  p.restore();
}

QPainterPath Polygon(std::initializer_list<QPointF> points) {
  QPainterPath path;
  bool first = true;
  for (const QPointF& pt : points) {
    if (first) path.moveTo(pt);
    else path.lineTo(pt);
    first = false;
  }
  path.closeSubpath();
  return path;
}

// A page with a folded top-right corner inside [x0, x1] x [y0, y1].
void Page(QPainter& p, qreal x0, qreal y0, qreal x1, qreal y1, qreal fold) {
  Shape(p, Polygon({{x0, y0}, {x1 - fold, y0}, {x1, y0 + fold}, {x1, y1}, {x0, y1}}), QColor(0xff, 0xff, 0xff),
        QColor(0xdc, 0xe3, 0xec));
  Shape(p, Polygon({{x1 - fold, y0}, {x1 - fold, y0 + fold}, {x1, y0 + fold}}), QColor(0xc9, 0xd3, 0xdf),
        QColor(0xa9, 0xb6, 0xc6));
}

// An arrow pointing along +x from its base at the origin, shaft half-width w,
// head half-width h, total length len, head length hl.
QPainterPath Arrow(qreal len, qreal w, qreal h, qreal hl) {
  return Polygon({{0, -w}, {len - hl, -w}, {len - hl, -h}, {len, 0}, {len - hl, h}, {len - hl, w}, {0, w}});
}

// One layer sheet seen from above at an angle: a flat parallelogram.
QPainterPath Sheet(qreal x, qreal y, qreal w, qreal h, qreal slant) {
  return Polygon({{x + slant, y}, {x + w, y}, {x + w - slant, y + h}, {x, y + h}});
}

void SheetShape(QPainter& p, const QPainterPath& path, QColor top, QColor bottom) {
  Shape(p, path, top, bottom, QColor(0x1b, 0x35, 0x5c));
}

// ---- 16 x 16 tool-bar glyphs ------------------------------------------------

void GlyphNew(QPainter& p) {
  Page(p, 1.5, 1.5, 11.5, 14.5, 4);
  // A small spark: this page is new.
  p.setRenderHint(QPainter::Antialiasing, true);
  QPainterPath star;
  const QPointF c(11.5, 11.0);
  for (int i = 0; i < 8; ++i) {
    const qreal r = i % 2 == 0 ? 4.4 : 1.7;
    const qreal a = M_PI / 4 * i - M_PI / 2;
    const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
    if (i == 0) star.moveTo(pt);
    else star.lineTo(pt);
  }
  star.closeSubpath();
  Shape(p, star, QColor(0xff, 0xe0, 0x4a), QColor(0xf2, 0xa9, 0x0c), QColor(0x7a, 0x4a, 0x00));
}

void GlyphOpen(QPainter& p) {
  // Back of the folder with its tab.
  Shape(p, Polygon({{1.5, 3.5}, {5.5, 3.5}, {7.0, 5.0}, {13.5, 5.0}, {13.5, 13.5}, {1.5, 13.5}}), QColor(0xf6, 0xc4, 0x5a),
        QColor(0xd8, 0x8f, 0x16), QColor(0x6b, 0x40, 0x05));
  // A sheet sticking out.
  Shape(p, Polygon({{3.5, 6.5}, {12.5, 6.5}, {12.5, 11.5}, {3.5, 11.5}}), QColor(0xff, 0xff, 0xff), QColor(0xe4, 0xe9, 0xef));
  // The open front flap, tilted.
  Shape(p, Polygon({{3.5, 8.5}, {15.5, 8.5}, {13.5, 13.5}, {1.5, 13.5}}), QColor(0xff, 0xd8, 0x73), QColor(0xee, 0xa8, 0x2a),
        QColor(0x6b, 0x40, 0x05));
  Shine(p, {4.5, 9.5}, {13.8, 9.5}, 150);
}

void GlyphSave(QPainter& p) {
  // Disk body with a clipped corner.
  Shape(p, Polygon({{1.5, 1.5}, {12.5, 1.5}, {14.5, 3.5}, {14.5, 14.5}, {1.5, 14.5}}), QColor(0x5b, 0x8e, 0xe6),
        QColor(0x25, 0x55, 0xb0), QColor(0x0f, 0x25, 0x55));
  // Metal shutter at the top.
  Shape(p, Polygon({{4.5, 1.5}, {11.5, 1.5}, {11.5, 5.5}, {4.5, 5.5}}), QColor(0xe9, 0xee, 0xf3), QColor(0xb4, 0xbf, 0xcc),
        QColor(0x0f, 0x25, 0x55));
  p.fillRect(QRectF(9, 2, 2, 3), QColor(0x3a, 0x4a, 0x60));
  // Paper label at the bottom.
  Shape(p, Polygon({{3.5, 8.5}, {12.5, 8.5}, {12.5, 14.5}, {3.5, 14.5}}), QColor(0xff, 0xff, 0xff), QColor(0xe6, 0xea, 0xf0),
        QColor(0x0f, 0x25, 0x55));
  p.fillRect(QRectF(5, 10, 6, 1), QColor(0x9a, 0xa8, 0xbb));
  p.fillRect(QRectF(5, 12, 6, 1), QColor(0x9a, 0xa8, 0xbb));
}

void GlyphExport(QPainter& p) {
  // A small picture: sky, hill and sun.
  const QPainterPath frame = Polygon({{0.5, 2.5}, {11.5, 2.5}, {11.5, 12.5}, {0.5, 12.5}});
  Shape(p, frame, QColor(0xff, 0xff, 0xff), QColor(0xdd, 0xe3, 0xea));
  p.fillRect(QRectF(2, 4, 9, 7), QColor(0x8c, 0xc8, 0xf5));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xff, 0xd2, 0x3f));
  p.drawEllipse(QPointF(8.5, 6.0), 1.5, 1.5);
  p.setBrush(QColor(0x3c, 0xa0, 0x46));
  p.drawPolygon(QPolygonF({QPointF(2, 11), QPointF(5, 7), QPointF(8, 11)}));
  // The green arrow carrying it out to the right.
  p.save();
  p.translate(6.5, 12.0);
  Shape(p, Arrow(9.0, 1.5, 3.5, 4.0), QColor(0x6c, 0xd6, 0x6a), QColor(0x24, 0x98, 0x3a), QColor(0x0d, 0x45, 0x18));
  p.restore();
}

void GlyphRefresh(QPainter& p) {
  // Two arcs chasing each other round a circle, each ending in a head.
  const QPointF c(8, 8);
  auto arc = [&](qreal start_degrees) {
    const qreal outer = 6.5, inner = 3.5, sweep = 130;
    QPainterPath path;
    path.arcMoveTo(QRectF(c.x() - outer, c.y() - outer, 2 * outer, 2 * outer), start_degrees);
    path.arcTo(QRectF(c.x() - outer, c.y() - outer, 2 * outer, 2 * outer), start_degrees, sweep);
    // Arrow head at the end of the sweep.
    const qreal end = (start_degrees + sweep) * M_PI / 180;
    const QPointF radial(std::cos(end), -std::sin(end));
    const QPointF tangent(-std::sin(end), -std::cos(end));
    const qreal mid = (outer + inner) / 2;
    path.lineTo(c + radial * (outer + 1.5));
    path.lineTo(c + radial * mid + tangent * 3.5);
    path.lineTo(c + radial * (inner - 1.5));
    path.arcTo(QRectF(c.x() - inner, c.y() - inner, 2 * inner, 2 * inner), start_degrees + sweep, -sweep);
    path.closeSubpath();
    Shape(p, path, QColor(0x6c, 0xd6, 0x6a), QColor(0x1f, 0x8f, 0x35), QColor(0x0d, 0x45, 0x18));
  };
  arc(20);
  arc(200);
}

// Three stacked sheets; the one named by highlight is drawn orange.
void Layers(QPainter& p, int highlight, qreal x, qreal y) {
  for (int i = 2; i >= 0; --i) {
    const QPainterPath sheet = Sheet(x, y + 3.0 * i, 9, 4, 3);
    if (i == highlight) {
      Shape(p, sheet, QColor(0xff, 0xc0, 0x6a), QColor(0xf0, 0x82, 0x1e), QColor(0x6b, 0x2e, 0x00));
    } else {
      SheetShape(p, sheet, QColor(0xa8, 0xcc, 0xf4), QColor(0x5d, 0x93, 0xd8));
    }
  }
}

void GlyphLayerUp(QPainter& p) {
  Layers(p, 0, 0.5, 3.5);
  p.save();
  p.translate(12.0, 14.5);
  p.rotate(-90);
  Shape(p, Arrow(12.5, 1.5, 3.5, 4.5), QColor(0x6c, 0xd6, 0x6a), QColor(0x24, 0x98, 0x3a), QColor(0x0d, 0x45, 0x18));
  p.restore();
}

void GlyphLayerDown(QPainter& p) {
  Layers(p, 2, 0.5, 2.5);
  p.save();
  p.translate(12.0, 1.5);
  p.rotate(90);
  Shape(p, Arrow(12.5, 1.5, 3.5, 4.5), QColor(0x6c, 0xd6, 0x6a), QColor(0x24, 0x98, 0x3a), QColor(0x0d, 0x45, 0x18));
  p.restore();
}

void GlyphAddLayer(QPainter& p) {
  SheetShape(p, Sheet(0.5, 8.5, 11, 5, 4), QColor(0xa8, 0xcc, 0xf4), QColor(0x5d, 0x93, 0xd8));
  SheetShape(p, Sheet(0.5, 4.5, 11, 5, 4), QColor(0xd2, 0xe6, 0xfb), QColor(0x8a, 0xb6, 0xea));
  // Green plus.
  Shape(p, Polygon({{10.5, 1.5}, {12.5, 1.5}, {12.5, 4.5}, {15.5, 4.5}, {15.5, 6.5}, {12.5, 6.5}, {12.5, 9.5}, {10.5, 9.5},
                    {10.5, 6.5}, {7.5, 6.5}, {7.5, 4.5}, {10.5, 4.5}}),
        QColor(0x6c, 0xd6, 0x6a), QColor(0x24, 0x98, 0x3a), QColor(0x0d, 0x45, 0x18));
}

void GlyphDeleteLayer(QPainter& p) {
  SheetShape(p, Sheet(0.5, 8.5, 11, 5, 4), QColor(0xa8, 0xcc, 0xf4), QColor(0x5d, 0x93, 0xd8));
  SheetShape(p, Sheet(0.5, 4.5, 11, 5, 4), QColor(0xd2, 0xe6, 0xfb), QColor(0x8a, 0xb6, 0xea));
  // Red cross.
  QPainterPath cross;
  const QPointF c(11.5, 5.0);
  const qreal a = 4.0, t = 1.3;
  cross = Polygon({{c.x() - a, c.y() - a + t}, {c.x() - a + t, c.y() - a}, {c.x(), c.y() - t}, {c.x() + a - t, c.y() - a},
                   {c.x() + a, c.y() - a + t}, {c.x() + t, c.y()}, {c.x() + a, c.y() + a - t}, {c.x() + a - t, c.y() + a},
                   {c.x(), c.y() + t}, {c.x() - a + t, c.y() + a}, {c.x() - a, c.y() + a - t}, {c.x() - t, c.y()}});
  Shape(p, cross, QColor(0xff, 0x7a, 0x6a), QColor(0xd0, 0x24, 0x18), QColor(0x5c, 0x08, 0x04));
}

void GlyphEye(QPainter& p) {
  QPainterPath eye;
  eye.moveTo(0.5, 8.0);
  eye.cubicTo(3.5, 2.5, 12.5, 2.5, 15.5, 8.0);
  eye.cubicTo(12.5, 13.5, 3.5, 13.5, 0.5, 8.0);
  eye.closeSubpath();
  Shape(p, eye, QColor(0xff, 0xff, 0xff), QColor(0xe0, 0xe6, 0xee));
  QRadialGradient iris(QPointF(7.3, 7.0), 3.6);
  iris.setColorAt(0, QColor(0x7e, 0xc4, 0xff));
  iris.setColorAt(1, QColor(0x1f, 0x5f, 0xb8));
  p.setPen(QPen(kOutline, 1.0));
  p.setBrush(iris);
  p.drawEllipse(QPointF(8, 8), 3.3, 3.3);
  p.setPen(Qt::NoPen);
  p.setBrush(kOutline);
  p.drawEllipse(QPointF(8, 8), 1.4, 1.4);
  p.setBrush(QColor(255, 255, 255, 230));
  p.drawEllipse(QPointF(6.8, 6.8), 0.9, 0.9);
}

// ---- Glossy buttons: the program's emblem -------------------------------------

void GlossyButton(QPainter& p, const QRectF& r, const QColor& base, qreal outline_width,
                  const QString& caption = QString()) {
  const qreal radius = r.height() * 0.32;
  QPainterPath body;
  body.addRoundedRect(r, radius, radius);
  p.save();
  // Soft shadow below.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 55));
  p.drawRoundedRect(r.translated(0, r.height() * 0.10), radius, radius);
  // Halo so that the button shows on dark grounds.
  p.setPen(QPen(QColor(255, 255, 255, 120), outline_width + 2.0));
  p.setBrush(Qt::NoBrush);
  p.drawPath(body);
  QLinearGradient fill(r.topLeft(), r.bottomLeft());
  fill.setColorAt(0, base.lighter(135));
  fill.setColorAt(0.5, base);
  fill.setColorAt(1, base.darker(150));
  p.setBrush(fill);
  p.setPen(QPen(base.darker(230), outline_width));
  p.drawPath(body);
  // Gloss: a light band over the upper half.
  const QRectF gloss(r.left() + r.height() * 0.18, r.top() + outline_width, r.width() - r.height() * 0.36, r.height() * 0.45);
  QLinearGradient shine(gloss.topLeft(), gloss.bottomLeft());
  shine.setColorAt(0, QColor(255, 255, 255, 215));
  shine.setColorAt(1, QColor(255, 255, 255, 30));
  p.setPen(Qt::NoPen);
  p.setBrush(shine);
  p.drawRoundedRect(gloss, gloss.height() * 0.5, gloss.height() * 0.5);
  if (!caption.isEmpty()) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(static_cast<int>(r.height() * 0.46));
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0, 0, 0, 90));
    p.drawText(r.translated(0, 1), Qt::AlignCenter, caption);
    p.setPen(Qt::white);
    p.drawText(r, Qt::AlignCenter, caption);
  }
  p.restore();
}

const QColor kButtonBlue(0x2b, 0x7b, 0xe4);
const QColor kButtonOrange(0xf2, 0x8a, 0x1c);
const QColor kButtonGreen(0x3b, 0xb0, 0x4c);

// Three glossy buttons stacked in steps, filling a size x size square.
void Emblem(QPainter& p, qreal size) {
  const qreal w = size * 0.72, h = size * 0.33, step_x = size * 0.12, step_y = size * 0.29;
  const qreal x0 = size * 0.02 + (size < 24 ? 0.5 : 0), y0 = size * 0.025 + (size < 24 ? 0.5 : 0);
  const qreal outline = std::max(1.0, size / 64.0);
  const QColor colours[] = {kButtonGreen, kButtonOrange, kButtonBlue};
  for (int i = 0; i < 3; ++i) {
    GlossyButton(p, QRectF(x0 + step_x * i, y0 + step_y * i, w, h), colours[i], outline);
  }
}

QImage ProgramIcon(int size) {
  QImage image = NewImage(size, size);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  if (size <= 16) {
    // Too small for three: two buttons.
    GlossyButton(p, QRectF(0.5, 1.5, 12, 6), kButtonOrange, 1.0);
    GlossyButton(p, QRectF(3.5, 8.5, 12, 6), kButtonBlue, 1.0);
  } else {
    Emblem(p, size);
  }
  return image;
}

// The layout-file icon: a page with lines of text above and below a button.
// icons/layout_document.svg is the same drawing for any size; 16 pixels get
// a version of their own with fewer lines, and the larger sizes the 32-pixel
// drawing enlarged.
QImage DocumentIcon(int size) {
  QImage image = NewImage(size, size);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  const QColor line(0x9a, 0xa8, 0xbb);
  if (size <= 16) {
    Page(p, 2.5, 0.5, 13.5, 15.5, 4);
    p.fillRect(QRectF(4, 3, 5, 1), line);
    p.fillRect(QRectF(4, 12, 8, 1), line);
    GlossyButton(p, QRectF(3.5, 6.5, 9, 4), kButtonBlue, 1.0);
    return image;
  }
  p.scale(size / 32.0, size / 32.0);
  Page(p, 4.5, 1.5, 26.5, 30.5, 7);
  for (const qreal y : {6.5, 9.5, 23.5, 26.5}) {
    p.fillRect(QRectF(8, y, y < 8 ? 11 : 15, 1), line);
  }
  GlossyButton(p, QRectF(7.5, 13.5, 17, 7), kButtonBlue, 1.0);
  return image;
}

// A 16 x 16 glyph drawn `scale` times as large (the form for screens of that
// pixel density), from the same 16-unit drawing.
QImage Glyph(const std::function<void(QPainter&)>& draw, int scale = 1) {
  QImage image = NewImage(16 * scale, 16 * scale);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.scale(scale, scale);
  draw(p);
  return image;
}

QImage Splash() {
  QImage image(350, 200, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);

  // A soft blue wash behind the emblem on the left.
  QLinearGradient wash(0, 0, 100, 0);
  wash.setColorAt(0, QColor(0xe4, 0xef, 0xfc));
  wash.setColorAt(1, QColor(0xff, 0xff, 0xff));
  p.fillRect(QRectF(0, 0, 100, 200), wash);

  // Stacked glossy buttons, larger and more of them than in the icon.
  const QColor colours[] = {kButtonGreen, QColor(0xd9, 0x3a, 0x8c), kButtonOrange, kButtonBlue};
  const QString captions[] = {QStringLiteral("Home"), QStringLiteral("Gallery"), QStringLiteral("About"),
                              QStringLiteral("Contact")};
  for (int i = 0; i < 4; ++i) {
    GlossyButton(p, QRectF(8 + 5 * i, 22 + 40 * i, 78, 30), colours[i], 1.2, captions[i]);
  }

  // The name, with a faint reflection line under it.
  QFont name(QStringLiteral("DejaVu Sans"));
  name.setPixelSize(54);
  name.setBold(true);
  name.setLetterSpacing(QFont::AbsoluteSpacing, -1.5);
  QPainterPath text;
  text.addText(QPointF(104, 70), name, QStringLiteral("Vorbel"));
  QLinearGradient ink(0, 22, 0, 72);
  ink.setColorAt(0, QColor(0x3d, 0x8c, 0xf0));
  ink.setColorAt(1, QColor(0x12, 0x3f, 0x8a));
  p.setPen(QPen(QColor(0x0b, 0x2a, 0x5e), 1.2));
  p.setBrush(ink);
  p.drawPath(text);

  QFont tag(QStringLiteral("DejaVu Sans"));
  tag.setPixelSize(13);
  tag.setItalic(true);
  p.setFont(tag);
  p.setPen(QColor(0x55, 0x60, 0x70));
  p.drawText(QPointF(107, 89), QStringLiteral("buttons for the web, layer by layer"));

  QLinearGradient rule(104, 0, 340, 0);
  rule.setColorAt(0, QColor(0x2b, 0x7b, 0xe4));
  rule.setColorAt(1, QColor(0x2b, 0x7b, 0xe4, 0));
  p.fillRect(QRectF(104, 94, 236, 2), rule);
  return image;
}

bool Save(const QImage& image, const QString& path) {
  if (!image.save(path, "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

// Every glyph enlarged 8 times, on a light and on a dark ground.
QImage Sheet(const std::vector<QImage>& glyphs, const std::vector<QImage>& icons) {
  const int scale = 8, cell = 16 * scale + 8;
  const int width = cell * static_cast<int>(glyphs.size()) + 8;
  int icon_width = 8;
  for (const QImage& icon : icons) icon_width += icon.width() + 8;
  QImage sheet(std::max(width, icon_width), 2 * cell + 2 * (256 + 16), QImage::Format_RGB32);
  QPainter p(&sheet);
  const QColor grounds[] = {QColor(0xf0, 0xf0, 0xf0), QColor(0x2e, 0x31, 0x36)};
  for (int row = 0; row < 2; ++row) {
    p.fillRect(QRect(0, row * cell, sheet.width(), cell), grounds[row]);
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
      p.drawImage(QRect(8 + static_cast<int>(i) * cell, row * cell + 4, 16 * scale, 16 * scale), glyphs[i]);
    }
    const int top = 2 * cell + row * (256 + 16);
    p.fillRect(QRect(0, top, sheet.width(), 256 + 16), grounds[row]);
    int x = 8;
    for (const QImage& icon : icons) {
      p.drawImage(QPoint(x, top + 8), icon);
      x += icon.width() + 8;
    }
  }
  return sheet;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER [--sheet SHEET.png]\n", argv[0]);
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  bool ok = true;

  // Tool-bar glyphs in tool-bar order, then the visible-layer mark.
  const std::vector<std::pair<const char*, std::function<void(QPainter&)>>> glyphs = {
      {"toolbar/00_new.png", GlyphNew},           {"toolbar/01_open.png", GlyphOpen},
      {"toolbar/02_save.png", GlyphSave},         {"toolbar/03_export.png", GlyphExport},
      {"toolbar/04_refresh.png", GlyphRefresh},   {"toolbar/05_layer_up.png", GlyphLayerUp},
      {"toolbar/06_layer_down.png", GlyphLayerDown}, {"toolbar/07_add_layer.png", GlyphAddLayer},
      {"toolbar/08_delete_layer.png", GlyphDeleteLayer}, {"layers/visible.png", GlyphEye},
  };
  std::vector<QImage> drawn;
  for (const auto& [name, draw] : glyphs) {
    drawn.push_back(Glyph(draw));
    ok = Save(drawn.back(), out + "/" + QString::fromLatin1(name)) && ok;
    // The double-density form beside it: "name@2x.png".
    QString doubled = QString::fromLatin1(name);
    doubled.insert(doubled.size() - 4, QStringLiteral("@2x"));
    ok = Save(Glyph(draw, 2), out + "/" + doubled) && ok;
  }
  std::vector<QImage> icons;
  for (const int size : {16, 32, 48, 64, 128, 256}) {
    icons.push_back(ProgramIcon(size));
    ok = Save(icons.back(), out + QStringLiteral("/icons/vorbel_%1.png").arg(size)) && ok;
  }
  for (const int size : {16, 32, 48, 64, 128, 256}) {
    icons.push_back(DocumentIcon(size));
    ok = Save(icons.back(), out + QStringLiteral("/icons/layout_document_%1.png").arg(size)) && ok;
  }
  const QImage splash = Splash();
  ok = Save(splash, out + QStringLiteral("/pictures/splash.png")) && ok;
  icons.push_back(splash);

  if (argc >= 4 && QString::fromLatin1(argv[2]) == QStringLiteral("--sheet")) {
    ok = Save(Sheet(drawn, icons), QString::fromLocal8Bit(argv[3])) && ok;
  }
  return ok ? 0 : 1;
}
