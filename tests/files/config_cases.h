// One table of cases for all configuration readers, run on ConfigFile and through the
// host calls. Each case is a one-file fixture, a key, a reader and what it must give;
// `expect` empty means "not found": the reader answers false and leaves its target as
// it was.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "host/types.h"

namespace sim {

enum class Reader { Int, Float, Bool, String, Vec };

struct ReadCase {
    const char* name;
    std::string text;  // the file
    const char* key;
    Reader reader;
    std::string expect;  // the value as text ("3", "1.5", "true", "a b", "1 2 3"), or "" when not found
    bool found = true;   // false: the read must answer false and leave the target alone
};

// Targets start at sentinels so that an untouched target is recognised.
struct ReadTargets {
    int i = -12345;
    double f = -1.25;
    bool b = true;
    char s[300];
    VECTOR3 v{-7, -8, -9};
    ReadTargets() {
        std::memset(s, '#', sizeof s);
        std::strcpy(s, "sentinel");
    }
};

inline std::vector<ReadCase> read_cases() {
    const std::string long_value(300, 'x');
    return {
        // Keys: case, surrounding and inner blanks, first occurrence.
        {"int", "N = 3\n", "N", Reader::Int, "3"},
        {"key case", "Base 1 = Merritt Island\n", "BASE 1", Reader::String, "Merritt Island"},
        {"key blanks", "  \tLong\t  2  = 5.5\n", " long 2 ", Reader::Float, "5.5"},
        {"key inner blank runs", "Base 1 = a\n", "base   1", Reader::String, "a"},
        {"key blanks count", "Base1 = a\n", "Base 1", Reader::String, "", false},
        {"first occurrence wins", "N = 1\nn = 2\n", "N", Reader::Int, "1"},
        {"other keys", "N = 1\n", "M", Reader::Int, "", false},
        {"key prefix", "Sat 10 = a\n", "Sat 1", Reader::String, "", false},
        {"empty file", "", "N", Reader::Int, "", false},
        {"CRLF", "N = 4\r\nM = 5\r\n", "N", Reader::Int, "4"},
        // Comments.
        {"comment after value", "N = 3 ; three stations\n", "N", Reader::Int, "3"},
        {"comment line", "; N = 4\n", "N", Reader::Int, "", false},
        {"comment without blank", "Sat 1 = Relay A;old\n", "Sat 1", Reader::String, "Relay A"},
        {"commented key", "N ; = 4\n", "N", Reader::Int, "", false},
        // Integers.
        {"int negative", "N = -4\n", "N", Reader::Int, "-4"},
        {"int plus", "N = +4\n", "N", Reader::Int, "4"},
        {"int leading zero is decimal", "N = 010\n", "N", Reader::Int, "10"},
        {"int trailing letters", "N = 3abc\n", "N", Reader::Int, "", false},
        {"int fraction", "N = 3.5\n", "N", Reader::Int, "", false},
        {"int exponent", "N = 1e3\n", "N", Reader::Int, "", false},
        {"int empty", "N =\n", "N", Reader::Int, "", false},
        {"int two signs", "N = +-3\n", "N", Reader::Int, "", false},
        {"int two numbers", "N = 3 4\n", "N", Reader::Int, "", false},
        {"int overflow", "N = 99999999999\n", "N", Reader::Int, "", false},
        {"int hex", "N = 0x10\n", "N", Reader::Int, "", false},
        // Floats.
        {"float", "Long 1 = -80.6\n", "Long 1", Reader::Float, "-80.6"},
        {"float exponent", "Long 1 = 1.5e3\n", "Long 1", Reader::Float, "1500"},
        {"float leading dot", "Long 1 = .5\n", "Long 1", Reader::Float, "0.5"},
        {"float int", "Long 1 = 180\n", "Long 1", Reader::Float, "180"},
        {"float bare exponent", "Long 1 = 1e\n", "Long 1", Reader::Float, "", false},
        {"float trailing letters", "Long 1 = 3abc\n", "Long 1", Reader::Float, "", false},
        {"float comma", "Long 1 = 1,5\n", "Long 1", Reader::Float, "", false},
        {"float empty", "Long 1 = \n", "Long 1", Reader::Float, "", false},
        {"float nan", "Long 1 = nan\n", "Long 1", Reader::Float, "", false},
        {"float inf", "Long 1 = inf\n", "Long 1", Reader::Float, "", false},
        {"float out of range", "Long 1 = 1e999\n", "Long 1", Reader::Float, "", false},
        // Booleans.
        {"bool TRUE", "FOCUS = TRUE\n", "FOCUS", Reader::Bool, "true"},
        {"bool false any case", "FOCUS = fAlSe\n", "focus", Reader::Bool, "false"},
        {"bool number", "FOCUS = 1\n", "FOCUS", Reader::Bool, "", false},
        {"bool word", "FOCUS = yes\n", "FOCUS", Reader::Bool, "", false},
        {"bool empty", "FOCUS =\n", "FOCUS", Reader::Bool, "", false},
        // Strings.
        {"string trimmed", "Base 1 =   Merritt Island  \n", "Base 1", Reader::String, "Merritt Island"},
        {"string with '='", "Base 1 = a = b\n", "Base 1", Reader::String, "a = b"},
        {"string empty", "Base 1 =\n", "Base 1", Reader::String, ""},
        {"string cut to 255", "Base 1 = " + long_value + "\n", "Base 1", Reader::String, std::string(255, 'x')},
        {"string 8-bit", "Base 1 = Tr\xF6llhaugen\n", "Base 1", Reader::String, "Tr\xF6llhaugen"},
        // Vectors.
        {"vec", "VECTOR = 0 0 1\n", "VECTOR", Reader::Vec, "0 0 1"},
        {"vec blanks", "VECTOR =  1\t-2.5   3e2 \n", "VECTOR", Reader::Vec, "1 -2.5 300"},
        {"vec two numbers", "VECTOR = 1 2\n", "VECTOR", Reader::Vec, "", false},
        {"vec four numbers", "VECTOR = 1 2 3 4\n", "VECTOR", Reader::Vec, "", false},
        {"vec bad number", "VECTOR = 1 x 3\n", "VECTOR", Reader::Vec, "", false},
        {"vec commas", "VECTOR = 1,2,3\n", "VECTOR", Reader::Vec, "", false},
        {"vec empty", "VECTOR =\n", "VECTOR", Reader::Vec, "", false},
    };
}

inline std::string format_number(double d) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g", d);
    return buf;
}

