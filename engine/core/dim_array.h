// DimArray<T>: the runtime's DIM-sized array of numbers, Str values or records, one to four dimensions,
// first index varying fastest. Every access is checked; a bad index reports the array's bounds and the
// index to the debug output and ends the program with error 9. The check is inline (a few compares);
// the report and the ending live out of line.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <new>
#include <type_traits>
#include <utility>
#include "engine/core/str.h"

template <typename T>
struct DimArray {
  T* elems = nullptr;  // null before the first DIM, and for Str/record arrays DIMmed to nothing
  int stride1 = 0;     // elements per step of the second index (dim1)
  int stride2 = 0;     // dim1 * dim2
  int stride3 = 0;     // dim1 * dim2 * dim3
  int dim1 = 0;
  int dim2 = 0;
  int dim3 = 0;
  int dim4 = 0;
  int dim_count = 0;
  int capacity = 0;  // elements allocated

  DimArray() = default;
  DimArray(const DimArray& other);
  DimArray(DimArray&& other) noexcept { take(other); }
  DimArray& operator=(const DimArray& other);
  DimArray& operator=(DimArray&& other) noexcept {
    if (this != &other) {
      arr_release(*this);
      take(other);
    }
    return *this;
  }
  ~DimArray() { arr_release(*this); }

  T& operator()(int i, int j = 0);
  T& operator()(int i, int j, int k, int l = 0);

 private:
  void take(DimArray& other) {
    elems = other.elems;
    stride1 = other.stride1;
    stride2 = other.stride2;
    stride3 = other.stride3;
    dim1 = other.dim1;
    dim2 = other.dim2;
    dim3 = other.dim3;
    dim4 = other.dim4;
    dim_count = other.dim_count;
    capacity = other.capacity;
    other.elems = nullptr;
    other.stride1 = other.stride2 = other.stride3 = 0;
    other.dim1 = other.dim2 = other.dim3 = other.dim4 = 0;
    other.dim_count = other.capacity = 0;
  }
};

// ---- Element defaults -------------------------------------------------------------------------------
// A record type puts every field back to its default with a member reset() (numbers 0.0, each Str
// emptied while keeping its buffer); numbers and Str have their own overloads.
inline void arr_reset_element(double& v) { v = 0.0; }
void arr_reset_element(Str& s);
template <typename T>
  requires requires(T& t) { t.reset(); }
inline void arr_reset_element(T& t) { t.reset(); }

// ---- Sizes and reporting (dim_array.cpp) ---------------------------------------------------------------
struct DimShape {
  int dim1, dim2, dim3, dim4;
};
// Element count of a DIM with sizes d1..d4 (d1 < 1 counts as 0, unused sizes as 1); -1 when it does not
// fit in 32 bits.
int64_t arr_total(int d1, int d2, int d3, int d4);
// The two texts of an index report: "bounds: [   8][   8]\n" and "access: [   8][   0]\n".
void arr_index_texts(const DimShape& shape, int i, int j, int k, int l, Str& bounds, Str& access);
// Sends both texts to the debug output.
void arr_index_report(const DimShape& shape, int i, int j, int k, int l);
// Error 9 and the end of the program (also when it is already ending: the access never takes place).
[[noreturn]] void arr_index_fatal();
// Error 7 and the end of the program (out of memory).
[[noreturn]] void arr_alloc_fatal();
template <typename T>
void arr_index_error(const DimArray<T>& a, int i, int j, int k, int l) {
  arr_index_report(DimShape{a.dim1, a.dim2, a.dim3, a.dim4}, i, j, k, l);
}

template <typename T>
[[noreturn, gnu::noinline, gnu::cold]] void arr_bad_index(const DimArray<T>& a, int i, int j, int k, int l) {
  arr_index_error(a, i, j, k, l);
  arr_index_fatal();
}

// ---- Storage ---------------------------------------------------------------------------------------------
namespace dim_detail {
inline void set_shape(int& stride1, int& stride2, int& stride3, int& dim1, int& dim2, int& dim3, int& dim4,
                      int& dim_count, int d1, int d2, int d3, int d4) {
  int n1 = d1 >= 1 ? d1 : 0;
  dim_count = d4 != 0 ? 4 : d3 != 0 ? 3 : d2 != 0 ? 2 : n1 != 0 ? 1 : 0;
  // Products wrap like the 32-bit arithmetic they describe; they only matter for sizes that fit.
  stride1 = n1;
  stride2 = int(uint32_t(n1) * uint32_t(d2));
  stride3 = int(uint32_t(n1) * uint32_t(d2) * uint32_t(d3));
  dim1 = n1;
  dim2 = d2;
  dim3 = d3;
  dim4 = d4;
}
}  // namespace dim_detail

template <typename T>
void arr_release(DimArray<T>& a) {
  if (!a.elems) return;
  if constexpr (std::is_trivially_destructible_v<T>) {
    std::free(a.elems);
  } else {
    for (int n = 0; n < a.capacity; n++) a.elems[n].~T();
    ::operator delete(a.elems, std::nothrow);
  }
  a.elems = nullptr;
  a.capacity = 0;
}

