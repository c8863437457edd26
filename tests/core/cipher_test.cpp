#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/core/blowfish.h"
#include "engine/core/pi_digits.h"
#include "engine/core/str.h"

namespace {

std::string text(const Str& s) { return std::string(s.data, s.length); }

Str bytes_str(const std::vector<uint8_t>& bytes) {
  Str s;
  for (uint8_t b : bytes) str_append_char(s, b);
  return s;
}

std::vector<uint8_t> from_hex(const std::string& hex) {
  std::vector<uint8_t> out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    out.push_back(static_cast<uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
  return out;
}

uint32_t be_word(const std::vector<uint8_t>& b, size_t at) {
  return uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | b[at + 3];
}

// The same 64-bit block written with little-endian halves, as lower-case hex.
std::string le_block_hex(uint32_t left, uint32_t right) {
  char out[17];
  auto swap = [](uint32_t v) { return (v >> 24) | ((v >> 8) & 0xFF00) | ((v << 8) & 0xFF0000) | (v << 24); };
  std::snprintf(out, sizeof out, "%08x%08x", swap(left), swap(right));
  return out;
}

// Published Blowfish vectors: key, plain text and cipher text as big-endian hex.
struct Vector {
  const char* key;
  const char* plain;
  const char* cipher;
};
const Vector kVectors[] = {
    {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
    {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A"},
    {"3000000000000000", "1000000000000001", "7D856F9A613063F2"},
    {"1111111111111111", "1111111111111111", "2466DD878B963C9D"},
    {"0123456789ABCDEF", "1111111111111111", "61F9C3802281B096"},
    {"1111111111111111", "0123456789ABCDEF", "7D0CC630AFDA1EC7"},
    {"FEDCBA9876543210", "0123456789ABCDEF", "0ACEAB0FC6A0A28D"},
    {"7CA110454A1A6E57", "01A1D6D039776742", "59C68245EB05282B"},
    // Keys of other lengths, plain text FEDCBA9876543210.
    {"F0", "FEDCBA9876543210", "F9AD597C49DB005E"},
    {"F0E1D2C3B4A5968778695A4B3C2D1E0F0011223344556677", "FEDCBA9876543210", "05044B62FA52D080"},
};

// BBP digit extraction in double precision: an independent way to the hex digits of pi.
double bbp_series(int j, int n) {
  double s = 0;
  for (int k = 0; k <= n; ++k) {
    uint64_t denom = 8u * k + j, result = 1, base = 16 % denom;
    for (int e = n - k; e > 0; e >>= 1) {
      if (e & 1) result = result * base % denom;
      base = base * base % denom;
    }
    s += double(result) / double(denom);
    s -= std::floor(s);
  }
  for (int k = n + 1; k <= n + 20; ++k) s += std::pow(16.0, n - k) / (8.0 * k + j);
  return s - std::floor(s);
}

std::string bbp_hex_digits(int position, int count) {
  double x = 4 * bbp_series(1, position) - 2 * bbp_series(4, position) - bbp_series(5, position) -
             bbp_series(6, position);
  x -= std::floor(x);
  std::string out;
  for (int i = 0; i < count; ++i) {
    x *= 16;
    int d = static_cast<int>(x);
    out += "0123456789ABCDEF"[d];
    x -= d;
  }
  return out;
}

}  // namespace

// ---- the pi tables ----

TEST(PiTables, AgreeWithDigitExtractionAcrossTheTable) {
  const int words = 18 + 4 * 256;
  std::vector<uint32_t> pi = pi_fraction_words(words);
  ASSERT_EQ(pi.size(), size_t(words));
  std::string all;
  for (uint32_t w : pi) {
    char buf[9];
    std::snprintf(buf, sizeof buf, "%08X", w);
    all += buf;
  }
  for (int position : {0, 137, 144, 2050, 5000, 8 * words - 8, 8 * words - 6})
    EXPECT_EQ(all.substr(position, 6), bbp_hex_digits(position, 6)) << "at hex digit " << position;
}

TEST(PiTables, StartWithThePublishedValues) {
  const Blowfish& t = blowfish_pi_tables();
  EXPECT_EQ(t.p[0], 0x243F6A88u);
  EXPECT_EQ(t.p[1], 0x85A308D3u);
  EXPECT_EQ(t.p[17], 0x8979FB1Bu);
  EXPECT_EQ(t.s[0][0], 0xD1310BA6u);
  EXPECT_EQ(t.s[3][255], 0x3AC372E6u);
}

// ---- the block cipher ----

TEST(Blowfish, PublishedVectors) {
  for (const Vector& v : kVectors) {
    std::vector<uint8_t> key = from_hex(v.key), plain = from_hex(v.plain), cipher = from_hex(v.cipher);
    Blowfish bf;
    blowfish_init(bf, key.data(), key.size());
    uint32_t left = be_word(plain, 0), right = be_word(plain, 4);
    blowfish_encrypt(bf, left, right);
    EXPECT_EQ(left, be_word(cipher, 0)) << "key " << v.key;
    EXPECT_EQ(right, be_word(cipher, 4)) << "key " << v.key;
    blowfish_decrypt(bf, left, right);
    EXPECT_EQ(left, be_word(plain, 0)) << "key " << v.key;
    EXPECT_EQ(right, be_word(plain, 4)) << "key " << v.key;
  }
}

TEST(Blowfish, KeyBytesRepeatCyclically) {
  // A key and the same key repeated up to 72 bytes fill the P-array identically.
  const uint8_t short_key[3] = {0x10, 0x20, 0x30};
  uint8_t long_key[72];
  for (int i = 0; i < 72; ++i) long_key[i] = short_key[i % 3];
  Blowfish a, b;
  blowfish_init(a, short_key, 3);
  blowfish_init(b, long_key, 72);
  uint32_t l1 = 1, r1 = 2, l2 = 1, r2 = 2;
  blowfish_encrypt(a, l1, r1);
  blowfish_encrypt(b, l2, r2);
  EXPECT_EQ(l1, l2);
  EXPECT_EQ(r1, r2);
}

// ---- the text cipher ----

TEST(TextCipher, BlocksUseLittleEndianHalves) {
  for (const Vector& v : kVectors) {
    std::vector<uint8_t> key = from_hex(v.key), plain = from_hex(v.plain), cipher = from_hex(v.cipher);
    // Plain bytes laid out so that their little-endian halves equal the vector's halves.
    std::vector<uint8_t> le(8);
    for (int i = 0; i < 4; ++i) {
      le[i] = plain[3 - i];
      le[4 + i] = plain[7 - i];
    }
    Str k = bytes_str(key), t = bytes_str(le), out;
    str_encrypt(out, k, t);
    EXPECT_EQ(text(out), le_block_hex(be_word(cipher, 0), be_word(cipher, 4))) << "key " << v.key;
  }
}

TEST(TextCipher, EmptyTextGivesEmptyHex) {
  Str out("stale"), key("key"), empty;
  str_encrypt(out, key, empty);
  EXPECT_EQ(out.length, 0u);
  Str hex, plain("stale");
  str_decrypt(plain, key, hex);
  EXPECT_EQ(plain.length, 0u);
}

TEST(TextCipher, LengthsPadToWholeBlocks) {
  Str key("Brakka");
  struct Case {
    const char* text;
    uint32_t hex_length;
  } cases[] = {{"a", 16},         {"abcdefg", 16},          {"abcdefgh", 16},
               {"abcdefghi", 32}, {"0123456789abcdef", 32}, {"0123456789abcdefX", 48}};
  for (auto c : cases) {
    Str out;
    str_encrypt(out, key, Str(c.text));
    EXPECT_EQ(out.length, c.hex_length) << c.text;
    for (uint32_t i = 0; i < out.length; ++i)
      EXPECT_TRUE(std::isxdigit(out.data[i]) && !std::isupper(out.data[i]));
  }
}

TEST(TextCipher, RoundTrips) {
  Str key("high ratings");
  for (const char* plain :
       {"x", "8 bytes!", "nine byte", "A much longer line: 1234.5 \xE9\xFF", "\x01\x7F\x80"}) {
    Str hex, back;
    str_encrypt(hex, key, Str(plain));
    str_decrypt(back, key, hex);
    EXPECT_EQ(text(back), plain);
  }
}

TEST(TextCipher, DecryptLowerCasesTheCallersHex) {
  Str key("k"), hex, back;
  str_encrypt(hex, key, Str("Round 7"));
  std::string lower = text(hex);
  str_upper(hex);
  ASSERT_NE(text(hex), lower);
  str_decrypt(back, key, hex);
  EXPECT_EQ(text(back), "Round 7");
  EXPECT_EQ(text(hex), lower);
}

TEST(TextCipher, DecryptStopsAtTheFirstZeroByte) {
  Str key("key"), hex, back;
  Str plain = bytes_str({'a', 'b', 0, 'c', 'd', 'e', 'f', 'g', 'h', 'i'});
  str_encrypt(hex, key, plain);
  EXPECT_EQ(hex.length, 32u);
  str_decrypt(back, key, hex);
  EXPECT_EQ(text(back), "ab");
}

TEST(TextCipher, SameBlockSameCipherTextEcb) {
  Str key("ecb"), hex;
  str_encrypt(hex, key, Str("samesamesamesame"));
  EXPECT_EQ(text(hex).substr(0, 16), text(hex).substr(16, 16));
}

TEST(TextCipher, WrongKeyOrDamagedHexGivesOtherTextWithoutFailing) {
  Str hex, back;
  str_encrypt(hex, Str("right"), Str("secret text"));
  str_decrypt(back, Str("wrong"), hex);
  EXPECT_NE(text(back), "secret text");
  Str odd("0123456789abcdefXYZ!+");  // not whole blocks, not hex
  str_decrypt(back, Str("right"), odd);
  EXPECT_LE(back.length, 10u);
  EXPECT_EQ(text(odd), "0123456789abcdefxyz!+");
}
