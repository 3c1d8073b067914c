// PNG files in their smallest lossless form. The picture is looked at once
// and stored in the leanest colour type that gives back every pixel exactly
// (a palette, grey, RGB or RGBA, with tRNS where it is enough), then filtered
// and deflated with libdeflate. The chunks are written here: libpng cannot take
// a zlib stream made by another compressor.

#include <libdeflate.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <span>
#include <stdexcept>

#include "codecs/image_writers.h"

namespace vorbel::codecs {

namespace {

// PNG's colour types, by their numbers in the file.
enum class PngColourType : std::uint8_t { Grey = 0, Rgb = 2, Palette = 3, GreyAlpha = 4, Rgba = 6 };

// How a picture is stored.
struct PngForm {
  PngColourType type = PngColourType::Rgba;
  int bits = 8;                        // a sample's bits: 1, 2, 4 or 8
  std::vector<std::uint32_t> palette;  // the colours of a palette, those with alpha first
  std::optional<std::uint32_t> key;    // the one transparent colour of grey or RGB (tRNS)
};

// A pixel with its alpha as one number, 0xAARRGGBB.
constexpr std::uint32_t Red(std::uint32_t p) { return p >> 16 & 0xFF; }
constexpr std::uint32_t Green(std::uint32_t p) { return p >> 8 & 0xFF; }
constexpr std::uint32_t Blue(std::uint32_t p) { return p & 0xFF; }
constexpr std::uint32_t Alpha(std::uint32_t p) { return p >> 24; }
constexpr std::uint32_t kOpaque = 0xFF000000u;

// Calls change(x, p) for every pixel p of the row that differs from the one
// before it (`previous` for the first; it becomes the row's last), and
// same(x, n) for each run of n pixels from x like the one before them.
template <typename Change, typename Same>
void ForEachChange(const std::uint32_t* row, int width, std::uint32_t& previous, Change change, Same same) {
  int x = 0;
  while (x < width) {
    if (x + kRunBlock <= width) {
      std::uint32_t differs = 0;
      for (int k = 0; k < kRunBlock; ++k) differs |= row[x + k] ^ previous;
      if (differs == 0) {
        same(x, kRunBlock);
        x += kRunBlock;
        continue;
      }
    }
    if (row[x] == previous) {
      same(x, 1);
    } else {
      previous = row[x];
      change(x, previous);
    }
    ++x;
  }
}

// The rows of a picture as 0xAARRGGBB pixels, one row at a time (no copy of
// the whole picture), and which rows repeat the row above them.
class Rows {
 public:
  Rows(const PixelView& view, base::Pixel workArea)
      : view_(&view), work_area_(workArea.Rgb()), width_(view.width), height_(view.height) {
    FindRepeats();
  }
  explicit Rows(const RgbaImage& img) : image_(&img), width_(img.width), height_(img.height) { FindRepeats(); }

  int Width() const { return width_; }
  int Height() const { return height_; }

  // Whether row y holds the same pixels as the row above it.
  bool SameAsAbove(int y) const { return y > 0 && same_as_above_[static_cast<std::size_t>(y)] != 0; }

  // ForEachChange over row y as Fetch gives it, read where the pixels are
  // kept; `scratch` holds Width() pixels.
  template <typename Change, typename Same>
  void ForEachChange(int y, std::uint32_t* scratch, std::uint32_t& previous, Change change, Same same) const {
    if (image_ != nullptr) {
      Fetch(y, scratch);
      codecs::ForEachChange(scratch, width_, previous, change, same);
      return;
    }
    // A pixel of the view is its colour and its alpha, or without alpha a
    // function of its colour: blocks compare what is stored.
    const base::Pixel* src = view_->Row(y);
    const std::uint8_t* alpha = view_->AlphaRow(y);
    int x = 0;
    while (x < width_) {
      if (x + kRunBlock <= width_) {
        const std::uint32_t rgb = previous & 0xFFFFFFu;
        // Without alpha, a first pixel's made-up `previous` continues nothing.
        const bool possible = alpha != nullptr || Alpha(previous) == (rgb == work_area_ ? 0u : 255u);
        if (possible && BlockContinuesRun(src + x, alpha != nullptr ? alpha + x : nullptr, rgb,
                                          static_cast<std::uint8_t>(Alpha(previous)))) {
          same(x, kRunBlock);
          x += kRunBlock;
          continue;
        }
      }
      const std::uint32_t rgb = src[x].Rgb();
      const std::uint32_t p =
          alpha != nullptr ? rgb | std::uint32_t{alpha[x]} << 24 : (rgb == work_area_ ? rgb : rgb | kOpaque);
      if (p == previous) {
        same(x, 1);
      } else {
        previous = p;
        change(x, p);
      }
      ++x;
    }
  }

