// UTF-8 inside the runtime, UTF-16 towards Windows (Windows only: wide_text_win32.cpp).
#pragma once
#ifdef _WIN32
#include <string>
#include <string_view>

// Sequences that are not UTF-8 become U+FFFD.
std::wstring wide_from_utf8(std::string_view text);
// Unpaired surrogates become U+FFFD.
std::string utf8_from_wide(std::wstring_view text);
// A path for the wide file calls: UTF-16, with "\" for every separator.
std::wstring wide_path(const std::string& path);
#endif
