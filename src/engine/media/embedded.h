#pragma once
// The registry of files embedded in the executable, opened as "incbin::" + name.
#include <cstddef>
#include <cstdint>
#include <string>

// 1 if registered; 0 if the name was registered before (the first registration stays).
int RegisterEmbedded(const std::string& name, const uint8_t* data, size_t size);
// The bytes registered under `name` (case-sensitive); false and null/0 if there are none.
bool IncbinLookup(const std::string& name, const uint8_t** data, size_t* size);
// Hands the memory pages of bytes that have been read back to the system: the bytes stay as they are
// and are paged in again from the executable when next read. Only whole pages inside the range count.
void ReleaseEmbeddedPages(const uint8_t* data, size_t size);
// Forgets every registration (for tests).
void ClearEmbeddedRegistry();
