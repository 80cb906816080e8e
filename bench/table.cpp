#include "bench/table.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

namespace bench {

namespace {

// Column widths count characters, not bytes, so that "≤" lines up.
std::size_t Width(const std::string& text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string Pad(const std::string& text, std::size_t width) { return text + std::string(width - Width(text), ' '); }

}  // namespace

void PrintTable(std::ostream& out, const std::vector<Row>& rows) {
  const Row header{"benchmark", "tolvane", "reference", "ratio", "goal", "met"};
  std::vector<std::size_t> widths(6, 0);
  const auto fields = [](const Row& r) {
    return std::vector<const std::string*>{&r.benchmark, &r.tolvane, &r.reference, &r.ratio, &r.goal, &r.met};
  };
  for (const Row* r : {&header}) {
    auto f = fields(*r);
    for (std::size_t i = 0; i < 6; ++i) widths[i] = std::max(widths[i], Width(*f[i]));
  }
  for (const Row& r : rows) {
    auto f = fields(r);
    for (std::size_t i = 0; i < 6; ++i) widths[i] = std::max(widths[i], Width(*f[i]));
  }
  const auto line = [&](const Row& r) {
    auto f = fields(r);
    std::string text;
    for (std::size_t i = 0; i < 6; ++i) text += (i ? " | " : "") + Pad(*f[i], i == 5 ? Width(*f[i]) : widths[i]);
    out << text << '\n';
  };
  line(header);
  std::string rule;
  for (std::size_t i = 0; i < 6; ++i) rule += (i ? "-|-" : "") + std::string(widths[i], '-');
  out << rule << '\n';
  for (const Row& r : rows) line(r);
}

std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

std::string Seconds(double seconds) {
  return seconds < 1 ? Fixed(seconds * 1000, 1) + " ms" : Fixed(seconds, 3) + " s";
}

std::string Mib(long kib) { return Fixed(static_cast<double>(kib) / 1024.0, 1) + " MiB"; }

Row RatioRow(std::string benchmark, double tolvane, double reference, double goal, std::string (*format)(double)) {
  const double ratio = reference > 0 ? tolvane / reference : 0;
  return Row{std::move(benchmark), format(tolvane), format(reference), Fixed(ratio, 2),
             "≤ " + Fixed(goal, 2), ratio <= goal ? "yes" : "NO"};
}

}  // namespace bench
