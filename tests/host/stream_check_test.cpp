// The strict stream check behind verify and list.
#include "tools/mkpackage/stream_check.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include "tests/host/test_support.h"
#include "tools/mkpackage/package_builder.h"

namespace {

using host_test::Bytes;
using host_test::NoiseBytes;
using mkpackage::CheckZlibStream;
using mkpackage::CompressZlib;

Bytes CompressWithDictionary(std::span<const uint8_t> content) {
  z_stream stream{};
  EXPECT_EQ(deflateInit(&stream, Z_DEFAULT_COMPRESSION), Z_OK);
  const Bytes dictionary(64, 'd');
  deflateSetDictionary(&stream, dictionary.data(), static_cast<uInt>(dictionary.size()));
  Bytes out(deflateBound(&stream, static_cast<uLong>(content.size())));
  stream.next_in = const_cast<Bytef*>(content.data());
  stream.avail_in = static_cast<uInt>(content.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

TEST(CheckZlibStream, CompleteStreamReportsItsUncompressedSize) {
  const Bytes content = NoiseBytes(100000, 21);
  const auto check = CheckZlibStream(CompressZlib(content));
  EXPECT_TRUE(check.Ok()) << check.problem;
  EXPECT_EQ(check.uncompressedSize, content.size());
}

TEST(CheckZlibStream, EmptyContentIsAValidStream) {
  EXPECT_TRUE(CheckZlibStream(CompressZlib(Bytes{})).Ok());
}

TEST(CheckZlibStream, BytesAfterTheStreamEndAreCountedAndOnlyTheStrictViewRefusesThem) {
  Bytes stored = CompressZlib(NoiseBytes(500, 2));
  stored.push_back(0);
  const auto check = CheckZlibStream(stored);
  EXPECT_TRUE(check.Ok()) << check.problem;
  EXPECT_EQ(check.trailingBytes, 1u);
  EXPECT_EQ(check.uncompressedSize, 500u);
  EXPECT_EQ(check.StrictProblem(), "zlib stream ends 1 bytes before the stored data does");
  EXPECT_EQ(CheckZlibStream(CompressZlib(NoiseBytes(500, 2))).StrictProblem(), "");
}

TEST(CheckZlibStream, RefusesEveryCutShortStream) {
  const Bytes stored = CompressZlib(NoiseBytes(3000, 4));
  for (size_t size = 0; size < stored.size(); ++size) {
    const Bytes cut = host_test::ExactPrefix(stored, size);
    EXPECT_FALSE(CheckZlibStream(cut).Ok()) << size;
  }
}

TEST(CheckZlibStream, RefusesABadChecksum) {
  Bytes stored = CompressZlib(NoiseBytes(500, 6));
  stored.back() ^= 0x80;
  const auto check = CheckZlibStream(stored);
  EXPECT_FALSE(check.Ok());
  EXPECT_NE(check.problem.find("incorrect data check"), std::string::npos) << check.problem;
}

TEST(CheckZlibStream, RefusesAStreamNeedingADictionary) {
  const auto check = CheckZlibStream(CompressWithDictionary(NoiseBytes(200, 8)));
  EXPECT_FALSE(check.Ok());
  EXPECT_NE(check.problem.find("dictionary"), std::string::npos) << check.problem;
}

}  // namespace
