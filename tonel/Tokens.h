// SCRATCH placeholder until the real comparison lands.
#pragma once
#include <string_view>
bool SameTokens(std::string_view a, std::string_view b);
