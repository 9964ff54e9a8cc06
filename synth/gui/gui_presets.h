#pragma once
// Panel section: program menu, store switch, program name, bank load and
// save, fade-time knob and its value. The controls are made from the
// layout's preset items and handed to the preset manager, which does the
// work.

#include <functional>
#include <memory>

#include "framework/core/prog_st_ld_default.h"
#include "framework/editor/preset_manager2.h"
#include "gui/flip_flop.h"
#include "gui/knob.h"
#include "gui/push_button.h"
#include "gui/text_box.h"
#include "gui/text_edit.h"
#include "synth/gui/gui_part.h"

namespace pengui {
class FileDialog;
}

namespace synth {

class GuiPresets : public GuiPart {
public:
  using DialogFactory = std::function<std::unique_ptr<pengui::FileDialog>(pengui::Window& owner)>;

  GuiPresets(int nbr_programs, const char* bank_name);
  ~GuiPresets() override;

  // The file dialogs to use instead of the platform's (tests); before build().
  void set_dialog_factory(DialogFactory factory) { dialog_factory_ = std::move(factory); }

  bool build(GuiContext& ctx) override;
  void detach() override;
  void idle() override;
  void refresh() override;

  mppi::PresetManager2& manager() { return manager_; }
  pengui::PushButton& menu_button() { return menu_button_; }
  pengui::TextEdit& name_box() { return name_box_; }
  pengui::FlipFlop& store_switch() { return store_switch_; }
  pengui::PushButton& load_button() { return load_button_; }
  pengui::PushButton& save_button() { return save_button_; }
  pengui::Knob& fade_knob() { return *fade_knob_; }
  pengui::TextBox& fade_display() { return fade_display_; }

private:
  bool place_controls(GuiContext& ctx);
  void show_menu_look(bool open);

  DialogFactory dialog_factory_;
  std::unique_ptr<mppi::ProgStLdDefault> blend_;
  pengui::Window* window_ = nullptr;
  const pengui::Image* menu_up_ = nullptr;
  const pengui::Image* menu_down_ = nullptr;
  const pengui::Image* menu_open_ = nullptr;
  bool menu_look_open_ = false;

  pengui::PushButton menu_button_;
  pengui::TextEdit name_box_;
  pengui::FlipFlop store_switch_;
  pengui::PushButton load_button_;
  pengui::PushButton save_button_;
  std::unique_ptr<pengui::Knob> fade_knob_;
  pengui::TextBox fade_display_;
  // Last, so that it lets go of the controls before they go.
  mppi::PresetManager2 manager_;
};

}  // namespace synth
