// The frame of a method protocol section: its header and its end.
#pragma once

#include <string_view>

#include "model/ElemType.h"

// "!", the class name, the header piece and the stamp, without a line end; the
// first method ends the line.
void WriteSectionHeader(const PClassType& cls, std::string_view piece);
// " !", a line end and an empty line.
void WriteSectionEnd();
