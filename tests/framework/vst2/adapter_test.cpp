#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "support/signal_measure.h"
#include "vst2_test_host.h"

using vst2_test::Instance;
using vst2_test::host_state;

namespace {

constexpr int kNbrParams = 62;
constexpr int kNbrPrograms = 64;

std::vector<uint8_t> get_chunk(Instance& plugin, bool program) {
  void* data = nullptr;
  const auto size = plugin.dispatch(effGetChunk, program ? 1 : 0, 0, &data);
  if (size <= 0 || data == nullptr) return {};
  const auto* bytes = static_cast<const uint8_t*>(data);
  return std::vector<uint8_t>(bytes, bytes + size);
}

VstIntPtr set_chunk(Instance& plugin, std::vector<uint8_t> data, bool program) {
  return plugin.dispatch(effSetChunk, program ? 1 : 0, static_cast<VstIntPtr>(data.size()), data.data());
}

std::vector<float> all_params(Instance& plugin) {
  std::vector<float> values;
  for (int i = 0; i < kNbrParams; ++i) values.push_back(plugin.get(i));
  return values;
}

using zindle_test::rms;

using zindle_test::all_finite;

class Vst2Adapter : public ::testing::Test {
protected:
  void SetUp() override {
    host_state().vendor = "Test Vendor";
    host_state().product = "Test Host";
    host_state().tempo = 0.0;
    host_state().clear();
    ASSERT_NE(plugin.get(), nullptr);
  }
  Instance plugin;
};

}  // namespace

// The descriptor, identity strings and the common canDo answers are checked
// on the built plug-in by HostCheck.LinuxPlugin; here what it leaves out.
TEST_F(Vst2Adapter, FixedAnswersAndVendorCanDos) {
  EXPECT_EQ(plugin.dispatch(effGetProgram), 0);
  EXPECT_EQ(plugin.dispatch(effGetPlugCategory), kPlugCategSynth);
  EXPECT_EQ(plugin.dispatch(effGetTailSize), 0);
  EXPECT_EQ(plugin.dispatch(effKeysRequired), 1);
  EXPECT_EQ(plugin.dispatch(effIdle), 1);
  const struct {
    const char* text;
    VstIntPtr answer;
  // 0xbeef0000 is the bit pattern a host compares with, also where VstIntPtr has 32 bits.
  } cases[] = {{"sendVstEvents", 1},
               {"hasCockosExtensions", static_cast<VstIntPtr>(0xbeef0000)},
               {"hasBrindleExtensions", static_cast<VstIntPtr>(0xbeef0000)},
               {"receiveVstTimeInf", 0}};
  for (const auto& c : cases) {
    std::vector<char> text(c.text, c.text + std::strlen(c.text) + 1);
    EXPECT_EQ(plugin.dispatch(effCanDo, 0, 0, text.data()), c.answer) << c.text;
  }
  EXPECT_EQ(plugin.dispatch(effCanDo, 0, 0, nullptr), 0);
}

TEST_F(Vst2Adapter, ProgramNamesAreCutToTheirFieldSizes) {
  const std::string forty = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn";
  std::vector<char> name(forty.begin(), forty.end());
  name.push_back('\0');
  plugin.dispatch(effSetProgramName, 0, 0, name.data());
  EXPECT_EQ(plugin.text(effGetProgramName), forty.substr(0, 22));
  EXPECT_EQ(plugin.text(effGetProgramNameIndexed, 0), forty);

  const std::string seventy(70, 'x');
  std::vector<char> long_name(seventy.begin(), seventy.end());
  long_name.push_back('\0');
  plugin.dispatch(effSetProgramName, 0, 0, long_name.data());
  EXPECT_EQ(plugin.text(effGetProgramNameIndexed, 0), seventy.substr(0, 63));

  // Other programs keep their built-in names; indices past the bank answer 0.
  EXPECT_FALSE(plugin.text(effGetProgramNameIndexed, 1).empty());
  std::vector<char> buf(80, 'q');
  EXPECT_EQ(plugin.dispatch(effGetProgramNameIndexed, 63, 0, buf.data()), 1);
  EXPECT_EQ(plugin.dispatch(effGetProgramNameIndexed, 64, 0, buf.data()), 0);
  EXPECT_EQ(plugin.dispatch(effGetProgramNameIndexed, -1, 0, buf.data()), 0);
}

