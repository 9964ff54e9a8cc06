#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "support/signal_measure.h"
#include "support/synth_params.h"
#include "vst2_test_host.h"

using vst2_test::Instance;
using zindle_test::all_finite;
using zindle_test::rms;

namespace {

constexpr int kNbrParams = 62;

std::vector<uint8_t> get_chunk(Instance& plugin, bool program) {
  void* data = nullptr;
  const auto size = plugin.dispatch(effGetChunk, program ? 1 : 0, 0, &data);
  const auto* bytes = static_cast<const uint8_t*>(data);
  return size > 0 && bytes ? std::vector<uint8_t>(bytes, bytes + size) : std::vector<uint8_t>();
}

std::vector<float> all_params(Instance& plugin) {
  std::vector<float> values;
  for (int i = 0; i < kNbrParams; ++i) values.push_back(plugin.get(i));
  return values;
}

VstIntPtr dispatch_text(Instance& plugin, VstInt32 op, VstInt32 index, std::string text, VstIntPtr value = 0,
                        float opt = 0.0f) {
  text.resize(256, '\0');
  return plugin.dispatch(op, index, value, text.data(), opt);
}

class Vst2Adapter : public ::testing::Test {
protected:
  void SetUp() override {
    vst2_test::host_state().clear();
    ASSERT_NE(plugin.get(), nullptr);
  }
  Instance plugin;
};

}  // namespace

TEST_F(Vst2Adapter, ProgramNamesAreCutToTheirFieldSizes) {
  const std::string forty = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn";
  dispatch_text(plugin, effSetProgramName, 0, forty);
  EXPECT_EQ(plugin.text(effGetProgramName), forty.substr(0, 22));
  EXPECT_EQ(plugin.text(effGetProgramNameIndexed, 0), forty);
  dispatch_text(plugin, effSetProgramName, 0, std::string(70, 'x'));
  EXPECT_EQ(plugin.text(effGetProgramNameIndexed, 0), std::string(63, 'x'));
  for (int index : {63, 64, -1}) {
    std::vector<char> buf(80, 'q');
    EXPECT_EQ(plugin.dispatch(effGetProgramNameIndexed, index, 0, buf.data()), index == 63 ? 1 : 0) << index;
  }
}

TEST_F(Vst2Adapter, SetParameterClampsRangeAndIgnoresNanAndBadIndices) {
  const float inf = std::numeric_limits<float>::infinity();
  const float cases[][2] = {{0.3f, 0.3f}, {-0.5f, 0.0f}, {1.5f, 1.0f}, {inf, 1.0f}, {-inf, 0.0f}};
  for (const auto& c : cases) {
    plugin.set(0, c[0]);
    EXPECT_FLOAT_EQ(plugin.get(0), c[1]) << c[0];
  }
  plugin.set(0, 0.6f);
  plugin.set(0, std::numeric_limits<float>::quiet_NaN());
  EXPECT_FLOAT_EQ(plugin.get(0), 0.6f);
  const std::vector<float> before = all_params(plugin);
  for (int bad : {kNbrParams, -1}) {
    plugin.set(bad, 0.5f);
    EXPECT_EQ(plugin.get(bad), 0.0f);
    EXPECT_EQ(plugin.text(effGetParamName, bad), "");
    VstParameterProperties p{};
    EXPECT_EQ(plugin.dispatch(effGetParameterProperties, bad, 0, &p), 0);
  }
  EXPECT_EQ(all_params(plugin), before);
  EXPECT_TRUE(vst2_test::host_state().automated.empty());  // not echoed back to the host
}

// The host asks to format and parse values without changing the parameter.
TEST_F(Vst2Adapter, VendorSpecificExtensionsFormatAndParse) {
  const int k = zindle_test::synth_param::kVcfFreq;  // a continuous parameter
  plugin.set(k, 0.8f);
  char text[256] = {};
  std::strcpy(text, plugin.text(effGetParamDisplay, k).c_str());
  plugin.set(k, 0.3f);
  EXPECT_EQ(plugin.dispatch(effVendorSpecific, effString2Parameter, k, text), 0xbeef);
  EXPECT_NEAR(std::stod(text), 0.8, 0.02);
  EXPECT_FLOAT_EQ(plugin.get(k), 0.3f);
  EXPECT_EQ(plugin.dispatch(effVendorSpecific, effGetParamDisplay, kNbrParams, text, 0.5f), 0);
}

