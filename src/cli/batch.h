// fondara-calc --csv: one calculation per CSV row, read, computed and written one row
// at a time, so the memory of a batch does not grow with its rows.
#pragma once

#include <string>

#include "cli/command.h"
#include "core/kind.h"

namespace fondara::cli {

// Reads `input` and writes the results to `output` ("-" for the standard streams).
// Returns the exit code; problems are reported on streams.err.
int run_batch(const Kind& kind, const std::string& input, const std::string& output,
              const Streams& streams);

}  // namespace fondara::cli
