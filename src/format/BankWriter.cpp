// Lays out and scrambles a bank file and its directory.
#include "format/BankWriter.h"

#include <algorithm>
#include <set>

#include "format/BankCodec.h"

namespace zfmt {

BuiltBank BuildBank(const std::vector<BankMember>& members, std::uint32_t key) {
    BuiltBank bank;
    std::uint64_t total = 0;
    for (const BankMember& m : members) total += m.bytes.size();
    if (total > 0xFFFFFFFFull) {
        bank.error = "bank larger than 4 GiB";
        return bank;
    }
    bank.file.reserve(std::size_t(total));
    for (const BankMember& m : members) {
        BankEntry e;
        e.offset = std::uint32_t(bank.file.size());
        e.size = std::uint32_t(m.bytes.size());
        e.path = m.path;
        e.name = m.name.empty() ? BankStem(m.path) : m.name;
        bank.directory.push_back(std::move(e));
        bank.file.insert(bank.file.end(), m.bytes.begin(), m.bytes.end());
    }
    ScrambleWords(key, bank.file.data(), bank.file.size());
    return bank;
}

void SortMembersByName(std::vector<BankMember>& members) {
    std::stable_sort(members.begin(), members.end(), [](const BankMember& a, const BankMember& b) {
        std::string na = a.name.empty() ? BankStem(a.path) : a.name;
        std::string nb = b.name.empty() ? BankStem(b.path) : b.name;
        return na < nb;
    });
}

std::string CheckDirectory(const std::vector<BankEntry>& directory, std::uint64_t fileSize) {
    std::uint64_t next = 0;
    std::set<std::string> names, paths;
    bool anyPath = false, allPaths = true;
    for (const BankEntry& e : directory) {
        if (e.offset != next) return "entry " + e.name + " does not follow the previous one";
        next += e.size;
        if (e.name.empty()) return "entry without a name";
        if (!names.insert(e.name).second) return "duplicate stem " + e.name;
        if (e.path.empty()) {
            allPaths = false;
        } else {
            anyPath = true;
            if (BankStem(e.path) != e.name) return "name " + e.name + " is not the stem of " + e.path;
            if (!paths.insert(e.path).second) return "duplicate path " + e.path;
        }
    }
    if (anyPath && !allPaths) return "some entries have paths and some do not";
    if (next != fileSize) return "directory does not end at the end of the file";
    return std::string();
}

}  // namespace zfmt