TEST_F(Vst2Adapter, ProgramSelectionLoadsValuesAndIgnoresOutOfRange) {
  const std::vector<float> first = all_params(plugin);
  plugin.dispatch(effSetProgram, 0, 5);
  EXPECT_EQ(plugin.dispatch(effGetProgram), 5);
  const std::vector<float> fifth = all_params(plugin);
  EXPECT_NE(first, fifth);
  const std::string name5 = plugin.text(effGetProgramName);
  EXPECT_EQ(name5, plugin.text(effGetProgramNameIndexed, 5).substr(0, 22));

  plugin.dispatch(effSetProgram, 0, kNbrPrograms);
  plugin.dispatch(effSetProgram, 0, -1);
  EXPECT_EQ(plugin.dispatch(effGetProgram), 5);
  EXPECT_EQ(all_params(plugin), fifth);

  // A host-automated edit sticks to the program it was made in.
  plugin.set(3, 0.25f);
  plugin.dispatch(effSetProgram, 0, 0);
  EXPECT_EQ(all_params(plugin), first);
  plugin.dispatch(effSetProgram, 0, 5);
  EXPECT_FLOAT_EQ(plugin.get(3), 0.25f);
}

TEST_F(Vst2Adapter, SetParameterClampsRangeAndIgnoresNan) {
  const float inf = std::numeric_limits<float>::infinity();
  const struct {
    float in;
    float out;
  } cases[] = {{0.3f, 0.3f}, {-0.5f, 0.0f}, {1.5f, 1.0f}, {inf, 1.0f}, {-inf, 0.0f}, {0.0f, 0.0f}, {1.0f, 1.0f}};
  for (const auto& c : cases) {
    plugin.set(0, c.in);
    EXPECT_FLOAT_EQ(plugin.get(0), c.out) << c.in;
  }
  plugin.set(0, 0.6f);
  plugin.set(0, std::numeric_limits<float>::quiet_NaN());
  EXPECT_FLOAT_EQ(plugin.get(0), 0.6f);

  const std::vector<float> before = all_params(plugin);
  plugin.set(kNbrParams, 0.5f);
  plugin.set(-1, 0.5f);
  EXPECT_EQ(all_params(plugin), before);
  EXPECT_EQ(plugin.get(kNbrParams), 0.0f);
  EXPECT_EQ(plugin.get(-1), 0.0f);
  for (float v : before) {
    EXPECT_GE(v, 0.0f);
    EXPECT_LE(v, 1.0f);
  }
  // Host automation is not echoed back to the host.
  EXPECT_TRUE(host_state().automated.empty());
}

TEST_F(Vst2Adapter, ParameterTextsFitTheHostBuffer) {
  for (int i = 0; i < kNbrParams; ++i) {
    for (VstInt32 op : {effGetParamName, effGetParamLabel, effGetParamDisplay}) {
      const std::string t = plugin.text(op, i);
      EXPECT_LE(t.size(), 22u) << "param " << i << " op " << op;
    }
    EXPECT_FALSE(plugin.text(effGetParamName, i).empty()) << i;
  }
  EXPECT_EQ(plugin.text(effGetParamName, kNbrParams), "");
  EXPECT_EQ(plugin.text(effGetParamDisplay, kNbrParams), "");
}

TEST_F(Vst2Adapter, StringToParameterRoundTripsDisplayedText) {
  EXPECT_EQ(plugin.dispatch(effString2Parameter, 0, 0, nullptr), 1);
  const std::vector<float> before = all_params(plugin);
  EXPECT_EQ(all_params(plugin), before);

  // Every parameter takes back the text it shows for another value.
  int checked = 0;
  for (int i = 0; i < kNbrParams; ++i) {
    plugin.set(i, 0.8f);
    std::string shown = plugin.text(effGetParamDisplay, i);
    const float target = plugin.get(i);
    plugin.set(i, 0.1f);
    std::vector<char> text(shown.begin(), shown.end());
    text.push_back('\0');
    if (plugin.dispatch(effString2Parameter, i, 0, text.data()) != 1) continue;
    EXPECT_EQ(plugin.text(effGetParamDisplay, i), shown) << i;
    VstParameterProperties props{};
    plugin.dispatch(effGetParameterProperties, i, 0, &props);
    if (props.flags == kVstParameterCanRamp) {
      EXPECT_NEAR(plugin.get(i), target, 0.02f) << i << " '" << shown << "'";
    }
    ++checked;
  }
  EXPECT_GT(checked, kNbrParams / 2);

  char bad[] = "not a value";
  char fine[] = "0";
  EXPECT_EQ(plugin.dispatch(effString2Parameter, kNbrParams, 0, fine), 0);
  const float was = plugin.get(0);
  plugin.dispatch(effString2Parameter, 0, 0, bad);
  EXPECT_EQ(plugin.get(0), was);
}

