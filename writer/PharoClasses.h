// The names of the classes that Pharo itself defines, sorted, built into the program.
#pragma once

#include <span>
#include <string_view>

// Generated at build time from writer/pharo-classes.txt.
std::span<const std::string_view> PharoClassNames();
