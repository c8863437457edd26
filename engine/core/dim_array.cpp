// Out-of-line parts of DimArray: sizes, the bad-index report and the fatal endings.
#include "engine/core/dim_array.h"
#include "engine/core/key_record.h"
#include "engine/core/log.h"

void arr_reset_element(Str& s) { str_assign_cstr(s, ""); }

void KeyRecord::reset() {
  key_x = 0.0;
  key_y = 0.0;
  str_assign_cstr(key_text, "");
}

int64_t arr_total(int d1, int d2, int d3, int d4) {
  int64_t total = d1 >= 1 ? d1 : 0;
  for (int d : {d2, d3, d4}) {
    total *= d > 1 ? d : 1;
    if (total > INT32_MAX) return -1;
  }
  return total;
}

static void append_group(Str& out, int value) {
  Str num;
  str_format_num(num, 4, 0, value);
  str_append_char(out, '[');
  str_append(out, num);
  str_append_char(out, ']');
}

void arr_index_texts(const DimShape& shape, int i, int j, int k, int l, Str& bounds, Str& access) {
  str_assign_cstr(bounds, "bounds: ");
  str_assign_cstr(access, "access: ");
  append_group(bounds, shape.dim1);
  append_group(access, i);
  if (shape.dim2 > 0) {
    append_group(bounds, shape.dim2);
    append_group(access, j);
  }
  if (shape.dim3 > 0) {
    append_group(bounds, shape.dim3);
    append_group(access, k);
  }
  if (shape.dim4 > 0) {
    append_group(bounds, shape.dim4);
    append_group(access, l);
  }
  str_append_char(bounds, '\n');
  str_append_char(access, '\n');
}

void arr_index_report(const DimShape& shape, int i, int j, int k, int l) {
  Str bounds, access;
  arr_index_texts(shape, i, j, k, l, bounds, access);
  dbg_print(bounds);
  dbg_print(access);
}

void arr_index_fatal() { app_fatal(RtError::array_index); }

void arr_alloc_fatal() { app_fatal(RtError::memory_or_range); }
