#pragma once
// The MIDI input layer shared by every input device: routes raw channel
// messages to the state of their channel, which calls the receiver, and
// saves and loads the 16 channel states.

#include <array>
#include <vector>
#include <atomic>
#include <cstdint>

#include "framework/midi/midi_channel_state.h"
#include "framework/midi/midi_in_interface.h"

namespace mppi {

class MidiInChn : public MidiInInterface {
public:
  static constexpr int kNbrChannels = 16;
  static constexpr int kStateSize = 4 + kNbrChannels * MidiChannelState::kRecordSize;
  static constexpr char kSettingKey[] = "channel_states";

  // Error codes of read() and read_settings().
  static constexpr int kErrTooShort = -1;
  static constexpr int kErrVersion = -2;
  static constexpr int kErrText = -3;

  MidiInChn() = default;
  ~MidiInChn() override = default;
  MidiInChn(const MidiInChn&) = delete;
  MidiInChn& operator=(const MidiInChn&) = delete;

  // --- MidiInInterface -------------------------------------------------------
  int is_active() const override { return 0; }
  int get_latency() const override { return 0; }
  int attach(MidiReceiverInterface* receiver) override;
  int detach() override;
  int begin_block() override { return 0; }
  int end_block() override { return 0; }
  int set_bend_range(float semitones) override;
  double get_bend_range() const override;

  // --- Channel states as bytes: a zero word, then one record per channel ----
  int read(const uint8_t* data, int len) override;
  int write(uint8_t* data) const override;
  int get_size() const override { return kStateSize; }

  // --- Channel states in the settings tree, as hexadecimal text -------------
  // Settings are loaded on the editor thread while the audio thread plays
  // through these channels, so read_settings only checks the image and hands
  // it over; the thread that delivers messages applies it before the next
  // one (apply_pending_state), and the receiver hears the restored bends
  // there. A refused image changes nothing.
  int write_settings(basic::ConfKeyMulti& section) const override;
  int read_settings(const basic::ConfKeyMulti& section) override;
  // Thread that delivers messages: applies a handed-over image, if any.
  void apply_pending_state();

  // --- Messages (the thread that delivers them) ------------------------------
  // One raw message; any byte values are accepted. Statuses outside
  // 0x80..0xEF are ignored. True when a controller is to be reported, as `cc`.
  bool handle_message(int status, int data1, int data2, int detune_cents, MidiCcNotification& cc);
  // Sample offset of the messages that follow, passed to the receiver.
  void set_time_stamp(long offset);

  // Set from the binding layer's compatibility switch; any thread.
  void set_nrpn_numbering(NrpnNumbering numbering);
  NrpnNumbering get_nrpn_numbering() const;

  MidiReceiverInterface* get_receiver() const { return receiver_; }
  const MidiChannelState& get_channel_state(int channel) const;

private:
  enum PendingState : int { kPendingEmpty, kPendingWriting, kPendingReady, kPendingApplying };

  MidiReceiverInterface* receiver_ = nullptr;
  std::vector<uint8_t> pending_image_ = std::vector<uint8_t>(kStateSize);
  std::atomic<int> pending_{kPendingEmpty};
  std::atomic<NrpnNumbering> numbering_{NrpnNumbering::standard};
  std::array<MidiChannelState, kNbrChannels> channels_;
};

}  // namespace mppi
