// What one content generator produces.
#include "kit/Output.h"

#include <cstdio>

namespace contentgen {

void BankOutput::Add(const std::string& path, zfmt::Bytes bytes) {
    zfmt::BankMember m;
    if (m_form == BankDirectory::Paths) m.path = path;
    m.name = zfmt::BankStem(path);
    m.bytes = std::move(bytes);
    m_members.push_back(std::move(m));
}

void BankOutput::Add(const std::string& path, const std::string& text) {
    Add(path, zfmt::Bytes(text.begin(), text.end()));
}

BankOutput& Output::AddBank(const std::string& name, std::uint32_t key, BankDirectory form) {
    m_banks.emplace_back(name, key, form);
    return m_banks.back();
}

void Output::AddLooseFile(const std::string& path, zfmt::Bytes bytes) {
    m_loose.push_back(LooseFile{path, std::move(bytes)});
}

void Output::AddLooseFile(const std::string& path, const std::string& text) {
    AddLooseFile(path, zfmt::Bytes(text.begin(), text.end()));
}

std::uint32_t DefaultBankKey(const std::string& bankName) {
    // FNV-1a over a salted name, then a final mix so similar names differ widely.
    std::uint32_t h = 2166136261u;
    for (char c : std::string("zarvo-bank:") + bankName) {
        h ^= std::uint8_t(c);
        h *= 16777619u;
    }
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    return h ? h : 0x1u;
}

std::string CppString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '\\' || c == '"') {
            out += '\\';
            out += char(c);
        } else if (c >= 0x20 && c < 0x7F && c != '?') {
            out += char(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\%03o", c);
            out += buf;
        }
    }
    out += '"';
    return out;
}

}  // namespace contentgen
