// Tolvane's copy service against cp, on the same files in the same folder.
#pragma once

#include <ostream>
#include <vector>

#include "bench/options.h"
#include "bench/table.h"

namespace bench {

std::vector<Row> RunCopyBenchmarks(const Options& options, std::ostream& log);

}  // namespace bench
