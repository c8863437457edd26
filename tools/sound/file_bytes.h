// Writing a whole file from memory.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace snd {

// Writes `bytes` to `path`, replacing the file. On failure returns false with a message.
bool write_file_bytes(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error);

}  // namespace snd
