// A class diagram drawn from code: the panel text of its class boxes.
#include "drawing/Drawing.h"

std::vector<std::string> PanelLines(const Box& box) {
  std::vector<std::string> lines;
  if (!box.stereotype.empty()) lines.push_back("<<" + box.stereotype + ">>");
  lines.push_back(box.abstract ? "/" + box.name + "/" : box.name);
  if (box.attributes.empty() && box.operations.empty()) return lines;
  lines.emplace_back("--");
  lines.insert(lines.end(), box.attributes.begin(), box.attributes.end());
  if (box.operations.empty()) return lines;
  lines.emplace_back("--");
  lines.insert(lines.end(), box.operations.begin(), box.operations.end());
  return lines;
}
