#pragma once
// The preset section's logic: program menu (load and store modes), program
// fades, renaming, the fade time, and bank files through the toolkit's
// file dialog with their questions and error boxes. It works on the
// host's program storage through the editor's host interface and lives
// with the editor. Editor thread only.

#include <memory>
#include <string>
#include <vector>

#include "framework/core/bank_manager.h"
#include "framework/editor/preset_listeners.h"
#include "gui/message_box.h"
#include "gui/popup_menu.h"

namespace pengui {
class FileDialog;
class FlipFlop;
class PotInterface;
class PushButton;
class TextBox;
class TextEdit;
class Window;
struct FontSet;
}  // namespace pengui

namespace mppi {

class HostGuiInterface;
class ProgStLdInterface;

// The section's controls; the manager attaches its listeners to them.
struct PresetControls {
  pengui::TextEdit* name = nullptr;
  pengui::PushButton* menu_button = nullptr;
  pengui::FlipFlop* store_switch = nullptr;
  pengui::PushButton* load_bank = nullptr;
  pengui::PushButton* save_bank = nullptr;
  pengui::PotInterface* fade_knob = nullptr;
  pengui::TextBox* fade_display = nullptr;
};

class PresetManager2 {
public:
  static constexpr const char* kExtension = "pbk";
  static constexpr const char* kFactoryBank = "default_preset_bank";
  static constexpr int kSetUpPrio = 255;

  PresetManager2(const char* bank_name, int nbr_programs);
  ~PresetManager2();
  PresetManager2(const PresetManager2&) = delete;
  PresetManager2& operator=(const PresetManager2&) = delete;

  // Wiring, once. Everything given stays valid until detach(). Reads the
  // program names, attaches the listeners, sets the knob from the fade
  // time and loads the factory bank. False when a control is missing.
  bool attach(pengui::Window& window, HostGuiInterface& host, ProgStLdInterface& blend,
              const PresetControls& controls, const pengui::FontSet* font,
              std::unique_ptr<pengui::FileDialog> dialog);
  // Lands a running fade, ends dialogs and boxes, lets go of the controls.
  void detach();
  // Editor idle: the file dialog's answer; the name box follows a program
  // the host selected.
  void idle();
  // The name box and the menu follow the host's current program.
  void refresh();

  // --- Actions (from the listeners, and for tests) ---------------------------
  void popup_program_menu();
  // Loads (fades to) or stores program `index`, by the store switch.
  void choose_program(int index);
  void rename_current(const std::string& name);
  void start_bank_load();
  void start_bank_save();

  bool is_store_mode() const;
  void mode_changed();
  double get_fade_time() const { return fade_time_; }
  // Also moves the knob (without sending) and the display.
  void set_fade_time(double seconds);
  // From the knob: the knob is already there.
  void fade_time_from_knob(double position);
  std::string fade_time_text() const;

  // --- For the listeners and tests ---------------------------------------------
  HostGuiInterface* host() const { return host_; }
  ProgStLdInterface* blend() const { return blend_; }
  pengui::Window* window() const { return window_; }
  int get_current_program() const { return current_; }
  int get_nbr_programs() const { return nbr_programs_; }
  const std::string& program_name(int index) const;
  pengui::PopupMenu& program_menu() { return menu_; }
  pengui::MessageBox& message_box() { return message_; }
  const PresetListenerRefMenu& selection() const { return *menu_listener_; }
  const BankManager& factory_bank() const { return factory_bank_; }

  // The label of menu entry `index`: " 1 - 80sBass".
  static std::string menu_label(int index, const std::string& name);

private:
  void read_names();
  void show_name();
  // One dialog at a time, and none while a box waits for an answer.
  void start_bank_dialog(bool save);
  void bank_save_chosen(std::string path);
  void write_bank(const std::string& path);
  void bank_load_chosen(const std::string& path);
  void show_error(const char* what, const std::string& path, int code);
  std::string start_folder() const;
  void detach_listeners();

  std::string filter_name_;
  int nbr_programs_;
  int current_ = 0;
  double fade_time_ = 1.0;
  int fade_decimals_ = 1;
  int fade_width_ = 0;
  std::vector<std::string> names_;
  BankManager factory_bank_;

  pengui::Window* window_ = nullptr;
  HostGuiInterface* host_ = nullptr;
  ProgStLdInterface* blend_ = nullptr;
  PresetControls controls_;
  std::unique_ptr<pengui::FileDialog> dialog_;

  pengui::PopupMenu menu_;
  pengui::MessageBox message_;
  std::unique_ptr<PresetNameListener> name_listener_;
  std::unique_ptr<PresetNameMenuListener> menu_button_listener_;
  std::unique_ptr<PresetListenerRefMenu> menu_listener_;
  std::unique_ptr<PresetMemListener> mem_listener_;
  std::unique_ptr<PresetLoadBankListener> load_listener_;
  std::unique_ptr<PresetSaveBankListener> save_listener_;
  std::unique_ptr<PresetTimeFaderListener> fader_listener_;
  std::unique_ptr<PresetTimeDisplayListener> display_listener_;
};

}  // namespace mppi