  // Row y into `row` (Width() pixels).
  void Fetch(int y, std::uint32_t* row) const {
    if (image_ != nullptr) {
      const std::uint8_t* src =
          image_->rgba.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) * 4;
      for (int x = 0; x < width_; ++x, src += 4) {
        row[x] = std::uint32_t{src[3]} << 24 | std::uint32_t{src[0]} << 16 | std::uint32_t{src[1]} << 8 | src[2];
      }
      return;
    }
    const base::Pixel* src = view_->Row(y);
    if (const std::uint8_t* alpha = view_->AlphaRow(y)) {
      for (int x = 0; x < width_; ++x) row[x] = src[x].Rgb() | std::uint32_t{alpha[x]} << 24;
    } else {
      for (int x = 0; x < width_; ++x) {
        const std::uint32_t rgb = src[x].Rgb();
        row[x] = rgb == work_area_ ? rgb : rgb | kOpaque;
      }
    }
  }

 private:
  void FindRepeats() {
    same_as_above_.assign(static_cast<std::size_t>(height_), 0);
    const std::size_t n = static_cast<std::size_t>(width_);
    for (int y = 1; y < height_; ++y) {
      bool same = false;
      if (image_ != nullptr) {
        const std::uint8_t* row = image_->rgba.data() + static_cast<std::size_t>(y) * n * 4;
        same = std::memcmp(row, row - n * 4, n * 4) == 0;
      } else {
        same = std::memcmp(view_->Row(y), view_->Row(y - 1), n * sizeof(base::Pixel)) == 0 &&
               (view_->alpha == nullptr || std::memcmp(view_->AlphaRow(y), view_->AlphaRow(y - 1), n) == 0);
      }
      same_as_above_[static_cast<std::size_t>(y)] = same ? 1 : 0;
    }
  }

  const PixelView* view_ = nullptr;
  std::uint32_t work_area_ = 0;
  const RgbaImage* image_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> same_as_above_;  // per row
};

// The colours of a picture with at most 256 of them, each with its index.
class ColourTable {
 public:
  // The index of `colour`, added when it is new; -1 once the table would
  // hold more than 256 colours.
  int Find(std::uint32_t colour) {
    std::size_t slot = Hash(colour);
    while (index_[slot] >= 0) {
      if (keys_[slot] == colour) return index_[slot];
      slot = (slot + 1) & (kSlots - 1);
    }
    if (colours_.size() == 256) return -1;
    keys_[slot] = colour;
    index_[slot] = static_cast<std::int16_t>(colours_.size());
    colours_.push_back(colour);
    return index_[slot];
  }
  const std::vector<std::uint32_t>& Colours() const { return colours_; }

