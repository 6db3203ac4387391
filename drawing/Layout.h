// Where the boxes of a drawing stand and how its relations run between them.
#pragma once

#include <cstdint>

#include "drawing/Drawing.h"

// The box's text at zoom level 10: about this many pixels per character and per line,
// and a margin around it all.
inline constexpr std::int32_t kCharacterWidth = 7;
inline constexpr std::int32_t kLineHeight = 15;
inline constexpr std::int32_t kTextMargin = 10;

// Sets the box's width and height to its panel's text, on UMLet's grid of 10.
void SizeToText(Box& box);

// Sizes every box to its text and places it as a tidy tree: each class below its
// superclass (the tree edges), siblings side by side, the trees in rows. No box overlaps
// another. Every relation runs in straight horizontal and vertical pieces between its
// boxes' borders, through the free bands between the rows of boxes and a free column to
// their right, so that it crosses no box; a tree edge runs from the middle of the
// subclass's top to the middle of the superclass's bottom.
void LayOut(Drawing& drawing);
