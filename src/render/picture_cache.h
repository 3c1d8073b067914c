#pragma once
// The pictures of the render passes: each file decoded at most once per pass,
// recent ones kept for the next passes while their files stay unchanged, and
// every pass held to a budget of decoded pixels and layer work.

#include <chrono>
#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "codecs/picture.h"
#include "gdi/bitmap.h"

namespace vorbel::render {

// What one pass may spend. Far beyond any real button (a full-HD button with
// a few dozen full-HD pictures and a few hundred layers stays well inside),
// yet a pass that hostile input asks too much of ends within seconds instead
// of taking minutes and gigabytes.
//  - Picture pixels: the pixels of every picture the pass draws, each file
//    counted once, by the size its header declares, whether it is decoded or
//    taken from the cache (so the same document gives the same picture
//    whatever the cache holds).
//  - Layer work: each drawer a layer runs counts the button's area (at least
//    kMinDrawerWork), about what one drawer may touch; a text layer counts
//    besides what its copies touch: their glyphs, laid out wherever they
//    land, and their cells, turned, where they lie on the surface.
inline constexpr std::int64_t kPassPicturePixels = std::int64_t{64} << 20;
inline constexpr std::int64_t kPassLayerWork = std::int64_t{1} << 30;
inline constexpr std::int64_t kMinDrawerWork = std::int64_t{1} << 14;

// What every pass of a renderer may spend: the defaults above suit the window
// and exports; a thumbnailer, run on every file a user browses, gives itself
// far less.
struct PassLimits {
  std::int64_t picture_pixels = kPassPicturePixels;
  std::int64_t layer_work = kPassLayerWork;
  // The time a pass may take, looked at between layers; zero for no limit.
  // Where the budget above is not enough, as for a thumbnailer that must
  // never hold up a file manager: where a pass ends then depends on the
  // machine, so the window and exports have none.
  std::chrono::milliseconds time{0};
};

class PassBudget {
 public:
  PassBudget() = default;
  explicit PassBudget(const PassLimits& limits)
      : picture_pixels_left_(limits.picture_pixels), layer_work_left_(limits.layer_work) {
    if (limits.time.count() > 0) deadline_ = std::chrono::steady_clock::now() + limits.time;
  }
  PassBudget(std::int64_t picturePixels, std::int64_t layerWork)
      : picture_pixels_left_(picturePixels), layer_work_left_(layerWork) {}

  enum class Limit { None, PicturePixels, LayerWork, Time };

  // Each takes `amount` from its budget and returns true, or returns false
  // and marks the budget spent when that is more than is left.
  bool TakePicturePixels(std::int64_t amount) { return Take(picture_pixels_left_, amount, Limit::PicturePixels); }
  bool TakeLayerWork(std::int64_t amount) { return Take(layer_work_left_, amount, Limit::LayerWork); }
  bool Spent() const { return spent_on_ != Limit::None; }
  // False, and the budget marked spent, once the pass's time is up.
  bool InTime();
  // The budget that ran out first.
  Limit SpentOn() const { return spent_on_; }

 private:
  bool Take(std::int64_t& left, std::int64_t amount, Limit limit);

  std::int64_t picture_pixels_left_ = kPassPicturePixels;
  std::int64_t layer_work_left_ = kPassLayerWork;
  Limit spent_on_ = Limit::None;
  std::optional<std::chrono::steady_clock::time_point> deadline_;
};

// A decoded picture, ready to draw.
struct LayerPicture {
  gdi::Bitmap bitmap;
  gdi::Pixel transparent_colour;  // Picture::TransparentColour
  bool jpeg = false;              // decoded as JPEG: always drawn opaque
};

class PictureCache {
 public:
  // Pictures kept from one pass for the next: at most this many, of at most
  // this many pixels in all (64 MB); the least recently used go first.
  static constexpr std::size_t kKeptPictures = 32;
  static constexpr std::int64_t kKeptPixels = std::int64_t{16} << 20;

  // Starts a pass: no picture counts as used by it yet.
  void BeginPass();
  // Ends a pass: what only the pass held is released.
  void EndPass();

  // The picture in the file `path`, decoded as JPEG when codecs::IsJpegPath
  // says so. The first use in a pass opens the file and takes the picture
  // from the cache when the file is unchanged (same FileStamp); otherwise it
  // weighs the picture by its header against `budget` and decodes it. Later
  // uses in the pass give the same result without touching the file again:
  // the same picture, or the same PictureError (a picture there is no memory
  // for fails as a PictureError too). nullptr when the picture
  // does not fit in what is left of the budget (which is then spent).
  std::shared_ptr<const LayerPicture> Get(const std::string& path, PassBudget& budget);

  // Pictures decoded since the cache was made, those that failed included.
  int Decodes() const { return decodes_; }

 private:
  struct PassEntry {
    std::shared_ptr<const LayerPicture> picture;
    std::string error;  // the PictureError's text when the picture failed
  };
  struct KeptEntry {
    std::string path;
    codecs::FileStamp stamp;
    std::shared_ptr<const LayerPicture> picture;
  };

  std::shared_ptr<const LayerPicture> Load(const std::string& path, PassBudget& budget);
  void Keep(const std::string& path, const codecs::FileStamp& stamp, std::shared_ptr<const LayerPicture> picture);

  std::map<std::string, PassEntry> pass_;
  std::list<KeptEntry> kept_;  // most recently used first
  std::int64_t kept_pixels_ = 0;
  int decodes_ = 0;
};

}  // namespace vorbel::render