 private:
  static constexpr std::size_t kSlots = 1024;  // at most a quarter full
  static std::size_t Hash(std::uint32_t c) { return (c * 2654435761u) >> 22; }
  std::array<std::uint32_t, kSlots> keys_{};
  std::array<std::int16_t, kSlots> index_ = [] {
    std::array<std::int16_t, kSlots> empty{};
    empty.fill(-1);
    return empty;
  }();
  std::vector<std::uint32_t> colours_;
};

// What one look at the pixels finds.
struct Survey {
  bool opaque = true;
  bool grey = true;
  bool binary_alpha = true;      // every alpha 0 or 255
  bool one_clear_colour = true;  // every pixel of alpha 0 the same
  std::uint32_t clear_colour = 0;
  bool few_colours = true;  // at most 256
  ColourTable table;
};

void Look(const Rows& rows, Survey& s) {
  std::vector<std::uint32_t> row(static_cast<std::size_t>(rows.Width()));
  bool haveClear = false;
  // Unlike the first pixel, so that it is looked at.
  rows.Fetch(0, row.data());
  std::uint32_t previous = ~row[0];
  const auto lookAt = [&](int, std::uint32_t p) {
    const std::uint32_t a = Alpha(p);
    if (a != 255) {
      s.opaque = false;
      if (a != 0) {
        s.binary_alpha = false;
      } else if (!haveClear) {
        haveClear = true;
        s.clear_colour = p;
      } else if (p != s.clear_colour) {
        s.one_clear_colour = false;
      }
    }
    if (Red(p) != Green(p) || Green(p) != Blue(p)) s.grey = false;
    if (s.few_colours && s.table.Find(p) < 0) s.few_colours = false;
  };
  for (int y = 0; y < rows.Height(); ++y) {
    if (!rows.SameAsAbove(y)) rows.ForEachChange(y, row.data(), previous, lookAt, [](int, int) {});
  }
}

// Whether an opaque pixel has the colour of the transparent ones, which a
// tRNS key would then make transparent as well.
bool ClearColourShown(const Rows& rows, std::uint32_t clear) {
  const std::uint32_t shown = clear | kOpaque;
  std::vector<std::uint32_t> row(static_cast<std::size_t>(rows.Width()));
  for (int y = 0; y < rows.Height(); ++y) {
    rows.Fetch(y, row.data());
    if (std::ranges::find(row, shown) != row.end()) return true;
  }
  return false;
}

// The fewest bits a grey sample takes to hold each of the levels exactly.
int GreyBits(const std::vector<std::uint32_t>& colours) {
  int bits = 1;
  for (const std::uint32_t c : colours) {
    const std::uint32_t v = Red(c);
    while (bits < 8 && v % (255 / ((1u << bits) - 1)) != 0) bits *= 2;
  }
  return bits;
}

int PaletteBits(std::size_t colours) {
  if (colours <= 2) return 1;
  if (colours <= 4) return 2;
  if (colours <= 16) return 4;
  return 8;
}

// The smallest form that keeps every pixel as it is.
PngForm ChoosePngForm(const Rows& rows) {
  Survey s;
  Look(rows, s);
  PngForm form;
  // A single transparent colour that no opaque pixel has can be a tRNS key.
  const bool keyed =
      !s.opaque && s.binary_alpha && s.one_clear_colour &&
      (s.few_colours ? std::ranges::find(s.table.Colours(), s.clear_colour | kOpaque) == s.table.Colours().end()
                     : !ClearColourShown(rows, s.clear_colour));
  if (s.grey && (s.opaque || keyed)) {
    // Grey at the fewest bits that hold its levels, unless a palette takes fewer.
    const int bits = s.few_colours ? GreyBits(s.table.Colours()) : 8;
    if (!s.few_colours || PaletteBits(s.table.Colours().size()) >= bits) {
      form.type = PngColourType::Grey;
      form.bits = bits;
      if (keyed) form.key = s.clear_colour;
      return form;
    }
  }
  if (s.few_colours) {
    form.type = PngColourType::Palette;
    form.palette = s.table.Colours();
    form.bits = PaletteBits(form.palette.size());
    // The entries with alpha first, so that tRNS stops where they end.
    std::stable_partition(form.palette.begin(), form.palette.end(), [](std::uint32_t c) { return Alpha(c) != 255; });
    return form;
  }
  if (s.grey) {
    form.type = PngColourType::GreyAlpha;
  } else if (s.opaque || keyed) {
    form.type = PngColourType::Rgb;
    if (keyed) form.key = s.clear_colour;
  } else {
    form.type = PngColourType::Rgba;
  }
  form.bits = 8;
  return form;
}

int Channels(PngColourType type) {
  switch (type) {
    case PngColourType::Grey:
    case PngColourType::Palette: return 1;
    case PngColourType::GreyAlpha: return 2;
    case PngColourType::Rgb: return 3;
    case PngColourType::Rgba: return 4;
  }
  return 4;
}

// The samples of one row, packed as the form stores them.
class RowPacker {
 public:
  RowPacker(const PngForm& form, int width) : form_(form), samples_(static_cast<std::size_t>(width)) {
    for (std::size_t i = 0; i < form.palette.size(); ++i) table_.Find(form.palette[i]);
    if (!form.palette.empty()) last_colour_ = form.palette[0];  // index 0
  }

