// The codes that tavlo-apropos printed, read from one of its golden files (tests/apropos/golden),
// in the main window's line format: "Reason Code 2053 X805 KXRC_Q_FULL" becomes
// "2053\tx805\tKXRC_Q_FULL". Find by Words must list the same lines in the same order.
#ifndef TAVLO_TESTS_SUPPORT_APROPOS_GOLDEN_H
#define TAVLO_TESTS_SUPPORT_APROPOS_GOLDEN_H

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

inline std::vector<std::string> AproposGoldenLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line) && line != "==> stderr <==") {
    std::istringstream words(line);
    std::string kind, code, value, hex, name;
    if (words >> kind >> code >> value >> hex >> name && code == "Code")
      lines.push_back(value + "\tx" + hex.substr(1) + "\t" + name);
  }
  return lines;
}

#endif
