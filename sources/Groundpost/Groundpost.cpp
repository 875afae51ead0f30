// Groundpost: module entry points, class set-up, scenario marker and self-removal.
#include "Groundpost.h"

#include <cctype>
#include <cstddef>
#include <cstdio>
#include <cstdlib>

namespace {

// --- Physical parameters (SI units, vessel frame) ---------------------------------------

constexpr double kSize = 5.0;                          // m
constexpr double kEmptyMass = 1.0;                     // kg
constexpr VECTOR3 kPrincipalMoments{1.0, 1.0, 1.0};    // m^2
constexpr VECTOR3 kCrossSections{0.6, 0.6, 0.27};      // m^2
constexpr VECTOR3 kRotationalDrag{0.0, 0.0, 0.0};
constexpr VECTOR3 kTouchdownFirst{-1.0, 0.0, 0.0};     // m
constexpr VECTOR3 kTouchdownSecond{0.0, 1.0, 0.0};     // m
constexpr VECTOR3 kTouchdownThird{1.0, 0.0, 0.0};      // m
constexpr double kFrictionLongitudinal = 0.07;
constexpr double kFrictionLateral = 0.3;
constexpr double kDragCoeffForward = 0.09;             // cw, +z
constexpr double kDragCoeffBackward = 0.09;            // cw, -z
constexpr double kDragCoeffLateral = 2.0;              // cw, x
constexpr double kDragCoeffVertical = 1.4;             // cw, y
constexpr bool kTransponderEnabled = true;
constexpr DWORD kNavRadioCount = 4;
constexpr VECTOR3 kCameraOffset{0.0, 0.0, 0.0};        // m
constexpr double kVisibilityLimit = 0.0;
constexpr double kSpotVisibilityLimit = 0.002;
constexpr VECTOR3 kAlbedo{1.0, 1.0, 1.0};              // RGB
constexpr double kGravityGradientDamping = 0.0;
constexpr double kWingAspect = 0.0;
constexpr double kWingEffectiveness = 0.0;
constexpr double kMaxWheelbrakeForce = 200000.0;       // N
constexpr double kBankMomentScale = 0.0;
constexpr double kPitchMomentScale = 0.0;

constexpr const char* kMeshName = "Zeravivadad\\Groundpost";
constexpr WORD kMeshVisibleExternal = 1;  // visibility mode: seen from outside

// --- Scenario marker -------------------------------------------------------------------------

constexpr std::size_t kTextSize = 256;     // value buffer
constexpr const char* kSavedKey = "SAVED";
constexpr std::size_t kSavedKeyLength = 5;
constexpr const char* kSavedValueFormat = "%lf";
constexpr double kSavedValue = 1.0;        // written, whatever the marker holds
constexpr double kRestoredMarker = 1.0;    // the marker of a station restored from a save

// --- Module ----------------------------------------------------------------------------------

constexpr const char* kVersionDate = "Aug 30 2010";
// The build date, "Mmm dd yyyy" with the day right-aligned in two characters.
constexpr const char kBuildDate[] = __DATE__;

// The module version, worked out at the first GetModuleVersion and kept (0: not yet).
int g_moduleVersion = 0;

// Whether `line` starts with the marker key, without regard to case.
bool IsMarkerLine(const char* line) {
    for (std::size_t i = 0; i < kSavedKeyLength; ++i) {
        if (std::toupper(static_cast<unsigned char>(line[i])) != kSavedKey[i]) return false;
    }
    return true;
}

}  // namespace

// --- Module entry points -----------------------------------------------------------------------

DLLCLBK VESSEL* ovcInit(OBJHANDLE hVessel, int flightModel) { return new Groundpost(hVessel, flightModel); }

DLLCLBK void ovcExit(VESSEL* vessel) {
    if (vessel) delete static_cast<Groundpost*>(vessel);
}

DLLCLBK void InitModule(HINSTANCE) {}

DLLCLBK void ExitModule(HINSTANCE) {}

DLLCLBK int GetModuleVersion() {
    if (g_moduleVersion == 0) g_moduleVersion = Date2Int(kVersionDate);
    return g_moduleVersion;
}

DLLCLBK const char* ModuleDate() { return kBuildDate; }

// --- The class ----------------------------------------------------------------------------------

Groundpost::Groundpost(OBJHANDLE hVessel, int flightModel) : VESSEL2(hVessel, flightModel) {}

Groundpost::~Groundpost() = default;

void Groundpost::clbkDefineClass(FILEHANDLE) {
    SetSize(kSize);
    SetEmptyMass(kEmptyMass);
    SetPMI(kPrincipalMoments);
    SetCrossSections(kCrossSections);
    SetRotDrag(kRotationalDrag);
    SetTouchdownPoints(kTouchdownFirst, kTouchdownSecond, kTouchdownThird);
    SetSurfaceFrictionCoeff(kFrictionLongitudinal, kFrictionLateral);
    SetCW(kDragCoeffForward, kDragCoeffBackward, kDragCoeffLateral, kDragCoeffVertical);
    EnableTransponder(kTransponderEnabled);
    InitNavRadios(kNavRadioCount);
    SetCameraOffset(kCameraOffset);
    SetVisibilityLimit(kVisibilityLimit, kSpotVisibilityLimit);
    SetAlbedoRGB(kAlbedo);
    SetGravityGradientDamping(kGravityGradientDamping);
    SetWingAspect(kWingAspect);
    SetWingEffectiveness(kWingEffectiveness);
    SetMaxWheelbrakeForce(kMaxWheelbrakeForce);
    SetBankMomentScale(kBankMomentScale);
    SetPitchMomentScale(kPitchMomentScale);
    hMesh = oapiLoadMeshGlobal(kMeshName);
    meshIndex = AddMesh(hMesh);
    SetMeshVisibilityMode(meshIndex, kMeshVisibleExternal);
}

void Groundpost::clbkStoreState(FILEHANDLE scenario) {
    SaveDefaultState(scenario);
    char value[kTextSize];
    std::snprintf(value, sizeof value, kSavedValueFormat, kSavedValue);
    oapiWriteScenario_string(scenario, kSavedKey, value);
}

// The marker line sets savedMarker from the number right after the key ("SAVED1" reads
// 1; a line without a number there leaves the marker as it was) and is not passed on;
// every other line goes to the host unchanged, with `status`.
void Groundpost::clbkRestoreState(FILEHANDLE scenario, void* status) {
    char* line = nullptr;
    while (oapiReadScenario_nextline(scenario, line)) {
        if (IsMarkerLine(line)) {
            char* end = nullptr;
            const double marker = std::strtod(line + kSavedKeyLength, &end);
            if (end != line + kSavedKeyLength) savedMarker = marker;
        } else {
            ParseScenarioLineEx(line, status);
        }
    }
}

void Groundpost::clbkAfterStep(double, double, double) { RemoveIfRestored(); }

// The marker is not reset: until the host carries out the removal, the request is
// repeated at every step.
void Groundpost::RemoveIfRestored() {
    if (savedMarker == kRestoredMarker) oapiDeleteVessel(GetHandle(), nullptr);
}
