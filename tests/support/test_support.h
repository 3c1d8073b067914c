#pragma once
// Shared helpers of the files tests: reading reference PNGs, scratch folders,
// small pixel grids.

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "codecs/pixel_view.h"

namespace vorbel::test {

std::string DataPath(const std::string& relative);

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// A PNG decoded by libpng to 8-bit RGBA; each pixel 0xAARRGGBB.
struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};
RgbaImage ReadPng(const std::vector<std::uint8_t>& bytes);
// A WebP decoded by libwebp, in the same way.
RgbaImage ReadWebp(const std::vector<std::uint8_t>& bytes);

// A fresh, empty folder under the system's temporary folder, removed with
// everything in it when the object goes.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  // The names of everything in the folder, sorted.
  std::vector<std::string> Entries() const;

 private:
  std::filesystem::path path_;
};

// A Unix socket bound at `path`, a node that no file can be written to; -1
// when it cannot be made. The caller closes it.
int BindUnixSocket(const std::string& path);

// A W x H image of pixels with a deterministic pattern.
struct TestImage {
  int width = 0;
  int height = 0;
  std::vector<base::Pixel> pixels;
  TestImage(int w, int h, std::uint32_t seed);
  TestImage(int w, int h, std::vector<base::Pixel> p) : width(w), height(h), pixels(std::move(p)) {}
  // Pixels given as 0x00RRGGBB words.
  TestImage(int w, int h, const std::vector<std::uint32_t>& rgb);
  TestImage(int w, int h, std::initializer_list<std::uint32_t> rgb)
      : TestImage(w, h, std::vector<std::uint32_t>(rgb)) {}
  codecs::PixelView View() const { return {pixels.data(), width, height, width}; }
  base::Pixel At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// 120 bytes of a BMP file that declare a 10000 x 10000 RLE4 picture and end it
// at once: a picture that costs a lot to decode and nothing to store.
std::vector<std::uint8_t> HugeRleBmp();

std::string Hex(std::uint32_t v);
inline std::string Hex(base::Pixel p) { return Hex(p.Rgb()); }

}  // namespace vorbel::test
