// Tolvane's start-up against a minimal Qt dialog, both under one Xvfb.
#pragma once

#include <ostream>
#include <vector>

#include "bench/options.h"
#include "bench/table.h"

namespace bench {

std::vector<Row> RunStartupBenchmarks(const Options& options, std::ostream& log);

}  // namespace bench
