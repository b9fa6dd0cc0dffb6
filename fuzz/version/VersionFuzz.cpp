// Version texts come from upgrade descriptions that the vendor site serves.
// Two texts are cut from the input at its first NUL; reading and comparing
// them must hold the rules every caller relies on.

#include "components/mendor/Version.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t cut = input.find('\0');
    const std::string_view first = input.substr(0, cut);
    const std::string_view second = cut == std::string_view::npos ? std::string_view() : input.substr(cut + 1);

    std::vector<WORD> fields;
    const bool read = mendor::ParseVersion(first, fields);
    if (read == fields.empty())
        std::abort(); // success means at least one field, failure means none
    if (fields.size() > first.size())
        std::abort(); // every field needs a piece of its own

    // Never newer than itself, and never both newer and older.
    if (mendor::NeedsUpgrade(first, first))
        std::abort();
    if (mendor::NeedsUpgrade(first, second) && mendor::NeedsUpgrade(second, first))
        std::abort();
    return 0;
}