  // Row y of `rows` into dst; `scratch` holds a row of pixels.
  void Pack(const Rows& rows, int y, std::uint32_t* scratch, std::uint8_t* dst) {
    const int width = rows.Width();
    if (form_.type == PngColourType::Palette) {
      std::uint8_t* index = form_.bits == 8 ? dst : samples_.data();
      rows.ForEachChange(
          y, scratch, last_colour_,
          [&](int x, std::uint32_t p) { index[x] = last_index_ = static_cast<std::uint8_t>(table_.Find(p)); },
          [&](int x, int n) { std::memset(index + x, last_index_, static_cast<std::size_t>(n)); });
      if (form_.bits < 8) PackBits(samples_.data(), width, dst);
      return;
    }
    rows.Fetch(y, scratch);
    const std::uint32_t* src = scratch;
    switch (form_.type) {
      case PngColourType::Palette: break;
      case PngColourType::Grey: {
        const std::uint32_t step = 255 / ((1u << form_.bits) - 1);
        std::uint8_t* level = form_.bits == 8 ? dst : samples_.data();
        for (int x = 0; x < width; ++x) level[x] = static_cast<std::uint8_t>(Blue(src[x]) / step);
        if (form_.bits < 8) PackBits(samples_.data(), width, dst);
        break;
      }
      case PngColourType::GreyAlpha:
        for (int x = 0; x < width; ++x, dst += 2) {
          dst[0] = static_cast<std::uint8_t>(Blue(src[x]));
          dst[1] = static_cast<std::uint8_t>(Alpha(src[x]));
        }
        break;
      case PngColourType::Rgb:
        for (int x = 0; x < width; ++x, dst += 3) {
          dst[0] = static_cast<std::uint8_t>(Red(src[x]));
          dst[1] = static_cast<std::uint8_t>(Green(src[x]));
          dst[2] = static_cast<std::uint8_t>(Blue(src[x]));
        }
        break;
      case PngColourType::Rgba:
        for (int x = 0; x < width; ++x, dst += 4) {
          dst[0] = static_cast<std::uint8_t>(Red(src[x]));
          dst[1] = static_cast<std::uint8_t>(Green(src[x]));
          dst[2] = static_cast<std::uint8_t>(Blue(src[x]));
          dst[3] = static_cast<std::uint8_t>(Alpha(src[x]));
        }
        break;
    }
  }

 private:
  // Samples of fewer than 8 bits fill each byte from its high bits down.
  void PackBits(const std::uint8_t* samples, int width, std::uint8_t* dst) const {
    switch (form_.bits) {
      case 1: PackBits<1>(samples, width, dst); break;
      case 2: PackBits<2>(samples, width, dst); break;
      default: PackBits<4>(samples, width, dst); break;
    }
  }
  template <int kBits>
  static void PackBits(const std::uint8_t* samples, int width, std::uint8_t* dst) {
    constexpr int kPerByte = 8 / kBits;
    const int whole = width / kPerByte;
    for (int i = 0; i < whole; ++i, samples += kPerByte) {
      std::uint32_t byte = 0;
      for (int k = 0; k < kPerByte; ++k) byte = byte << kBits | samples[k];
      dst[i] = static_cast<std::uint8_t>(byte);
    }
    const int rest = width - whole * kPerByte;
    if (rest > 0) {
      std::uint32_t byte = 0;
      for (int k = 0; k < kPerByte; ++k) byte = byte << kBits | (k < rest ? samples[k] : 0u);
      dst[whole] = static_cast<std::uint8_t>(byte);
    }
  }

