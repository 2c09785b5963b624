// Binary .x with skin weights, 64-bit reals and 16-bit string ends, and compressed text and binary
// files load the same mesh as the text cube.
#include <zlib.h>

#include <cstring>
#include <string>

#include "platform/d3drm/XLoadTestSupport.h"

namespace {

// Compresses as exporters do: blocks of `blockSize` bytes, each "CK" and raw deflate using earlier blocks.
std::vector<std::uint8_t> Compress(const char* header, const std::vector<std::uint8_t>& body, std::size_t blockSize) {
  std::vector<std::uint8_t> out(header, header + 16);
  const auto put16 = [&](std::size_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
  };
  const std::size_t total = body.size() + 16;
  put16(total & 0xFFFF);
  put16(total >> 16);
  z_stream z{};
  EXPECT_EQ(deflateInit2(&z, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY), Z_OK);
  for (std::size_t start = 0; start < body.size(); start += blockSize) {
    const std::size_t size = std::min(blockSize, body.size() - start);
    EXPECT_EQ(deflateReset(&z), Z_OK);
    EXPECT_EQ(start == 0 ? Z_OK : deflateSetDictionary(&z, body.data(), static_cast<uInt>(start)), Z_OK);
    std::vector<std::uint8_t> packed(deflateBound(&z, size));
    z.next_in = const_cast<Bytef*>(body.data() + start);
    z.avail_in = static_cast<uInt>(size);
    z.next_out = packed.data();
    z.avail_out = static_cast<uInt>(packed.size());
    EXPECT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
    packed.resize(packed.size() - z.avail_out);
    put16(size);
    put16(packed.size() + 2);
    out.push_back('C');
    out.push_back('K');
    out.insert(out.end(), packed.begin(), packed.end());
  }
  deflateEnd(&z);
  return out;
}

std::vector<std::uint8_t> BodyOf(const std::vector<std::uint8_t>& file) { return {file.begin() + 16, file.end()}; }

class XFormsTest : public XLoadTest {
 protected:
  // Loads `bytes` with a fresh builder and expects the same groups as the text cube.
  void ExpectTextCube(const std::vector<std::uint8_t>& bytes) {
    const auto expected = LoadFresh(ReadFixture("x/cube.x"));
    const auto mesh = LoadFresh(bytes);
    ASSERT_EQ(mesh->GetGroupCount(), expected->GetGroupCount());
    for (D3DRMGROUPINDEX g = 0; g < static_cast<D3DRMGROUPINDEX>(mesh->GetGroupCount()); ++g) {
      SCOPED_TRACE(g);
      EXPECT_EQ(Faces(mesh.get(), g), Faces(expected.get(), g));
      const auto vertices = Vertices(mesh.get(), g);
      const auto wanted = Vertices(expected.get(), g);
      ASSERT_EQ(vertices.size(), wanted.size());
      EXPECT_EQ(std::memcmp(vertices.data(), wanted.data(), vertices.size() * sizeof vertices[0]), 0);
      EXPECT_EQ(mesh->GetGroupColor(g), expected->GetGroupColor(g));
      EXPECT_EQ(NameOf(MaterialOf(mesh.get(), g).get()), NameOf(MaterialOf(expected.get(), g).get()));
      EXPECT_EQ(MaterialOf(mesh.get(), g)->GetPower(), MaterialOf(expected.get(), g)->GetPower());
      EXPECT_EQ(NameOf(TextureOf(mesh.get(), g).get()), NameOf(TextureOf(expected.get(), g).get()));
    }
  }
};

TEST_F(XFormsTest, SkinnedBinaryWith64BitRealsAndBothStringEnds) {
  for (bool shortEnds : {true, false}) {
    SCOPED_TRACE(shortEnds);
    XBinaryWriter x("xof 0303bin 0064");
    if (shortEnds) x.ShortStringEnds();
    ExpectTextCube(BinaryCube(nullptr, nullptr, x, true).bytes());
  }
}

TEST_F(XFormsTest, CompressedTextAndBinaryInflateAcrossBlocks) {
  // 700-byte blocks make later blocks refer back into earlier ones.
  ExpectTextCube(Compress("xof 0303tzip0032", BodyOf(ReadFixture("x/cube.x")), 700));
  ExpectTextCube(Compress("xof 0303bzip0032", BodyOf(BinaryCube().bytes()), 300));
  ExpectTextCube(Compress("xof 0303bzip0064", BodyOf(BinaryCube(nullptr, nullptr, XBinaryWriter("xof 0303bin 0064"), true).bytes()), 50000));
}

TEST_F(XFormsTest, DamagedCompressedDataIsABadFile) {
  const auto good = Compress("xof 0303tzip0032", BodyOf(ReadFixture("x/cube.x")), 700);
  auto noSignature = good;
  noSignature[24] = 'X';  // the first block's "CK"
  auto cut = good;
  cut.resize(good.size() - 3);
  auto tooLong = good;
  tooLong[20] = 0xFF;  // the first block stands for more bytes than it inflates to
  auto garbage = good;
  for (std::size_t i = 26; i < 60; ++i) garbage[i] ^= 0x5A;
  for (const auto* bytes : {&noSignature, &cut, &tooLong, &garbage}) EXPECT_EQ(LoadBytes(*bytes), D3DRMERR_BADFILE);
}

}  // namespace
