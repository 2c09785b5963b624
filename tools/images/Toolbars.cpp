#include "Toolbars.h"

namespace images {
namespace {

const std::vector<int> kBeginner{57643, 57644, 10302, 10001, 33125, 33014, 33128,
                                 33066, 33065, 33071, 33060, 33106, 33110, 33118};

}  // namespace

const std::vector<ToolbarStrip>& ToolbarStrips() {
  static const std::vector<ToolbarStrip> strips{
      {161, 32, 29, kBeginner},  // the Beginner toolbar on screens narrower than 800 pixels
      {153, 40, 34, kBeginner},  // and on wider ones
      {12, 16, 15, {57635, 57634, 57637, 57632, 57643, 10005, 57644, 33137, 33120, 10001, 32991, 32992, 33014}},
      {7, 19, 17, {33125, 33086, 33126, 33128, 33066, 33081, 33065, 33071, 33061, 33060, 33127, 33063, 33072}},
      {9, 19, 17, {33028, 33090, 33094, 33100, 33099, 33091, 33119, 33098, 33106, 33110, 33118, 33131}},
      {127, 16, 15, {57600, 57601, 57603, 33029, 33012, 33136}},
  };
  return strips;
}

}  // namespace images