  const PngForm& form_;
  ColourTable table_;
  std::vector<std::uint8_t> samples_;  // a row of indices or levels before packing
  // The colour of the last pixel packed and its index.
  std::uint32_t last_colour_ = 0;
  std::uint8_t last_index_ = 0;
};

std::uint8_t Paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return static_cast<std::uint8_t>(a);
  return static_cast<std::uint8_t>(pb <= pc ? b : c);
}

// What filter f (1 sub, 2 up, 3 average, 4 Paeth; 0 none) predicts of a
// byte from a (left), b (up) and c (up left).
std::uint8_t Predict(int f, std::uint8_t a, std::uint8_t b, std::uint8_t c) {
  switch (f) {
    case 1: return a;
    case 2: return b;
    case 3: return static_cast<std::uint8_t>((a + b) >> 1);
    case 4: return Paeth(a, b, c);
    default: return 0;
  }
}

// A byte's weight read as a signed number: its distance from 0.
std::uint64_t Weigh(std::uint8_t v) { return v < 128 ? v : 256u - v; }

#if defined(__SSE2__)
// The same for 16 bytes at once. SSE2 is part of every x86-64 processor.
__m128i Weigh16(__m128i v) { return _mm_min_epu8(v, _mm_sub_epi8(_mm_setzero_si128(), v)); }

__m128i Select16(__m128i mask, __m128i yes, __m128i no) {
  return _mm_or_si128(_mm_and_si128(mask, yes), _mm_andnot_si128(mask, no));
}

__m128i Abs16(__m128i v) { return _mm_max_epi16(v, _mm_sub_epi16(_mm_setzero_si128(), v)); }

// Paeth's prediction of 8 bytes widened to 16 bits, as Paeth makes it.
__m128i PaethHalf(__m128i a, __m128i b, __m128i c) {
  const __m128i toA = _mm_sub_epi16(b, c);  // p - a
  const __m128i toB = _mm_sub_epi16(a, c);  // p - b
  const __m128i pa = Abs16(toA);
  const __m128i pb = Abs16(toB);
  const __m128i pc = Abs16(_mm_add_epi16(toA, toB));
  const __m128i notA = _mm_or_si128(_mm_cmpgt_epi16(pa, pb), _mm_cmpgt_epi16(pa, pc));
  const __m128i bOrC = Select16(_mm_cmpgt_epi16(pb, pc), c, b);
  return Select16(notA, bOrC, a);
}

__m128i Paeth16(__m128i a, __m128i b, __m128i c) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i low = PaethHalf(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(b, zero), _mm_unpacklo_epi8(c, zero));
  const __m128i high = PaethHalf(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(b, zero), _mm_unpackhi_epi8(c, zero));
  return _mm_packus_epi16(low, high);
}

__m128i Average16(__m128i a, __m128i b) {
  // _mm_avg_epu8 rounds up; the filter rounds down.
  return _mm_sub_epi8(_mm_avg_epu8(a, b), _mm_and_si128(_mm_xor_si128(a, b), _mm_set1_epi8(1)));
}

__m128i Predict16(int f, __m128i a, __m128i b, __m128i c) {
  switch (f) {
    case 1: return a;
    case 2: return b;
    case 3: return Average16(a, b);
    case 4: return Paeth16(a, b, c);
    default: return _mm_setzero_si128();
  }
}

__m128i Load16(const std::uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }

std::uint64_t Sum(__m128i sums) {
  alignas(16) std::array<std::uint64_t, 2> halves{};
  _mm_store_si128(reinterpret_cast<__m128i*>(halves.data()), sums);
  return halves[0] + halves[1];
}
#endif

