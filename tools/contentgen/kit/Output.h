// What one content generator produces: banks, loose files and generated C++.
#pragma once

#include <cstdint>
#include <deque>
#include <sstream>
#include <string>
#include <vector>

#include "format/BankCodec.h"
#include "format/BankWriter.h"

namespace contentgen {

// How a bank's compiled-in directory names its members.
enum class BankDirectory {
    Paths,  // entries carry a path (relative to data\, '\' separators) and its stem
    Stems,  // entries carry the upper-case stem only
    None,   // no directory: the game opens the bank whole; exactly one member
};

// One bank a generator fills. Members keep their insertion order when
// KeepOrder() was called, else they are sorted by name when written.
class BankOutput {
public:
    BankOutput(std::string name, std::uint32_t key, BankDirectory form)
        : m_name(std::move(name)), m_key(key), m_form(form) {}

    // Paths banks: `path` such as "CourseNiseko\\model\\S_NSK_data_a01.ybm".
    // Stems banks: `path` may be any file name; only its stem is kept.
    void Add(const std::string& path, zfmt::Bytes bytes);
    void Add(const std::string& path, const std::string& text);
    void KeepOrder() { m_keepOrder = true; }
    // The invariant checker fails the run when the member count differs.
    void ExpectCount(int count) { m_expected = count; }

    const std::string& Name() const { return m_name; }
    std::uint32_t Key() const { return m_key; }
    BankDirectory Form() const { return m_form; }
    bool KeepsOrder() const { return m_keepOrder; }
    int ExpectedCount() const { return m_expected; }
    std::vector<zfmt::BankMember>& Members() { return m_members; }
    const std::vector<zfmt::BankMember>& Members() const { return m_members; }

private:
    std::string m_name;  // "bankRD01": written as data/bankRD01.dat
    std::uint32_t m_key;
    BankDirectory m_form;
    bool m_keepOrder = false;
    int m_expected = -1;
    std::vector<zfmt::BankMember> m_members;
};

struct LooseFile {
    std::string path;  // relative to the run folder, '/' separators ("data/NoImage.jpg")
    zfmt::Bytes bytes;
};

// Everything one generator makes. Each generator fills its own Output (they
// run in parallel); the driver merges them in registry order.
class Output {
public:
    // Adds a bank named like "bankRD01" (the file data/bankRD01.dat).
    BankOutput& AddBank(const std::string& name, std::uint32_t key, BankDirectory form);
    void AddLooseFile(const std::string& path, zfmt::Bytes bytes);
    void AddLooseFile(const std::string& path, const std::string& text);
    // C++ text appended to generated/content_tables.h and .cpp, after the bank
    // tables; wrap it in `namespace content { }`.
    std::ostringstream& Header() { return m_header; }
    std::ostringstream& Source() { return m_source; }
    // Records a problem; the run fails after all generators finished.
    void Fail(const std::string& message) { m_errors.push_back(message); }
    void Check(bool ok, const std::string& message) {
        if (!ok) Fail(message);
    }

    std::deque<BankOutput>& Banks() { return m_banks; }
    std::vector<LooseFile>& LooseFiles() { return m_loose; }
    const std::vector<std::string>& Errors() const { return m_errors; }
    std::string HeaderText() const { return m_header.str(); }
    std::string SourceText() const { return m_source.str(); }

private:
    std::deque<BankOutput> m_banks;  // a deque: references from AddBank stay valid
    std::vector<LooseFile> m_loose;
    std::ostringstream m_header;
    std::ostringstream m_source;
    std::vector<std::string> m_errors;
};

// The default key of a bank: a fixed hash of its name, never 0.
std::uint32_t DefaultBankKey(const std::string& bankName);

// Escapes text as a C++ string literal (with quotes); bytes >= 0x80 become
// octal escapes so the literal keeps its bytes under any execution charset.
std::string CppString(const std::string& text);

}  // namespace contentgen
