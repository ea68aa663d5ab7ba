// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the date reader, the number reader and the whole
// Calculate step. The input is split at its first tab into a start text and a
// day-count text, as torvelin-calc reads its lines.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz/conversion_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t tab = input.find('\t');
    const std::string_view start = input.substr(0, tab);
    const std::string_view count = tab == std::string_view::npos ? "" : input.substr(tab + 1);
    if (const std::string failure = torvelin::CheckConversions(start, count); !failure.empty()) {
        std::fprintf(stderr, "%s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