// Filters a row by the filter whose bytes, read as signed numbers, add up
// to the least: a fair guess at what deflates best. `up` is the row above
// unfiltered (zeros for the first row); both have `bpp` zeros before them,
// which the filters see left of the first pixel. The filter byte goes to
// out[0].
void FilterAdaptively(const std::uint8_t* row, const std::uint8_t* up, std::size_t n, std::size_t bpp,
                      std::uint8_t* out) {
  // The bytes left of each: `bpp` before it, zeros for the first pixel.
  const std::uint8_t* left = row - bpp;
  const std::uint8_t* leftUp = up - bpp;
  std::array<std::uint64_t, 5> cost{};
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  __m128i sums[5] = {zero, zero, zero, zero, zero};
  for (; i + 16 <= n; i += 16) {
    const __m128i x = Load16(row + i), a = Load16(left + i), b = Load16(up + i), c = Load16(leftUp + i);
    sums[0] = _mm_add_epi64(sums[0], _mm_sad_epu8(Weigh16(x), zero));
    sums[1] = _mm_add_epi64(sums[1], _mm_sad_epu8(Weigh16(_mm_sub_epi8(x, a)), zero));
    sums[2] = _mm_add_epi64(sums[2], _mm_sad_epu8(Weigh16(_mm_sub_epi8(x, b)), zero));
    sums[3] = _mm_add_epi64(sums[3], _mm_sad_epu8(Weigh16(_mm_sub_epi8(x, Average16(a, b))), zero));
    sums[4] = _mm_add_epi64(sums[4], _mm_sad_epu8(Weigh16(_mm_sub_epi8(x, Paeth16(a, b, c))), zero));
  }
  for (std::size_t f = 0; f < cost.size(); ++f) cost[f] = Sum(sums[f]);
#endif
  for (; i < n; ++i) {
    const std::uint8_t x = row[i], a = left[i], b = up[i], c = leftUp[i];
    for (std::size_t f = 0; f < cost.size(); ++f) {
      cost[f] += Weigh(static_cast<std::uint8_t>(x - Predict(static_cast<int>(f), a, b, c)));
    }
  }
  const int filter = static_cast<int>(std::ranges::min_element(cost) - cost.begin());
  out[0] = static_cast<std::uint8_t>(filter);
  ++out;
  i = 0;
#if defined(__SSE2__)
  for (; i + 16 <= n; i += 16) {
    const __m128i x = Load16(row + i), a = Load16(left + i), b = Load16(up + i), c = Load16(leftUp + i);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_sub_epi8(x, Predict16(filter, a, b, c)));
  }
#endif
  for (; i < n; ++i) out[i] = static_cast<std::uint8_t>(row[i] - Predict(filter, left[i], up[i], leftUp[i]));
}

// How the packed rows of a picture are laid out.
struct RowLayout {
  std::size_t bytes = 0;  // of a row, without its filter byte
  std::size_t bpp = 1;    // bytes a pixel, at least 1: how far back filters look
};

RowLayout LayoutOf(const Rows& rows, const PngForm& form) {
  const std::size_t bits = static_cast<std::size_t>(Channels(form.type) * form.bits);
  return {(static_cast<std::size_t>(rows.Width()) * bits + 7) / 8, std::max<std::size_t>(1, bits / 8)};
}

// The rows as PNG stores them unfiltered: each a filter byte of 0 (none),
// then its samples packed as the form stores them.
std::vector<std::uint8_t> PackedRows(const Rows& rows, const PngForm& form) {
  const int width = rows.Width();
  const std::size_t rowBytes = LayoutOf(rows, form).bytes;
  std::vector<std::uint8_t> out((rowBytes + 1) * static_cast<std::size_t>(rows.Height()));
  RowPacker packer(form, width);
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width));
  for (int y = 0; y < rows.Height(); ++y) {
    std::uint8_t* dst = out.data() + static_cast<std::size_t>(y) * (rowBytes + 1);
    dst[0] = 0;
    // A row like the one above it is packed alike.
    if (rows.SameAsAbove(y)) {
      std::memcpy(dst + 1, dst - rowBytes, rowBytes);
    } else {
      packer.Pack(rows, y, pixels.data(), dst + 1);
    }
  }
  return out;
}

