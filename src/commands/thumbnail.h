#pragma once
// Thumbnails of layouts for file managers: the button scaled to fit a square,
// as a PNG picture with the transparency of the button's pictures.
//
// A file manager asks for a thumbnail of every layout the user browses, so a
// thumbnail costs little and never much: layouts beyond a few megabytes are
// not read, buttons beyond kMaxThumbnailButtonPixels are not drawn (a 20000 x
// 20000 button would take 1.6 GB for a 256-pixel picture), and the render
// pass is held to kThumbnailPassLimits, a small part of an export's budget.

#include <cstddef>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "document/button_document.h"
#include "render/button_renderer.h"

namespace vorbel::commands {

// The largest layout file a thumbnail is made of: hundreds of times any real
// layout.
inline constexpr std::size_t kMaxThumbnailLayoutFileSize = std::size_t{4} << 20;
// The largest button a thumbnail is drawn of, in pixels (64 MB of surface):
// 4096 x 4096, or a full-HD button eight times over.
inline constexpr std::int64_t kMaxThumbnailButtonPixels = std::int64_t{16} << 20;
// What its render pass may spend: pictures of 16 million pixels in all (a
// large photograph), and layer work for about a hundred full-HD layers; a
// pass takes well under a second. Should a pass take longer all the same
// (a machine under heavy load, a drawing the budget weighs wrongly), it ends
// after ten seconds with what it drew.
inline constexpr render::PassLimits kThumbnailPassLimits{std::int64_t{16} << 20, std::int64_t{256} << 20,
                                                         std::chrono::milliseconds{10000}};
// The time after which a thumbnailer that is still at work ends itself
// with an error and writes nothing, whatever holds it up.
inline constexpr std::chrono::seconds kThumbnailTimeLimit{30};
// The sizes a thumbnail may be asked for, in pixels a side: the
// freedesktop.org thumbnail sizes go up to 1024.
inline constexpr int kMaxThumbnailSize = 1024;

// The PNG bytes of the thumbnail of the document in a `size` x `size` box
// (1 to kMaxThumbnailSize), from one render pass of `renderer` (which should
// be made with kThumbnailPassLimits): the button scaled as
// codecs::ScaleForThumbnail does, 8-bit RGBA, with the picture's alpha. A
// pass cut short by its budget gives a thumbnail of what it drew;
// renderer.LastResult() tells. `name` stands for the destination in messages.
//
// Raises FileWriteError, and draws nothing, for a button with a side of 0 or
// less, beyond what can be drawn, or of more than kMaxThumbnailButtonPixels
// pixels; std::bad_alloc when there is no memory to draw it.
std::vector<std::uint8_t> EncodeThumbnail(const document::ButtonDocument& doc, render::ButtonRenderer& renderer,
                                          int size, const std::string& name);

}  // namespace vorbel::commands
