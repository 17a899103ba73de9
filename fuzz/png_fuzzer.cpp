// Feeds arbitrary bytes to the PNG decoder and to the image loaders that use it.
#include <cstddef>
#include <cstdint>

#include "engine/media/decoders.h"
#include "engine/media/embedded.h"
#include "engine/media/image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TRamStream stream(data, size);
  auto pixmap = DecodePng(stream);
  if (pixmap) {
    // Every decoded row must be addressable in full.
    volatile uint8_t sink = pixmap->Row(pixmap->height - 1)[pixmap->pitch - 1];
    (void)sink;
  }

  ClearEmbeddedRegistry();
  RegisterEmbedded("fuzz.png", data, size);
  LoadImage("incbin::fuzz.png", 1);  // masking runs when the image has no alpha
  LoadStripImage("incbin::fuzz.png", 3, 2, 1, 2, -1);
  return 0;
}
