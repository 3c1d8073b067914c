#include "support/test_support.h"

#include <png.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <webp/decode.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <system_error>

namespace vorbel::test {

std::string DataPath(const std::string& relative) { return std::string(VORBEL_TEST_DATA) + "/" + relative; }

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

RgbaImage ReadPng(const std::vector<std::uint8_t>& bytes) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
    throw std::runtime_error(std::string("libpng: ") + image.message);
  image.format = PNG_FORMAT_BGRA;  // little-endian 0xAARRGGBB
  RgbaImage out;
  out.width = static_cast<int>(image.width);
  out.height = static_cast<int>(image.height);
  out.pixels.resize(static_cast<std::size_t>(out.width) * out.height);
  if (!png_image_finish_read(&image, nullptr, out.pixels.data(), 0, nullptr))
    throw std::runtime_error(std::string("libpng: ") + image.message);
  return out;
}

RgbaImage ReadWebp(const std::vector<std::uint8_t>& bytes) {
  RgbaImage out;
  std::uint8_t* data = WebPDecodeBGRA(bytes.data(), bytes.size(), &out.width, &out.height);
  if (data == nullptr) throw std::runtime_error("libwebp: not a WebP picture");
  out.pixels.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
  std::memcpy(out.pixels.data(), data, out.pixels.size() * 4);  // little-endian 0xAARRGGBB
  WebPFree(data);
  return out;
}

ScratchDir::ScratchDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vorbel-files-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a scratch folder");
  path_ = pattern;
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  // Folders a test made read-only must be writable again to be removed.
  for (auto& entry : std::filesystem::recursive_directory_iterator(path_, ec))
    if (entry.is_directory(ec)) std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                                              std::filesystem::perm_options::add, ec);
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

std::vector<std::string> ScratchDir::Entries() const {
  std::vector<std::string> names;
  for (auto& entry : std::filesystem::directory_iterator(path_)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

int BindUnixSocket(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return -1;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int sock = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (sock < 0) return -1;
  if (::bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    ::close(sock);
    return -1;
  }
  return sock;
}

TestImage::TestImage(int w, int h, std::uint32_t seed) : width(w), height(h) {
  pixels.resize(static_cast<std::size_t>(w) * h);
  std::uint32_t state = seed * 2654435761u + 1;
  for (auto& p : pixels) {
    state = state * 1664525u + 1013904223u;  // fixed-seed linear congruential
    p = base::Pixel(state >> 8);
  }
}

TestImage::TestImage(int w, int h, const std::vector<std::uint32_t>& rgb) : width(w), height(h) {
  pixels.reserve(rgb.size());
  for (const std::uint32_t word : rgb) pixels.push_back(base::Pixel(word));
}

std::string Hex(std::uint32_t v) {
  std::ostringstream s;
  s << "0x" << std::hex << v;
  return s.str();
}

std::vector<std::uint8_t> HugeRleBmp() {
  std::vector<std::uint8_t> v(120, 0);
  const auto put = [&v](std::size_t at, std::uint32_t x) {
    for (std::size_t i = 0; i < 4; ++i) v[at + i] = static_cast<std::uint8_t>(x >> (8 * i));
  };
  v[0] = 'B';
  v[1] = 'M';
  put(2, 120);          // file size
  put(10, 118);         // pixel data: after a 40-byte header and 16 palette entries
  put(14, 40);          // header size
  put(18, 10000);       // width
  put(22, 10000);       // height
  put(26, 0x00040001);  // one plane, 4 bits per pixel
  put(30, 2);           // RLE4
  v[119] = 1;           // 00 01: end of picture
  return v;
}

}  // namespace vorbel::test
