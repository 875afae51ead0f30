#include "host_calls.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

namespace host_calls {

bool hideEarth = false;
bool refuseCreation = false;

std::vector<std::string>& Calls() {
    static std::vector<std::string> calls;
    return calls;
}

std::vector<VesselCreateStatus>& CreateRecords() {
    static std::vector<VesselCreateStatus> records;
    return records;
}

namespace {

// Paths of the files opened through the host, by handle.
std::map<FILEHANDLE, std::string>& OpenPaths() {
    static std::map<FILEHANDLE, std::string> paths;
    return paths;
}

// The stand-in host's own definition of a call, by its symbol name.
template <class F>
F Real(const char* symbol) {
    void* found = dlsym(RTLD_NEXT, symbol);
    if (!found) {
        std::fprintf(stderr, "host_calls: the host has no %s\n", symbol);
        std::abort();
    }
    return reinterpret_cast<F>(found);
}

}  // namespace

void Reset() {
    Calls().clear();
    CreateRecords().clear();
    OpenPaths().clear();
    hideEarth = false;
    refuseCreation = false;
}

}  // namespace host_calls

using namespace host_calls;

FILEHANDLE oapiOpenFile(const char* path, FileAccessMode mode, PathRoot root) {
    static auto real = Real<FILEHANDLE (*)(const char*, FileAccessMode, PathRoot)>(
        "_Z12oapiOpenFilePKc14FileAccessMode8PathRoot");
    const FILEHANDLE file = real(path, mode, root);
    Calls().push_back(std::string("open ") + (path ? path : "(null)"));
    OpenPaths()[file] = path ? path : "";
    return file;
}

void oapiCloseFile(FILEHANDLE file, FileAccessMode mode) {
    static auto real = Real<void (*)(FILEHANDLE, FileAccessMode)>("_Z13oapiCloseFileP9HostFile_14FileAccessMode");
    const auto it = OpenPaths().find(file);
    Calls().push_back("close " + (it != OpenPaths().end() ? it->second : std::string("(unknown)")));
    real(file, mode);
}

void InitLib(HINSTANCE instance) {
    static auto real = Real<void (*)(HINSTANCE)>("_Z7InitLibP13HostInstance_");
    Calls().push_back("InitLib");
    real(instance);
}

DWORD oapiRegisterCustomCmd(const char* label, const char* description, CustomFunc func, void* context) {
    static auto real = Real<DWORD (*)(const char*, const char*, CustomFunc, void*)>(
        "_Z21oapiRegisterCustomCmdPKcS0_PFvPvES1_");
    Calls().push_back(std::string("register ") + (label ? label : "") + " | " + (description ? description : ""));
    return real(label, description, func, context);
}

bool oapiUnregisterCustomCmd(DWORD id) {
    static auto real = Real<bool (*)(DWORD)>("_Z23oapiUnregisterCustomCmdj");
    Calls().push_back("unregister");
    return real(id);
}

OBJHANDLE oapiGetObjectByName(const char* name) {
    static auto real = Real<OBJHANDLE (*)(const char*)>("_Z19oapiGetObjectByNamePKc");
    if (hideEarth && name && std::strcmp(name, "Earth") == 0) return nullptr;
    return real(name);
}

OBJHANDLE oapiCreateVesselEx(const char* name, const char* classname, const void* status) {
    static auto real = Real<OBJHANDLE (*)(const char*, const char*, const void*)>("_Z18oapiCreateVesselExPKcS0_PKv");
    Calls().push_back(std::string("create ") + (name ? name : "") + " " + (classname ? classname : ""));
    if (status) CreateRecords().push_back(*static_cast<const VesselCreateStatus*>(status));
    if (refuseCreation) return nullptr;
    return real(name, classname, status);
}
