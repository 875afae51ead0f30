#include "read_counter.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <utility>

namespace read_counter {
namespace {

std::map<std::pair<FILEHANDLE, std::string>, int>& Counts() {
    static std::map<std::pair<FILEHANDLE, std::string>, int> counts;
    return counts;
}

}  // namespace

int Reads(FILEHANDLE file, const std::string& key) {
    const auto it = Counts().find({file, key});
    return it == Counts().end() ? 0 : it->second;
}

void Reset() { Counts().clear(); }

}  // namespace read_counter

bool oapiReadItem_int(FILEHANDLE file, const char* key, int& value) {
    using Read = bool (*)(FILEHANDLE, const char*, int&);
    static const Read real = [] {
        void* found = dlsym(RTLD_NEXT, "_Z16oapiReadItem_intP9HostFile_PKcRi");
        if (!found) {
            std::fprintf(stderr, "read_counter: the host has no oapiReadItem_int\n");
            std::abort();
        }
        return reinterpret_cast<Read>(found);
    }();
    ++read_counter::Counts()[{file, key ? key : "(null)"}];
    return real(file, key, value);
}
