// Str: the runtime's text value. A byte string with its own buffer, copied by value.
#pragma once
#include <cstdint>

struct Str {
  char* data;         // always zero-terminated; points at the shared empty text when empty
  uint32_t capacity;  // bytes owned at data (0 for the shared empty text)
  uint32_t length;    // bytes before the terminator as last recorded

  Str();
  Str(const char* text);  // NOLINT: implicit on purpose, literals become Str values
  Str(const Str& other);
  Str(Str&& other) noexcept;
  Str& operator=(const Str& other);
  Str& operator=(Str&& other) noexcept;  // takes other's buffer, leaves other empty
  Str& operator=(const char* text);
  ~Str();

  const char* c_str() const { return data; }
};

// Construction and storage. Operations marked "constructs" treat out as raw memory and never free what
// it held: call them on fresh or empty values only (a non-empty out's buffer would be lost).
Str& str_init(Str& out);                         // constructs empty (out is raw memory)
void str_destroy(Str& s);                        // frees unless shared; leaves s empty
void str_from_cstr(Str& out, const char* text);  // constructs
void str_copy(Str& out, const Str& src);         // constructs
Str& str_assign(Str& dst, const Str& src);
void str_assign_cstr(Str& dst, const char* text);
void str_reserve(Str& s, uint32_t n, bool keep);  // growth rule: next multiple of 16 above n
void str_sync_length(Str& s);                     // re-measure after a formatter wrote the buffer
bool str_is_shared_empty(const Str& s);

// Building
Str& str_append(Str& dst, const Str& src);
void str_append_char(Str& dst, uint8_t c);
Str& str_concat(Str& out, const Str& a, const Str& b);      // constructs
Str& str_concat_cs(Str& out, const char* a, const Str& b);  // constructs
Str& str_concat_sc(Str& out, const Str& a, const char* b);  // constructs
Str& str_concat_cn(Str& out, const char* a, double n);      // constructs
Str& str_concat_sn(Str& out, const Str& a, double n);       // constructs

// Numbers and text
void str_from_num(Str& out, double value);  // constructs
Str& str_format_num(Str& out, double width, double decimals, double value);
void str_from_int(Str& out, int value);  // constructs
double str_to_num(const Str& s);
int str_to_int(const Str& s);

// Case and pieces
void str_upper(Str& s);
void str_lower(Str& s);
Str& str_lower_copy(Str& out, const Str& s);
Str& str_mid(Str& out, const Str& s, int start, int count);

// Comparisons: byte-wise strcmp order on unsigned bytes; results 0/1.
int str_eq(const Str& a, const Str& b);
int str_eq_cs(const char* a, const Str& b);
int str_eq_sc(const Str& a, const char* b);
int str_ne(const Str& a, const Str& b);
int str_ne_cs(const char* a, const Str& b);
int str_ne_sc(const Str& a, const char* b);
int str_lt(const Str& a, const Str& b);
int str_lt_cs(const char* a, const Str& b);
int str_lt_sc(const Str& a, const char* b);
int str_gt(const Str& a, const Str& b);
int str_gt_cs(const char* a, const Str& b);
int str_gt_sc(const Str& a, const char* b);
int str_le(const Str& a, const Str& b);
int str_le_cs(const char* a, const Str& b);
int str_le_sc(const Str& a, const char* b);
int str_ge(const Str& a, const Str& b);
int str_ge_cs(const char* a, const Str& b);
int str_ge_sc(const Str& a, const char* b);
// Text against number: the text's numeric value compared with the number.
int str_eq_num(const Str& a, double n);
int str_lt_num(const Str& a, double n);
int str_gt_num(const Str& a, double n);

// Cipher and encodings
Str& str_encrypt(Str& out, const Str& key, const Str& text);
Str& str_decrypt(Str& out, const Str& key, Str& hex);  // lower-cases hex in place
Str& str_hex(Str& out, const uint8_t* bytes, int count, int upper);
Str& str_url_encode(Str& out, const Str& s);

double math_min(double a, double b);
