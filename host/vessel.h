// The vessel base classes. A vessel module derives one class from VESSEL2; the host
// creates it through the module's ovcInit and destroys it through ovcExit.
//
// VESSEL's methods are the host's services for one vessel: they act on the vessel whose
// object handle the instance was constructed with, and check that handle on every call
// (a vessel the host has deleted makes every call do nothing and answer zero).
#pragma once

#include "oapi.h"

// --- Animation transforms ---------------------------------------------------------------

// A transform of mesh groups, owned by the vessel module; the host keeps a pointer to it
// for as long as the vessel's animations exist.
class HOSTAPI MGROUP_TRANSFORM {
public:
    enum TYPE { NULLTRANSFORM, ROTATE, TRANSLATE, SCALE };
    MGROUP_TRANSFORM() : mesh(0), grp(nullptr), ngrp(0) {}
    MGROUP_TRANSFORM(UINT mesh_, UINT* grp_, UINT ngrp_) : mesh(mesh_), grp(grp_), ngrp(ngrp_) {}
    virtual ~MGROUP_TRANSFORM() = default;
    virtual TYPE Type() const { return NULLTRANSFORM; }

    UINT mesh;  // mesh index within the vessel
    UINT* grp;  // group numbers (not owned)
    UINT ngrp;  // number of groups
};

// Rotation of the groups by `angle` radians about the axis `axis` through `ref`.
class HOSTAPI MGROUP_ROTATE : public MGROUP_TRANSFORM {
public:
    MGROUP_ROTATE(UINT mesh_, UINT* grp_, UINT ngrp_, const VECTOR3& ref_, const VECTOR3& axis_, float angle_)
        : MGROUP_TRANSFORM(mesh_, grp_, ngrp_), ref(ref_), axis(axis_), angle(angle_) {}
    TYPE Type() const override { return ROTATE; }
    VECTOR3 ref;
    VECTOR3 axis;
    float angle;
};

// Translation of the groups by `shift` metres.
class HOSTAPI MGROUP_TRANSLATE : public MGROUP_TRANSFORM {
public:
    MGROUP_TRANSLATE(UINT mesh_, UINT* grp_, UINT ngrp_, const VECTOR3& shift_)
        : MGROUP_TRANSFORM(mesh_, grp_, ngrp_), shift(shift_) {}
    TYPE Type() const override { return TRANSLATE; }
    VECTOR3 shift;
};

// Scaling of the groups about `ref` by the factors `scale`.
class HOSTAPI MGROUP_SCALE : public MGROUP_TRANSFORM {
public:
    MGROUP_SCALE(UINT mesh_, UINT* grp_, UINT ngrp_, const VECTOR3& ref_, const VECTOR3& scale_)
        : MGROUP_TRANSFORM(mesh_, grp_, ngrp_), ref(ref_), scale(scale_) {}
    TYPE Type() const override { return SCALE; }
    VECTOR3 ref;
    VECTOR3 scale;
};

// --- VESSEL -------------------------------------------------------------------------------

class HOSTAPI VESSEL {
public:
    // `handle` and `flight_model` are the values the host passed to ovcInit.
    VESSEL(OBJHANDLE handle, int flight_model = 1);
    virtual ~VESSEL();

    OBJHANDLE GetHandle() const;
    const char* GetName() const;
    // The vessel's class name (as created or as in the scenario).
    const char* GetClassNameA() const;
    // The body whose surface the vessel is nearest to: the Moon within its sphere of
    // influence, otherwise Earth.
    OBJHANDLE GetSurfaceRef() const;
    // Whether the user may give this vessel the focus.
    void SetEnableFocus(bool enable) const;

    // Physical parameters (SI units, vessel frame).
    void SetSize(double size) const;
    void SetEmptyMass(double mass) const;
    void SetPMI(const VECTOR3& pmi) const;
    void SetCrossSections(const VECTOR3& cs) const;
    void SetRotDrag(const VECTOR3& rd) const;
    void SetTouchdownPoints(const VECTOR3& pt1, const VECTOR3& pt2, const VECTOR3& pt3) const;
    void SetSurfaceFrictionCoeff(double mu_long, double mu_lat) const;
    void SetCW(double cw_z_pos, double cw_z_neg, double cw_x, double cw_y) const;
    bool EnableTransponder(bool enable) const;
    bool InitNavRadios(DWORD count) const;
    void SetCameraOffset(const VECTOR3& offset) const;
    void SetVisibilityLimit(double vislimit, double spotlimit = -1.0) const;
    void SetAlbedoRGB(const VECTOR3& albedo) const;
    bool SetGravityGradientDamping(double damping) const;
    void SetWingAspect(double aspect) const;
    void SetWingEffectiveness(double eff) const;
    void SetMaxWheelbrakeForce(double force) const;
    void SetBankMomentScale(double scale) const;
    void SetPitchMomentScale(double scale) const;