// Filters the rows PackedRows made, in place, each with the filter
// FilterAdaptively picks. A row like the one above it is all zeros with the
// up filter (with none when its bytes are zeros): what FilterAdaptively
// gives it, found without weighing.
void FilterRowsAdaptively(std::vector<std::uint8_t>& data, const Rows& rows, const RowLayout& layout) {
  const std::size_t stride = layout.bytes + 1;
  std::vector<std::uint8_t> filtered(stride);
  // Copies of this row and the one above with zeros left of them, for
  // FilterAdaptively; the row above becomes the next row.
  constexpr std::size_t kLead = 8;
  std::vector<std::uint8_t> copies(2 * (kLead + layout.bytes));
  std::uint8_t* row = copies.data() + kLead;
  std::uint8_t* up = row + layout.bytes + kLead;
  bool rowCopied = false;
  // From the bottom up, so that the row above is still unfiltered.
  for (int y = rows.Height() - 1; y >= 0; --y) {
    std::uint8_t* at = data.data() + static_cast<std::size_t>(y) * stride;
    if (rows.SameAsAbove(y)) {
      at[0] = std::all_of(at + 1, at + stride, [](std::uint8_t b) { return b == 0; }) ? 0 : 2;
      std::memset(at + 1, 0, layout.bytes);
      rowCopied = false;
      continue;
    }
    if (!rowCopied) std::memcpy(row, at + 1, layout.bytes);
    if (y > 0) {
      std::memcpy(up, at + 1 - stride, layout.bytes);
    } else {
      std::memset(up, 0, layout.bytes);
    }
    FilterAdaptively(row, up, layout.bytes, layout.bpp, filtered.data());
    std::memcpy(at, filtered.data(), stride);
    std::swap(row, up);
    rowCopied = true;
  }
}

struct CompressorDeleter {
  void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};

// A compressor at a libdeflate level (1 to 12), made once per thread: each
// holds large tables, which pictures of a set would otherwise allocate and
// clear anew for every file.
libdeflate_compressor& CompressorAt(int level) {
  thread_local std::array<std::unique_ptr<libdeflate_compressor, CompressorDeleter>, 13> compressors;
  std::unique_ptr<libdeflate_compressor, CompressorDeleter>& kept = compressors.at(static_cast<std::size_t>(level));
  if (!kept) kept.reset(libdeflate_alloc_compressor(level));
  if (!kept) throw std::bad_alloc();
  return *kept;
}

// The zlib stream of the data at a libdeflate level (1 to 12).
std::vector<std::uint8_t> Deflate(const std::vector<std::uint8_t>& data, int level) {
  libdeflate_compressor& compressor = CompressorAt(level);
  std::vector<std::uint8_t> out(libdeflate_zlib_compress_bound(&compressor, data.size()));
  const std::size_t size = libdeflate_zlib_compress(&compressor, data.data(), data.size(), out.data(), out.size());
  if (size == 0) throw base::FileWriteError("Unable to encode the PNG image: the compressed data does not fit");
  out.resize(size);
  return out;
}

