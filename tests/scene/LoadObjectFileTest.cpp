// Object files: the notice decides the kind, versions 0-3 place the part count at 297 or 302,
// every damaged field refuses the file, and what was read before the damage is kept.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "scene/ObjectFile.h"
#include "scene/ObjectFileWriter.h"

namespace {

TEST(LoadObjectFile, VersionsPlaceTheirFieldsAndTheMeshFollowsTheThumbnail) {
  for (std::uint32_t version = 0; version <= 3; ++version) {
    SCOPED_TRACE(version);
    ObjectFileWriter w;
    w.version = version;
    w.quality = -2;
    w.cartoon = 1;
    w.rgb = {255, 0, 51};
    w.twoSided = 1;
    w.parts = {{std::string("Seat\0junk", 9), 1}, {std::string(255, 'n'), 0}};
    w.mesh = "xof 0302txt 0032";
    const auto bytes = w.Bytes();
    const std::size_t countAt = version >= 2 ? 302 : 297;
    EXPECT_EQ(bytes[countAt], 2);
    ObjectFileHeader h;
    ASSERT_EQ(ReadObjectFile(bytes, &h), ObjectFileRead::kRead);
    EXPECT_EQ(h.quality, -2);
    EXPECT_EQ(h.cartoon, true);
    EXPECT_EQ(h.lineColor.has_value(), version >= 2);
    EXPECT_EQ(h.twoSided.has_value(), version >= 2);
    if (version >= 2) {
      EXPECT_EQ(h.lineColor->at(2), 51);
    }
    EXPECT_EQ(h.partNames, (std::vector<std::string>{"Seat", std::string(255, 'n')}));
    EXPECT_EQ(h.partLit, (std::vector<std::uint8_t>{1, 0}));
    EXPECT_EQ(h.thumbnailPixels, countAt + 4 + (9 + 2) + (255 + 2) + 54);
    EXPECT_EQ(h.meshOffset, bytes.size() - 16);
  }
}

TEST(LoadObjectFile, TheWholeNoticeDecidesTheKind) {
  ObjectFileWriter w;
  auto bytes = w.Bytes();
  ObjectFileHeader h;
  EXPECT_EQ(ReadObjectFile(bytes, &h), ObjectFileRead::kRead);
  EXPECT_EQ(h.meshOffset, bytes.size()) << "a file ending after the thumbnail has 0 bytes of mesh";
  bytes[287] = ' ';
  EXPECT_EQ(ReadObjectFile(bytes, &h), ObjectFileRead::kNotObjectFile);
  const std::vector<std::uint8_t> shortFile(ObjectFileNotice().begin(), ObjectFileNotice().end() - 1);
  EXPECT_EQ(ReadObjectFile(shortFile, &h), ObjectFileRead::kNotObjectFile);
  EXPECT_EQ(ObjectFileNotice()[285], '\r');
  EXPECT_EQ(std::strlen(ObjectFileNotice().data()), 287u);
}

TEST(LoadObjectFile, EveryDamagedFieldRefusesTheFileKeepingWhatCameBefore) {
  struct Case {
    const char* what;
    void (*damage)(ObjectFileWriter&);
  };
  const Case cases[] = {
      {"version 4", [](ObjectFileWriter& w) { w.version = 4; }},
      {"cartoon 2", [](ObjectFileWriter& w) { w.cartoon = 2; }},
      {"two-sided 2", [](ObjectFileWriter& w) { w.twoSided = 2; }},
      {"flag 2", [](ObjectFileWriter& w) { w.flag = 2; }},
      {"name length 0", [](ObjectFileWriter& w) { w.parts = {{"", 1}}; }},
      {"lit 2", [](ObjectFileWriter& w) { w.parts = {{"a", 2}}; }},
      {"no BM", [](ObjectFileWriter& w) { w.bm[1] = 'N'; }},
      {"info size 41", [](ObjectFileWriter& w) { w.infoSize = 41; }},
      {"width 47", [](ObjectFileWriter& w) { w.width = 47; }},
      {"height -48", [](ObjectFileWriter& w) { w.height = static_cast<std::uint32_t>(-48); }},
      {"planes 2", [](ObjectFileWriter& w) { w.planes = 2; }},
      {"compression 1", [](ObjectFileWriter& w) { w.compression = 1; }},
      {"thumbnail cut", [](ObjectFileWriter& w) { w.pixelBytes = 6911; }},
  };
  for (const Case& c : cases) {
    ObjectFileWriter w;
    w.version = 2;
    w.quality = 5;
    c.damage(w);
    ObjectFileHeader h;
    EXPECT_EQ(ReadObjectFile(w.Bytes(), &h), ObjectFileRead::kDamaged) << c.what;
    if (w.version <= 3) {
      EXPECT_EQ(h.quality, 5) << c.what;
    }
  }
  ObjectFileWriter bits;
  bits.bitCount = 8;
  ObjectFileHeader h;
  EXPECT_EQ(ReadObjectFile(bits.Bytes(), &h), ObjectFileRead::kRead) << "the bit count is not looked at";
  // Every cut inside the header or thumbnail is damage.
  const auto whole = ObjectFileWriter().Bytes();
  for (std::size_t size = kObjectFileNoticeSize; size < whole.size(); size += 97)
    EXPECT_EQ(ReadObjectFile(std::span(whole).first(size), &h), ObjectFileRead::kDamaged) << size;
}

}  // namespace
