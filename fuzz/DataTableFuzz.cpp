// DataTableFuzz.cpp -- data-table text and bank member unscrambling on arbitrary bytes.
#include <cstdint>
#include <cstring>
#include <vector>

#include "format/BankCodec.h"
#include "format/ExtDbText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Table text: every row has a key of three cells.
    std::vector<zfmt::ExtDbRow> rows = zfmt::ParseExtDbText(reinterpret_cast<const char*>(data), size);
    for (const zfmt::ExtDbRow& r : rows)
        if (r.key.size() > 3 * zfmt::kExtDbCellLimit + 2 || r.value.size() > zfmt::kExtDbCellLimit) __builtin_trap();

    // A member read from a bank whose size and the member's offset come from the input.
    if (size >= 8) {
        std::uint32_t offset, extra;
        std::memcpy(&offset, data, 4);
        std::memcpy(&extra, data + 4, 4);
        std::vector<std::uint8_t> member(data + 8, data + size);
        std::uint64_t fileSize = std::uint64_t(offset) + (extra & 0xFFFF);
        zfmt::UnscrambleMember(0x12345678u, member.data(), member.size(), offset, fileSize);
    }
    std::string stem = zfmt::BankStem(std::string(reinterpret_cast<const char*>(data), size));
    (void)stem;
    return 0;
}
