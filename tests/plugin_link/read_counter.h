// Counts the plug-in's integer reads, per file and key.
//
// The program defines oapiReadItem_int itself (read_counter.cpp) and exports it, so that
// the plug-in reaches this definition first; it counts the read and forwards it to the
// stand-in host's own implementation.
#pragma once

#include <string>

#include "host/host.h"

namespace read_counter {

// Integer reads of `key` on `file` since the last Reset().
int Reads(FILEHANDLE file, const std::string& key);
void Reset();

}  // namespace read_counter
