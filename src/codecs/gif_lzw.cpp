#include "codecs/gif_lzw.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <new>

namespace vorbel::codecs {

namespace {

constexpr int kMaxCodeBits = 12;
constexpr std::uint32_t kTableLimit = 1u << kMaxCodeBits;  // 4096 codes

// The string table, indexed directly by (prefix code, next index): one
// dependent load per pixel, no hashing. A slot holds stamp << 12 | code and is
// valid only while its stamp is the current one, so clearing the table when
// it fills up is a new stamp, not a pass over 4096 * 2^codeSize slots. The
// slots come zeroed from calloc (untouched pages cost nothing) and stamps
// start at 1.
class StringTable {
 public:
  explicit StringTable(int codeSize)
      : shift_(codeSize),
        size_(static_cast<std::size_t>(kTableLimit) << codeSize),
        slots_(static_cast<std::uint32_t*>(std::calloc(size_, sizeof(std::uint32_t)))) {
    if (slots_ == nullptr) throw std::bad_alloc();
  }
  ~StringTable() { std::free(slots_); }
  StringTable(const StringTable&) = delete;
  StringTable& operator=(const StringTable&) = delete;

  void Clear() {
    if (++stamp_ == kStampLimit) {
      std::fill_n(slots_, size_, 0u);
      stamp_ = 1;
    }
  }

  // The code of the string prefix + index, or -1 when the table lacks it.
  int Find(std::uint32_t prefix, std::uint32_t index) const {
    const std::uint32_t v = slots_[prefix << shift_ | index];
    return (v >> kMaxCodeBits) == stamp_ ? static_cast<int>(v & (kTableLimit - 1)) : -1;
  }

  void Insert(std::uint32_t prefix, std::uint32_t index, std::uint32_t code) {
    slots_[prefix << shift_ | index] = stamp_ << kMaxCodeBits | code;
  }

 private:
  static constexpr std::uint32_t kStampLimit = 1u << (32 - kMaxCodeBits);
  int shift_;
  std::size_t size_;
  std::uint32_t* slots_;
  std::uint32_t stamp_ = 1;
};

// Packs codes least significant bit first into sub-blocks of 255 bytes.
class BlockWriter {
 public:
  explicit BlockWriter(std::vector<std::uint8_t>& out) : out_(out) {}

  void Put(std::uint32_t code, int width) {
    bits_ |= static_cast<std::uint64_t>(code) << count_;
    count_ += width;
    while (count_ >= 8) {
      Byte(static_cast<std::uint8_t>(bits_));
      bits_ >>= 8;
      count_ -= 8;
    }
  }

  void Finish() {
    if (count_ > 0) Byte(static_cast<std::uint8_t>(bits_));
    bits_ = 0;
    count_ = 0;
    if (fill_ > 0) out_[block_start_] = static_cast<std::uint8_t>(fill_);
  }

 private:
  void Byte(std::uint8_t b) {
    if (fill_ == 0) {
      block_start_ = out_.size();
      out_.push_back(0);  // length, set when the block is full or finished
    }
    out_.push_back(b);
    if (++fill_ == 255) {
      out_[block_start_] = 255;
      fill_ = 0;
    }
  }

  std::vector<std::uint8_t>& out_;
  std::uint64_t bits_ = 0;
  int count_ = 0;
  int fill_ = 0;
  std::size_t block_start_ = 0;
};

// Strings made of one index repeated ("runs") are tracked apart: the codes of
// c, cc, ccc, ... always exist as an unbroken series, so at the start of a
// string inside a run of c the longest known run code that fits is taken in
// one step, where the general loop would look up every pixel. The codes
// written are exactly those of the pixel-by-pixel method; buttons, made of
// long runs, compress several times faster.
class RunCodes {
 public:
  explicit RunCodes(std::uint32_t clearCode) {
    for (std::uint32_t c = 0; c < clearCode; ++c) {
      length_[c] = 1;
      colour_[c] = static_cast<std::uint8_t>(c);
    }
  }

  void Clear() {
    for (auto& codes : codes_) codes.clear();
  }

