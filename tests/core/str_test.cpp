#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/core/str.h"

namespace {

std::string text(const Str& s) { return std::string(s.data, s.length); }

Str number_text(double v) {
  Str out;
  str_from_num(out, v);
  return out;
}

Str mid(const char* s, int start, int count) {
  Str src(s), out;
  str_mid(out, src, start, count);
  return out;
}

Str fixed(double width, double decimals, double value) {
  Str out;
  str_format_num(out, width, decimals, value);
  return out;
}

}  // namespace

// ---- storage and growth ----

TEST(StrStorage, EmptyValuesShareOneNeverFreedText) {
  Str a, b, c("");
  EXPECT_TRUE(str_is_shared_empty(a));
  EXPECT_EQ(a.data, b.data);
  EXPECT_EQ(a.data, c.data);
  EXPECT_EQ(a.capacity, 0u);
  EXPECT_EQ(a.length, 0u);
  EXPECT_STREQ(a.data, "");
  Str copy(a);
  EXPECT_TRUE(str_is_shared_empty(copy));
  str_destroy(a);
  EXPECT_TRUE(str_is_shared_empty(a));
  EXPECT_STREQ(b.data, "");
}

TEST(StrStorage, ReserveGrowsToNextMultipleOf16AboveN) {
  struct Case {
    uint32_t n, capacity;
  } cases[] = {{1, 16}, {14, 16}, {15, 16}, {16, 32}, {31, 32}, {32, 48}, {63, 64}, {100, 112}};
  for (auto c : cases) {
    Str s;
    str_reserve(s, c.n, false);
    EXPECT_EQ(s.capacity, c.capacity) << "n=" << c.n;
    EXPECT_EQ(s.data[0], 0);
    EXPECT_FALSE(str_is_shared_empty(s));
  }
}

TEST(StrStorage, ReserveDoesNothingForZeroOrWhenRoomSuffices) {
  Str s;
  str_reserve(s, 0, true);
  EXPECT_TRUE(str_is_shared_empty(s));
  str_reserve(s, 20, false);  // capacity 32
  char* buffer = s.data;
  str_reserve(s, 31, true);
  EXPECT_EQ(s.data, buffer);
  EXPECT_EQ(s.capacity, 32u);
  str_reserve(s, 32, true);
  EXPECT_NE(s.capacity, 32u);
  EXPECT_EQ(s.capacity, 48u);
}

TEST(StrStorage, ReserveKeepsTextOnlyWhenAsked) {
  Str s("hello");
  str_reserve(s, 40, true);
  EXPECT_EQ(text(s), "hello");
  EXPECT_STREQ(s.data, "hello");
  Str t("hello");
  str_reserve(t, 40, false);
  EXPECT_STREQ(t.data, "");
  EXPECT_EQ(t.length, 5u);  // left for the caller to set
}

TEST(StrStorage, SyncLengthMeasuresUpToTheTerminator) {
  Str s;
  str_reserve(s, 15, false);
  std::strcpy(s.data, "abc");
  str_sync_length(s);
  EXPECT_EQ(s.length, 3u);
  std::memset(s.data, 'x', s.capacity);  // no terminator left in the buffer
  str_sync_length(s);
  EXPECT_EQ(s.length, s.capacity - 1);
  EXPECT_EQ(s.data[s.capacity - 1], 0);
  Str empty;
  str_sync_length(empty);
  EXPECT_EQ(empty.length, 0u);
}

TEST(StrStorage, FromCstrReservesTheTextLength) {
  Str s("abcdefghijklmnop");  // 16 bytes
  EXPECT_EQ(s.length, 16u);
  EXPECT_EQ(s.capacity, 32u);
  EXPECT_EQ(text(s), "abcdefghijklmnop");
  Str null_text(static_cast<const char*>(nullptr));
  EXPECT_TRUE(str_is_shared_empty(null_text));
}

TEST(StrStorage, CopiesOwnSeparateBuffers) {
  Str a("shared?");
  Str b(a);
  EXPECT_NE(a.data, b.data);
  EXPECT_EQ(text(b), "shared?");
  b.data[0] = 'S';
  EXPECT_EQ(text(a), "shared?");
  Str c;
  c = a;
  EXPECT_NE(c.data, a.data);
  EXPECT_EQ(text(c), "shared?");
}