// Runs one case through `read` (which calls the reader on the targets) and checks the
// answer, the target and that the other targets stay untouched.
template <class Read>
void check_read(const ReadCase& c, Read&& read) {
    ReadTargets t;
    const ReadTargets before;
    const bool answer = read(c.reader, c.key, t);
    ASSERT_EQ(c.found, answer);
    std::string got;
    switch (c.reader) {
        case Reader::Int: got = c.found ? std::to_string(t.i) : (t.i == before.i ? "" : "changed"); break;
        case Reader::Float: got = c.found ? format_number(t.f) : (t.f == before.f ? "" : "changed"); break;
        case Reader::Bool: got = c.found ? (t.b ? "true" : "false") : (t.b == before.b ? "" : "changed"); break;
        case Reader::String:
            got = c.found ? std::string(t.s) : (std::strcmp(t.s, before.s) == 0 ? "" : "changed");
            for (std::size_t i = 256; i < sizeof t.s; ++i) ASSERT_EQ('#', t.s[i]) << "written past 256 characters";
            break;
        case Reader::Vec:
            got = c.found ? format_number(t.v.x) + " " + format_number(t.v.y) + " " + format_number(t.v.z)
                          : (t.v.x == before.v.x && t.v.y == before.v.y && t.v.z == before.v.z ? "" : "changed");
            break;
    }
    if (c.found && c.reader == Reader::Float) {
        EXPECT_EQ(format_number(std::stod(c.expect)), got);
    } else if (c.found && c.reader == Reader::Vec) {
        double x, y, z;
        ASSERT_EQ(3, std::sscanf(c.expect.c_str(), "%lf %lf %lf", &x, &y, &z));
        EXPECT_EQ(format_number(x) + " " + format_number(y) + " " + format_number(z), got);
    } else {
        EXPECT_EQ(c.expect, got);
    }
}

}  // namespace sim
