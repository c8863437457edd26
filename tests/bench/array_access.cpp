// Prints the cost of a checked DimArray access against a plain indexed read of the same buffer.
#include <chrono>
#include <cstdio>

#include "engine/core/dim_array.h"

namespace {

constexpr int kSide = 9;
constexpr int kRounds = 200000;

template <typename F>
double ns_per_access(F&& body) {
  auto t0 = std::chrono::steady_clock::now();
  double sum = body();
  auto t1 = std::chrono::steady_clock::now();
  volatile double sink = sum;
  (void)sink;
  return std::chrono::duration<double, std::nano>(t1 - t0).count() / (double(kRounds) * kSide * kSide);
}

}  // namespace

int main() {
  DimArray<double> board;
  arr_dim_num(board, kSide, kSide);
  for (int j = 0; j < kSide; j++)
    for (int i = 0; i < kSide; i++) arr_at(board, i, j) = i * 13 - j * 7;

  DimArray<double>* volatile view = &board;  // keeps the compiler from hoisting the array away
  double checked = ns_per_access([&] {
    double sum = 0;
    for (int r = 0; r < kRounds; r++) {
      DimArray<double>& a = *view;
      for (int j = 0; j < kSide; j++)
        for (int i = 0; i < kSide; i++) sum += arr_at(a, i, j);
    }
    return sum;
  });
  double unchecked = ns_per_access([&] {
    double sum = 0;
    for (int r = 0; r < kRounds; r++) {
      DimArray<double>& a = *view;
      for (int j = 0; j < kSide; j++)
        for (int i = 0; i < kSide; i++) sum += a.elems[i + j * a.stride1];
    }
    return sum;
  });
  std::printf("DimArray 9x9 read: checked %.3f ns/access, unchecked %.3f ns/access (%d accesses each)\n",
              checked, unchecked, kRounds * kSide * kSide);
  return 0;
}