// The smallest zlib stream of the rows this encoder tries. Samples of fewer
// than 8 bits are never filtered: a filter works on whole bytes, each of
// which holds several of them. Of some 1,200 such pictures (the buttons and
// sprite sheets of sets, the examples and the test layouts), filtering made
// 25 smaller, by 9 bytes at most, and the quick trial below picked none of
// those but 4 others, each then larger (by up to 28 %).
// A picture of up to a million pixels (a button, or a set's sprite sheet) of
// 8-bit samples is filtered both ways, with none and adaptively; a quick
// deflate of each chooses, and the chosen rows are deflated at level 9.
// libdeflate's strongest level (12) would make sprite sheets another 4 %
// smaller, but takes ten times as long: a set of 20 captions took half a
// second instead of a tenth. A larger picture takes one try at a lighter
// level: palettes unfiltered, the rest filtered adaptively, which keeps a
// full-HD export within a few milliseconds.
std::vector<std::uint8_t> Compress(const Rows& rows, const PngForm& form) {
  constexpr std::int64_t kLargePicture = std::int64_t{1} << 20;
  constexpr int kTrialLevel = 1, kFinalLevel = 9, kLargeLevel = 6;
  const bool large = std::int64_t{rows.Width()} * rows.Height() > kLargePicture;
  std::vector<std::uint8_t> unfiltered = PackedRows(rows, form);
  if (form.bits < 8) return Deflate(unfiltered, large ? kLargeLevel : kFinalLevel);
  const RowLayout layout = LayoutOf(rows, form);
  if (large) {
    if (form.type != PngColourType::Palette) FilterRowsAdaptively(unfiltered, rows, layout);
    return Deflate(unfiltered, kLargeLevel);
  }
  std::vector<std::uint8_t> adaptive = unfiltered;
  FilterRowsAdaptively(adaptive, rows, layout);
  const bool filter = Deflate(adaptive, kTrialLevel).size() < Deflate(unfiltered, kTrialLevel).size();
  return Deflate(filter ? adaptive : unfiltered, kFinalLevel);
}

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, const char (&type)[5], std::span<const std::uint8_t> data) {
  PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutBigEndian(out, libdeflate_crc32(0, out.data() + start, out.size() - start));
}

std::vector<std::uint8_t> Encode(const Rows& rows) {
  const PngForm form = ChoosePngForm(rows);
  const std::vector<std::uint8_t> stream = Compress(rows, form);

  std::vector<std::uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  out.reserve(stream.size() + 1024);
  std::vector<std::uint8_t> header;
  PutBigEndian(header, static_cast<std::uint32_t>(rows.Width()));
  PutBigEndian(header, static_cast<std::uint32_t>(rows.Height()));
  // Bit depth, colour type, then deflate, adaptive filtering, no interlace.
  header.insert(header.end(), {static_cast<std::uint8_t>(form.bits), static_cast<std::uint8_t>(form.type), 0, 0, 0});
  PutChunk(out, "IHDR", header);
  if (form.type == PngColourType::Palette) {
    std::vector<std::uint8_t> colours, alphas;
    for (const std::uint32_t c : form.palette) {
      colours.insert(colours.end(), {static_cast<std::uint8_t>(Red(c)), static_cast<std::uint8_t>(Green(c)),
                                     static_cast<std::uint8_t>(Blue(c))});
      if (Alpha(c) != 255) alphas.push_back(static_cast<std::uint8_t>(Alpha(c)));
    }
    PutChunk(out, "PLTE", colours);
    if (!alphas.empty()) PutChunk(out, "tRNS", alphas);
  } else if (form.key) {
    // The key in samples of the image's bit depth, two bytes each.
    std::vector<std::uint8_t> key;
    const std::uint32_t k = *form.key;
    if (form.type == PngColourType::Grey) {
      const std::uint32_t level = Blue(k) / (255 / ((1u << form.bits) - 1));
      key = {0, static_cast<std::uint8_t>(level)};
    } else {
      key = {0, static_cast<std::uint8_t>(Red(k)), 0, static_cast<std::uint8_t>(Green(k)),
             0, static_cast<std::uint8_t>(Blue(k))};
    }
    PutChunk(out, "tRNS", key);
  }
  PutChunk(out, "IDAT", stream);
  PutChunk(out, "IEND", {});
  return out;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const PixelView& img, base::Pixel workArea) {
  CheckExportable(img);
  return Encode(Rows(img, workArea));
}

std::vector<std::uint8_t> EncodePng(const RgbaImage& img) {
  if (img.width <= 0 || img.height <= 0 ||
      img.rgba.size() != static_cast<std::size_t>(img.width) * static_cast<std::size_t>(img.height) * 4) {
    throw std::invalid_argument("EncodePng: an empty image or one whose bytes do not match its size");
  }
  return Encode(Rows(img));
}

}  // namespace vorbel::codecs
