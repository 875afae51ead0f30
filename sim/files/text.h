// Small text helpers the file readers share: blanks are spaces and tabs, case folding
// is ASCII only (file names and keys are compared without regard to ASCII case).
#pragma once

#include <cstddef>
#include <string_view>

namespace sim::text {

inline bool is_blank(char c) { return c == ' ' || c == '\t'; }
inline char fold(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

inline std::string_view trim_left(std::string_view s) {
    while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
    return s;
}
inline std::string_view trim(std::string_view s) {
    s = trim_left(s);
    while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
    return s;
}

inline bool equal_folded(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i])) return false;
    return true;
}

}  // namespace sim::text
