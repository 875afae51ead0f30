// Everything a module includes: the host's services, the vessel classes, the module
// contract, the window-system subset and the resource model.
#pragma once

#include "module.h"
#include "resources.h"
#include "winapi.h"