TEST_F(Vst2Adapter, VendorSpecificExtensionsFormatAndParse) {
  int k = 0;  // a continuous parameter
  for (VstParameterProperties props{}; k < kNbrParams; ++k) {
    plugin.dispatch(effGetParameterProperties, k, 0, &props);
    if (props.flags == kVstParameterCanRamp) break;
  }
  ASSERT_LT(k, kNbrParams);
  plugin.set(k, 0.8f);
  char shown_now[64] = {};
  plugin.dispatch(effGetParamDisplay, k, 0, shown_now);
  char shown[64] = {};
  // Display of a value the parameter does not hold now.
  plugin.set(k, 0.3f);
  EXPECT_EQ(plugin.dispatch(effVendorSpecific, effGetParamDisplay, k, shown, 0.8f), 0xbeef);
  EXPECT_STREQ(shown, shown_now);
  EXPECT_EQ(plugin.dispatch(effVendorSpecific, effGetParamDisplay, kNbrParams, shown, 0.5f), 0);

  char text[256] = {};
  std::strcpy(text, shown_now);
  plugin.set(k, 0.2f);
  EXPECT_EQ(plugin.dispatch(effVendorSpecific, effString2Parameter, k, text), 0xbeef);
  EXPECT_NEAR(std::stod(text), 0.8, 0.02);
  EXPECT_NE(std::string(text).find('.'), std::string::npos);
  EXPECT_FLOAT_EQ(plugin.get(k), 0.2f);  // parsing only; nothing changes

  char probe[256] = "";
  EXPECT_EQ(plugin.dispatch(effVendorSpecific, effString2Parameter, 0, probe), 0xbeef);
  char empty_other[256] = "";
  EXPECT_EQ(plugin.dispatch(effVendorSpecific, effString2Parameter, 1, empty_other), 0);
  EXPECT_EQ(plugin.dispatch(effVendorSpecific, 3, 0, text), 0);
}

TEST_F(Vst2Adapter, ParameterPropertiesMarkSwitchesStepsAndRamps) {
  int switches = 0, stepped = 0, ramps = 0;
  for (int i = 0; i < kNbrParams; ++i) {
    VstParameterProperties p;
    std::memset(&p, 0x5a, sizeof(p));
    ASSERT_EQ(plugin.dispatch(effGetParameterProperties, i, 0, &p), 1);
    EXPECT_EQ(std::string(p.label), plugin.text(effGetParamName, i).substr(0, 63));
    EXPECT_EQ(std::string(p.shortLabel), std::string(p.label).substr(0, 7));
    EXPECT_EQ(p.stepFloat, 0.0f);
    EXPECT_EQ(p.stepInteger, 0);
    EXPECT_EQ(p.displayIndex, 0x5a5a);  // not ours to write
    for (char c : p.future) EXPECT_EQ(c, 0);
    if (p.flags == kVstParameterIsSwitch) {
      ++switches;
    } else if (p.flags == kVstParameterUsesIntegerMinMax) {
      ++stepped;
      EXPECT_LT(p.minInteger, p.maxInteger);
    } else {
      EXPECT_EQ(p.flags, kVstParameterCanRamp) << i;
      ++ramps;
    }
  }
  EXPECT_GT(switches, 0);
  EXPECT_GT(ramps, 0);
  EXPECT_EQ(switches + stepped + ramps, kNbrParams);
  VstParameterProperties p{};
  EXPECT_EQ(plugin.dispatch(effGetParameterProperties, kNbrParams, 0, &p), 0);
}

TEST_F(Vst2Adapter, PinPropertiesNameTheTwoOutputs) {
  const char* names[] = {"Output L", "Output R"};
  for (int pin = 0; pin < 2; ++pin) {
    VstPinProperties p{};
    ASSERT_EQ(plugin.dispatch(effGetOutputProperties, pin, 0, &p), 1);
    EXPECT_STREQ(p.label, names[pin]);
    EXPECT_EQ(p.flags, kVstPinIsActive | kVstPinIsStereo);
  }
  VstPinProperties p{};
  EXPECT_EQ(plugin.dispatch(effGetOutputProperties, 2, 0, &p), 0);
  EXPECT_EQ(plugin.dispatch(effGetOutputProperties, -1, 0, &p), 0);
  EXPECT_EQ(plugin.dispatch(effGetInputProperties, 0, 0, &p), 0);
}

