// brakka_art: writes every picture and font of the game's media folder.
//   brakka_art <outdir> [--contact-sheet <png>] [--previews <dir>] [--icons <dir>] [--ico <file>] [--verbose]
// --icons writes the desktop icon at its sizes into an icon theme's layout, --ico as one Windows icon file.
// The output depends on nothing but this source and the DejaVu fonts, so the
// same source always gives the same bytes.
#include "bmp_writer.hpp"
#include "picture.hpp"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace {

int usage() {
  std::fprintf(stderr,
               "usage: brakka_art <outdir> [--contact-sheet <png>] [--previews <dir>] [--icons <dir>] "
               "[--ico <file>] [--verbose]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string outdir, sheet, previews, icons, ico;
  bool verbose = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--contact-sheet") {
      if (i + 1 >= argc) return usage();
      sheet = argv[++i];
    } else if (arg == "--icons") {
      if (i + 1 >= argc) return usage();
      icons = argv[++i];
    } else if (arg == "--ico") {
      if (i + 1 >= argc) return usage();
      ico = argv[++i];
    } else if (arg == "--verbose") {
      verbose = true;
    } else if (arg == "--previews") {
      if (i + 1 >= argc) return usage();
      previews = argv[++i];
    } else if (!arg.empty() && arg[0] == '-') {
      return usage();
    } else if (outdir.empty()) {
      outdir = arg;
    } else {
      return usage();
    }
  }
  if (outdir.empty()) return usage();

  try {
    std::filesystem::create_directories(outdir);
    art::PictureList pictures;
    art::add_board_pictures(pictures);
    art::add_menu_pictures(pictures);
    art::add_map_pictures(pictures);
    art::add_landmarks(pictures);
    art::add_animation(pictures);
    art::add_fonts(pictures, verbose);
    for (const art::Picture& p : pictures) {
      if (cairo_status(p.canvas.cr()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error(p.name +
                                 ": drawing failed: " + cairo_status_to_string(cairo_status(p.canvas.cr())));
      std::string path = (std::filesystem::path(outdir) / p.name).string();
      if (p.format == art::Format::Bmp) art::save_bmp(p.canvas, p.edge, path);
      else art::save_png(p.canvas, path);
    }
    std::printf("brakka_art: wrote %zu files to %s\n", pictures.size(), outdir.c_str());
    if (!sheet.empty()) {
      std::filesystem::path parent = std::filesystem::path(sheet).parent_path();
      if (!parent.empty()) std::filesystem::create_directories(parent);
      art::write_contact_sheet(pictures, sheet);
      std::printf("brakka_art: contact sheet %s\n", sheet.c_str());
    }
    if (!previews.empty()) {
      std::filesystem::create_directories(previews);
      art::write_screen_previews(pictures, previews);
      std::printf("brakka_art: screen mock-ups in %s\n", previews.c_str());
    }
    if (!icons.empty()) {
      art::write_icons(icons);
      std::printf("brakka_art: desktop icons in %s\n", icons.c_str());
    }
    if (!ico.empty()) {
      art::write_ico(ico);
      std::printf("brakka_art: Windows icon %s\n", ico.c_str());
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "brakka_art: %s\n", e.what());
    return 1;
  }
  return 0;
}
