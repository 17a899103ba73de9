// Every test program starts on the headless platform; tests that need another install it themselves.
#include <gtest/gtest.h>

#include <memory>

#include "engine/platform/headless/headless_platform.h"
#include "engine/platform/seam.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  SetPlatform(std::make_shared<HeadlessPlatform>());
  const int result = RUN_ALL_TESTS();
  SetPlatform(nullptr);
  return result;
}
