// One libFuzzer executable per entry point: TRELVIK_FUZZ_ENTRY names the entry this one drives.

#include "FuzzQtText.h"
#include "FuzzTargets.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string problem = trelvik::fuzz::TRELVIK_FUZZ_ENTRY(data, size);
    if (!problem.empty()) {
        std::fprintf(stderr, "fuzz check failed: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
