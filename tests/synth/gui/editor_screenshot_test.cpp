// The whole panel at 1x as the host's window shows it, against the
// committed hash (tests/data/editor/panel_1x.sha256). After a deliberate
// change of the art or the panel, ZINDLE_BLESS_EDITOR=1 rewrites the hash
// and the README's picture docs/editor.png. A mismatch leaves the picture
// it saw in the working directory (editor_panel_1x_actual.png).

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "synth/gui/editor_rig.h"
#include "tools/artgen/preview.h"
#include "tools/artgen/raster.h"
#include "tools/artgen/sha256.h"

namespace {

const std::string kReference = std::string(ZINDLE_SOURCE_DIR) + "/tests/data/editor/panel_1x.sha256";

TEST(EditorScreenshot, WholePanelAtOneXMatchesTheReference) {
  SKIP_WITHOUT_DISPLAY();
  editor_test::ScopedGuiScale scale("1");
  pengui::testing::X11TestHost host(900, 446);
  ASSERT_TRUE(host.ok());
  // The pointer stays off the panel: no hover read-out in the picture.
  host.move_pointer(host.parent(), {1500, 1000});
  vst2_test::Instance plugin;
  ASSERT_EQ(plugin.dispatch(effEditOpen, 0, 0, host.parent_handle()), 1);
  ASSERT_TRUE(editor_test::wait_until_shown(plugin, host));
  const std::vector<uint32_t> shown = host.read_back(editor_test::editor_window(host), 900, 446);
  plugin.dispatch(effEditClose);
  ASSERT_EQ(shown.size(), 900u * 446u);
  std::vector<unsigned char> bytes;
  artgen::Raster picture(900, 446);
  for (size_t i = 0; i < shown.size(); ++i) {
    const uint8_t r = static_cast<uint8_t>(shown[i] >> 16), g = static_cast<uint8_t>(shown[i] >> 8),
                  b = static_cast<uint8_t>(shown[i]);
    bytes.insert(bytes.end(), {r, g, b});
    picture.pixels[i] = {r, g, b, 255};
  }
  const std::string hash = artgen::sha256_hex(bytes);

  const char* bless = std::getenv("ZINDLE_BLESS_EDITOR");
  if (bless != nullptr && std::string(bless) == "1") {
    std::ofstream(kReference) << hash << "  editor panel at 1x, RGB bytes of the host window's read-back\n";
    artgen::write_png(picture, std::string(ZINDLE_SOURCE_DIR) + "/docs/editor.png");
    GTEST_SKIP() << "blessed " << hash;
  }
  std::string expected;
  std::ifstream(kReference) >> expected;
  if (hash != expected) artgen::write_png(picture, "editor_panel_1x_actual.png");
  EXPECT_EQ(hash, expected) << "the panel changed; the picture seen is editor_panel_1x_actual.png; if the change "
                               "is meant, run again with ZINDLE_BLESS_EDITOR=1";
}

}  // namespace
