#include "engine/media/embedded.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <unordered_map>

namespace {

struct EmbeddedBlob {
  const uint8_t* data;
  size_t size;
};

// Sounds may be decoded on a worker thread while the main thread looks up images, so the table is
// guarded even though it is filled only at start-up.
std::mutex& RegistryMutex() {
  static std::mutex mutex;
  return mutex;
}

std::unordered_map<std::string, EmbeddedBlob>& Registry() {
  static std::unordered_map<std::string, EmbeddedBlob> registry;
  return registry;
}

}  // namespace

int RegisterEmbedded(const std::string& name, const uint8_t* data, size_t size) {
  std::lock_guard<std::mutex> lock(RegistryMutex());
  return Registry().try_emplace(name, EmbeddedBlob{data, size}).second ? 1 : 0;
}

bool IncbinLookup(const std::string& name, const uint8_t** data, size_t* size) {
  std::lock_guard<std::mutex> lock(RegistryMutex());
  const auto it = Registry().find(name);
  const bool found = it != Registry().end();
  if (data) *data = found ? it->second.data : nullptr;
  if (size) *size = found ? it->second.size : 0;
  return found;
}

void ClearEmbeddedRegistry() {
  std::lock_guard<std::mutex> lock(RegistryMutex());
  Registry().clear();
}

void ReleaseEmbeddedPages(const uint8_t* data, size_t size) {
  static const uintptr_t page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
  const uintptr_t begin = (reinterpret_cast<uintptr_t>(data) + page - 1) / page * page;
  const uintptr_t end = (reinterpret_cast<uintptr_t>(data) + size) / page * page;
  // Reclaiming never changes the contents (unlike dropping them), so this is safe on any memory; where
  // the kernel does not offer it nothing happens.
  if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_PAGEOUT);
}
