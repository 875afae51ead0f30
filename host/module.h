// The module contract: what plug-ins and vessel modules export, and the host's date
// number used for module versions.
//
// The host loads a module, lets the module's static initialisations run, calls its
// entry point DllMain with DLL_PROCESS_ATTACH, then InitModule. At unload it calls
// ExitModule, then DllMain with DLL_PROCESS_DETACH, then releases the module.
#pragma once

#include "vessel.h"

// Exported by name, with C linkage.
#define DLLCLBK extern "C" __attribute__((visibility("default")))

// Plug-in and vessel module exports:
//   DLLCLBK void InitModule(HINSTANCE instance);
//   DLLCLBK void ExitModule(HINSTANCE instance);
//   DLLCLBK int GetModuleVersion();
//   DLLCLBK const char* ModuleDate();
//   DLLCLBK BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);
//   DLLCLBK const ResourceTable* ModuleResources();          (modules with resources)
// Plug-in only:
//   DLLCLBK void opcPostStep(double simt, double simdt, double mjd);
//   DLLCLBK void opcSaveState(FILEHANDLE scenario);
//   DLLCLBK void opcLoadState(FILEHANDLE scenario);
// Vessel modules only:
//   DLLCLBK VESSEL* ovcInit(OBJHANDLE handle, int flight_model);
//   DLLCLBK void ovcExit(VESSEL* vessel);

typedef void (*InitModuleFunc)(HINSTANCE);
typedef void (*ExitModuleFunc)(HINSTANCE);
typedef int (*GetModuleVersionFunc)();
typedef const char* (*ModuleDateFunc)();
typedef BOOL (*DllMainFunc)(HINSTANCE, DWORD, LPVOID);
typedef void (*PostStepFunc)(double simt, double simdt, double mjd);
typedef void (*ScenarioStateFunc)(FILEHANDLE);
typedef VESSEL* (*VesselInitFunc)(OBJHANDLE, int);
typedef void (*VesselExitFunc)(VESSEL*);

// The host's date number of a "Mmm dd yyyy" text (English three-letter month, the day
// possibly padded with a blank, as the compiler's __DATE__ writes it): the decimal
// number yyyymmdd, so "Aug 30 2010" gives 20100830 and later dates give larger numbers.
// Text that does not read as such a date gives 0.
inline int Date2Int(const char* date) {
    static const char* const months[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    if (!date) return 0;
    int month = 0;
    for (int m = 0; m < 12; ++m) {
        if (date[0] == months[m][0] && date[1] == months[m][1] && date[2] == months[m][2]) month = m + 1;
    }
    if (month == 0 || date[3] != ' ') return 0;
    const char* p = date + 4;
    if (*p == ' ') ++p;
    int day = 0, digits = 0;
    while (*p >= '0' && *p <= '9' && digits < 2) { day = day * 10 + (*p++ - '0'); ++digits; }
    if (digits == 0 || day < 1 || day > 31 || *p != ' ') return 0;
    ++p;
    int year = 0;
    digits = 0;
    while (*p >= '0' && *p <= '9' && digits < 4) { year = year * 10 + (*p++ - '0'); ++digits; }
    if (digits != 4 || *p != '\0') return 0;
    return year * 10000 + month * 100 + day;
}
