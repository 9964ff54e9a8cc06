#include "framework/editor/setup_ml_compat.h"

#include <exception>

#include "framework/core/dsp_interface.h"
#include "framework/core/framework_vendor.h"
#include "framework/core/host_gui_interface.h"
#include "framework/editor/setup_mgr.h"
#include "framework/gui_binding/param_listener.h"
#include "framework/params/normalized_param_interface.h"
#include "gui/popup_menu.h"
#include "sys/persistent_key_list.h"

namespace mppi {

std::string SetupStoredSwitch::store_path() const {
  return std::string(kFrameworkVendor) + "/" + use_setup_mgr().plugin_name();
}

bool SetupStoredSwitch::read() const {
  try {
    const sys::PersistentKeyList store(store_path());
    std::string value;
    return store.read_string(name_, value) && value == on_text_;
  } catch (const std::exception&) {
    return false;
  }
}

bool SetupStoredSwitch::write(bool on) {
  try {
    sys::PersistentKeyList store(store_path());
    return store.write_string(name_, on ? on_text_ : off_text_);
  } catch (const std::exception&) {
    return false;
  }
}

void SetupStoredSwitch::menu_refresh(pengui::MenuEntry& entry) { entry.set_ticked(read()); }

void SetupStoredSwitch::menu_chosen(pengui::MenuEntry& /*entry*/) {
  if (write(!read())) on_changed();
}

void SetupMLRtasShowAuto::on_changed() {
  SetupMgr& mgr = use_setup_mgr();
  DspInterface* dsp = mgr.dsp();
  HostGuiInterface* host = mgr.host();
  if (dsp == nullptr || host == nullptr) return;
  for (int i = 0; i < dsp->get_nbr_param(); ++i) {
    if (NormalizedParamInterface* param = dsp->get_param(i))
      host->set_param_and_notify(i, param->nrm(), ListenerBase::kRefreshPrio);
  }
}

}  // namespace mppi
