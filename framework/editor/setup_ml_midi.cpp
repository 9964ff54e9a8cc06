#include "framework/editor/setup_ml_midi.h"

#include "framework/editor/setup_mgr.h"

// The learn target is already the last touched parameter: the manager
// takes it over when the menu pops up and at every idle.

namespace mppi {

void SetupMLMidiAutoBind::menu_refresh(pengui::MenuEntry& entry) {
  MidiAutoBindMgr& learn = use_setup_mgr().use_auto_bind();
  const MidiAutoBindMenu menu = learn.make_menu();
  entry.set_label(menu.autobind_label);
  entry.set_ticked(menu.autobind_checked);
  entry.set_enabled(learn.is_initialised());
}

void SetupMLMidiAutoBind::menu_chosen(pengui::MenuEntry& /*entry*/) {
  MidiAutoBindMgr& learn = use_setup_mgr().use_auto_bind();
  if (learn.is_initialised()) learn.toggle_autobind();
}

void SetupMLMidiUnBind::menu_refresh(pengui::MenuEntry& entry) {
  MidiAutoBindMgr& learn = use_setup_mgr().use_auto_bind();
  entry.set_label(learn.make_menu().unbind_label);
  entry.set_enabled(learn.is_initialised() && learn.get_selected() >= 0);
}

void SetupMLMidiUnBind::menu_chosen(pengui::MenuEntry& /*entry*/) { use_setup_mgr().use_auto_bind().unbind_selected(); }

void SetupMLMidiNrpnComp::menu_refresh(pengui::MenuEntry& entry) {
  MidiAutoBindMgr& learn = use_setup_mgr().use_auto_bind();
  entry.set_ticked(learn.make_menu().nrpn_checked);
  entry.set_enabled(use_setup_mgr().midi_mgr() != nullptr);
}

void SetupMLMidiNrpnComp::menu_chosen(pengui::MenuEntry& /*entry*/) { use_setup_mgr().use_auto_bind().toggle_nrpn_compat(); }

}  // namespace mppi
