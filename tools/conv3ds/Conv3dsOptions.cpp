#include "Conv3dsOptions.h"

#include <cmath>
#include <cstdlib>

std::optional<Conv3dsOptions> ParseConv3dsOptions(const std::vector<std::string>& arguments) {
  Conv3dsOptions options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& a = arguments[i];
    if (a.size() < 2 || a[0] != '-') {
      if (!options.input.empty()) return std::nullopt;
      options.input = a;
    } else if (a == "-r") {
      options.reverse = true;
    } else if (a == "-o") {
      if (++i == arguments.size()) return std::nullopt;
      options.output = arguments[i];
    } else if (a[1] == 's') {
      char* end = nullptr;
      options.scale = std::strtod(a.c_str() + 2, &end);
      if (end == a.c_str() + 2 || *end || !std::isfinite(options.scale)) return std::nullopt;
    }
  }
  if (options.input.empty() || options.output.empty()) return std::nullopt;
  return options;
}
