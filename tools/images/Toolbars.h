// The toolbars' button lists: each toolbar resource's button size and its commands in button
// order, separators left out, as the image strips hold them.
#pragma once

#include <vector>

namespace images {

struct ToolbarStrip {
  int resource;
  int width, height;  // one button's image
  std::vector<int> commands;
};

const std::vector<ToolbarStrip>& ToolbarStrips();

}  // namespace images
