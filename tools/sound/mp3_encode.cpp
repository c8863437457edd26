#include "mp3_encode.h"

#include <lame/lame.h>

#include <algorithm>
#include <memory>

namespace snd {

namespace {

struct LameCloser {
  void operator()(lame_global_flags* gf) const { lame_close(gf); }
};

}  // namespace

bool encode_mp3(const Audio& audio, const Mp3Settings& settings, std::vector<uint8_t>& out,
                std::string& error) {
  out.clear();
  if (audio.channels != 1 && audio.channels != 2) {
    error = "mp3: only mono or stereo audio can be encoded";
    return false;
  }
  std::vector<int16_t> pcm;
  if (!to_pcm16(audio, pcm)) {
    error = "mp3: a sample lies above -1 dBFS";
    return false;
  }

  std::unique_ptr<lame_global_flags, LameCloser> gf(lame_init());
  if (!gf) {
    error = "mp3: the encoder could not start";
    return false;
  }
  lame_set_num_channels(gf.get(), audio.channels);
  lame_set_in_samplerate(gf.get(), audio.rate);
  lame_set_out_samplerate(gf.get(), audio.rate);
  lame_set_mode(gf.get(), audio.channels == 2 ? JOINT_STEREO : MONO);
  lame_set_brate(gf.get(), settings.bitrate_kbps);
  lame_set_VBR(gf.get(), vbr_off);
  lame_set_quality(gf.get(), settings.quality);
  lame_set_bWriteVbrTag(gf.get(), 1);
  lame_set_write_id3tag_automatic(gf.get(), 0);
  if (lame_init_params(gf.get()) < 0) {
    error = "mp3: the encoder rejected its settings";
    return false;
  }

  const int frames_per_call = 8192;
  std::vector<unsigned char> chunk(static_cast<std::size_t>(1.25 * frames_per_call + 7200));
  const std::size_t frames = audio.frames();
  for (std::size_t at = 0; at < frames; at += frames_per_call) {
    const int n = static_cast<int>(std::min<std::size_t>(frames_per_call, frames - at));
    int written;
    if (audio.channels == 2)
      written = lame_encode_buffer_interleaved(gf.get(), pcm.data() + 2 * at, n, chunk.data(),
                                               static_cast<int>(chunk.size()));
    else
      written = lame_encode_buffer(gf.get(), pcm.data() + at, nullptr, n, chunk.data(),
                                   static_cast<int>(chunk.size()));
    if (written < 0) {
      error = "mp3: encoding failed (" + std::to_string(written) + ")";
      return false;
    }
    out.insert(out.end(), chunk.begin(), chunk.begin() + written);
  }
  const int flushed = lame_encode_flush(gf.get(), chunk.data(), static_cast<int>(chunk.size()));
  if (flushed < 0) {
    error = "mp3: flushing the encoder failed";
    return false;
  }
  out.insert(out.end(), chunk.begin(), chunk.begin() + flushed);

  // The encoder left an empty first frame for the tag; fill it in now that the totals are known.
  std::vector<unsigned char> tag(4096);
  const std::size_t tag_size = lame_get_lametag_frame(gf.get(), tag.data(), tag.size());
  if (tag_size == 0 || tag_size > tag.size() || tag_size > out.size()) {
    error = "mp3: the encoder gave no LAME/Info tag";
    return false;
  }
  std::copy(tag.begin(), tag.begin() + tag_size, out.begin());
  return true;
}

}  // namespace snd
