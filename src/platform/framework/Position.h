// A place in a framework collection, handed out by the collection and only given back to it.
#pragma once

struct PositionTag;
using POSITION = PositionTag*;
