// The status-line rules: the variable's text shows only under 40 characters,
// the found pane names any count, Search needs a pattern and a source.
#include "core/FormRules.h"
#include "core/StatusTexts.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

using namespace trawl;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const int32_t count = input.ConsumeIntegral<int32_t>();
    const bool useEnvironment = input.ConsumeBool();
    const bool variableSelected = input.ConsumeBool();
    const std::string fileName = input.ConsumeRandomLengthString(64);
    const std::string myPath = input.ConsumeRandomLengthString(64);
    const std::string entry = input.ConsumeRemainingBytesAsString();

    // The rule counts characters: one to four bytes each in UTF-8, one byte
    // each in plain ASCII.
    const bool fits = EntryFitsStatusLine(entry);
    const bool ascii = std::all_of(entry.begin(), entry.end(), [](char c) { return (c & 0x80) == 0; });
    if ((ascii && fits != (entry.size() < statusEntryLimit)) || (entry.size() < statusEntryLimit && !fits) ||
        (entry.size() >= 4 * statusEntryLimit && fits))
        std::abort();

    const std::string pane = FoundCountText(count);
    if (pane != (count == 0 ? std::string("Empty") : "Found " + std::to_string(count)))
        std::abort();

    const bool complete = InputsComplete(fileName, useEnvironment, variableSelected, myPath);
    if (complete != (!fileName.empty() && (useEnvironment ? variableSelected : !myPath.empty())))
        std::abort();
    return 0;
}
