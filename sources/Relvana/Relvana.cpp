// Relvana: module entry points and the class set-up.
#include "Relvana.h"

namespace {

// --- Physical parameters (SI units, vessel frame) ---------------------------------------

constexpr double kSize = 3.5;                          // m
constexpr double kEmptyMass = 1500.0;                  // kg
constexpr VECTOR3 kPrincipalMoments{1.0, 1.0, 1.0};    // m^2
constexpr VECTOR3 kCrossSections{0.0, 0.0, 0.0};       // m^2
constexpr VECTOR3 kRotationalDrag{0.0, 0.0, 0.0};
constexpr VECTOR3 kTouchdownFront{0.0, 0.0, 1.0};      // m
constexpr VECTOR3 kTouchdownLeft{-1.0, 0.0, -1.0};     // m
constexpr VECTOR3 kTouchdownRight{1.0, 0.0, -1.0};     // m
constexpr double kFrictionLongitudinal = 0.07;
constexpr double kFrictionLateral = 0.3;
constexpr double kDragCoeffForward = 0.09;             // cw, +z
constexpr double kDragCoeffBackward = 0.09;            // cw, -z
constexpr double kDragCoeffLateral = 2.0;              // cw, x
constexpr double kDragCoeffVertical = 1.4;             // cw, y
constexpr bool kTransponderEnabled = true;
constexpr DWORD kNavRadioCount = 4;
constexpr VECTOR3 kCameraOffset{0.0, 0.0, 2.2};        // m
constexpr double kVisibilityLimit = 0.0;
constexpr double kSpotVisibilityLimit = 0.002;
constexpr VECTOR3 kAlbedo{1.0, 1.0, 1.0};              // RGB
constexpr double kGravityGradientDamping = 0.0;
constexpr double kWingAspect = 0.0;
constexpr double kWingEffectiveness = 0.0;
constexpr double kMaxWheelbrakeForce = 200000.0;       // N
constexpr double kBankMomentScale = 0.0;
constexpr double kPitchMomentScale = 0.0;

// --- Mesh and target -----------------------------------------------------------------------

constexpr const char* kMeshName = "Relvana\\Relvana";
constexpr WORD kMeshVisibleExternal = 1;  // visibility mode: seen from outside
constexpr const char* kEarthName = "Earth";

// --- Module ----------------------------------------------------------------------------------

constexpr const char* kVersionDate = "Aug 30 2010";
// The build date, "Mmm dd yyyy" with the day right-aligned in two characters.
constexpr const char kBuildDate[] = __DATE__;

// The module version, worked out at the first GetModuleVersion and kept (0: not yet).
int g_moduleVersion = 0;

}  // namespace

// --- Module entry points -----------------------------------------------------------------------

DLLCLBK VESSEL* ovcInit(OBJHANDLE hVessel, int flightModel) { return new Relvana(hVessel, flightModel); }

DLLCLBK void ovcExit(VESSEL* vessel) {
    if (vessel) delete static_cast<Relvana*>(vessel);
}

DLLCLBK void InitModule(HINSTANCE) {}

DLLCLBK void ExitModule(HINSTANCE) {}

DLLCLBK int GetModuleVersion() {
    if (g_moduleVersion == 0) g_moduleVersion = Date2Int(kVersionDate);
    return g_moduleVersion;
}

DLLCLBK const char* ModuleDate() { return kBuildDate; }

// --- The class ----------------------------------------------------------------------------------

Relvana::Relvana(OBJHANDLE hVessel, int flightModel) : VESSEL2(hVessel, flightModel) {}

Relvana::~Relvana() = default;

void Relvana::clbkDefineClass(FILEHANDLE) {
    SetSize(kSize);
    SetEmptyMass(kEmptyMass);
    SetPMI(kPrincipalMoments);
    SetCrossSections(kCrossSections);
    SetRotDrag(kRotationalDrag);
    SetTouchdownPoints(kTouchdownFront, kTouchdownLeft, kTouchdownRight);
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
    DefineAnimations();
    hEarth = oapiGetObjectByName(kEarthName);
}

int Relvana::clbkConsumeBufferedKey(DWORD, bool, char*) { return 0; }
