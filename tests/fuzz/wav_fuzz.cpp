// libFuzzer target: arbitrary bytes through the WAV parser. The parser must reject or accept without
// reading outside the input; accepted sounds must be consistent with their format.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/media/wav_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WavSound wav;
  if (wav_parse(data, size, wav)) {
    const PcmFormat& f = wav.format;
    if (f.block_align <= 0 || wav.samples.empty() || wav.samples.size() % size_t(f.block_align) != 0 ||
        wav.samples.size() > size)
      std::abort();
  }
  return 0;
}
