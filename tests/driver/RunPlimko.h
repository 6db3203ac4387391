// Running the built plimko executable in a directory of its own.
#pragma once

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/Process.h"

// Every stamp of a run made through RunPlimko reads "3/7/2014 9:5" (UTC).
inline constexpr const char* kFixedEpoch = "1394183100";

// Runs plimko in the directory with empty standard input and the fixed clock.
inline ProcessResult RunPlimko(const std::vector<std::string>& args, const std::string& workDir) {
  return RunProcess(PLIMKO_EXE, args, workDir, {{"SOURCE_DATE_EPOCH", kFixedEpoch}}, "", 120);
}

// Standard output of a run that converted the diagram, and of one that failed.
inline const std::string kDoneConsole = "plimko running ...\nDone.\n";
inline const std::string kFailedConsole = "plimko running ...\n";

// Standard error of a run that failed before the read phase.
inline std::string FatalReport(const std::string& message) {
  return ")-8 " + message +
         " B-(\n\nUsage: plimko [-f FORMAT] [-p NAME] path/to/diagram.uxf [output/directory]\n";
}

// A test name made of a case's file name: every character but letters and digits is "_".
inline std::string CaseTestName(const testing::TestParamInfo<std::string>& info) {
  std::string name = info.param;
  std::replace_if(
      name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); },
      '_');
  return name;
}