TEST_F(Vst2Adapter, BankAndProgramChunksRestoreTheirState) {
  const std::vector<uint8_t> bank = get_chunk(plugin, false);
  ASSERT_EQ(bank.size(), 20744u);  // the layout itself is pinned by the bank tests
  const std::vector<float> original = all_params(plugin);
  const std::string name7 = plugin.text(effGetProgramNameIndexed, 7);
  plugin.set(2, original[2] > 0.5f ? 0.0f : 1.0f);
  dispatch_text(plugin, effSetProgramName, 0, "Chunked");
  plugin.set(4, 0.5f);
  std::vector<uint8_t> program = get_chunk(plugin, true);
  ASSERT_EQ(program.size(), 324u);

  EXPECT_EQ(plugin.dispatch(effSetChunk, 0, static_cast<VstIntPtr>(bank.size()), const_cast<uint8_t*>(bank.data())), 1);
  EXPECT_EQ(all_params(plugin), original);
  EXPECT_EQ(plugin.text(effGetProgramNameIndexed, 7), name7);
  EXPECT_EQ(get_chunk(plugin, false), bank);

  plugin.dispatch(effSetProgram, 0, 9);
  EXPECT_EQ(plugin.dispatch(effSetChunk, 1, static_cast<VstIntPtr>(program.size()), program.data()), 1);
  EXPECT_EQ(plugin.dispatch(effGetProgram), 9);
  EXPECT_EQ(plugin.text(effGetProgramName), "Chunked");
  EXPECT_FLOAT_EQ(plugin.get(4), 0.5f);
}

TEST_F(Vst2Adapter, ProcessesBeforeResumeAndAtOddBlockSizes) {
  plugin.send_midi({{0x90, 60, 100}});
  for (int block : {1, 8192, 333}) EXPECT_TRUE(all_finite(plugin.render(8192, block))) << block;
  float* outs[2] = {nullptr, nullptr};
  plugin.get()->processReplacing(plugin.get(), nullptr, outs, 0);
}

// The voice is mono: the right output copies the left, unless the host says
// nothing listens to it; then the plug-in leaves that buffer alone.
TEST_F(Vst2Adapter, TheRightOutputCopiesTheLeftOnlyWhileConnected) {
  plugin.start(44100.0f, 256);
  plugin.send_midi({{0x90, 60, 100}});
  for (const bool connected : {false, true}) {
    vst2_test::host_state().unconnected_output = connected ? -1 : 1;
    std::vector<float> left(256), right(256, 7.0f);
    float* outs[2] = {left.data(), right.data()};
    for (int block = 0; block < 8; ++block) plugin.get()->processReplacing(plugin.get(), nullptr, outs, 256);
    EXPECT_GT(rms(left), 1e-3) << connected;
    EXPECT_EQ(right, connected ? left : std::vector<float>(256, 7.0f)) << connected;
  }
}

TEST_F(Vst2Adapter, EverySupportedSampleRateRendersFiniteSound) {
  for (float rate : {11025.0f, 22050.0f, 44100.0f, 96000.0f, 192000.0f, 384000.0f}) {
    plugin.dispatch(effMainsChanged, 0, 0);
    plugin.start(rate, 512);
    plugin.send_midi({{0x90, 64, 100}});
    const std::vector<float> out = plugin.render(8192, 512);
    plugin.send_midi({{0x80, 64, 0}});
    EXPECT_TRUE(all_finite(out)) << rate;
    EXPECT_GT(rms(out), 1e-4) << rate;
    EXPECT_LT(rms(out), 4.0) << rate;
  }
}
