// The reader of the shipped materials text: any text gives rows or an error.
#include "materials/store/ShippedMaterials.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const korvane::Result<std::vector<korvane::Material>> read =
        korvane::readShippedMaterials(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!read && read.error().size() > 10000)
        std::abort();
    return 0;
}
