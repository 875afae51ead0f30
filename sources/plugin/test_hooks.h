// What the plug-in shows of itself to tests: its module-wide variables and its routines,
// through the one export KavrinTestHooks (look it up with dlsym or Module::symbol).
// The host never calls it.
#pragma once

#include "host/host.h"

struct KavrinHooks {
    // Module-wide variables (link/globals.h); rosters point at their ROSTER_SIZE slots.
    HINSTANCE* hDLL;
    DWORD* customCmdId;
    HWND* hControlDlg;
    HWND* hMapDlg;
    FILEHANDLE* stationFile;
    FILEHANDLE* relayFile;
    FILEHANDLE* deepSpaceFile;
    OBJHANDLE* stationRoster;
    OBJHANDLE* deepSpaceRoster;
    OBJHANDLE* relayRoster;
    bool* stationFocus;
    bool* relayFocus;
    bool* deepSpaceFocus;
    bool* trackEnabled;
    VECTOR3* antennaVector;
    char* antennaFileName;
    OBJHANDLE* currentStation;
    OBJHANDLE* currentRelay;
    int* relayIndex;
    double* lastMapRefresh;
    void (*ResetGlobals)();

    // Routines of the link evaluation.
    int (*ChooseBand)(double h);
    double (*FocusAltitude)();
    double (*StationDistance)(OBJHANDLE station);
    double (*HorizonDistance)(double r);
    bool (*AboveHorizon)(double r, double d);
    bool (*EarthVisible)();
    double (*AntennaAngle)(OBJHANDLE target);
    void (*FindMinimum)(int count, const double* values, double* smallest, int* index);
    int (*ReadCount)(FILEHANDLE file);
    void (*SelectStation)(OBJHANDLE* roster, FILEHANDLE file);
    void (*SelectRelay)();
    double (*SignalLag)(OBJHANDLE target);
    double (*OmniStrengthAt)(double d);
    double (*OmniStrength)(OBJHANDLE target);
    double (*HighGainStrength)(OBJHANDLE target);
    void (*UpdateReadouts)();
    void (*DropStaleHandles)();

    // Routines of the network management.
    void (*GenerateStations)(FILEHANDLE file, OBJHANDLE* roster, bool* focus);
    void (*GenerateRelays)();
    void (*GenerateNetwork)();
    void (*ClearNetwork)();
    void (*MakeAntennaFileName)();
    void (*LoadAntennaVector)();
    void (*OpenControlDialog)(void* context);
    DLGPROC ControlDlgProc;
};

typedef KavrinHooks* (*KavrinTestHooksFunc)();
