// The embedded-file registry, URL splitting and memory streams.
#include <gtest/gtest.h>

#include "engine/media/embedded.h"
#include "engine/media/stream.h"

namespace {

const uint8_t kFirst[] = {1, 2, 3};
const uint8_t kSecond[] = {9, 9};

TEST(MediaRegistry, SecondRegistrationOfANameKeepsTheFirst) {
  ClearEmbeddedRegistry();
  EXPECT_EQ(RegisterEmbedded("../Images/font.png", kFirst, sizeof kFirst), 1);
  EXPECT_EQ(RegisterEmbedded("../Images/font.png", kSecond, sizeof kSecond), 0);
  const uint8_t* data = nullptr;
  size_t size = 0;
  ASSERT_TRUE(IncbinLookup("../Images/font.png", &data, &size));
  EXPECT_EQ(data, kFirst);
  EXPECT_EQ(size, sizeof kFirst);
  auto stream = OpenStream("incbin::../Images/font.png");
  ASSERT_TRUE(stream);
  EXPECT_EQ(stream->Size(), sizeof kFirst);

  EXPECT_FALSE(IncbinLookup("missing", &data, &size));
  EXPECT_EQ(data, nullptr);
  EXPECT_EQ(size, 0u);
}

TEST(MediaRegistry, ProtocolIgnoresCaseButNamesDoNot) {
  ClearEmbeddedRegistry();
  RegisterEmbedded("../Images/font.png", kFirst, sizeof kFirst);
  EXPECT_TRUE(OpenStream("INCBIN::../Images/font.png"));
  EXPECT_TRUE(OpenStream("InCbIn::../Images/font.png"));
  EXPECT_FALSE(OpenStream("incbin::../images/font.png"));
  EXPECT_FALSE(OpenStream("incbin::../Images/FONT.png"));
  // Plain paths and other protocols read nothing: the program has no files.
  EXPECT_FALSE(OpenStream("../Images/font.png"));
  EXPECT_FALSE(OpenStream("http::../Images/font.png"));

  const SplitUrlResult split = SplitUrl("IncBin::a::b");
  EXPECT_TRUE(split.has_protocol);
  EXPECT_EQ(split.protocol, "incbin");
  EXPECT_EQ(split.path, "a::b");  // only the first "::" separates
  EXPECT_FALSE(SplitUrl("no-protocol").has_protocol);
}

TEST(MediaStream, ReadsInPlaceAndFailsStickilyWhenDataRunsOut) {
  ClearEmbeddedRegistry();
  const uint8_t bytes[] = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07};
  RegisterEmbedded("blob", bytes, sizeof bytes);
  auto stream = OpenStream("incbin::blob");
  ASSERT_TRUE(stream);
  EXPECT_EQ(stream->ReadU32LE(), 0x04030201u);
  EXPECT_EQ(stream->ReadU16LE(), 0x0605u);
  EXPECT_FALSE(stream->Failed());
  EXPECT_EQ(stream->ReadU16LE(), 0u);  // one byte left
  EXPECT_TRUE(stream->Failed());
  EXPECT_TRUE(stream->Eof());
  stream->ClearFailure();

  stream->Seek(100);  // clamped
  EXPECT_EQ(stream->Pos(), sizeof bytes);
  stream->Seek(2);
  uint8_t out[8] = {};
  EXPECT_EQ(stream->Read(out, 8), 5u);
  EXPECT_EQ(out[0], 3);
  EXPECT_FALSE(stream->Failed());  // a plain read just returns less

  stream->Seek(5);
  EXPECT_TRUE(stream->Skip(2));
  EXPECT_FALSE(stream->Skip(1));
  EXPECT_TRUE(stream->Failed());
  stream->ClearFailure();
  stream->Seek(0);
  EXPECT_FALSE(stream->Skip(static_cast<size_t>(-1)));  // no wrap-around of the position
  EXPECT_EQ(stream->Pos(), sizeof bytes);
}

}  // namespace
