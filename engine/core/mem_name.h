// "mem://" names: "mem://%8x.%8x" of a length and an address. Only buffers the runtime handed out
// and that are still alive are accepted; any other name does not resolve.
#pragma once
#include <cstdint>
#include <string>

bool mem_name_is(const char* name);  // begins with "mem://"
std::string mem_name_register(const uint8_t* data, uint32_t size);
void mem_name_release(const uint8_t* data);
bool mem_name_lookup(const char* name, const uint8_t** data, uint32_t* size);
