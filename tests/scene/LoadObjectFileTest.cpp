// Object files: the notice, the versions' layouts, and damaged fields.
#include <cstring>

#include "LoadMeshTestSupport.h"
#include "scene/ObjectFile.h"

namespace {

TEST(LoadObjectFile, VersionsPlaceTheirFieldsAndTheMeshFollowsTheThumbnail) {
  const std::vector<objects::PartRecord> parts{{std::string("Seat\0junk", 9), true}, {std::string(255, 'n'), false}};
  const auto v3 = ObjectFileOf({-2, true, {255, 0, 51}, true}, parts, "xof 0302txt 0032");
  for (std::uint8_t version = 0; version <= 3; ++version) {
    SCOPED_TRACE(int{version});
    auto bytes = v3;
    bytes[288] = version;
    // Before version 2 there is no line colour, two-sided byte or flag byte.
    if (version < 2) bytes.erase(bytes.begin() + 297, bytes.begin() + 302);
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
  auto bytes = ObjectFileOf({}, {}, "");
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

TEST(LoadObjectFile, EachKindOfDamagedFieldRefusesTheFileKeepingWhatCameBefore) {
  // Part "a" at 306, the bitmap header at 309, its information header at 323.
  const auto whole = ObjectFileOf({5, false, {}, false}, {{"a", true}}, "");
  const struct {
    const char* what;
    std::size_t at;
    std::uint8_t value;
  } cases[] = {{"version 4", 288, 4},       {"cartoon 2", 296, 2}, {"two-sided 2", 300, 2},
               {"name length 0", 306, 0},   {"lit 2", 308, 2},     {"no BM", 310, 'N'},
               {"info size 41", 323, 41},   {"width 47", 327, 47}, {"compression 1", 339, 1}};
  for (const auto& c : cases) {
    auto bytes = whole;
    bytes[c.at] = c.value;
    ObjectFileHeader h;
    EXPECT_EQ(ReadObjectFile(bytes, &h), ObjectFileRead::kDamaged) << c.what;
    if (c.at > 288) {
      EXPECT_EQ(h.quality, 5) << c.what;
    }
  }
  auto bits = whole;
  bits[337] = 8;
  ObjectFileHeader h;
  EXPECT_EQ(ReadObjectFile(bits, &h), ObjectFileRead::kRead) << "the bit count is not looked at";
  // Every cut inside the header or thumbnail is damage, the last byte of the thumbnail included.
  for (std::size_t size = kObjectFileNoticeSize; size < whole.size(); size += 97)
    EXPECT_EQ(ReadObjectFile(std::span(whole).first(size), &h), ObjectFileRead::kDamaged) << size;
  EXPECT_EQ(ReadObjectFile(std::span(whole).first(whole.size() - 1), &h), ObjectFileRead::kDamaged);
}

}  // namespace
