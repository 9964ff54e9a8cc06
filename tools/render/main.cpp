// zindle-render: plays a note sequence through the synthesizer and writes
// a WAV file.

#include <cmath>
#include <cstdio>
#include <exception>
#include <vector>

#include "synth/dsp/zindle_dsp.h"
#include "tools/render/note_sequence.h"
#include "tools/render/render_options.h"
#include "tools/render/wav_writer.h"

using namespace zindle_render;

namespace {

void send(ZindleDsp& dsp, const TimedMessage& m, long offset) {
  const int ch = m.status & 0x0F;
  const int kind = m.status >> 4;
  dsp.set_time_stamp(offset);
  if (kind == 0x9 && m.data2 > 0) {
    dsp.note_on(ch, m.data1, static_cast<float>(m.data1), 0.0f, m.data2 / 64.0f, 1);
  } else if (kind == 0x8 || kind == 0x9) {
    dsp.note_off(ch, m.data1, m.data2 / 64.0f);
  } else {
    dsp.channel_message(ch, kind, m.data1, m.data2);
  }
}

}  // namespace

int main(int argc, char** argv) {
  RenderOptions options;
  const std::string error = parse_options(argc, argv, options);
  if (!error.empty()) {
    std::fprintf(stderr, "zindle-render: %s\n%s", error.c_str(), usage_text());
    return 2;
  }
  if (!options.demo) {
    std::fprintf(stderr, "zindle-render: MIDI files are not supported by this build; use --demo\n");
    return 2;
  }
  try {
    const NoteSequence sequence = demo_sequence();
    const double seconds = options.length_seconds > 0.0
                               ? options.length_seconds
                               : sequence_length(sequence) + options.tail_seconds;
    const long total = std::lround(seconds * options.sample_rate);

    ZindleDsp dsp;
    dsp.init();
    dsp.start();
    dsp.set_sample_rate(static_cast<float>(options.sample_rate));

    std::vector<float> left(static_cast<size_t>(total)), right(static_cast<size_t>(total));
    size_t next = 0;
    for (long pos = 0; pos < total; pos += options.block_size) {
      const int n = static_cast<int>(std::min<long>(options.block_size, total - pos));
      while (next < sequence.size()) {
        const long at = std::lround(sequence[next].seconds * options.sample_rate);
        if (at >= pos + n) break;
        send(dsp, sequence[next], std::max(0L, at - pos));
        ++next;
      }
      float* outs[2] = {left.data() + pos, right.data() + pos};
      dsp.process_replacing(outs, nullptr, n, nullptr);
    }
    dsp.stop();

    const std::string write_error = write_wav(options.output, left, right, options.sample_rate, options.format);
    if (!write_error.empty()) {
      std::fprintf(stderr, "zindle-render: %s\n", write_error.c_str());
      return 1;
    }
    std::printf("zindle-render: wrote %.2f s to %s\n", seconds, options.output.c_str());
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zindle-render: %s\n", e.what());
    return 1;
  }
}
