// Writes the desktop integration files that an installed Vorbel ships: the
// shared MIME-info package for layout files, the desktop entry, the
// thumbnailer entry and the hicolor icons, laid out below one folder as
// <prefix>/share expects them.
//
// They come from the same registration the window program writes into the
// user's data home at each start, so both always agree. The installed entries
// start the launcher by its name on $PATH.
//
// usage: vorbel-desktop-files OUTPUT_DIR ICON_DIR

#include <cstdio>
#include <string>
#include <vector>

#include "base/file_reader.h"
#include "desktop/file_type_registration.h"

namespace {

bool ReadFile(const std::string& path, std::string& contents) {
  try {
    contents = vorbel::base::ReadWholeFile(path, std::size_t{1} << 20);
    return true;
  } catch (const vorbel::base::FileReadError&) {
    return false;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR ICON_DIR\n", argv[0]);
    return 2;
  }
  const std::string output = argv[1];
  const std::string icons = std::string(argv[2]) + "/";
  vorbel::desktop::FileTypeIcons pictures;
  for (const char* kind : {"vorbel", "layout_document"}) {
    for (int size : vorbel::desktop::kIconSizes) {
      std::string png;
      const std::string name = icons + kind + "_" + std::to_string(size) + ".png";
      if (!ReadFile(name, png)) {
        std::fprintf(stderr, "cannot read %s\n", name.c_str());
        return 1;
      }
      (kind == std::string("vorbel") ? pictures.program_icons_png : pictures.document_icons_png)
          .emplace_back(size, std::move(png));
    }
  }
  if (!ReadFile(icons + "layout_document.svg", pictures.document_icon_svg)) {
    std::fprintf(stderr, "cannot read %slayout_document.svg\n", icons.c_str());
    return 1;
  }
  const vorbel::desktop::FileTypeRegistration registration =
      vorbel::desktop::LayoutFileTypeRegistration("vorbel", pictures, /*thumbnailer=*/true);
  if (!registration.Register(output, [](const std::vector<std::string>&) {})) {
    std::fprintf(stderr, "cannot write the desktop files below %s\n", output.c_str());
    return 1;
  }
  return 0;
}
