#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <vector>

#include "engine/core/random.h"

namespace {

std::vector<uint32_t> draws(uint32_t seed, int count) {
  rnd_seed(seed);
  std::vector<uint32_t> out;
  for (int i = 0; i < count; ++i) out.push_back(rnd_next());
  return out;
}

}  // namespace

TEST(RandomSeed, SameSeedSameSequence) {
  for (uint32_t seed : {0u, 1u, 537u, 0xFFFFFFFFu}) {
    std::vector<uint32_t> first = draws(seed, 50);
    rnd_next();  // disturb the state between the runs
    EXPECT_EQ(draws(seed, 50), first) << "seed " << seed;
  }
}

TEST(RandomSeed, DifferentSeedsGiveDifferentSequences) {
  std::set<std::vector<uint32_t>> sequences;
  for (uint32_t seed = 0; seed < 64; ++seed) sequences.insert(draws(seed, 4));
  EXPECT_EQ(sequences.size(), 64u);
  // Neighbouring small seeds (start-up times a millisecond apart) must not share first draws.
  std::set<uint32_t> first_draws;
  for (uint32_t seed = 0; seed < 1000; ++seed) first_draws.insert(draws(seed, 1)[0]);
  EXPECT_GT(first_draws.size(), 990u);
}

TEST(RandomSeed, ReseedingRestartsTheSequence) {
  rnd_seed(42);
  uint32_t a = rnd_next();
  for (int i = 0; i < 10; ++i) rnd_next();
  rnd_seed(42);
  EXPECT_EQ(rnd_next(), a);
}

TEST(RandomDraw, ConsecutiveWordsVary) {
  std::vector<uint32_t> seq = draws(7, 1000);
  std::set<uint32_t> distinct(seq.begin(), seq.end());
  EXPECT_GT(distinct.size(), 995u);
  // Every bit position takes both values.
  uint32_t ones = 0, zeros = 0;
  for (uint32_t v : seq) {
    ones |= v;
    zeros |= ~v;
  }
  EXPECT_EQ(ones, 0xFFFFFFFFu);
  EXPECT_EQ(zeros, 0xFFFFFFFFu);
}

TEST(RandomDraw, WorksWithoutSeeding) {
  uint32_t a = rnd_next(), b = rnd_next();
  EXPECT_NE(a, b);
}

TEST(RandomRange, BelowOneGivesZeroWithoutADraw) {
  rnd_seed(99);
  uint32_t expected_first = rnd_next();
  uint32_t expected_second = rnd_next();
  rnd_seed(99);
  EXPECT_EQ(rnd_int(0), 0);
  EXPECT_EQ(rnd_int(-5), 0);
  EXPECT_EQ(rnd_int(-2147483647 - 1), 0);
  EXPECT_EQ(rnd_next(), expected_first);
  EXPECT_EQ(rnd_int(0), 0);
  EXPECT_EQ(rnd_next(), expected_second);
}

TEST(RandomRange, DrawIsTheWordModuloTheRangeSize) {
  rnd_seed(5);
  std::vector<uint32_t> words;
  for (int i = 0; i < 100; ++i) words.push_back(rnd_next());
  rnd_seed(5);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(uint32_t(rnd_int(779)), words[i] % 780u);
}

TEST(RandomRange, ZeroOrOneHitsBoth) {
  rnd_seed(3);
  int counts[2] = {0, 0};
  for (int i = 0; i < 1000; ++i) {
    int v = rnd_int(1);
    ASSERT_TRUE(v == 0 || v == 1) << v;
    ++counts[v];
  }
  EXPECT_GT(counts[0], 400);
  EXPECT_GT(counts[1], 400);
}

TEST(RandomRange, WideRangeStaysInsideAndCoversIt) {
  rnd_seed(1234);
  std::set<int> seen;
  for (int i = 0; i < 10000; ++i) {
    int v = rnd_int(779);
    ASSERT_GE(v, 0);
    ASSERT_LE(v, 779);
    seen.insert(v);
  }
  EXPECT_GT(seen.size(), 770u);
  EXPECT_TRUE(seen.count(0) && seen.count(779));
}

TEST(RandomRange, LargestRangeDoesNotOverflow) {
  rnd_seed(8);
  for (int i = 0; i < 1000; ++i) EXPECT_GE(rnd_int(2147483647), 0);
}

// The generator pinned to values worked out by hand from its written description (seeding passes,
// mixing step, generation round) in a separate reference program, so a fault in seeding or stepping
// that still looks random is caught.
TEST(RandomDraw, PinnedSequences) {
  struct Case {
    uint32_t seed;
    std::vector<uint32_t> first;
  };
  const Case cases[] = {
      {0u, {0x20162279u, 0x6ec54a6du, 0x44874743u, 0x002ee75au, 0x35421120u}},
      {1u, {0x1710c0ddu, 0x46a865b4u, 0x5c37e726u, 0x77e269e4u, 0xb51bf946u}},
      {537u, {0x5805a39bu, 0x5426f42fu, 0x9090790fu, 0x320e40abu, 0x8a2d7853u}},
      {0xFFFFFFFFu, {0x922ad97cu, 0x75dc01acu, 0x3912e39cu, 0x5d80eb1fu, 0x8bfe2798u}},
  };
  for (const Case& c : cases) EXPECT_EQ(draws(c.seed, 5), c.first) << "seed " << c.seed;

  // Range draws after seed 42; n < 1 neither draws nor moves the sequence on.
  rnd_seed(42);
  const int ranges[] = {11, 1, 11, 1, 7, 7, 779, 599, 2, 15000000, 0, -5, 3};
  const int expected[] = {7, 0, 3, 0, 6, 5, 438, 284, 0, 12731956, 0, 0, 2};
  for (size_t i = 0; i < std::size(ranges); ++i) EXPECT_EQ(rnd_int(ranges[i]), expected[i]) << "draw " << i;
}
