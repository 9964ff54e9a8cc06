#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/vst2/audio_effect_x.h"

namespace {

// What the plug-in asked of its host.
struct HostCall {
  VstInt32 opcode;
  VstInt32 index;
  VstIntPtr value;
  void* ptr;
  float opt;
};

std::vector<HostCall> g_calls;
VstTimeInfo g_time{};
char g_directory[] = "/plugins/here";

VstIntPtr VSTCALLBACK fake_host(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  g_calls.push_back({opcode, index, value, ptr, opt});
  switch (opcode) {
    case audioMasterVersion:
      return 2400;
    case audioMasterGetTime:
      return reinterpret_cast<VstIntPtr>(&g_time);
    case audioMasterGetVendorString:
      std::memset(ptr, 'x', kVstMaxVendorStrLen);  // unterminated on purpose
      return 1;
    case audioMasterGetDirectory:
      return reinterpret_cast<VstIntPtr>(g_directory);
    case audioMasterPinConnected:
      return index == 0 ? 0 : 1;  // only pin 0 connected
    case audioMasterProcessEvents:
    case audioMasterBeginEdit:
    case audioMasterEndEdit:
      return 1;
    default:
      return 0;
  }
}

struct TestEditor : AEffEditor {
  explicit TestEditor(AudioEffect* e) : AEffEditor(e) {}
  bool getRect(ERect** r) override {
    *r = &rect;
    return true;
  }
  bool open(void* parent) override {
    AEffEditor::open(parent);
    return true;
  }
  ERect rect{0, 0, 446, 900};
};

struct TestEffect : AudioEffectX {
  explicit TestEffect(audioMasterCallback host, bool* destroyed = nullptr)
      : AudioEffectX(host, 4, 3), destroyed(destroyed) {}
  ~TestEffect() override {
    if (destroyed) *destroyed = true;
  }

  void processReplacing(float** in, float** out, VstInt32 n) override {
    if (throw_all) throw std::runtime_error("process");
    for (VstInt32 i = 0; i < n; ++i) out[0][i] = out[1][i] = in ? 0.0f : 0.25f * static_cast<float>(i);
  }
  void setParameter(VstInt32 i, float v) override {
    if (throw_all) throw std::runtime_error("set");
    if (i >= 0 && i < 3) params[i] = v;
  }
  float getParameter(VstInt32 i) override {
    if (throw_all) throw std::runtime_error("get");
    return i >= 0 && i < 3 ? params[i] : 0.0f;
  }
  void setProgram(VstInt32 p) override {
    ++program_calls;
    AudioEffectX::setProgram(p);
  }
  void close() override {
    if (throw_all) throw std::runtime_error("close");
  }
  VstInt32 canDo(char* text) override {
    if (throw_all) throw std::runtime_error("canDo");
    return std::strcmp(text, "receiveVstMidiEvent") == 0 ? 1 : -1;
  }
  VstInt32 getChunk(void** data, bool is_preset) override {
    *data = chunk;
    return is_preset ? 2 : 8;
  }
  VstInt32 setChunk(void* data, VstInt32 size, bool is_preset) override {
    last_chunk = data;
    last_chunk_size = size;
    last_chunk_preset = is_preset;
    return 1;
  }
  VstInt32 processEvents(VstEvents* events) override {
    received_events = events->numEvents;
    return 1;
  }