  // Records that `code` is the string `prefix` followed by `index`.
  void Added(std::uint32_t prefix, std::uint32_t index, std::uint32_t code) {
    if (length_[prefix] != 0 && colour_[prefix] == index) {
      length_[code] = static_cast<std::uint16_t>(length_[prefix] + 1);
      colour_[code] = static_cast<std::uint8_t>(index);
      codes_[index].push_back(static_cast<std::uint16_t>(code));
    } else {
      length_[code] = 0;
    }
  }

  // The code of the longest run of `index` of at most `available` pixels
  // (at least 1); `length` receives its length.
  std::uint32_t Longest(std::uint32_t index, std::size_t available, std::size_t& length) const {
    const std::vector<std::uint16_t>& codes = codes_[index];  // runs of length 2, 3, ...
    length = std::min(available, codes.size() + 1);
    return length == 1 ? index : codes[length - 2];
  }

 private:
  std::array<std::uint16_t, kTableLimit> length_{};  // 0: not a run
  std::array<std::uint8_t, kTableLimit> colour_{};
  std::array<std::vector<std::uint16_t>, 256> codes_;
};

// The end of the run of `value` that starts before `from`: the first position
// at or after it that holds another value, or `count`.
std::size_t RunEnd(const std::uint8_t* indices, std::size_t from, std::size_t count, std::uint8_t value) {
#ifdef __SSE2__
  const __m128i wanted = _mm_set1_epi8(static_cast<char>(value));
  while (count - from >= 16) {
    const auto same = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(indices + from)), wanted)));
    if (same != 0xFFFFu) return from + static_cast<std::size_t>(__builtin_ctz(~same));
    from += 16;
  }
#endif
  while (from < count && indices[from] == value) ++from;
  return from;
}

}  // namespace

std::vector<std::uint8_t> CompressGifLzw(const std::uint8_t* indices, std::size_t count, int minCodeSize,
                                         const std::uint8_t* map) {
  std::array<std::uint8_t, 256> identity;
  if (map == nullptr) {
    for (int v = 0; v < 256; ++v) identity[v] = static_cast<std::uint8_t>(v);
    map = identity.data();
  }
  std::vector<std::uint8_t> out;
  out.reserve(count / 4 + 64);
  BlockWriter writer(out);
  StringTable table(minCodeSize);
  const std::uint32_t clearCode = 1u << minCodeSize;
  const std::uint32_t endCode = clearCode + 1;
  auto runs = std::make_unique<RunCodes>(clearCode);
  int width = minCodeSize + 1;
  std::uint32_t next = clearCode + 2;

  // Pixels [i, runEnd) all equal indices[i] whenever i < runEnd.
  std::size_t runEnd = 0;
  auto startString = [&](std::size_t& i) {
    const std::uint8_t raw = indices[i];
    if (i >= runEnd) runEnd = RunEnd(indices, i + 1, count, raw);
    std::size_t length = 0;
    const std::uint32_t code = runs->Longest(map[raw], runEnd - i, length);
    i += length;
    return code;
  };

  writer.Put(clearCode, width);
  if (count > 0) {
    std::size_t i = 0;
    std::uint32_t prefix = startString(i);
    while (i < count) {
      const std::uint32_t index = map[indices[i]];
      const int found = table.Find(prefix, index);
      if (found >= 0) {
        prefix = static_cast<std::uint32_t>(found);
        ++i;
        continue;
      }
      writer.Put(prefix, width);
      // The decoder widens its codes once its own table, one entry behind
      // ours, reaches the next power of two.
      if (next >= (1u << width) && width < kMaxCodeBits) ++width;
      if (next < kTableLimit) {
        table.Insert(prefix, index, next);
        runs->Added(prefix, index, next);
        ++next;
      } else {
        writer.Put(clearCode, width);
        table.Clear();
        runs->Clear();
        width = minCodeSize + 1;
        next = clearCode + 2;
      }
      prefix = startString(i);
    }
    writer.Put(prefix, width);
    if (next >= (1u << width) && width < kMaxCodeBits) ++width;
  }
  writer.Put(endCode, width);
  writer.Finish();
  return out;
}

}  // namespace vorbel::codecs
