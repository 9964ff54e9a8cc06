#pragma once
// The editor's pictures and font: which ones it loads (the artwork's
// table, "bkg_28" first) and the sections' view of them by name.

#include "synth/gui/gui_part.h"

namespace mppi {
class GraphRscMixin;
}

namespace synth {

// Registers the artwork where the platform has no module resources (once
// per process), then loads every picture and the font into `store`.
// False when any is missing.
bool load_editor_resources(mppi::GraphRscMixin& store);

// The name of the panel's background picture.
extern const char* const kBackgroundPicture;

class LoadedGuiResources : public GuiResources {
public:
  explicit LoadedGuiResources(const mppi::GraphRscMixin& store) : store_(store) {}
  const pengui::Image* image(const char* name) const override;
  const pengui::FontSet* font(const char* name) const override;

private:
  const mppi::GraphRscMixin& store_;
};

}  // namespace synth
