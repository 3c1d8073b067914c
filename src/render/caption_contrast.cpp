#include "render/caption_contrast.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <map>

namespace vorbel::render {
namespace {

// The linear light of an sRGB channel, by table: a caption's measure takes
// it for every pixel behind its glyphs, in every look.
double Linear(std::uint8_t channel) {
  static const std::array<double, 256> table = [] {
    std::array<double, 256> linear{};
    for (std::size_t i = 0; i < linear.size(); ++i) {
      const double c = static_cast<double>(i) / 255.0;
      linear[i] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    }
    return linear;
  }();
  return table[channel];
}

double Ratio(double a, double b) { return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05); }

std::uint8_t AlphaAt(const gdi::Bitmap& picture, int x, int y) {
  const std::uint8_t* alpha = picture.AlphaRow(y);
  return alpha != nullptr ? alpha[x] : 255;
}

// The pixel as a page shows it over the matte.
gdi::Pixel Opaque(gdi::Pixel p, std::uint8_t alpha, gdi::Pixel matte) {
  if (alpha == 255) return p;
  const auto mix = [alpha](int c, int m) { return static_cast<std::uint8_t>((c * alpha + m * (255 - alpha) + 127) / 255); };
  return gdi::Pixel::FromRgb(mix(p.Red(), matte.Red()), mix(p.Green(), matte.Green()), mix(p.Blue(), matte.Blue()));
}

}  // namespace

double RelativeLuminance(gdi::Pixel p) {
  return 0.2126 * Linear(p.Red()) + 0.7152 * Linear(p.Green()) + 0.0722 * Linear(p.Blue());
}

double ContrastRatio(gdi::Pixel a, gdi::Pixel b) { return Ratio(RelativeLuminance(a), RelativeLuminance(b)); }

double CaptionSample::Contrast() const {
  if (backdrop.empty()) return 0;
  double sum = 0;
  for (const gdi::Pixel p : backdrop) sum += RelativeLuminance(p);
  return Ratio(RelativeLuminance(colour), sum / static_cast<double>(backdrop.size()));
}

CaptionSample SampleCaption(const gdi::Bitmap& with, const gdi::Bitmap& without, std::optional<gdi::Pixel> colour,
                            gdi::Pixel matte) {
  CaptionSample sample{colour.value_or(gdi::Pixel{}), {}};
  if (with.Width() != without.Width() || with.Height() != without.Height()) return sample;
  std::vector<gdi::Pixel> differing;
  // The caption's pixels as shown, counted only when no pixel has its colour.
  std::vector<gdi::Pixel> shown;
  for (int y = 0; y < with.Height(); ++y) {
    const gdi::Pixel* withRow = with.Row(y);
    const gdi::Pixel* withoutRow = without.Row(y);
    for (int x = 0; x < with.Width(); ++x) {
      const std::uint8_t alpha = AlphaAt(with, x, y);
      const gdi::Pixel p = withRow[x];
      if (p == withoutRow[x] && alpha == AlphaAt(without, x, y)) continue;
      const gdi::Pixel behind = Opaque(withoutRow[x], AlphaAt(without, x, y), matte);
      if (p == colour && alpha == 255) sample.backdrop.push_back(behind);
      differing.push_back(behind);
      if (sample.backdrop.empty()) shown.push_back(Opaque(p, alpha, matte));
    }
  }
  if (sample.backdrop.empty() && !shown.empty()) {
    std::map<std::uint32_t, int> counts;
    for (const gdi::Pixel p : shown) ++counts[p.Rgb()];
    const auto most = std::max_element(counts.begin(), counts.end(),
                                       [](const auto& a, const auto& b) { return a.second < b.second; });
    sample.colour = gdi::Pixel{most->first};
    sample.backdrop = std::move(differing);
  }
  return sample;
}

}  // namespace vorbel::render
