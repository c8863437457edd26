#include "engine/media/wav_reader.h"

#include <gtest/gtest.h>

#include "media/wav_builder.h"

namespace {

using namespace wavtest;

bool parse(const std::vector<uint8_t>& bytes, WavSound& out) {
  return wav_parse(bytes.data(), bytes.size(), out);
}

TEST(WavReader, PlainMonoSixteenBit) {
  WavSound w;
  ASSERT_TRUE(parse(pcm_wav(100), w));
  EXPECT_EQ(w.format.channels, 1);
  EXPECT_EQ(w.format.sample_rate, 22050);
  EXPECT_EQ(w.format.bits, 16);
  EXPECT_EQ(w.format.block_align, 2);
  EXPECT_EQ(w.samples.size(), 2205u * 2);
  EXPECT_EQ(w.samples.front(), 0x40);
}

TEST(WavReader, EighteenByteFormatChunkLoads) {
  WavSound w;
  ASSERT_TRUE(parse(riff({fmt_chunk(18, 2, 44100, 16), data_chunk(400)}), w));
  EXPECT_EQ(w.format.channels, 2);
  EXPECT_EQ(w.format.sample_rate, 44100);
  EXPECT_EQ(w.samples.size(), 400u);
}

TEST(WavReader, OtherChunksAreSkipped) {
  WavSound w;
  ASSERT_TRUE(parse(
      riff({chunk("LIST", 26), fmt_chunk(16, 1, 11025, 8), chunk("fact", 4), data_chunk(50, 0x80)}), w));
  EXPECT_EQ(w.format.bits, 8);
  EXPECT_EQ(w.format.block_align, 1);
  EXPECT_EQ(w.samples.size(), 50u);
  EXPECT_EQ(w.samples.back(), 0x80);
}

TEST(WavReader, FormatTagIsIgnored) {
  WavSound w;
  ASSERT_TRUE(parse(riff({fmt_chunk(16, 1, 22050, 16, 3), data_chunk(8)}), w));
  EXPECT_EQ(w.format_tag, 3);
}

TEST(WavReader, TrailingPartialBlockDropped) {
  WavSound w;
  ASSERT_TRUE(parse(riff({fmt_chunk(16, 2, 22050, 16), data_chunk(10)}), w));
  EXPECT_EQ(w.samples.size(), 8u);
}

TEST(WavReader, StructuralFailures) {
  WavSound w;
  EXPECT_FALSE(parse(riff({fmt_chunk(16, 1, 22050, 16)}), w)) << "no data chunk";
  EXPECT_FALSE(parse(riff({data_chunk(100), fmt_chunk(16, 1, 22050, 16)}), w)) << "data before fmt";
  EXPECT_FALSE(parse(riff({chunk("LIST", 4), data_chunk(8)}), w)) << "no fmt chunk";
  std::vector<uint8_t> not_riff = pcm_wav(10);
  not_riff[0] = 'X';
  EXPECT_FALSE(parse(not_riff, w));
  std::vector<uint8_t> not_wave = pcm_wav(10);
  not_wave[11] = 'X';
  EXPECT_FALSE(parse(not_wave, w));
  EXPECT_FALSE(parse(std::vector<uint8_t>{'R', 'I', 'F', 'F'}, w));
  EXPECT_FALSE(wav_parse(nullptr, 0, w));
}

TEST(WavReader, UnplayableFormatsFail) {
  WavSound w;
  EXPECT_FALSE(parse(riff({fmt_chunk(16, 1, 22050, 24), data_chunk(30)}), w)) << "24 bits";
  EXPECT_FALSE(parse(riff({fmt_chunk(16, 0, 22050, 16), data_chunk(30)}), w)) << "no channels";
  EXPECT_FALSE(parse(riff({fmt_chunk(16, 1, 50, 16), data_chunk(30)}), w)) << "rate too low";
  EXPECT_FALSE(parse(riff({fmt_chunk(16, 1, 22050, 16), data_chunk(0)}), w)) << "no samples";
  EXPECT_FALSE(parse(riff({fmt_chunk(16, 6, 22050, 16), data_chunk(120)}), w)) << "six channels";
}

TEST(WavReaderSizes, ShortFormatChunkFails) {
  WavSound w;
  EXPECT_FALSE(parse(riff({fmt_chunk(14, 1, 22050, 16), data_chunk(100)}), w));
  EXPECT_FALSE(parse(riff({fmt_chunk(0, 1, 22050, 16), data_chunk(100)}), w));
}

TEST(WavReaderSizes, ChunkRunningPastTheEndFails) {
  WavSound w;
  std::vector<uint8_t> bytes = riff({fmt_chunk(16, 1, 22050, 16), data_chunk(100)});
  bytes.resize(bytes.size() - 1);  // data announces one byte more than there is
  EXPECT_FALSE(parse(bytes, w));
  std::vector<uint8_t> fmt_cut = riff({fmt_chunk(16, 1, 22050, 16)});
  fmt_cut.resize(fmt_cut.size() - 6);  // fmt itself is cut short
  EXPECT_FALSE(parse(fmt_cut, w));
}

TEST(WavReaderSizes, HugeSizesFailWithoutWrapping) {
  WavSound w;
  Bytes huge_skip;
  huge_skip.id("junk").u32(0xFFFFFFFFu);
  EXPECT_FALSE(parse(riff({huge_skip, fmt_chunk(16, 1, 22050, 16), data_chunk(8)}), w));
  Bytes huge_fmt;
  huge_fmt.id("fmt ").u32(0xFFFFFFF8u).u16(1).u16(1).u32(22050).u32(44100).u16(2).u16(16);
  EXPECT_FALSE(parse(riff({huge_fmt, data_chunk(8)}), w));
  Bytes huge_data;
  huge_data.id("data").u32(0xFFFFFFFFu).fill(16);
  EXPECT_FALSE(parse(riff({fmt_chunk(16, 1, 22050, 16), huge_data}), w));
}

TEST(WavReaderFiles, ReadsFromDisk) {
  TempFile f("reader.wav", pcm_wav(50, 2, 22050, 8));
  WavSound w;
  ASSERT_TRUE(wav_read(f.c_str(), w));
  EXPECT_EQ(w.format.channels, 2);
  EXPECT_EQ(w.samples.size(), 1102u * 2);
  EXPECT_FALSE(wav_read("/nonexistent/brakka.wav", w));
  EXPECT_FALSE(wav_read("", w));
}

}  // namespace
