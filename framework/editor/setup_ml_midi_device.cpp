#include "framework/editor/setup_ml_midi_device.h"

#include <string>

#include "framework/editor/setup_mgr.h"
#include "framework/midi_devices/midi_dev_selector_interface.h"
#include "gui/popup_menu.h"

namespace mppi {

void SetupMLMidiDevice::menu_refresh(pengui::MenuEntry& entry) {
  pengui::PopupMenu* list = entry.submenu();
  if (list == nullptr) return;
  list->clear();
  MidiDevSelectorInterface* selector = use_setup_mgr().midi_devices();
  const bool output = side_ == kOutput;
  const int count = selector == nullptr ? 0 : output ? selector->get_nbr_outputs() : selector->get_nbr_inputs();
  const int selected = selector == nullptr ? -1 : output ? selector->get_selected_output() : selector->get_selected_input();
  for (int i = 0; i < count; ++i) {
    const std::string name = output ? selector->get_output_name(i) : selector->get_input_name(i);
    list->add_entry(name, this, i).set_ticked(i == selected);
  }
  none_tag_ = count;
  pengui::MenuEntry& none = list->add_entry("None", this, none_tag_);
  none.set_ticked(selected < 0 || selected >= count);
  none.set_enabled(selector != nullptr);
}

void SetupMLMidiDevice::menu_chosen(pengui::MenuEntry& entry) {
  SetupMgr& mgr = use_setup_mgr();
  MidiDevSelectorInterface* selector = mgr.midi_devices();
  if (selector == nullptr) return;
  const int index = entry.tag() == none_tag_ ? -1 : entry.tag();
  const int rc = side_ == kOutput ? selector->select_output(index) : selector->select_input(index);
  if (rc != 0) mgr.show_message("Error", "Can't change MIDI device.\n\n\nCode " + std::to_string(rc));
}

}  // namespace mppi
