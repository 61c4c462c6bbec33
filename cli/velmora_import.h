#pragma once
// velmora-import: the window's import without the window. Its files become
// exactly the bookings the window would send; they are previewed or sent.
#include <string_view>
#include <vector>

#include "cli/output.h"

namespace velmora::cli {

// Runs velmora-import with its arguments (the program's name left out);
// returns the exit status.
int Main(const std::vector<std::string_view>& arguments, const Streams& streams);

}  // namespace velmora::cli
