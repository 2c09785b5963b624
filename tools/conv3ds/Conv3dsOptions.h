// The converter's command line: [-r] [-s<scale>] -o <output .x> <input .3ds>, with any other
// switch accepted and ignored.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct Conv3dsOptions {
  bool reverse = false;  // -r: faces wound the other way round
  double scale = 1.0;    // -s<scale>: every position multiplied by it
  std::string output;    // -o <path>
  std::string input;
};

// Nothing when the line lacks an input or an output, or a scale is not a number.
std::optional<Conv3dsOptions> ParseConv3dsOptions(const std::vector<std::string>& arguments);
