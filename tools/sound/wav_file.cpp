#include "wav_file.h"

#include "file_bytes.h"

namespace snd {

namespace {

void put_tag(std::vector<uint8_t>& out, const char* tag) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

void put_u16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v & 0xff));
  out.push_back(static_cast<uint8_t>((v >> 8) & 0xff));
}

void put_u32(std::vector<uint8_t>& out, uint32_t v) {
  put_u16(out, v & 0xffff);
  put_u16(out, v >> 16);
}

}  // namespace

std::vector<uint8_t> wav_bytes(const std::vector<int16_t>& pcm, int channels, int rate) {
  const uint32_t data_size = static_cast<uint32_t>(pcm.size() * 2);
  const uint32_t block_align = static_cast<uint32_t>(channels) * 2;
  std::vector<uint8_t> out;
  out.reserve(44 + data_size);
  put_tag(out, "RIFF");
  put_u32(out, 36 + data_size);
  put_tag(out, "WAVE");
  put_tag(out, "fmt ");
  put_u32(out, 16);
  put_u16(out, 1);  // PCM
  put_u16(out, static_cast<uint32_t>(channels));
  put_u32(out, static_cast<uint32_t>(rate));
  put_u32(out, static_cast<uint32_t>(rate) * block_align);
  put_u16(out, block_align);
  put_u16(out, 16);
  put_tag(out, "data");
  put_u32(out, data_size);
  for (int16_t s : pcm) put_u16(out, static_cast<uint16_t>(s));
  return out;
}

bool write_wav(const std::string& path, const Audio& audio, std::string& error) {
  std::vector<int16_t> pcm;
  if (!to_pcm16(audio, pcm)) {
    error = path + ": a sample lies above -1 dBFS";
    return false;
  }
  return write_file_bytes(path, wav_bytes(pcm, audio.channels, audio.rate), error);
}

}  // namespace snd
