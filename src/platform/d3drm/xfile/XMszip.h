// The compressed .x forms ("tzip", "bzip"): after the 16-byte header a 32-bit size of the whole
// uncompressed file, then blocks of a 16-bit uncompressed size, a 16-bit compressed size and that
// many bytes: "CK" and one raw deflate stream whose history is the output of the blocks before.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace d3drm::xfile {

// Inflates the blocks that follow the header into the body they stand for (the data after the
// header of the uncompressed file). False for damaged data.
bool InflateMszipBody(std::span<const std::uint8_t> afterHeader, std::vector<std::uint8_t>* body);

}  // namespace d3drm::xfile