TEST_F(Vst2Adapter, BankChunkRoundTripRestoresEveryProgram) {
  const std::vector<uint8_t> bank = get_chunk(plugin, false);
  ASSERT_EQ(bank.size(), 20744u);  // the layout itself is pinned by the bank tests

  // Change the live state, then restore it from the chunk.
  const std::vector<float> original = all_params(plugin);
  const std::string name7 = plugin.text(effGetProgramNameIndexed, 7);
  plugin.set(2, original[2] > 0.5f ? 0.0f : 1.0f);
  char renamed[] = "Renamed";
  plugin.dispatch(effSetProgramName, 0, 0, renamed);
  EXPECT_EQ(set_chunk(plugin, bank, false), 1);
  EXPECT_EQ(all_params(plugin), original);
  EXPECT_EQ(plugin.text(effGetProgramNameIndexed, 7), name7);
  EXPECT_EQ(get_chunk(plugin, false), bank);
}

TEST_F(Vst2Adapter, ProgramChunkCarriesNameAndValues) {
  plugin.set(4, 0.5f);
  char name[] = "Chunked";
  plugin.dispatch(effSetProgramName, 0, 0, name);
  const std::vector<uint8_t> program = get_chunk(plugin, true);
  ASSERT_EQ(program.size(), 324u);

  plugin.dispatch(effSetProgram, 0, 9);
  EXPECT_EQ(set_chunk(plugin, program, true), 1);
  EXPECT_EQ(plugin.dispatch(effGetProgram), 9);
  EXPECT_EQ(plugin.text(effGetProgramName), "Chunked");
  EXPECT_FLOAT_EQ(plugin.get(4), 0.5f);
}

TEST_F(Vst2Adapter, NoteOnLandsAtItsDeltaFrame) {
  plugin.start(44100.0f, 1024);
  plugin.render(1024, 1024);  // the block after resume resets the voice
  plugin.send_midi({{0x90, 57, 127}}, 300);
  const std::vector<float> block = plugin.render(1024, 1024);
  int first = -1;
  for (int i = 0; i < 1024 && first < 0; ++i)
    if (block[static_cast<size_t>(i)] != 0.0f) first = i;
  EXPECT_GE(first, 300);  // the attack starts from zero
  EXPECT_LE(first, 302);
  for (int i = 0; i < 300; ++i) ASSERT_EQ(block[static_cast<size_t>(i)], 0.0f) << i;
  EXPECT_GT(rms(std::vector<float>(block.begin() + 300, block.end())), 0.0);
}

TEST_F(Vst2Adapter, ProcessesBeforeResumeAndAtOddBlockSizes) {
  plugin.send_midi({{0x90, 60, 100}});
  for (int block : {0, 1, 8192, 1, 333}) {
    const std::vector<float> out = plugin.render(block == 0 ? 0 : 8192, std::max(block, 1));
    EXPECT_TRUE(all_finite(out)) << block;
  }
  float* outs[2] = {nullptr, nullptr};
  plugin.get()->processReplacing(plugin.get(), nullptr, outs, 0);
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

TEST_F(Vst2Adapter, EditorAnswersItsFixedSize) {
  ERect* rect = nullptr;
  ASSERT_EQ(plugin.dispatch(effEditGetRect, 0, 0, &rect), 1);
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->top, 0);
  EXPECT_EQ(rect->left, 0);
  EXPECT_EQ(rect->right, 900);
  EXPECT_EQ(rect->bottom, 446);
  int parent = 0;
  EXPECT_EQ(plugin.dispatch(effEditOpen, 0, 0, &parent), 0);
  plugin.dispatch(effEditIdle);
  plugin.dispatch(effEditClose);
}

TEST(Vst2AdapterLife, OpenAndClose100Instances) {
  for (int i = 0; i < 100; ++i) {
    Instance plugin;
    ASSERT_NE(plugin.get(), nullptr) << i;
    if (i % 10 == 0) {
      plugin.start(44100.0f, 64);
      plugin.send_midi({{0x90, 60, 100}});
      plugin.render(64, 64);
    }
  }
}

TEST_F(Vst2Adapter, ControllerMovesItsBoundParameter) {
  plugin.start(44100.0f, 256);
  plugin.set(0, 0.0f);
  plugin.send_midi({{0xB0, 12, 90}});  // parameter 0's default controller
  plugin.render(256, 256);
  EXPECT_NEAR(plugin.get(0), 90.0f * 128.0f / 16383.0f, 1e-4f);
  plugin.send_midi({{0xB0, 12, 0}});
  plugin.render(256, 256);
  EXPECT_EQ(plugin.get(0), 0.0f);
}
