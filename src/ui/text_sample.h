#pragma once
// The sample of the text editor: the caption in the chosen face, size and
// colour, drawn with the program's own fonts and raster surface so that it
// looks exactly as the button will draw it.

#include <QWidget>

#include <functional>
#include <string>

#include "base/color.h"
#include "gdi/bitmap.h"

namespace vorbel::ui {

// What the sample shows.
struct TextSampleSettings {
  std::string caption;  // shown when it holds more than blanks and control characters
  std::string face;     // also shown in place of a blank caption
  int point_size = 0;   // 0 gives the default size
  base::Color color;    // -1 (nothing selected) draws black
};

// The sample picture of `width` x `height` pixels: white, or the button-face
// colour when the caption colour is exactly white; the text as one line with
// its top-left corner at (5, 5), clipped to the picture. A size too large to
// make a font for shows the ground only.
gdi::Bitmap RenderTextSample(int width, int height, const TextSampleSettings& settings);

// The paint box that shows RenderTextSample for the settings its source
// gives at paint time.
class TextSample : public QWidget {
  Q_OBJECT

 public:
  using Source = std::function<TextSampleSettings()>;
  explicit TextSample(Source source, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Source source_;
};

}  // namespace vorbel::ui