  bool* destroyed;
  bool throw_all = false;
  float params[3] = {0.0f, 0.0f, 0.0f};
  int program_calls = 0;
  char chunk[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  void* last_chunk = nullptr;
  VstInt32 last_chunk_size = 0;
  bool last_chunk_preset = false;
  VstInt32 received_events = 0;
};

VstIntPtr dispatch(AEffect* e, VstInt32 op, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                   float opt = 0.0f) {
  return e->dispatcher(e, op, index, value, ptr, opt);
}

class AudioEffectTest : public ::testing::Test {
protected:
  void SetUp() override { g_calls.clear(); }
  TestEffect effect{fake_host};
  AEffect* e = effect.getAeffect();
};

}  // namespace

TEST_F(AudioEffectTest, DescriptorAsTheHostReadsIt) {
  const unsigned char magic[4] = {0x50, 0x74, 0x73, 0x56};  // 'VstP' as a little-endian int
  unsigned char bytes[4];
  std::memcpy(bytes, &e->magic, 4);
  EXPECT_EQ(0x56737450, e->magic);
  EXPECT_EQ(0, std::memcmp(bytes, magic, 4));
  EXPECT_EQ(4, e->numPrograms);
  EXPECT_EQ(3, e->numParams);
  EXPECT_EQ(1, e->version);
  EXPECT_EQ(0, e->flags);
  EXPECT_EQ(0, e->resvd1);
  EXPECT_EQ(&effect, e->object);
  EXPECT_EQ(1.0f, e->ioRatio);

  effect.setNumInputs(0);
  effect.setNumOutputs(2);
  effect.setUniqueID(vst_fourcc('B', 'R', 'Z', 'i'));
  effect.canProcessReplacing();
  effect.isSynth();
  effect.programsAreChunks();
  EXPECT_EQ(0, e->numInputs);
  EXPECT_EQ(0x42525A69, e->uniqueID);
  EXPECT_EQ(effFlagsCanReplacing | effFlagsIsSynth | effFlagsProgramChunks, e->flags);
  effect.programsAreChunks(false);
  EXPECT_EQ(0x110, e->flags);

  auto* editor = new TestEditor(&effect);
  effect.setEditor(editor);
  EXPECT_EQ(0x111, e->flags);
  effect.setEditor(nullptr);  // deletes the editor
  EXPECT_EQ(0x110, e->flags);
}

TEST_F(AudioEffectTest, DefaultAnswersOfTheDispatcher) {
  struct Case {
    VstInt32 opcode;
    VstIntPtr expected;
  };
  const Case cases[] = {
      {effGetVstVersion, 2400}, {effGetPlugCategory, kPlugCategUnknown},
      {effKeysRequired, 1},     {effGetTailSize, 0},
      {effGetVendorVersion, 0}, {effCanBeAutomated, 1},
      {effGetProgram, 0},       {effEditGetRect, 0},
      {effEditOpen, 0},         {effBeginSetProgram, 0},
      {effIdle, 0},             {9999, 0},
      {-1, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, dispatch(e, c.opcode)) << "opcode " << c.opcode;
  }
  effect.isSynth();
  EXPECT_EQ(kPlugCategSynth, dispatch(e, effGetPlugCategory));

  char text[kVstMaxEffectNameLen] = "junk";
  EXPECT_EQ(0, dispatch(e, effGetEffectName, 0, 0, text));
  dispatch(e, effGetParamName, 0, 0, text);
  EXPECT_STREQ("", text);
  // Null buffers from a careless host are not written to.
  const VstInt32 text_ops[] = {effGetProgramName, effGetParamLabel, effGetParamDisplay, effGetParamName,
                               effGetEffectName, effGetVendorString, effCanDo, effGetChunk,
                               effGetInputProperties, effProcessEvents, effGetProgramNameIndexed};
  for (VstInt32 op : text_ops) EXPECT_EQ(0, dispatch(e, op)) << "opcode " << op;
}

TEST_F(AudioEffectTest, ProgramIndexFromHostIsChecked) {
  const VstIntPtr refused[] = {-1, 4, 1000, -2147483648LL};
  for (VstIntPtr p : refused) dispatch(e, effSetProgram, 0, p);
  EXPECT_EQ(0, effect.program_calls);
  dispatch(e, effSetProgram, 0, 3);
  EXPECT_EQ(1, effect.program_calls);
  EXPECT_EQ(3, dispatch(e, effGetProgram));
}

TEST_F(AudioEffectTest, TrampolinesReachTheEffect) {
  std::vector<float> left(4, -1.0f), right(4, -1.0f);
  float* outs[2] = {left.data(), right.data()};
  e->processReplacing(e, nullptr, outs, 4);
  EXPECT_EQ(0.75f, left[3]);
  EXPECT_EQ(0.5f, right[2]);

  e->setParameter(e, 1, 0.625f);
  EXPECT_EQ(0.625f, e->getParameter(e, 1));
  EXPECT_EQ(0.0f, e->getParameter(e, 7));

  dispatch(e, effSetSampleRate, 0, 0, nullptr, 96000.0f);
  dispatch(e, effSetBlockSize, 0, 512);
  EXPECT_EQ(96000.0f, effect.getSampleRate());
  EXPECT_EQ(512, effect.getBlockSize());

  char yes[] = "receiveVstMidiEvent";
  char no[] = "bypass";
  EXPECT_EQ(1, dispatch(e, effCanDo, 0, 0, yes));
  EXPECT_EQ(-1, dispatch(e, effCanDo, 0, 0, no));

  VstMidiEvent note{kVstMidiType, sizeof(VstMidiEvent), 5, 0, 0, 0, {char(0x90), 60, 100, 0}, 0, 0, 0, 0};
  VstEvents events{};
  events.numEvents = 1;
  events.events[0] = reinterpret_cast<VstEvent*>(&note);
  EXPECT_EQ(1, dispatch(e, effProcessEvents, 0, 0, &events));
  EXPECT_EQ(1, effect.received_events);
}

TEST_F(AudioEffectTest, ChunkOpcodesPassPresetFlagAndSize) {
  void* data = nullptr;
  EXPECT_EQ(8, dispatch(e, effGetChunk, 0, 0, &data));
  EXPECT_EQ(effect.chunk, data);
  EXPECT_EQ(2, dispatch(e, effGetChunk, 1, 0, &data));

  char bytes[5] = {};
  EXPECT_EQ(1, dispatch(e, effSetChunk, 1, 5, bytes));
  EXPECT_EQ(bytes, effect.last_chunk);
  EXPECT_EQ(5, effect.last_chunk_size);
  EXPECT_TRUE(effect.last_chunk_preset);
  EXPECT_EQ(0, dispatch(e, effSetChunk, 0, -3, bytes));  // negative size never reaches the effect
  EXPECT_EQ(5, effect.last_chunk_size);
}

TEST_F(AudioEffectTest, EditorOpcodes) {
  auto* editor = new TestEditor(&effect);
  effect.setEditor(editor);
  ERect* rect = nullptr;
  ASSERT_EQ(1, dispatch(e, effEditGetRect, 0, 0, &rect));
  ASSERT_NE(nullptr, rect);
  EXPECT_EQ(900, rect->right);
  EXPECT_EQ(446, rect->bottom);
  int parent = 0;
  EXPECT_EQ(1, dispatch(e, effEditOpen, 0, 0, &parent));
  EXPECT_TRUE(editor->isOpen());
  dispatch(e, effEditClose);
  EXPECT_FALSE(editor->isOpen());
}

TEST_F(AudioEffectTest, HostCallsCarryTheirArguments) {
  effect.setParameterAutomated(2, 0.5f);
  EXPECT_EQ(0.5f, effect.params[2]);
  ASSERT_EQ(1u, g_calls.size());
  EXPECT_EQ(audioMasterAutomate, g_calls[0].opcode);
  EXPECT_EQ(2, g_calls[0].index);
  EXPECT_EQ(0.5f, g_calls[0].opt);

  g_calls.clear();
  EXPECT_EQ(&g_time, effect.getTimeInfo(kVstTempoValid));
  EXPECT_TRUE(effect.beginEdit(7));
  EXPECT_TRUE(effect.endEdit(7));
  effect.sizeWindow(900, 446);
  ASSERT_EQ(4u, g_calls.size());
  EXPECT_EQ(kVstTempoValid, g_calls[0].value);
  EXPECT_EQ(audioMasterBeginEdit, g_calls[1].opcode);
  EXPECT_EQ(7, g_calls[2].index);
  EXPECT_EQ(audioMasterSizeWindow, g_calls[3].opcode);
  EXPECT_EQ(900, g_calls[3].index);
  EXPECT_EQ(446, g_calls[3].value);

  char vendor[kVstMaxVendorStrLen];
  EXPECT_TRUE(effect.getHostVendorString(vendor));
  EXPECT_EQ(std::string(kVstMaxVendorStrLen - 1, 'x'), vendor);
  EXPECT_STREQ("/plugins/here", static_cast<char*>(effect.getDirectory()));
  EXPECT_TRUE(effect.isInputConnected(0));
  EXPECT_FALSE(effect.isInputConnected(1));
  EXPECT_EQ(2400, effect.getMasterVersion());
}

TEST(AudioEffectNoHost, WorksWithoutACallback) {
  TestEffect effect(nullptr);
  EXPECT_EQ(1, effect.getMasterVersion());
  EXPECT_EQ(nullptr, effect.getTimeInfo(kVstTempoValid));
  EXPECT_FALSE(effect.beginEdit(0));
  char vendor[kVstMaxVendorStrLen] = "stale";
  EXPECT_FALSE(effect.getHostVendorString(vendor));
  EXPECT_STREQ("", vendor);
  effect.setParameterAutomated(0, 1.0f);
  EXPECT_EQ(1.0f, effect.params[0]);
}

TEST(AudioEffectExceptions, NeverCrossTheHostBoundary) {
  bool destroyed = false;
  auto* effect = new TestEffect(fake_host, &destroyed);
  effect->throw_all = true;
  AEffect* e = effect->getAeffect();
  float left[4] = {9, 9, 9, 9}, right[4] = {9, 9, 9, 9};
  float* outs[2] = {left, right};
  char text[] = "receiveVstMidiEvent";
  EXPECT_NO_THROW(e->processReplacing(e, nullptr, outs, 4));
  EXPECT_NO_THROW(e->setParameter(e, 0, 0.5f));
  EXPECT_EQ(0.0f, e->getParameter(e, 0));
  EXPECT_EQ(0, e->dispatcher(e, effCanDo, 0, 0, text, 0.0f));
  // Closing still deletes the effect though close() throws.
  EXPECT_EQ(1, e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f));
  EXPECT_TRUE(destroyed);
}
