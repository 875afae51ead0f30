// A vessel module that records its callbacks through the host log and deletes itself
// from clbkAfterStep once it has seen the scenario line "SELFDELETE".
#include <cstring>
#include <string>

#include "host/host.h"
#include "sim/core/log.h"

namespace {

class ProbeVessel : public VESSEL2 {
public:
    ProbeVessel(OBJHANDLE h, int fmodel) : VESSEL2(h, fmodel) {}
    ~ProbeVessel() override { sim::log().info("probe: destroyed"); }

    void clbkDefineClass(FILEHANDLE) override {
        sim::log().info("probe: clbkDefineClass");
        SetSize(2.0);
    }
    void clbkRestoreState(FILEHANDLE scn, void* status) override {
        sim::log().info("probe: clbkRestoreState");
        char* line;
        while (oapiReadScenario_nextline(scn, line)) {
            if (!std::strncmp(line, "SELFDELETE", 10)) selfDelete = true;
            else ParseScenarioLineEx(line, status);
        }
    }
    void clbkStoreState(FILEHANDLE scn) override {
        SaveDefaultState(scn);
        if (selfDelete) oapiWriteScenario_string(scn, (char*)"SELFDELETE", (char*)"1");
    }
    void clbkAfterStep(double simt, double, double) override {
        sim::log().info("probe: clbkAfterStep " + std::to_string(simt));
        if (selfDelete) {
            oapiDeleteVessel(GetHandle(), nullptr);
            oapiDeleteVessel(GetHandle(), nullptr);  // asking twice is harmless
        }
    }

    bool selfDelete = false;
};

}  // namespace

DLLCLBK VESSEL* ovcInit(OBJHANDLE h, int fmodel) {
    sim::log().info("probe: ovcInit");
    return new ProbeVessel(h, fmodel);
}
DLLCLBK void ovcExit(VESSEL* v) {
    sim::log().info("probe: ovcExit");
    delete static_cast<ProbeVessel*>(v);
}