    // Meshes: AddMesh answers the mesh index within the vessel.
    UINT AddMesh(MESHHANDLE mesh, const VECTOR3* offset = nullptr) const;
    bool SetMeshVisibilityMode(UINT index, WORD mode) const;

    // Animations: CreateAnimation answers the animation identifier.
    UINT CreateAnimation(double initial_state) const;
    ANIMATIONCOMPONENT_HANDLE AddAnimationComponent(UINT anim, double state0, double state1,
                                                    MGROUP_TRANSFORM* trans,
                                                    ANIMATIONCOMPONENT_HANDLE parent = nullptr) const;
    bool SetAnimation(UINT anim, double state) const;

    // Attitude: vessel frame into the global frame.
    void SetRotationMatrix(const MATRIX3& rot) const;
    void GetRotationMatrix(MATRIX3& rot) const;

    // Scenario support: the host's standard vessel lines.
    void SaveDefaultState(FILEHANDLE scenario) const;
    // Applies one scenario line the class does not know; `status` is the pointer the
    // host passed to clbkRestoreState. Lines the host does not know either are kept and
    // written back at the next save.
    void ParseScenarioLineEx(char* line, void* status) const;

private:
    OBJHANDLE handle_;
    int flight_model_;
};

// --- VESSEL2 --------------------------------------------------------------------------------

// The callbacks, in the order of the host's table. The base versions are the host's
// default behaviour: clbkStoreState writes the standard lines, clbkRestoreState hands
// every line to ParseScenarioLineEx, the key callbacks consume nothing, the rest do
// nothing.
class HOSTAPI VESSEL2 : public VESSEL {
public:
    VESSEL2(OBJHANDLE handle, int flight_model = 1);
    ~VESSEL2() override;

    virtual void clbkDefineClass(FILEHANDLE config);
    virtual void clbkStoreState(FILEHANDLE scenario);
    virtual void clbkRestoreState(FILEHANDLE scenario, void* status);
    virtual void clbkSetStateEx(const void* status);
    virtual void clbkPostCreation();
    virtual void clbkFocusChanged(bool getfocus, OBJHANDLE new_focus, OBJHANDLE old_focus);
    virtual void clbkPreStep(double simt, double simdt, double mjd);
    virtual void clbkAfterStep(double simt, double simdt, double mjd);
    virtual bool clbkPlaybackEvent(double simt, double event_t, const char* event_type, const char* event);
    virtual void clbkVisualCreated(void* visual, int refcount);
    virtual void clbkVisualDestroyed(void* visual, int refcount);
    virtual void clbkDrawHUD(int mode, const void* hps, void* hdc);
    virtual void clbkRCSMode(int mode);
    virtual void clbkADCtrlMode(DWORD mode);
    virtual void clbkHUDMode(int mode);
    virtual void clbkMFDMode(int mfd, int mode);
    virtual void clbkNavMode(int mode, bool active);
    virtual void clbkDockEvent(int dock, OBJHANDLE mate);
    virtual void clbkAnimate(double simt);
    virtual int clbkConsumeDirectKey(char* keystate);
    virtual int clbkConsumeBufferedKey(DWORD key, bool down, char* keystate);
    virtual bool clbkLoadGenericCockpit();
    virtual bool clbkLoadPanel(int id);
    virtual bool clbkPanelMouseEvent(int id, int event, int mx, int my);
    virtual bool clbkPanelRedrawEvent(int id, int event, void* surf);
    virtual bool clbkLoadVC(int id);
    virtual bool clbkVCMouseEvent(int id, int event, VECTOR3& p);
    virtual bool clbkVCRedrawEvent(int id, int event, void* surf);
};
