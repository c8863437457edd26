// "mem://" names: "mem://%8x.%8x" of a length and an address. Only buffers the runtime handed out
// and that are still alive are accepted; any other name does not resolve.
#pragma once
#include <cstdint>
#include <string>

bool mem_name_is(const char* name);  // begins with "mem://"
// Records a live buffer and returns its name. Registering the same address again replaces its size.
std::string mem_name_register(const uint8_t* data, uint32_t size);
// Forgets a buffer; its name stops resolving. Unknown addresses are ignored.
void mem_name_release(const uint8_t* data);
// Parses a name and finds it among the live buffers: the address must be registered and the length
// must be the registered length. Anything else (malformed, unknown, stale) returns false.
bool mem_name_lookup(const char* name, const uint8_t** data, uint32_t* size);
// Number of live buffers (for leak checks).
size_t mem_name_live_count();
