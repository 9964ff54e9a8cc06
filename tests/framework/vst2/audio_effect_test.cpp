// What the base classes guard against on their own, whatever the effect.
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>

#include "framework/vst2/audio_effect_x.h"

namespace {

VstIntPtr VSTCALLBACK fake_host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void* ptr, float) {
  if (opcode != audioMasterGetVendorString) return opcode == audioMasterVersion ? 2400 : 0;
  std::memset(ptr, 'x', kVstMaxVendorStrLen);  // unterminated
  return 1;
}

struct TestEffect : AudioEffectX {
  explicit TestEffect(audioMasterCallback host, bool* destroyed = nullptr)
      : AudioEffectX(host, 4, 3), destroyed(destroyed) {}
  ~TestEffect() override {
    if (destroyed) *destroyed = true;
  }
  void processReplacing(float**, float**, VstInt32) override { throw std::runtime_error("process"); }
  void setParameter(VstInt32, float v) override {
    if (throw_all) throw std::runtime_error("set");
    param = v;
  }
  float getParameter(VstInt32) override { throw std::runtime_error("get"); }
  void setProgram(VstInt32 p) override {
    ++program_calls;
    AudioEffectX::setProgram(p);
  }
  void close() override { throw std::runtime_error("close"); }
  VstInt32 canDo(char*) override { throw std::runtime_error("canDo"); }
  VstInt32 setChunk(void*, VstInt32 size, bool) override {
    last_chunk_size = size;
    return 1;
  }

  bool* destroyed;
  bool throw_all = false;
  float param = 0.0f;
  int program_calls = 0;
  VstInt32 last_chunk_size = 0;
};

VstIntPtr dispatch(AEffect* e, VstInt32 op, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr) {
  return e->dispatcher(e, op, index, value, ptr, 0.0f);
}

}  // namespace

TEST(AudioEffect, BadArgumentsFromTheHostAreRefused) {
  TestEffect effect(fake_host);
  AEffect* e = effect.getAeffect();
  for (VstIntPtr p : {VstIntPtr{-1}, VstIntPtr{4}, VstIntPtr{-2147483647 - 1}}) dispatch(e, effSetProgram, 0, p);
  EXPECT_EQ(0, effect.program_calls);
  dispatch(e, effSetProgram, 0, 3);
  EXPECT_EQ(3, dispatch(e, effGetProgram));

  char bytes[5] = {};
  EXPECT_EQ(1, dispatch(e, effSetChunk, 1, 5, bytes));
  EXPECT_EQ(0, dispatch(e, effSetChunk, 0, -3, bytes));  // negative size never reaches the effect
  EXPECT_EQ(5, effect.last_chunk_size);
  EXPECT_EQ(0, dispatch(e, 9999));
  EXPECT_EQ(0, dispatch(e, -1));
  // Null buffers from a careless host are not written to.
  for (VstInt32 op : {effGetProgramName, effGetParamLabel, effGetParamDisplay, effGetParamName, effGetEffectName,
                      effGetVendorString, effCanDo, effGetChunk, effGetInputProperties, effProcessEvents,
                      effGetProgramNameIndexed, effEditGetRect})
    EXPECT_EQ(0, dispatch(e, op)) << "opcode " << op;

  char vendor[kVstMaxVendorStrLen];
  EXPECT_TRUE(effect.getHostVendorString(vendor));
  EXPECT_EQ(std::string(kVstMaxVendorStrLen - 1, 'x'), vendor);
}

TEST(AudioEffect, ExceptionsNeverCrossTheHostBoundary) {
  bool destroyed = false;
  auto* effect = new TestEffect(fake_host, &destroyed);
  effect->throw_all = true;
  AEffect* e = effect->getAeffect();
  float left[4] = {}, right[4] = {};
  float* outs[2] = {left, right};
  char text[] = "receiveVstMidiEvent";
  EXPECT_NO_THROW(e->processReplacing(e, nullptr, outs, 4));
  EXPECT_NO_THROW(e->setParameter(e, 0, 0.5f));
  EXPECT_EQ(0.0f, e->getParameter(e, 0));
  EXPECT_EQ(0, dispatch(e, effCanDo, 0, 0, text));
  // Closing still deletes the effect though close() throws.
  EXPECT_EQ(1, dispatch(e, effClose));
  EXPECT_TRUE(destroyed);
}
