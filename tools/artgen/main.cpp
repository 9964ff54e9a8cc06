// zindle-artgen: renders the editor's artwork from the sources in
// resources/art and writes it as APIC files at 1x ("name") and 2x
// ("name@2x"), plus the C++ and resource-script files that embed them and
// the panel layout table.
//
//   zindle-artgen ART_DIR FONT_DIR OUT_DIR [--preview PREVIEW_DIR]
//
// ART_DIR holds fonts.txt, font_strip.txt, pictures.txt, panel_layout.txt
// and the SVG drawings; FONT_DIR the pinned font files. OUT_DIR receives
// art/*.apic, art_resources.cpp, art_resources.rc and panel_layout.cpp.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/artgen/apic_writer.h"
#include "tools/artgen/font_strip.h"
#include "tools/artgen/generated_sources.h"
#include "tools/artgen/palette_quantizer.h"
#include "tools/artgen/panel_layout.h"
#include "tools/artgen/panel_painter.h"
#include "tools/artgen/picture_catalogue.h"
#include "tools/artgen/pinned_fonts.h"
#include "tools/artgen/preview.h"
#include "tools/artgen/text_source.h"

namespace {

constexpr const char* kBackground = "bkg_28";
constexpr const char* kFont = "font_02";

void write_if_changed(const std::string& path, const std::string& content) {
  // Unchanged files keep their time stamps, so the plug-in is not relinked.
  try {
    if (artgen::read_file_text(path) == content) return;
  } catch (const std::runtime_error&) {
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), std::streamsize(content.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::string scaled_name(const std::string& name, int scale) { return scale == 1 ? name : name + "@2x"; }

artgen::FontStripLayout read_strip_layout(const std::string& path, std::string& role) {
  artgen::FontStripLayout layout;
  for (const artgen::SourceLine& line : artgen::read_source_lines(path)) {
    if (line.word(0) != kFont) line.fail("font_strip.txt describes " + std::string(kFont) + " only");
    role = line.key("font");
    layout.size = line.real_key("size", layout.size);
    layout.rows = line.int_key("rows", layout.rows);
    layout.baseline = line.int_key("baseline", layout.baseline);
    layout.strip_width = line.int_key("width", 0);
    layout.empty_width = line.int_key("empty_width", layout.empty_width);
  }
  if (role.empty()) throw std::runtime_error(path + ": no font_02 line");
  return layout;
}

int run(const std::string& art_dir, const std::string& font_dir, const std::string& out_dir,
        const std::string& preview_dir) {
  using namespace artgen;
  const PinnedFonts fonts(art_dir + "/fonts.txt", font_dir);
  const std::vector<PictureSource> catalogue = read_picture_catalogue(art_dir + "/pictures.txt");
  const PanelLayout layout = read_panel_layout(art_dir + "/panel_layout.txt", catalogue);
  const PanelGeometry geometry(layout, fonts);
  const std::vector<std::string> faults = check_panel_layout(layout, geometry);
  if (!faults.empty()) {
    for (const std::string& f : faults) std::fprintf(stderr, "zindle-artgen: panel_layout.txt: %s\n", f.c_str());
    return 1;
  }

  std::filesystem::create_directories(out_dir + "/art");
  if (!preview_dir.empty()) std::filesystem::create_directories(preview_dir);
  std::vector<GeneratedResource> resources;
  std::vector<std::string> picture_names{kBackground};
  std::map<std::string, Raster> rendered[3];  // by scale, for the previews
  auto add = [&](const std::string& name, std::vector<uint8_t> bytes) {
    const std::string file = out_dir + "/art/" + name + ".apic";
    write_if_changed(file, std::string(bytes.begin(), bytes.end()));
    resources.push_back({name, file, std::move(bytes)});
  };

  for (int scale = 1; scale <= 2; ++scale) {
    Raster bkg = paint_panel(layout, geometry, fonts, art_dir, scale, catalogue);
    add(scaled_name(kBackground, scale), apic_opaque8(bkg));
    if (!preview_dir.empty()) rendered[scale][kBackground] = as_stored(bkg);
    for (const PictureSource& p : catalogue) {
      Raster r = render_picture(p, art_dir, fonts, scale);
      add(scaled_name(p.name, scale), apic_alpha8(r));
      if (!preview_dir.empty()) rendered[scale][p.name] = as_stored(r);
    }
  }
  for (const PictureSource& p : catalogue) picture_names.push_back(p.name);

  std::string font_role;
  const FontStripLayout strip_layout = read_strip_layout(art_dir + "/font_strip.txt", font_role);
  const std::vector<int> widths = font_strip_widths(fonts.face(font_role), strip_layout);
  for (int scale = 1; scale <= 2; ++scale) {
    const FontStrip strip = render_font_strip(fonts.face(font_role), strip_layout, widths, scale);
    add(scaled_name(kFont, scale), apic_unicolour_font(strip.width, strip.height, strip.coverage));
    if (!preview_dir.empty())
      write_png(font_sample(strip, scale, 4 / scale), preview_dir + "/" + scaled_name("font_02", scale) + ".png");
  }

  write_if_changed(out_dir + "/art_resources.cpp", embedded_resources_source(resources, picture_names, kFont));
  write_if_changed(out_dir + "/art_resources.rc", resource_script(resources));
  write_if_changed(out_dir + "/panel_layout.cpp", panel_layout_source(layout));

  if (!preview_dir.empty()) {
    for (int scale = 1; scale <= 2; ++scale) {
      const Raster& bkg = rendered[scale][kBackground];
      write_png(bkg, preview_dir + "/" + scaled_name("bkg_28", scale) + ".png");
      write_png(compose_panel(bkg, layout, catalogue, rendered[scale], scale),
                preview_dir + "/" + scaled_name("panel", scale) + ".png");
    }
    write_png(contact_sheet(catalogue, rendered[2], 2), preview_dir + "/pictures@2x.png");
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string preview_dir;
  if (argc == 6 && std::string(argv[4]) == "--preview") preview_dir = argv[5];
  if (argc != 4 && preview_dir.empty()) {
    std::fprintf(stderr, "usage: zindle-artgen ART_DIR FONT_DIR OUT_DIR [--preview PREVIEW_DIR]\n");
    return 2;
  }
  try {
    return run(argv[1], argv[2], argv[3], preview_dir);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zindle-artgen: %s\n", e.what());
    return 1;
  }
}
