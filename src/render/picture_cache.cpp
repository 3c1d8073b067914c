#include "render/picture_cache.h"

#include <new>
#include <utility>

namespace vorbel::render {

bool PassBudget::Take(std::int64_t& left, std::int64_t amount, Limit limit) {
  if (amount > left) {
    if (spent_on_ == Limit::None) spent_on_ = limit;
    return false;
  }
  left -= amount;
  return true;
}

bool PassBudget::InTime() {
  if (!deadline_ || std::chrono::steady_clock::now() < *deadline_) return true;
  if (spent_on_ == Limit::None) spent_on_ = Limit::Time;
  return false;
}

void PictureCache::BeginPass() { pass_.clear(); }

void PictureCache::EndPass() { pass_.clear(); }

std::shared_ptr<const LayerPicture> PictureCache::Get(const std::string& path, PassBudget& budget) {
  auto used = pass_.find(path);
  if (used == pass_.end()) {
    PassEntry entry;
    try {
      entry.picture = Load(path, budget);
    } catch (const codecs::PictureError& e) {
      entry.error = e.what();
    } catch (const std::bad_alloc&) {
      entry.error = path + ": there is not enough memory for the picture";
    }
    used = pass_.emplace(path, std::move(entry)).first;
  }
  if (!used->second.error.empty()) throw codecs::PictureError(used->second.error);
  return used->second.picture;
}

std::shared_ptr<const LayerPicture> PictureCache::Load(const std::string& path, PassBudget& budget) {
  codecs::PictureFile file(path, codecs::IsJpegPath(path));
  for (auto kept = kept_.begin(); kept != kept_.end(); ++kept) {
    if (kept->path != path || kept->stamp != file.Stamp()) continue;
    kept_.splice(kept_.begin(), kept_, kept);
    const LayerPicture& picture = *kept->picture;
    if (!budget.TakePicturePixels(std::int64_t{picture.bitmap.Width()} * picture.bitmap.Height())) return nullptr;
    return kept->picture;
  }
  if (!budget.TakePicturePixels(file.ReadHeader().Pixels())) return nullptr;
  ++decodes_;
  codecs::Picture decoded = file.Decode();
  auto picture = std::make_shared<LayerPicture>();
  picture->transparent_colour = decoded.TransparentColour();
  picture->jpeg = codecs::IsJpegPath(path);
  picture->bitmap = gdi::Bitmap(decoded.width, decoded.height, std::move(decoded.pixels));
  Keep(path, file.Stamp(), picture);
  return picture;
}

void PictureCache::Keep(const std::string& path, const codecs::FileStamp& stamp,
                        std::shared_ptr<const LayerPicture> picture) {
  const std::int64_t pixels = std::int64_t{picture->bitmap.Width()} * picture->bitmap.Height();
  // An older version of the file goes, whatever happens to the new one.
  for (auto kept = kept_.begin(); kept != kept_.end(); ++kept) {
    if (kept->path != path) continue;
    kept_pixels_ -= std::int64_t{kept->picture->bitmap.Width()} * kept->picture->bitmap.Height();
    kept_.erase(kept);
    break;
  }
  if (pixels > kKeptPixels) return;
  while (!kept_.empty() && (kept_.size() >= kKeptPictures || kept_pixels_ + pixels > kKeptPixels)) {
    kept_pixels_ -= std::int64_t{kept_.back().picture->bitmap.Width()} * kept_.back().picture->bitmap.Height();
    kept_.pop_back();
  }
  kept_.push_front({path, stamp, std::move(picture)});
  kept_pixels_ += pixels;
}

}  // namespace vorbel::render
