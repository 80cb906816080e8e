// The printed result: one row per figure, Tolvane beside its reference.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace bench {

struct Row {
  std::string benchmark;
  std::string tolvane;
  std::string reference;
  std::string ratio;
  std::string goal;
  std::string met;  // "yes", "NO", or why there is no figure
};

void PrintTable(std::ostream& out, const std::vector<Row>& rows);

std::string Seconds(double seconds);
std::string Mib(long kib);
std::string Fixed(double value, int decimals);

// A row comparing two medians: ratio = tolvane / reference, met when ratio <= goal.
Row RatioRow(std::string benchmark, double tolvane, double reference, double goal,
             std::string (*format)(double));

}  // namespace bench
