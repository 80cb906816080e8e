// What the runner measures, where, and with which programs.
#pragma once

#include <string>

namespace bench {

struct Options {
  int runs = 7;        // timed runs per figure for the quick ones
  int largeRuns = 5;   // timed runs per figure for the 1 GiB copies
  long largeMib = 1024;
  int smallCount = 2000;
  long smallBytes = 4096;
  std::string dir;     // scratch folder for the copies; must be on a real disk
  std::string driver;
  std::string tolvane;
  std::string baseline;
  std::string display = ":97";
  bool copy = true;
  bool startup = true;
  bool verbose = false;
};

}  // namespace bench
