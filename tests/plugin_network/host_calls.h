// A window on the host calls the plug-in makes, for the tests of this program.
//
// The program defines a handful of host calls itself (host_calls.cpp) and exports them,
// so that the modules it loads reach these definitions first; each one notes the call
// and forwards to the stand-in host's own implementation. Two of them can also be made
// to fail, as a host might: the lookup of "Earth" and vessel creation.
#pragma once

#include <string>
#include <vector>

#include "host/host.h"

namespace host_calls {

// One line per noted call, in order: "open PATH", "close PATH", "InitLib",
// "register LABEL | DESCRIPTION", "unregister", "create NAME CLASS".
std::vector<std::string>& Calls();
// The status records handed to oapiCreateVesselEx, in order.
std::vector<VesselCreateStatus>& CreateRecords();

// While set, oapiGetObjectByName("Earth") finds nothing.
extern bool hideEarth;
// While set, oapiCreateVesselEx creates nothing and answers null.
extern bool refuseCreation;

// Forgets the noted calls and switches both faults off.
void Reset();

}  // namespace host_calls
