// Drawing a class diagram from a Tonel package: the run of --from-code.
#pragma once

#include <string>
#include <vector>

// What a drawing run reports: its notes and its closing summary, one a line.
struct FromCodeReport {
  std::vector<std::string> lines;
};

// Draws the diagram at diagramPath from the package DIR/PACKAGE/ (dir empty or ending
// with a separator), and writes it together with the copy in DIR/.plimko/PACKAGE/ that a
// Tonel run from the diagram writes; the package is never written. Both appear together
// or not at all. A diagram that is there already is not touched: that raises, as does
// every failure to read the package or to write, with nothing written.
FromCodeReport DrawFromCode(const std::string& diagramPath, const std::string& dir,
                            const std::string& package);
