// The music file: an MP3 whose first frame carries the LAME/Info tag, so that its exact
// length is known, at least thirty seconds of an original loop that joins its own start.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "media/media_tool_helpers.h"

using media_tools::read_bytes;
using media_tools::run_tool;
using media_tools::ScratchDir;

namespace {

uint32_t be32(const std::vector<uint8_t>& b, std::size_t at) {
  return (static_cast<uint32_t>(b[at]) << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
}

// MPEG-1 Layer III frame header fields.
struct FrameHeader {
  bool valid = false;
  int bitrate_kbps = 0;
  int rate = 0;
  bool padded = false;
  bool mono = false;
  std::size_t size() const { return valid ? 144 * bitrate_kbps * 1000 / rate + (padded ? 1 : 0) : 0; }
};

FrameHeader read_header(const std::vector<uint8_t>& b, std::size_t at) {
  static const int kBitrates[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
  static const int kRates[4] = {44100, 48000, 32000, 0};
  FrameHeader h;
  if (at + 4 > b.size()) return h;
  const uint32_t w = be32(b, at);
  const bool sync = (w >> 21) == 0x7ff;
  const bool mpeg1 = ((w >> 19) & 3) == 3;
  const bool layer3 = ((w >> 17) & 3) == 1;
  h.bitrate_kbps = kBitrates[(w >> 12) & 15];
  h.rate = kRates[(w >> 10) & 3];
  h.padded = (w >> 9) & 1;
  h.mono = ((w >> 6) & 3) == 3;
  h.valid = sync && mpeg1 && layer3 && h.bitrate_kbps > 0 && h.rate > 0;
  return h;
}

struct InfoTag {
  std::string id;  // "Info" or "Xing"
  uint32_t flags = 0;
  uint32_t frames = 0;
  std::string encoder;  // first bytes of the LAME extension
  int delay = 0, padding = 0;
};

InfoTag read_info_tag(const std::vector<uint8_t>& b, const FrameHeader& h) {
  InfoTag tag;
  std::size_t at = 4 + (h.mono ? 17 : 32);
  if (at + 8 > b.size()) return tag;
  tag.id.assign(b.begin() + at, b.begin() + at + 4);
  tag.flags = be32(b, at + 4);
  at += 8;
  if (tag.flags & 1) tag.frames = be32(b, at), at += 4;
  if (tag.flags & 2) at += 4;    // byte count
  if (tag.flags & 4) at += 100;  // seek table
  if (tag.flags & 8) at += 4;    // quality
  if (at + 24 > b.size()) return tag;
  tag.encoder.assign(b.begin() + at, b.begin() + at + 4);
  const std::size_t d = at + 21;
  tag.delay = (b[d] << 4) | (b[d + 1] >> 4);
  tag.padding = ((b[d + 1] & 15) << 8) | b[d + 2];
  return tag;
}

class MusicFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir_.path().empty());
    ASSERT_EQ(run_tool("brakka_sound", {dir_.path(), "--music-wav", dir_.file("loop.wav")}), 0);
    mp3_ = read_bytes(dir_.file("brakka.mp3"));
    ASSERT_GT(mp3_.size(), 4u);
    header_ = read_header(mp3_, 0);
    ASSERT_TRUE(header_.valid) << "the file does not start with an MPEG-1 Layer III frame";
    tag_ = read_info_tag(mp3_, header_);
  }

  ScratchDir dir_;
  std::vector<uint8_t> mp3_;
  FrameHeader header_;
  InfoTag tag_;
};

}  // namespace

TEST_F(MusicFile, FirstFrameCarriesTheLameInfoTag) {
  EXPECT_TRUE(tag_.id == "Info" || tag_.id == "Xing") << tag_.id;
  EXPECT_TRUE(tag_.flags & 1) << "no frame count";
  EXPECT_EQ(tag_.encoder, "LAME");
  EXPECT_GT(tag_.delay, 0);
}

TEST_F(MusicFile, TagCountsEveryAudioFrameOfTheStream) {
  std::size_t at = 0, frames = 0;
  while (at < mp3_.size()) {
    const FrameHeader h = read_header(mp3_, at);
    ASSERT_TRUE(h.valid) << "no frame header at byte " << at;
    at += h.size();
    ++frames;
  }
  EXPECT_EQ(at, mp3_.size()) << "the last frame is cut short";
  EXPECT_EQ(frames, tag_.frames + 1u);  // the tag frame itself holds no audio
}

TEST_F(MusicFile, ExactLengthIsTheWholeLoopAndAtLeastThirtySeconds) {
  const long samples = static_cast<long>(tag_.frames) * 1152 - tag_.delay - tag_.padding;
  EXPECT_GE(samples, 30L * header_.rate);
  const media_tools::Wav loop = media_tools::parse_wav(read_bytes(dir_.file("loop.wav")));
  ASSERT_EQ(loop.problem, "");
  EXPECT_EQ(static_cast<long>(loop.frames()), samples);
  EXPECT_EQ(static_cast<int>(loop.rate), header_.rate);
}

TEST_F(MusicFile, LoopEndRunsSmoothlyIntoItsStart) {
  const media_tools::Wav loop = media_tools::parse_wav(read_bytes(dir_.file("loop.wav")));
  ASSERT_EQ(loop.problem, "");
  ASSERT_EQ(loop.channels, 2);
  for (int c = 0; c < loop.channels; ++c) {
    SCOPED_TRACE(c);
    const media_tools::SeamMeasure m = media_tools::loop_seam(loop.channel(c));
    EXPECT_LE(m.seam, m.typical);
  }
}

TEST_F(MusicFile, FirstPlayStartsWithoutAStep) {
  const media_tools::Wav loop = media_tools::parse_wav(read_bytes(dir_.file("loop.wav")));
  ASSERT_EQ(loop.problem, "");
  ASSERT_FALSE(loop.samples.empty());
  for (int c = 0; c < loop.channels; ++c)
    EXPECT_LE(std::abs(static_cast<int>(loop.samples[c])), 328);  // 1 % of full scale
}

TEST_F(MusicFile, LoopLeavesHeadroomForTheEncoder) {
  const media_tools::Wav loop = media_tools::parse_wav(read_bytes(dir_.file("loop.wav")));
  int p = 0;
  for (int16_t s : loop.samples) p = std::max(p, std::abs(static_cast<int>(s)));
  EXPECT_LE(p, media_tools::max_sample_at_minus_one_dbfs());
  EXPECT_GT(p, 32767 / 4);
}
