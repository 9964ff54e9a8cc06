// The whole panel at 1x as the host's window shows it, against the
// committed reference (tests/data/editor/panel_1x.sha256): exact for the
// same artwork and sections. After a deliberate change of the art or the
// panel, re-bless with ZINDLE_BLESS_EDITOR=1, which rewrites the hash and
// the README's picture docs/editor.png. A mismatch leaves the picture it
// saw in the working directory (editor_panel_1x_actual.png).

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "synth/gui/editor_rig.h"
#include "tools/artgen/preview.h"
#include "tools/artgen/raster.h"
#include "tools/artgen/sha256.h"

namespace {

using pengui::testing::X11TestHost;

const std::string kReference = std::string(ZINDLE_SOURCE_DIR) + "/tests/data/editor/panel_1x.sha256";
const std::string kReadmePicture = std::string(ZINDLE_SOURCE_DIR) + "/docs/editor.png";

std::string panel_hash(const std::vector<uint32_t>& pixels) {
  std::vector<unsigned char> bytes;
  bytes.reserve(pixels.size() * 3);
  for (uint32_t p : pixels) {
    bytes.push_back(static_cast<unsigned char>(p >> 16));
    bytes.push_back(static_cast<unsigned char>(p >> 8));
    bytes.push_back(static_cast<unsigned char>(p));
  }
  return artgen::sha256_hex(bytes);
}

artgen::Raster to_raster(const std::vector<uint32_t>& pixels, int width, int height) {
  artgen::Raster r(width, height);
  for (size_t i = 0; i < pixels.size(); ++i) {
    r.pixels[i] = {static_cast<uint8_t>(pixels[i] >> 16), static_cast<uint8_t>(pixels[i] >> 8),
                   static_cast<uint8_t>(pixels[i]), 255};
  }
  return r;
}

std::string read_first_word(const std::string& path) {
  std::ifstream in(path);
  std::string word;
  in >> word;
  return word;
}

TEST(EditorScreenshot, WholePanelAtOneXMatchesTheReference) {
  SKIP_WITHOUT_DISPLAY();
  editor_test::ScopedGuiScale scale("1");
  X11TestHost host(900, 446);
  ASSERT_TRUE(host.ok());
  // The pointer stays off the panel: no hover read-out in the picture.
  host.move_pointer(host.parent(), {1500, 1000});
  vst2_test::Instance plugin;
  ASSERT_NE(plugin.get(), nullptr);
  ASSERT_EQ(plugin.dispatch(effEditOpen, 0, 0, host.parent_handle()), 1);
  ASSERT_TRUE(editor_test::wait_until_shown(plugin, host));
  const std::vector<uint32_t> shown = host.read_back(editor_test::editor_window(host), 900, 446);
  plugin.dispatch(effEditClose);
  ASSERT_EQ(shown.size(), 900u * 446u);
  const std::string hash = panel_hash(shown);

  const char* bless = std::getenv("ZINDLE_BLESS_EDITOR");
  if (bless != nullptr && std::string(bless) == "1") {
    std::ofstream(kReference) << hash << "  editor panel at 1x, RGB bytes of the host window's read-back\n";
    artgen::write_png(to_raster(shown, 900, 446), kReadmePicture);
    GTEST_SKIP() << "blessed " << hash;
  }
  const std::string expected = read_first_word(kReference);
  if (hash != expected) artgen::write_png(to_raster(shown, 900, 446), "editor_panel_1x_actual.png");
  EXPECT_EQ(hash, expected) << "the panel changed; the picture seen is editor_panel_1x_actual.png; if the change "
                               "is meant, run again with ZINDLE_BLESS_EDITOR=1";
}

}  // namespace
