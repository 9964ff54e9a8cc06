// zindle-hostcheck: what a host sees of the built plug-in, checked through
// the VST 2 interface on the platform it was built for (Linux, or Windows
// under wine), plus a fixed rendering that the other platform's output can
// be compared with.
//
//   zindle-hostcheck PLUGIN OUT.f32        checks, then writes the rendering
//   zindle-hostcheck --compare A.f32 B.f32 largest difference of two renderings

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "framework/vst2/vst2_abi.h"
#include "tools/selfcheck/check_report.h"
#include "tools/vsthost/vst_host.h"

namespace {

using selfcheck::check;

template <typename T>
void check_eq(const T& got, const T& want, const std::string& what) {
  check(got == want, what);
}

std::vector<float> render_test_sequence(vsthost::Plugin& plugin) {
  constexpr int kRate = 44100;
  constexpr int kBlock = 256;
  constexpr int kBlocks = kRate * 2 / kBlock;
  plugin.start(kRate, kBlock);
  plugin.dispatch(effSetProgram, 0, 0);
  std::vector<float> left(kBlock), right(kBlock), out;
  out.reserve(static_cast<size_t>(kBlocks * kBlock * 2));
  for (int b = 0; b < kBlocks; ++b) {
    std::vector<vsthost::MidiMessage> events;
    if (b == 0) events.push_back({17, 0x90, 60, 100});
    if (b == 40) events.push_back({100, 0x90, 67, 90});
    if (b == 150) events.push_back({3, 0xE0, 0, 96});
    if (b == 250) events.push_back({0, 0x80, 60, 64});
    if (b == 280) events.push_back({200, 0x80, 67, 64});
    if (!events.empty()) plugin.send_midi(events);
    plugin.process({}, {left.data(), right.data()}, kBlock);
    for (int i = 0; i < kBlock; ++i) {
      out.push_back(left[static_cast<size_t>(i)]);
      out.push_back(right[static_cast<size_t>(i)]);
    }
  }
  plugin.stop();
  return out;
}

int compare(const char* a_path, const char* b_path) {
  auto read = [](const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<float> v;
    float x;
    while (in.read(reinterpret_cast<char*>(&x), sizeof x)) v.push_back(x);
    return v;
  };
  const std::vector<float> a = read(a_path), b = read(b_path);
  if (a.empty() || a.size() != b.size()) {
    std::printf("renderings differ in length (%zu and %zu samples)\n0 passed, 1 failed\n", a.size(), b.size());
    return 1;
  }
  double largest = 0.0;
  size_t identical = 0;
  for (size_t i = 0; i < a.size(); ++i) {
    largest = std::max(largest, static_cast<double>(std::fabs(a[i] - b[i])));
    identical += std::memcmp(&a[i], &b[i], sizeof(float)) == 0;
  }
  std::printf("largest difference %.9g over %zu samples, %zu bit-identical\n", largest, a.size(), identical);
  // The platforms share the algorithms; only math-library rounding may differ.
  const bool ok = largest < 1e-4;
  std::printf("%d passed, %d failed\n", ok ? 1 : 0, ok ? 0 : 1);
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--compare") == 0) return compare(argv[2], argv[3]);
  if (argc != 3) {
    std::fprintf(stderr, "usage: zindle-hostcheck PLUGIN OUT.f32 | --compare A.f32 B.f32\n");
    return 2;
  }
  std::string error;
  auto plugin = vsthost::Plugin::load(argv[1], &error);
  check(plugin != nullptr, "load: " + error);
  if (!plugin) {
    return selfcheck::finish();
  }
  const AEffect* e = plugin->effect();
  check_eq<int32_t>(e->magic, kEffectMagic, "magic");
  check_eq<int32_t>(e->uniqueID, ('B' << 24) | ('R' << 16) | ('Z' << 8) | 'i', "unique ID BRZi");
  check_eq<int32_t>(e->numParams, 62, "62 parameters");
  check_eq<int32_t>(e->numPrograms, 64, "64 programs");
  check_eq<int32_t>(e->numInputs, 0, "no inputs");
  check_eq<int32_t>(e->numOutputs, 2, "two outputs");
  // Programs are plain parameter sets, so the host is not asked to keep chunks.
  check_eq<int32_t>(e->flags, effFlagsHasEditor | effFlagsCanReplacing | effFlagsIsSynth, "flags");
  check_eq<std::string>(plugin->get_string(effGetVendorString, 0, 64), "Ferrowave", "vendor");
  check_eq<std::string>(plugin->get_string(effGetProductString, 0, 64), "Brakka Zindle-BR 1.31", "product");
  check_eq<std::string>(plugin->get_string(effGetEffectName, 0, 64), "Zindle-BR", "effect name");
  check_eq<intptr_t>(plugin->dispatch(effGetVendorVersion), 0x131, "vendor version");
  check_eq<std::string>(plugin->get_string(effGetProgramNameIndexed, 0, 64), "80sBass", "program 0 name");
  check_eq<size_t>(plugin->get_chunk(false).size(), 20744u, "bank chunk size");
  check_eq<size_t>(plugin->get_chunk(true).size(), 324u, "program chunk size");
  // effCanDo answers whole strings only.
  const struct {
    const char* text;
    intptr_t answer;
  } can_do[] = {{"receiveVstMidiEvent", 1}, {"receiveVstEvents", 1}, {"sendVstMidiEvent", 1},
                {"receiveVstTimeInfo", 1}, {"receiveVstMidiEvents", 0}, {"offline", 0}, {"", 0}};
  for (const auto& c : can_do) {
    std::string text = c.text;
    check_eq<intptr_t>(plugin->dispatch(effCanDo, 0, 0, &text[0]), c.answer, std::string("canDo ") + c.text);
  }
  // Out-of-range indices are refused.
  char name[80];
  check_eq<intptr_t>(plugin->dispatch(effGetProgramNameIndexed, 64, 0, name), 0, "program name 64 refused");
  check_eq<intptr_t>(plugin->dispatch(effGetProgramNameIndexed, -1, 0, name), 0, "program name -1 refused");
  plugin->dispatch(effSetProgram, 0, 64);
  check_eq<intptr_t>(plugin->dispatch(effGetProgram), 0, "program 64 not selected");
  // Parameter values: clamped, NaN ignored, bad indices harmless.
  plugin->set_parameter(53, 7.0f);
  check_eq<float>(plugin->get_parameter(53), 1.0f, "value above 1 clamped");
  plugin->set_parameter(53, 0.25f);
  plugin->set_parameter(53, std::nanf(""));
  check_eq<float>(plugin->get_parameter(53), 0.25f, "NaN ignored");
  plugin->set_parameter(62, 0.5f);
  check_eq<float>(plugin->get_parameter(62), 0.0f, "parameter 62 reads 0");
  check_eq<intptr_t>(plugin->dispatch(effString2Parameter, 0, 0, nullptr), 1, "string2parameter probe");
  // Output pins.
  VstPinProperties pin{};
  check_eq<intptr_t>(plugin->dispatch(effGetOutputProperties, 1, 0, &pin), 1, "output pin 1");
  check_eq<std::string>(pin.label, "Output R", "output pin 1 label");
  check((pin.flags & kVstPinIsActive) != 0, "output pin active");
  // A bad chunk is refused and changes nothing.
  const std::vector<uint8_t> bank = plugin->get_chunk(false);
  check_eq<intptr_t>(plugin->set_chunk({0, 0, 0, 0, 0, 0, 1, 68, 9}, false), 0, "bad chunk refused");
  check(plugin->get_chunk(false) == bank, "refused chunk keeps the bank");
  check_eq<intptr_t>(plugin->set_chunk(bank, false), 1, "bank chunk accepted");

  const std::vector<float> rendering = render_test_sequence(*plugin);
  double peak = 0.0;
  bool finite = true;
  for (float x : rendering) {
    finite = finite && std::isfinite(x);
    peak = std::max(peak, static_cast<double>(std::fabs(x)));
  }
  check(finite && peak > 0.01, "the test sequence sounds (peak " + std::to_string(peak) + ")");
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(rendering.data()),
            static_cast<std::streamsize>(rendering.size() * sizeof(float)));
  check(static_cast<bool>(out), "write the rendering");
  return selfcheck::finish();
}
