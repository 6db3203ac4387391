#!/usr/bin/env python3
"""Writes model/UnicodeTable.cpp, the character data that naming needs, from UnicodeData.txt.

Usage: model/make-unicode-table.py [UnicodeData.txt] > model/UnicodeTable.cpp
The data file defaults to /usr/share/unicode/UnicodeData.txt, from Debian's unicode-data
package. The build uses the committed output only.
"""

import re
import sys

MAX_CODE_POINT = 0x10FFFF
# CharKind in model/Unicode.h.
OTHER, LETTER, UPPERCASE_LETTER, MARK = range(4)


def kind_of(category):
    if category == "Lu":
        return UPPERCASE_LETTER
    if category.startswith("L"):
        return LETTER
    if category.startswith("M"):
        return MARK
    return OTHER


def read_records(path):
    """Yields (code point, fields) for every assigned code point, ranges spelled out."""
    range_start = None
    with open(path, encoding="utf-8") as data:
        for line in data:
            fields = line.rstrip("\n").split(";")
            code = int(fields[0], 16)
            if fields[1].endswith(", First>"):
                range_start = code
                continue
            if fields[1].endswith(", Last>"):
                for member in range(range_start, code + 1):
                    yield member, fields
                range_start = None
                continue
            yield code, fields


def version_of(path):
    """The Unicode version named in the ReadMe.txt beside the data, or "unknown"."""
    try:
        with open(path.rsplit("/", 1)[0] + "/ReadMe.txt", encoding="utf-8") as readme:
            for line in readme:
                found = re.search(r"Version (\d+\.\d+)", line)
                if found:
                    return found.group(1)
    except OSError:
        pass
    return "unknown"


def kind_runs(kinds):
    runs = []
    previous = None
    for code in range(MAX_CODE_POINT + 1):
        kind = kinds.get(code, OTHER)
        if kind != previous:
            runs.append(code * 4 + kind)
            previous = kind
    return runs


def case_runs(mapping):
    """Groups code points that map by the same difference at a step of 1 or 2."""
    runs = []  # [first, last, delta, step]
    for code in sorted(mapping):
        delta = mapping[code] - code
        if runs:
            run = runs[-1]
            if run[2] == delta and run[0] == run[1] and code - run[1] in (1, 2):
                run[1], run[3] = code, code - run[1]
                continue
            if run[2] == delta and code - run[1] == run[3]:
                run[1] = code
                continue
        runs.append([code, code, delta, 1])
    return runs


def ascii_bases(decompositions, kinds):
    """Letters whose full canonical decomposition starts with an ASCII letter."""
    bases = []
    for code in sorted(decompositions):
        if kinds.get(code, OTHER) not in (LETTER, UPPERCASE_LETTER):
            continue
        first = code
        while first in decompositions:
            first = decompositions[first]
        if chr(first).isascii() and chr(first).isalpha():
            bases.append(code * 256 + first)
    return bases


def rows(values, per_row):
    return "\n".join(
        "    " + " ".join(values[at:at + per_row]) for at in range(0, len(values), per_row))


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else "/usr/share/unicode/UnicodeData.txt"
    kinds, upper, lower, decompositions = {}, {}, {}, {}
    for code, fields in read_records(path):
        kinds[code] = kind_of(fields[2])
        # Only canonical mappings count; compatibility ones start with a <tag>.
        if fields[5] and not fields[5].startswith("<"):
            decompositions[code] = int(fields[5].split()[0], 16)
        if fields[12]:
            upper[code] = int(fields[12], 16)
        if fields[13]:
            lower[code] = int(fields[13], 16)

    kind_values = [f"0x{run:x}," for run in kind_runs(kinds)]
    upper_values = [f"{{0x{a:x}, 0x{b:x}, {d}, {s}}}," for a, b, d, s in case_runs(upper)]
    lower_values = [f"{{0x{a:x}, 0x{b:x}, {d}, {s}}}," for a, b, d, s in case_runs(lower)]
    base_values = [f"0x{entry:x}," for entry in ascii_bases(decompositions, kinds)]
    print(f"""\
// Generated, do not edit; regenerate: model/make-unicode-table.py > model/UnicodeTable.cpp
// The data of UnicodeData.txt, Unicode {version_of(path)}, that naming needs.
#include "model/UnicodeTable.h"

namespace {{

// clang-format off

constexpr uint32_t kKindRunData[] = {{
{rows(kind_values, 8)}
}};

constexpr CaseRun kUppercaseRunData[] = {{
{rows(upper_values, 3)}
}};

constexpr CaseRun kLowercaseRunData[] = {{
{rows(lower_values, 3)}
}};

constexpr uint32_t kAsciiBaseData[] = {{
{rows(base_values, 8)}
}};
// clang-format on

}}  // namespace

const std::span<const uint32_t> kKindRuns = kKindRunData;
const std::span<const CaseRun> kUppercaseRuns = kUppercaseRunData;
const std::span<const CaseRun> kLowercaseRuns = kLowercaseRunData;
const std::span<const uint32_t> kAsciiBases = kAsciiBaseData;""")


if __name__ == "__main__":
    main()