// DIM of a number array: capacity in steps of 8, every element 0.0 afterwards.
inline void arr_dim_num(DimArray<double>& a, int d1, int d2 = 0, int d3 = 0, int d4 = 0) {
  int64_t total = arr_total(d1, d2, d3, d4);
  if (total < 0) arr_alloc_fatal();
  if (a.capacity >= total && d1 >= 1 && a.elems) {
    for (int64_t n = 0; n < total; n++) a.elems[n] = 0.0;
  } else {
    arr_release(a);
    int64_t cap = total / 8 * 8 + 8;
    if (cap > INT32_MAX) arr_alloc_fatal();
    auto* p = static_cast<double*>(std::malloc(size_t(cap) * sizeof(double)));
    if (!p) arr_alloc_fatal();
    for (int64_t n = 0; n < cap; n++) p[n] = 0.0;
    a.elems = p;
    a.capacity = int(cap);
  }
  dim_detail::set_shape(a.stride1, a.stride2, a.stride3, a.dim1, a.dim2, a.dim3, a.dim4, a.dim_count, d1, d2,
                        d3, d4);
}

// DIM of a Str or record array: capacity in steps of 64 (none for zero elements), every element at its
// default afterwards; a kept block has its elements reset in place.
template <typename T>
  requires(!std::is_same_v<T, double>)
void arr_dim(DimArray<T>& a, int d1, int d2 = 0, int d3 = 0, int d4 = 0) {
  int64_t total = arr_total(d1, d2, d3, d4);
  if (total < 0) arr_alloc_fatal();
  if (total > a.capacity || d1 < 1) {
    arr_release(a);
    int64_t cap = total != 0 ? total / 64 * 64 + 64 : 0;
    if (cap > INT32_MAX) arr_alloc_fatal();
    if (cap > 0) {
      void* raw = ::operator new(size_t(cap) * sizeof(T), std::nothrow);
      if (!raw) arr_alloc_fatal();
      T* p = static_cast<T*>(raw);
      for (int64_t n = 0; n < cap; n++) new (p + n) T();
      a.elems = p;
      a.capacity = int(cap);
    }
  } else {
    for (int64_t n = 0; n < total; n++) arr_reset_element(a.elems[n]);
  }
  dim_detail::set_shape(a.stride1, a.stride2, a.stride3, a.dim1, a.dim2, a.dim3, a.dim4, a.dim_count, d1, d2,
                        d3, d4);
}

// One DIM entry point for both kinds, for code that is generic over the element type.
template <typename T>
void arr_redim(DimArray<T>& a, int d1, int d2 = 0, int d3 = 0, int d4 = 0) {
  if constexpr (std::is_same_v<T, double>) arr_dim_num(a, d1, d2, d3, d4);
  else arr_dim(a, d1, d2, d3, d4);
}

// ---- Checked access ----------------------------------------------------------------------------------------
// The first index may be negative (-1 = last element of the first dimension); every other index must lie
// in its dimension. An index into a dimension that is not in use must be 0. A DIMmed array with dim1 > 0
// always has elements, so the bounds compares also cover an array without elements.
namespace dim_detail {
// Number of valid values for an index into a dimension of size d: d when used, 1 (only 0) when unused,
// none for a negative size.
inline uint32_t index_limit(int d) { return d > 0 ? uint32_t(d) : uint32_t(d == 0); }
}  // namespace dim_detail

template <typename T>
inline T& arr_at(DimArray<T>& a, int i, int j = 0) {
  if (i < 0) i += a.dim1;
  if (int(uint32_t(i) >= uint32_t(a.dim1 > 0 ? a.dim1 : 0)) |
      int(uint32_t(j) >= dim_detail::index_limit(a.dim2))) [[unlikely]]
    arr_bad_index(a, i, j, 0, 0);
  return a.elems[i + j * a.stride1];
}

template <typename T>
inline T& arr_at(DimArray<T>& a, int i, int j, int k, int l = 0) {
  if (i < 0) i += a.dim1;
  if (int(uint32_t(i) >= uint32_t(a.dim1 > 0 ? a.dim1 : 0)) |
      int(uint32_t(j) >= dim_detail::index_limit(a.dim2)) |
      int(uint32_t(k) >= dim_detail::index_limit(a.dim3)) |
      int(uint32_t(l) >= dim_detail::index_limit(a.dim4))) [[unlikely]]
    arr_bad_index(a, i, j, k, l);
  return a.elems[i + j * a.stride1 + k * a.stride2 + l * a.stride3];
}

template <typename T>
inline const T& arr_at(const DimArray<T>& a, int i, int j = 0) {
  return arr_at(const_cast<DimArray<T>&>(a), i, j);
}

template <typename T>
T& DimArray<T>::operator()(int i, int j) {
  return arr_at(*this, i, j);
}
template <typename T>
T& DimArray<T>::operator()(int i, int j, int k, int l) {
  return arr_at(*this, i, j, k, l);
}

// ---- Assignment ----------------------------------------------------------------------------------------------
// DIM dst with src's four sizes (which clears it), then copy the elements in storage order.
template <typename T>
DimArray<T>& arr_copy(DimArray<T>& dst, const DimArray<T>& src) {
  if (&dst == &src) return dst;
  arr_redim(dst, src.dim1, src.dim2, src.dim3, src.dim4);
  int64_t total = arr_total(src.dim1, src.dim2, src.dim3, src.dim4);
  if (src.elems && dst.elems)
    for (int64_t n = 0; n < total; n++) dst.elems[n] = src.elems[n];
  return dst;
}

template <typename T>
DimArray<T>::DimArray(const DimArray& other) {
  arr_copy(*this, other);
}
template <typename T>
DimArray<T>& DimArray<T>::operator=(const DimArray& other) {
  return arr_copy(*this, other);
}
