#pragma once
// Takes the editor's place until the synth's own editor object exists:
// answers the editor's size and opens no window. Owns the host object it
// is given, as the DSP object does.

#include <memory>

#include "framework/core/gui_interface.h"
#include "framework/core/host_gui_interface.h"

namespace mppi {

class StandInGui : public GuiInterface {
public:
  static constexpr int kWidth = 900;
  static constexpr int kHeight = 446;

  void init() override {}
  void start() override {}
  void detach() override {}
  HostGuiInterface* get_host() override { return host_.get(); }
  void set_host(HostGuiInterface* host) override { host_.reset(host); }
  DspInterface* get_dsp() override { return dsp_; }
  void set_dsp(DspInterface* dsp) override { dsp_ = dsp; }
  void set_window(void* window) override { window_ = window; }
  void* get_window() override { return window_; }
  int get_width() const override { return kWidth; }
  int get_height() const override { return kHeight; }
  int open(void* /*parent*/) override { return -1; }
  void close() override {}
  void param_changed(int /*param*/, float /*value*/, int /*source*/) override {}
  void bank_published(const BankManager& /*bank*/) override {}

private:
  std::unique_ptr<HostGuiInterface> host_;
  DspInterface* dsp_ = nullptr;
  void* window_ = nullptr;
};

}  // namespace mppi
