#include "app/headless_export.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <exception>
#include <new>

#include "app/command_line.h"
#include "base/translation.h"
#include "commands/thumbnail.h"
#include "document/button_document.h"
#include "layout/layout_file.h"
#include "render/button_renderer.h"

namespace vorbel::app {
namespace {

bool IsStandardStream(const std::string& name) { return name == kStandardStream; }

// The name that stands for a layout or output in messages.
std::string LayoutName(const std::string& layout) {
  return IsStandardStream(layout) ? base::Translate("standard input") : layout;
}

commands::PictureDestination Destination(const std::string& output) {
  if (IsStandardStream(output)) return {base::Translate("standard output"), true};
  return {output, false};
}

// Loads a layout named on the command line; "-" is standard input, whose
// pictures resolve in the working folder.
void Load(document::ButtonDocument& doc, const std::string& layout, const std::function<void()>& redraw,
          std::size_t maxBytes) {
  if (IsStandardStream(layout)) {
    layout::LoadLayoutFromStandardInput(doc, LayoutName(layout), redraw, maxBytes);
  } else {
    layout::LoadLayout(doc, layout, redraw, layout::MissingLayout::IsAnError, maxBytes);
  }
}

// Runs `job`; what it raises becomes the outcome's error, and a pass cut
// short by its budget or drawn without the smooth edges it asks for the
// outcome's warning.
template <typename Job>
ExportOutcome Run(const std::string& layout, const render::ButtonRenderer& renderer, Job&& job) {
  try {
    job();
    std::string warning;
    if (renderer.LastResult() == render::RenderResult::Partial) warning = renderer.PartialMessage();
    if (renderer.SmoothLeftOut()) warning += (warning.empty() ? "" : " ") + renderer.SmoothLeftOutMessage();
    if (!warning.empty()) return {{}, LayoutName(layout) + ": " + warning};
    return {};
  } catch (const std::bad_alloc&) {
    return {base::TranslateFormat("out of memory while exporting %s", {LayoutName(layout)}), {}};
  } catch (const std::exception& e) {
    return {e.what(), {}};
  }
}

// The thumbnailer's last line of defence: a process still at work after
// kThumbnailTimeLimit says so on standard error and ends at once, with no
// file written (the picture is written whole or not at all).
class ThumbnailWatchdog {
 public:
  explicit ThumbnailWatchdog(const std::string& layout) {
    const std::string text =
        "vorbel: " +
        base::TranslateFormat("no thumbnail was made for %s: making it took longer than %s seconds",
                              {LayoutName(layout), std::to_string(commands::kThumbnailTimeLimit.count())}) +
        "\n";
    message_length_ = std::min(text.size(), sizeof message_);
    std::copy_n(text.data(), message_length_, message_);
    struct sigaction expire {};
    expire.sa_handler = &Expire;
    sigemptyset(&expire.sa_mask);
    ::sigaction(SIGALRM, &expire, &previous_);
    ::alarm(static_cast<unsigned>(commands::kThumbnailTimeLimit.count()));
  }
  ~ThumbnailWatchdog() {
    ::alarm(0);
    ::sigaction(SIGALRM, &previous_, nullptr);
  }
  ThumbnailWatchdog(const ThumbnailWatchdog&) = delete;
  ThumbnailWatchdog& operator=(const ThumbnailWatchdog&) = delete;

 private:
  static void Expire(int) {
    (void)!::write(STDERR_FILENO, message_, message_length_);
    ::_exit(1);
  }

  static inline char message_[1024];
  static inline std::size_t message_length_ = 0;
  struct sigaction previous_ {};
};

}  // namespace

ExportOutcome ExportLayout(const std::string& output, const std::string& layout,
                           std::optional<commands::ExportFormat> format,
                           const std::vector<commands::PropertyOverride>& overrides, int quality) {
  render::ButtonRenderer renderer;
  return Run(layout, renderer, [&] {
    document::ButtonDocument doc;
    const auto redraw = [&] { renderer.RenderButton(doc); };
    Load(doc, layout, redraw, layout::kMaxLayoutFileSize);
    for (const commands::PropertyOverride& change : overrides) commands::ApplyPropertyOverride(doc, change);
    const commands::PictureDestination to = Destination(output);
    const commands::ExportFormat chosen = format ? *format : commands::ExportFormatFor(output);
    commands::WritePicture(to, commands::EncodeButton(doc, renderer, chosen, to.name, quality));
  });
}

ExportOutcome WriteThumbnail(int size, const std::string& layout, const std::string& output) {
  const ThumbnailWatchdog watchdog(layout);
  render::ButtonRenderer renderer(commands::kThumbnailPassLimits);
  return Run(layout, renderer, [&] {
    document::ButtonDocument doc;
    // No pass at the end of the load: the button's size is checked first.
    Load(doc, layout, {}, commands::kMaxThumbnailLayoutFileSize);
    const commands::PictureDestination to = Destination(output);
    commands::WritePicture(to, commands::EncodeThumbnail(doc, renderer, size, to.name));
  });
}

}  // namespace vorbel::app
