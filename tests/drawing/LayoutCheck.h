// What a layout must never do, as text that names each fault.
#pragma once

#include <string>

#include "drawing/Drawing.h"

// Each fault on a line of its own: two boxes that share a point, a relation piece that is
// not horizontal or vertical or that runs through a box, a relation end that is not on
// its own box's border or that is on another box's border. Empty when there is none.
std::string LayoutFaults(const Drawing& drawing);
