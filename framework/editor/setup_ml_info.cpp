#include "framework/editor/setup_ml_info.h"

#include <cstdio>

#include "framework/core/dsp_interface.h"
#include "framework/core/host_gui_interface.h"
#include "framework/editor/setup_mgr.h"

namespace mppi {

namespace {
constexpr char kSiteAddress[] = "https://zindle-br.example.org/";
}

std::string SetupMLAbout::make_text() const {
  SetupMgr& mgr = use_setup_mgr();
  char version[32];
  std::snprintf(version, sizeof version, "%.2f", mgr.plugin_version());
  std::string text = mgr.plugin_name() + " " + version;
  if (DspInterface* dsp = mgr.dsp()) {
    const std::string maker = dsp->get_string_property("manufacturer");
    if (!maker.empty()) text += "\n" + maker;
  }
  text += "\n" + std::string(kSiteAddress);
  if (HostGuiInterface* host = mgr.host()) {
    const std::string standard = host->get_host_string_property("interface_standard");
    const std::string info = host->get_host_string_property("interface_info");
    if (!standard.empty()) text += "\n\n" + standard;
    if (!info.empty()) text += "\n" + info;
  }
  return text;
}

void SetupMLAbout::menu_chosen(pengui::MenuEntry& /*entry*/) { use_setup_mgr().show_message("About", make_text()); }

void SetupMLWebSite::menu_chosen(pengui::MenuEntry& /*entry*/) { use_setup_mgr().use_web_site_jump().jump(action_); }

}  // namespace mppi
