#include "common/register_assets.h"

#include "common/embedded_table.h"
#include "engine/media/media.h"

int RegisterAssets() {
  int registered = 0;
  for (int i = 0; i < kEmbeddedFileCount; ++i) {
    const EmbeddedFile& file = kEmbeddedFiles[i];
    registered += RegisterEmbedded(file.name, file.begin, static_cast<size_t>(file.end - file.begin));
  }
  return registered;
}