TEST(StrStorage, AssignOfEmptyKeepsTheBuffer) {
  Str dst("some text"), empty;
  char* buffer = dst.data;
  uint32_t capacity = dst.capacity;
  str_assign(dst, empty);
  EXPECT_EQ(dst.data, buffer);
  EXPECT_EQ(dst.capacity, capacity);
  EXPECT_EQ(dst.length, 0u);
  EXPECT_STREQ(dst.data, "");
}

TEST(StrStorage, AssignReusesARoomyBufferAndGrowsASmallOne) {
  Str dst("a fairly long text here"), src("short");
  char* buffer = dst.data;
  str_assign(dst, src);
  EXPECT_EQ(dst.data, buffer);
  EXPECT_EQ(text(dst), "short");
  Str big("0123456789012345678901234567890123456789");
  str_assign(dst, big);
  EXPECT_EQ(text(dst), text(big));
  EXPECT_EQ(dst.capacity, 48u);
  str_assign(dst, dst);
  EXPECT_EQ(text(dst), text(big));
}

TEST(StrStorage, AssignCstrMakesAnExactSizeBuffer) {
  Str s("x");
  str_assign_cstr(s, "exactly");
  EXPECT_EQ(s.capacity, 8u);
  EXPECT_EQ(text(s), "exactly");
  str_assign_cstr(s, "");
  EXPECT_TRUE(str_is_shared_empty(s));
  s = "again";
  EXPECT_EQ(s.capacity, 6u);
  s = s.data + 2;  // text from inside its own buffer
  EXPECT_EQ(text(s), "ain");
}

TEST(StrStorage, MoveTakesTheBuffer) {
  Str a("moving");
  char* buffer = a.data;
  Str b(static_cast<Str&&>(a));
  EXPECT_EQ(b.data, buffer);
  EXPECT_TRUE(str_is_shared_empty(a));
  Str c("old");
  c = static_cast<Str&&>(b);
  EXPECT_EQ(c.data, buffer);
  EXPECT_TRUE(str_is_shared_empty(b));
}

// ---- building ----

TEST(StrBuild, AppendGrowsEverySixteenBytes) {
  Str s;
  int reallocations = 0;
  char* last = s.data;
  for (int i = 0; i < 64; ++i) {
    str_append_char(s, static_cast<uint8_t>('a' + i % 26));
    if (s.data != last) ++reallocations;
    last = s.data;
    EXPECT_GT(s.capacity, s.length);
    EXPECT_EQ(s.capacity % 16, 0u);
  }
  EXPECT_EQ(s.length, 64u);
  EXPECT_EQ(reallocations, 5);  // at lengths 1, 16, 32, 48, 64
  EXPECT_EQ(s.data[64], 0);
}

TEST(StrBuild, AppendAndSelfAppend) {
  Str a("abc"), b("def");
  str_append(a, b);
  EXPECT_EQ(text(a), "abcdef");
  str_append(a, a);
  EXPECT_EQ(text(a), "abcdefabcdef");
  for (int i = 0; i < 3; ++i) str_append(a, a);
  EXPECT_EQ(a.length, 96u);
  EXPECT_EQ(text(a).substr(84), "abcdefabcdef");
  Str empty;
  str_append(empty, Str());
  EXPECT_TRUE(str_is_shared_empty(empty));
}

TEST(StrBuild, ConcatenationForms) {
  Str a("Score: "), b("42"), out1, out2, out3, out4, out5;
  str_concat(out1, a, b);
  EXPECT_EQ(text(out1), "Score: 42");
  str_concat_cs(out2, "Total ", b);
  EXPECT_EQ(text(out2), "Total 42");
  str_concat_sc(out3, a, "7");
  EXPECT_EQ(text(out3), "Score: 7");
  str_concat_cn(out4, "Rating ", 12.5);
  EXPECT_EQ(text(out4), "Rating 12.5");
  str_concat_sn(out5, a, -3);
  EXPECT_EQ(text(out5), "Score: -3");
  Str empty, out6;
  str_concat(out6, empty, empty);
  EXPECT_EQ(out6.length, 0u);
}

