#include "synth/gui/gui_resources.h"

#include <mutex>

#include "framework/editor/graph_rsc_mixin.h"
#include "tools/artgen/art_resources.h"

namespace synth {

const char* const kBackgroundPicture = "bkg_28";

bool load_editor_resources(mppi::GraphRscMixin& store) {
#if !defined(_WIN32)
  // Windows finds the pictures among the module's resources.
  static std::once_flag registered;
  std::call_once(registered, [] { art::register_art_resources(); });
#endif
  return store.load_graph_resources(art::kPictureNames, art::kPictureCount, art::kFontName);
}

const pengui::Image* LoadedGuiResources::image(const char* name) const { return store_.find_image(name); }

const pengui::FontSet* LoadedGuiResources::font(const char* name) const { return store_.find_font(name); }

}  // namespace synth
