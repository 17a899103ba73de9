// Program entry.
#include "app/embedded_table.h"

int main() {
  // Until the engine exists the program only checks that its assets are built in.
  return kEmbeddedFileCount == 29 ? 0 : 1;
}