TEST(StrBuild, ConcatenationIntoOneOfItsInputs) {
  Str a("left"), b("right");
  str_concat(a, a, b);
  EXPECT_EQ(text(a), "leftright");
  str_concat(b, a, b);
  EXPECT_EQ(text(b), "leftrightright");
  str_concat_cs(b, ">", b);
  EXPECT_EQ(text(b), ">leftrightright");
  str_concat_sc(a, a, "!");
  EXPECT_EQ(text(a), "leftright!");
  str_concat_sn(a, a, 2);
  EXPECT_EQ(text(a), "leftright!2");
}

TEST(StrBuild, CaseConversionChangesOnlyAsciiLetters) {
  Str s("Hello, World 9 \xE9\xC9");
  str_upper(s);
  EXPECT_EQ(text(s), "HELLO, WORLD 9 \xE9\xC9");
  str_lower(s);
  EXPECT_EQ(text(s), "hello, world 9 \xE9\xC9");
  Str src("MiXeD"), out;
  str_lower_copy(out, src);
  EXPECT_EQ(text(out), "mixed");
  EXPECT_EQ(text(src), "MiXeD");
}

// ---- substrings ----

TEST(StrMid, PiecesInsideAndAcrossTheEnd) {
  EXPECT_EQ(text(mid("ABCDEF", 2, 3)), "CDE");
  EXPECT_EQ(text(mid("ABCDEF", 4, 10)), "EF");
  EXPECT_EQ(text(mid("ABCDEF", 1, -1)), "BCDEF");
  EXPECT_EQ(text(mid("ABCDEF", 0, 6)), "ABCDEF");
  EXPECT_EQ(text(mid("ABCDEF", 5, 1)), "F");
}

TEST(StrMid, EmptyResults) {
  EXPECT_EQ(mid("ABCDEF", 6, 1).length, 0u);
  EXPECT_EQ(mid("ABCDEF", -1, 3).length, 0u);
  EXPECT_EQ(mid("ABCDEF", -1, -1).length, 0u);
  EXPECT_EQ(mid("ABCDEF", 2, 0).length, 0u);
  EXPECT_EQ(mid("ABCDEF", 100, -1).length, 0u);
  EXPECT_EQ(mid("", 0, 5).length, 0u);
  EXPECT_EQ(text(mid("ABCDEF", 3, 2147483647)), "DEF");  // no overflow in start + count
}

TEST(StrMid, OutputMayBeTheSource) {
  Str s("ABCDEF");
  str_mid(s, s, 1, 3);
  EXPECT_EQ(text(s), "BCD");
  Str out("previous text");
  str_mid(out, Str("xyz"), 5, 1);
  EXPECT_EQ(out.length, 0u);
  EXPECT_STREQ(out.data, "");
}

// ---- numbers and text ----

TEST(StrNumber, NumberTextUsesTenSignificantDigits) {
  EXPECT_EQ(text(number_text(0)), "0");
  EXPECT_EQ(text(number_text(0.5)), "0.5");
  EXPECT_EQ(text(number_text(100)), "100");
  EXPECT_EQ(text(number_text(-0.25)), "-0.25");
  EXPECT_EQ(text(number_text(3.0)), "3");
  EXPECT_EQ(text(number_text(0.9)), "0.9");
  EXPECT_EQ(text(number_text(-12.5)), "-12.5");
  EXPECT_EQ(text(number_text(1234567890)), "1234567890");
  EXPECT_EQ(text(number_text(1.0 / 3.0)), "0.3333333333");
  EXPECT_EQ(text(number_text(2.0 / 3.0)), "0.6666666667");
  EXPECT_EQ(number_text(0).capacity, 64u);
}

TEST(StrNumber, LargeAndTinyValuesUseExponentNotation) {
  Str big = number_text(12345678901.0);  // 11 digits: more than ten significant
  EXPECT_NE(std::strchr(big.data, 'e'), nullptr) << big.data;
  EXPECT_NEAR(std::atof(big.data), 12345678900.0, 1.0);
  Str tiny = number_text(0.000012345);
  EXPECT_NE(std::strchr(tiny.data, 'e'), nullptr) << tiny.data;
  EXPECT_DOUBLE_EQ(std::atof(tiny.data), 0.000012345);
  EXPECT_EQ(text(number_text(0.0001)), "0.0001");
  Str huge = number_text(-1e300);
  EXPECT_EQ(huge.data[0], '-');
  EXPECT_DOUBLE_EQ(std::atof(huge.data), -1e300);
  EXPECT_EQ(huge.length, std::strlen(huge.data));
}

