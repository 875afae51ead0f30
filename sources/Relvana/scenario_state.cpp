// Relvana: the satellite's lines in a scenario.
//
// Written after the host's standard lines: "ANIM_0" and "ANIM_1" with the status code
// and state of each animation ("%d %0.4f"), then "SAVED" with the number 1 ("%lf").
// Read back by key, the first five characters compared without regard to case; every
// other line goes to the host unchanged.
#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "Relvana.h"

namespace {

constexpr std::size_t kTextSize = 256;          // key and value buffers
constexpr const char* kAnimKeyFormat = "ANIM_%d";
constexpr const char* kAnimValueFormat = "%d %0.4f";
constexpr const char* kAnimKey = "ANIM_";
constexpr const char* kSavedKey = "SAVED";
constexpr const char* kSavedValueFormat = "%lf";
constexpr double kSavedValue = 1.0;
constexpr std::size_t kKeyLength = 5;           // characters compared, and where values start

// Offsets of the fields of an animation line, for a one-digit index: the index at 5,
// the status code from 6, the state from 9 (right after a status code of at most two
// characters). Wider indices shift the last two by their extra digits.
constexpr std::size_t kAnimIndexPos = 5;
constexpr std::size_t kAnimStatusPos = 6;
constexpr std::size_t kAnimStatePos = 9;

// Whether the first five characters of `line` are `key`, without regard to case.
bool KeyIs(const char* line, const char* key) {
    for (std::size_t i = 0; i < kKeyLength; ++i) {
        if (std::toupper(static_cast<unsigned char>(line[i])) != std::toupper(static_cast<unsigned char>(key[i])))
            return false;
    }
    return true;
}

// A decimal integer from `text` on (leading blanks skipped); false, `value` untouched,
// when none can be read or it does not fit an int.
bool ReadInt(const char* text, int& value) {
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text, &end, 10);
    if (end == text || errno == ERANGE || v < INT_MIN || v > INT_MAX) return false;
    value = int(v);
    return true;
}

// A double from `text` on (leading blanks skipped); false, `value` untouched, when none
// can be read.
bool ReadDouble(const char* text, double& value) {
    char* end = nullptr;
    const double v = std::strtod(text, &end);
    if (end == text) return false;
    value = v;
    return true;
}

// Decimal digits of a non-negative index, minus one.
std::size_t ExtraDigits(int index) {
    if (index < 10) return 0;
    if (index < 100) return 1;
    if (index < 1000) return 2;
    return 3;
}

}  // namespace

void Relvana::clbkStoreState(FILEHANDLE scenario) {
    SaveDefaultState(scenario);
    char key[kTextSize];
    char value[kTextSize];
    for (int i = 0; i < ANIM_COUNT; ++i) {
        std::snprintf(key, sizeof key, kAnimKeyFormat, i);
        std::snprintf(value, sizeof value, kAnimValueFormat, anim[i].statusCode, anim[i].animState);
        oapiWriteScenario_string(scenario, key, value);
    }
    std::snprintf(value, sizeof value, kSavedValueFormat, kSavedValue);
    oapiWriteScenario_string(scenario, kSavedKey, value);
}

// `status` is only passed on to the host with the lines the class does not know.
void Relvana::clbkRestoreState(FILEHANDLE scenario, void* status) {
    char* line = nullptr;
    while (oapiReadScenario_nextline(scenario, line)) {
        if (KeyIs(line, kAnimKey)) {
            ReadAnimationLine(line);
        } else if (KeyIs(line, kSavedKey)) {
            ReadDouble(line + kKeyLength, savedMarker);
        } else {
            ParseScenarioLineEx(line, status);
        }
    }
}

// One "ANIM_" line. An index that cannot be read or lies outside 0 .. 1 drops the line.
// The status code and the state are read from fixed positions; a position beyond the
// end of the line, a text that is not a number, or a state that is not finite leaves
// the field as it was. The host animation is set to the record's state in any case.
void Relvana::ReadAnimationLine(const char* line) {
    int index = 0;
    if (!ReadInt(line + kAnimIndexPos, index)) return;
    if (index < 0 || index >= ANIM_COUNT) return;
    ANIM_SLOT& slot = anim[index];
    const std::size_t length = std::strlen(line);
    const std::size_t d = ExtraDigits(index);
    if (kAnimStatusPos + d < length) ReadInt(line + kAnimStatusPos + d, slot.statusCode);
    double state = slot.animState;
    if (kAnimStatePos + d < length && ReadDouble(line + kAnimStatePos + d, state) && std::isfinite(state))
        slot.animState = state;
    SetAnimation(slot.animHandle, slot.animState);
}
