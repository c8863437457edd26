#include "engine/core/dim_array.h"

#include <gtest/gtest.h>
#include <cstring>

#include "engine/app/app.h"
#include "engine/core/key_record.h"
#include "engine/platform/headless.h"
#include "engine/platform/platform.h"
#include "game/state/block_record.h"
#include "portable.h"

namespace {

std::string text(const Str& s) { return std::string(s.data, s.length); }

TEST(DimArrayNumbers, EightByEightShapeAndCapacity) {
  DimArray<double> a;
  arr_dim_num(a, 8, 8);
  EXPECT_EQ(a.dim1, 8);
  EXPECT_EQ(a.dim2, 8);
  EXPECT_EQ(a.dim3, 0);
  EXPECT_EQ(a.dim_count, 2);
  EXPECT_EQ(a.stride1, 8);
  EXPECT_EQ(a.stride2, 64);
  EXPECT_EQ(a.capacity, 72);
}

TEST(DimArrayNumbers, CapacityStepsOfEight) {
  DimArray<double> a;
  arr_dim_num(a, 7);
  EXPECT_EQ(a.capacity, 8);
  DimArray<double> b;
  arr_dim_num(b, 8);
  EXPECT_EQ(b.capacity, 16);
  DimArray<double> c;
  arr_dim_num(c, 3, 5);
  EXPECT_EQ(c.capacity, 16);
}

TEST(DimArrayNumbers, FirstIndexVariesFastest) {
  DimArray<double> a;
  arr_dim_num(a, 3, 4);
  arr_at(a, 2, 1) = 5.5;
  EXPECT_EQ(a.elems[2 + 1 * 3], 5.5);
  DimArray<double> b;
  arr_dim_num(b, 2, 3, 4, 5);
  EXPECT_EQ(b.dim_count, 4);
  arr_at(b, 1, 2, 3, 4) = 9.0;
  EXPECT_EQ(b.elems[1 + 2 * 2 + 3 * 6 + 4 * 24], 9.0);
}

TEST(DimArrayNumbers, NegativeFirstIndexWraps) {
  DimArray<double> a;
  arr_dim_num(a, 8, 8);
  arr_at(a, 7, 0) = 42.0;
  EXPECT_EQ(arr_at(a, -1, 0), 42.0);
  EXPECT_EQ(&arr_at(a, -8, 3), &arr_at(a, 0, 3));
}

TEST(DimArrayNumbers, RedimResetsAndKeepsBuffer) {
  DimArray<double> a;
  arr_dim_num(a, 10);
  for (int n = 0; n < 10; n++) arr_at(a, n) = n + 1;
  double* before = a.elems;
  arr_dim_num(a, 5);
  EXPECT_EQ(a.elems, before);
  EXPECT_EQ(a.capacity, 16);
  for (int n = 0; n < 5; n++) EXPECT_EQ(arr_at(a, n), 0.0);
  // The same size again also clears.
  arr_at(a, 4) = 3.0;
  arr_dim_num(a, 5);
  EXPECT_EQ(arr_at(a, 4), 0.0);
}

TEST(DimArrayNumbers, GrowingReallocatesCleared) {
  DimArray<double> a;
  arr_dim_num(a, 4);
  arr_at(a, 3) = 1.0;
  arr_dim_num(a, 20);
  EXPECT_EQ(a.capacity, 24);
  for (int n = 0; n < a.capacity; n++) EXPECT_EQ(a.elems[n], 0.0);
}

TEST(DimArrayNumbers, DimZeroKeepsABufferOfEight) {
  DimArray<double> a;
  arr_dim_num(a, 0);
  EXPECT_EQ(a.dim_count, 0);
  EXPECT_EQ(a.dim1, 0);
  EXPECT_EQ(a.capacity, 8);
  EXPECT_NE(a.elems, nullptr);
}

TEST(DimArrayNumbers, CopyDimsAndCopiesElements) {
  DimArray<double> src, dst;
  arr_dim_num(src, 3, 2);
  arr_at(src, 2, 1) = 7.0;
  arr_dim_num(dst, 40);
  arr_at(dst, 0) = 99.0;
  arr_copy(dst, src);
  EXPECT_EQ(dst.dim1, 3);
  EXPECT_EQ(dst.dim2, 2);
  EXPECT_EQ(arr_at(dst, 2, 1), 7.0);
  EXPECT_EQ(arr_at(dst, 0, 0), 0.0);
  DimArray<double> third = src;
  EXPECT_EQ(arr_at(third, -1, 1), 7.0);
}

TEST(DimArrayBadIndex, PastTheEndEndsTheProgram) {
  DimArray<double> a;
  arr_dim_num(a, 8, 8);
  EXPECT_EXIT(arr_at(a, 8, 0) = 1.0, portable::exited_non_zero, "");
}

TEST(DimArrayBadIndex, StillNegativeAfterWrapEndsTheProgram) {
  DimArray<double> a;
  arr_dim_num(a, 8, 8);
  EXPECT_EXIT(arr_at(a, -9, 0) = 1.0, portable::exited_non_zero, "");
}

TEST(DimArrayBadIndex, NegativeOrTooLargeSecondIndex) {
  DimArray<double> a;
  arr_dim_num(a, 8, 8);
  EXPECT_EXIT(arr_at(a, 0, -1) = 1.0, portable::exited_non_zero, "");
  EXPECT_EXIT(arr_at(a, 0, 8) = 1.0, portable::exited_non_zero, "");
}

TEST(DimArrayBadIndex, SecondIndexIntoUnusedDimension) {
  DimArray<double> a;
  arr_dim_num(a, 8);
  EXPECT_EXIT(arr_at(a, 7, 1) = 1.0, portable::exited_non_zero, "");
}

TEST(DimArrayBadIndex, EveryAccessAfterDimZeroIsBad) {
  DimArray<double> a;
  arr_dim_num(a, 0);
  EXPECT_EXIT(arr_at(a, 0) = 1.0, portable::exited_non_zero, "");
  EXPECT_EXIT(arr_at(a, -1) = 1.0, portable::exited_non_zero, "");
  DimArray<Str> s;
  arr_dim(s, 0);
  EXPECT_EQ(s.elems, nullptr);
  EXPECT_EXIT(arr_at(s, 0) = "x", portable::exited_non_zero, "");
}

TEST(DimArrayBadIndex, NeverDimmedIsBad) {
  DimArray<double> a;
  EXPECT_EXIT(arr_at(a, 0) = 1.0, portable::exited_non_zero, "");
}

TEST(DimArrayBadIndex, ThirdAndFourthIndexChecked) {
  DimArray<double> a;
  arr_dim_num(a, 2, 2, 2);
  EXPECT_EXIT(arr_at(a, 0, 0, 2) = 1.0, portable::exited_non_zero, "");
  EXPECT_EXIT(arr_at(a, 0, 0, 0, 1) = 1.0, portable::exited_non_zero, "");
}

TEST(DimArrayBadIndex, ReportTexts) {
  Str bounds, access;
  arr_index_texts(DimShape{8, 8, 0, 0}, 8, 0, 0, 0, bounds, access);
  EXPECT_EQ(text(bounds), "bounds: [   8][   8]\n");
  EXPECT_EQ(text(access), "access: [   8][   0]\n");
  arr_index_texts(DimShape{9, 0, 0, 0}, -1, 0, 0, 0, bounds, access);
  EXPECT_EQ(text(bounds), "bounds: [   9]\n");
  EXPECT_EQ(text(access), "access: [  -1]\n");
  arr_index_texts(DimShape{2, 3, 4, 5}, 1, 2, 7, 4, bounds, access);
  EXPECT_EQ(text(bounds), "bounds: [   2][   3][   4][   5]\n");
  EXPECT_EQ(text(access), "access: [   1][   2][   7][   4]\n");
}

TEST(DimArrayBadIndex, ReportReachesTheDebugOutputOnlyUnderADebugger) {
  ASSERT_TRUE(platform_select("headless"));
  headless_reset();
  DimArray<double> a;
  arr_dim_num(a, 8, 8);
  arr_index_error(a, 8, 0, 0, 0);
  EXPECT_EQ(headless_debug_text(), "");
  headless_set_debugger_attached(true);
  arr_index_error(a, 8, 0, 0, 0);
  EXPECT_EQ(headless_debug_text(), "TXbounds: [   8][   8]\nTXaccess: [   8][   0]\n");
}

TEST(DimArrayBadIndex, ImpossibleSizeIsOutOfMemory) {
  DimArray<double> a;
  EXPECT_EXIT(arr_dim_num(a, 100000, 100000), portable::exited_non_zero, "");
}

TEST(DimArrayStr, CapacitySixtyFourAndEmptyTexts) {
  DimArray<Str> a;
  arr_dim(a, 3);
  EXPECT_EQ(a.capacity, 64);
  EXPECT_EQ(a.dim_count, 1);
  for (int n = 0; n < 3; n++) EXPECT_EQ(arr_at(a, n).length, 0u);
  DimArray<Str> b;
  arr_dim(b, 64);
  EXPECT_EQ(b.capacity, 128);
}

TEST(DimArrayStr, RedimEmptiesKeptTexts) {
  DimArray<Str> a;
  arr_dim(a, 7);
  arr_at(a, 6) = "WESTMINSTER";
  Str* before = a.elems;
  arr_dim(a, 7);
  EXPECT_EQ(a.elems, before);
  EXPECT_STREQ(arr_at(a, 6).c_str(), "");
}

TEST(DimArrayStr, CopyDuplicatesTexts) {
  DimArray<Str> src, dst;
  arr_dim(src, 3);
  arr_at(src, 1) = "ARCH";
  arr_copy(dst, src);
  arr_at(src, 1) = "CIRCUS";
  EXPECT_STREQ(arr_at(dst, 1).c_str(), "ARCH");
  EXPECT_EQ(dst.dim1, 3);
}

TEST(DimArrayRecords, BlockRecordsStartAndResetEmpty) {
  DimArray<BlockRecord> blocks;
  arr_dim(blocks, 9);
  EXPECT_EQ(blocks.capacity, 64);
  BlockRecord& b = arr_at(blocks, 8);
  EXPECT_EQ(b.standing, 0.0);
  b.x = 120;
  b.standing = 1;
  b.difficulty = 2;
  b.name = "MARBLE ARCH";
  b.image_a = "2a.png";
  arr_dim(blocks, 9);
  EXPECT_EQ(arr_at(blocks, 8).x, 0.0);
  EXPECT_EQ(arr_at(blocks, 8).difficulty, 0.0);
  EXPECT_STREQ(arr_at(blocks, 8).name.c_str(), "");
  EXPECT_STREQ(arr_at(blocks, 8).image_a.c_str(), "");
}

TEST(DimArrayRecords, KeyTableAccessAndBadIndex) {
  DimArray<KeyRecord> keys;
  arr_dim(keys, 40);
  arr_at(keys, 29).key_x = 300;
  arr_at(keys, 29).key_text = " ";
  EXPECT_EQ(arr_at(keys, -11).key_x, 300.0);
  EXPECT_STREQ(arr_at(keys, 29).key_text.c_str(), " ");
  EXPECT_EXIT(arr_at(keys, 40).key_x = 1, portable::exited_non_zero, "");
}

TEST(DimArrayRecords, ShrinkToZeroFreesTheBlock) {
  DimArray<KeyRecord> keys;
  arr_dim(keys, 10);
  arr_dim(keys, 0);
  EXPECT_EQ(keys.elems, nullptr);
  EXPECT_EQ(keys.capacity, 0);
  EXPECT_EQ(keys.dim_count, 0);
}

}  // namespace