TEST(StrNumber, FixedPointText) {
  EXPECT_EQ(text(fixed(5, 2, 3.14159)), " 3.14");
  EXPECT_EQ(text(fixed(-3, 1.9, 7)), "7.0");  // width -3, decimals 1: left aligned, no padding needed
  EXPECT_EQ(text(fixed(-6, 1, 7)), "7.0   ");
  EXPECT_EQ(text(fixed(0, 0, 2.75)), "3");
  EXPECT_EQ(text(fixed(8, 3, -1.5)), "  -1.500");
  EXPECT_EQ(text(fixed(2.9, 0.2, 12345)), "12345");
}

TEST(StrNumber, FixedPointTextLongerThanTheScratchBuffer) {
  Str wide = fixed(200, 2, 1.5);
  EXPECT_EQ(wide.length, 200u);
  EXPECT_EQ(text(wide).substr(196), "1.50");
  Str big = fixed(0, 1, 1e200);
  EXPECT_GT(big.length, 200u);
  EXPECT_EQ(big.length, std::strlen(big.data));
  EXPECT_EQ(text(big).substr(big.length - 2), ".0");
  EXPECT_DOUBLE_EQ(std::atof(big.data), 1e200);
  Str after = fixed(4, 1, 2.25);  // the scratch text still works after growing
  EXPECT_EQ(after.length, 4u);
  EXPECT_EQ(text(after).substr(0, 3), " 2.");
}

TEST(StrNumber, IntegerText) {
  Str a, b, c;
  str_from_int(a, 0);
  str_from_int(b, -2147483647 - 1);
  str_from_int(c, 779);
  EXPECT_EQ(text(a), "0");
  EXPECT_EQ(text(b), "-2147483648");
  EXPECT_EQ(text(c), "779");
  EXPECT_EQ(c.capacity, 16u);
}

TEST(StrNumber, TextToNumberTakesTheLongestDecimalPrefix) {
  EXPECT_DOUBLE_EQ(str_to_num(Str("3.5")), 3.5);
  EXPECT_DOUBLE_EQ(str_to_num(Str("  -12.25xyz")), -12.25);
  EXPECT_DOUBLE_EQ(str_to_num(Str("1e3")), 1000.0);
  EXPECT_DOUBLE_EQ(str_to_num(Str("2e")), 2.0);
  EXPECT_DOUBLE_EQ(str_to_num(Str(".5")), 0.5);
  EXPECT_DOUBLE_EQ(str_to_num(Str("7.")), 7.0);
  EXPECT_DOUBLE_EQ(str_to_num(Str("+4")), 4.0);
  EXPECT_EQ(str_to_num(Str("abc")), 0.0);
  EXPECT_EQ(str_to_num(Str("")), 0.0);
  EXPECT_EQ(str_to_num(Str(".")), 0.0);
  EXPECT_EQ(str_to_num(Str("-")), 0.0);
  EXPECT_EQ(str_to_num(Str("0x10")), 0.0);
}

TEST(StrNumber, TextToIntegerTakesTheWholeNumberPrefix) {
  EXPECT_EQ(str_to_int(Str("42")), 42);
  EXPECT_EQ(str_to_int(Str(" \t-17 apples")), -17);
  EXPECT_EQ(str_to_int(Str("3.9")), 3);
  EXPECT_EQ(str_to_int(Str("x1")), 0);
  EXPECT_EQ(str_to_int(Str("")), 0);
  EXPECT_EQ(str_to_int(Str("99999999999")), 2147483647);
  EXPECT_EQ(str_to_int(Str("-99999999999")), -2147483647 - 1);
}

TEST(StrNumber, NumberTextRoundTripsThroughTextToNumber) {
  const double values[] = {0, 1, -1, 0.5, 123.25, -0.001, 98765.4321, 1e-5};
  for (double v : values) EXPECT_DOUBLE_EQ(str_to_num(number_text(v)), v) << v;
}

TEST(StrNumber, SmallerOfTwoNumbers) {
  EXPECT_EQ(math_min(1, 2), 1);
  EXPECT_EQ(math_min(2, 1), 1);
  EXPECT_EQ(math_min(-3, -3), -3);
  EXPECT_TRUE(std::signbit(math_min(0.0, -0.0)));  // the second wins a tie
}

// ---- comparisons ----

TEST(StrCompare, ByteOrder) {
  Str a("a"), b("b"), B("B"), empty, empty2;
  EXPECT_EQ(str_lt(a, b), 1);
  EXPECT_EQ(str_lt(B, a), 1);
  EXPECT_EQ(str_eq(empty, empty2), 1);
  EXPECT_EQ(str_lt(Str("ab"), Str("abc")), 1);  // a proper prefix sorts first
  EXPECT_EQ(str_gt(Str("\xE9"), Str("z")), 1);  // bytes compare unsigned
  EXPECT_EQ(str_ne(a, b), 1);
  EXPECT_EQ(str_ne(a, Str("a")), 0);
}

TEST(StrCompare, AllFormsAgreeOnEveryOperator) {
  const char* texts[] = {"", "a", "ab", "b", "B", "\xFF"};
  for (const char* x : texts) {
    for (const char* y : texts) {
      Str sx(x), sy(y);
      int r = std::strcmp(x, y);
      int expect[6] = {r == 0, r != 0, r<0, r> 0, r <= 0, r >= 0};
      int ss[6] = {str_eq(sx, sy), str_ne(sx, sy), str_lt(sx, sy),
                   str_gt(sx, sy), str_le(sx, sy), str_ge(sx, sy)};
      int cs[6] = {str_eq_cs(x, sy), str_ne_cs(x, sy), str_lt_cs(x, sy),
                   str_gt_cs(x, sy), str_le_cs(x, sy), str_ge_cs(x, sy)};
      int sc[6] = {str_eq_sc(sx, y), str_ne_sc(sx, y), str_lt_sc(sx, y),
                   str_gt_sc(sx, y), str_le_sc(sx, y), str_ge_sc(sx, y)};
      for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(ss[k], expect[k]) << "'" << x << "' '" << y << "' op " << k;
        EXPECT_EQ(cs[k], expect[k]) << "'" << x << "' '" << y << "' op " << k;
        EXPECT_EQ(sc[k], expect[k]) << "'" << x << "' '" << y << "' op " << k;
      }
    }
  }
}

TEST(StrCompare, TextAgainstNumber) {
  EXPECT_EQ(str_eq_num(Str("12.5"), 12.5), 1);
  EXPECT_EQ(str_eq_num(Str("abc"), 0), 1);
  EXPECT_EQ(str_lt_num(Str("9"), 10), 1);  // numeric, not byte order
  EXPECT_EQ(str_gt_num(Str("10"), 9), 1);
  EXPECT_EQ(str_gt_num(Str("-1"), 0), 0);
}

// ---- encodings ----

TEST(StrEncode, HexDigitsHighNibbleFirst) {
  const uint8_t bytes[] = {0x00, 0x1F, 0xA0, 0xFF};
  Str lower, upper, none;
  str_hex(lower, bytes, 4, 0);
  str_hex(upper, bytes, 4, 1);
  str_hex(none, bytes, 0, 0);
  EXPECT_EQ(text(lower), "001fa0ff");
  EXPECT_EQ(text(upper), "001FA0FF");
  EXPECT_EQ(none.length, 0u);
  Str self("AB");
  str_hex(self, reinterpret_cast<const uint8_t*>(self.data), 2, 1);
  EXPECT_EQ(text(self), "4142");
}

TEST(StrEncode, UrlEncoding) {
  Str out;
  str_url_encode(out, Str("Az09 -_.~/"));
  EXPECT_EQ(text(out), "Az09%20%2d%5f%2e%7e%2f");
  str_url_encode(out, Str("\xA9\xE9\xFF\x80\xC0"));  // Latin-1 to UTF-8
  EXPECT_EQ(text(out), "%c2%a9%c3%a9%c3%bf%c2%80%c3%80");
  str_url_encode(out, Str(""));
  EXPECT_EQ(out.length, 0u);
}
