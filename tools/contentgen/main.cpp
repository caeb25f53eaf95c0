// contentgen: runs every content generator, checks the result and writes the
// banks, loose files and generated/content_tables.{h,cpp}.
#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "Generators.h"

namespace contentgen {
namespace {

struct Options {
    std::string manifestDir, dataDir, runDir, generatedDir, stamp;
    unsigned jobs = 4;
};

// A bank once laid out, with its generator's output it came from.
struct WrittenBank {
    const BankOutput* source = nullptr;
    zfmt::BuiltBank built;
};

bool ReadFile(const std::string& path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream ss;
    ss << in.rdbuf();
    out = ss.str();
    return true;
}

bool WriteFile(const std::string& path, const void* data, std::size_t size) {
    std::error_code ec;
    std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) std::filesystem::create_directories(parent, ec);
    std::string tmp = path + ".tmp";
    {
        std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
        if (!f) return false;
        f.write(static_cast<const char*>(data), std::streamsize(size));
        if (!f) return false;
    }
    return std::rename(tmp.c_str(), path.c_str()) == 0;
}

// Leaves the file (and its time stamp) alone when it already holds `text`,
// so editing one kind of content does not recompile the game's users of it.
bool WriteIfChanged(const std::string& path, const std::string& text) {
    std::string old;
    if (ReadFile(path, old) && old == text) return true;
    return WriteFile(path, text.data(), text.size());
}

bool IsIdentifier(const std::string& s) {
    if (s.empty() || !(std::isalpha(static_cast<unsigned char>(s[0])) || s[0] == '_')) return false;
    for (char c : s)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) return false;
    return true;
}

std::string Hex(std::uint32_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08Xu", v);
    return buf;
}

std::string EmitHeader(const std::vector<WrittenBank>& banks, const std::vector<Output>& outs) {
    std::ostringstream h;
    h << "// Compiled-in content tables made by contentgen with the banks: do not edit.\n"
         "#pragma once\n\n#include <cstdint>\n\n#include \"sys/data/tmArchiveEntry.h\"\n\n"
         "namespace content {\n\n";
    for (const WrittenBank& b : banks) {
        const BankOutput& s = *b.source;
        const std::string& n = s.Name();
        h << "// data\\" << n << ".dat: " << b.built.directory.size() << " members\n";
        if (s.Form() != BankDirectory::None)
            h << "extern const tmArchiveEntry " << n << "_dir[" << b.built.directory.size() << "];\n";
        h << "inline constexpr std::uint32_t " << n << "_key = " << Hex(s.Key()) << ";\n";
        h << "inline constexpr std::uint32_t " << n
          << "_count = " << (s.Form() == BankDirectory::None ? 1 : b.built.directory.size()) << "u;\n";
        h << "extern const tmBankInfo " << n << ";\n\n";
    }
    h << "// Every bank above, for checks that walk all content.\n"
      << "inline constexpr std::uint32_t kBankCount = " << banks.size() << "u;\n"
      << "extern const tmBankInfo* const kAllBanks[" << std::max<std::size_t>(banks.size(), 1)
      << "];\n\n}  // namespace content\n";
    for (const Output& o : outs) h << o.HeaderText();
    return h.str();
}

std::string EmitSource(const std::vector<WrittenBank>& banks, const std::vector<Output>& outs) {
    std::ostringstream c;
    c << "// Compiled-in content tables made by contentgen with the banks: do not edit.\n"
         "#include \"content_tables.h\"\n\nnamespace content {\n\n";
    for (const WrittenBank& b : banks) {
        const BankOutput& s = *b.source;
        const std::string& n = s.Name();
        std::string dir = "nullptr";
        if (s.Form() != BankDirectory::None) {
            dir = n + "_dir";
            c << "const tmArchiveEntry " << n << "_dir[" << b.built.directory.size() << "] = {\n";
            for (const zfmt::BankEntry& e : b.built.directory)
                c << "    {" << e.offset << "u, " << e.size << "u, " << CppString(e.name) << ", "
                  << (e.path.empty() ? std::string("nullptr") : CppString(e.path)) << "},\n";
            c << "};\n";
        }
        c << "const tmBankInfo " << n << " = {" << CppString("data\\" + n + ".dat") << ", " << n << "_key, " << dir
          << ", " << n << "_count};\n\n";
    }
    c << "const tmBankInfo* const kAllBanks[" << std::max<std::size_t>(banks.size(), 1) << "] = {";
    if (banks.empty()) c << "nullptr";
    for (const WrittenBank& b : banks) c << "\n    &" << b.source->Name() << ",";
    c << "\n};\n\n}  // namespace content\n";
    for (const Output& o : outs) c << o.SourceText();
    return c.str();
}

int Report(std::vector<std::string>& errors) {
    std::sort(errors.begin(), errors.end());
    for (const std::string& e : errors) std::fprintf(stderr, "contentgen: %s\n", e.c_str());
    return 1;
}

int Run(const Options& opt) {
    const std::vector<Generator>& gens = AllGenerators();
    Context ctx{opt.manifestDir, opt.jobs};
    std::vector<Output> outs(gens.size());
    ParallelFor(gens.size(), opt.jobs, [&](std::size_t i) { gens[i].run(outs[i], ctx); });

    std::vector<std::string> errors;
    for (std::size_t i = 0; i < gens.size(); ++i)
        for (const std::string& e : outs[i].Errors()) errors.push_back(std::string(gens[i].name) + ": " + e);

    // Bank and loose-file names across all generators.
    std::vector<WrittenBank> banks;
    std::set<std::string> bankNames, loosePaths;
    for (std::size_t i = 0; i < gens.size(); ++i) {
        for (BankOutput& b : outs[i].Banks()) {
            std::string where = std::string(gens[i].name) + ": " + b.Name() + ": ";
            if (!IsIdentifier(b.Name())) errors.push_back(where + "bank name is not an identifier");
            if (!bankNames.insert(b.Name()).second) errors.push_back(where + "bank made twice");
            if (b.ExpectedCount() >= 0 && int(b.Members().size()) != b.ExpectedCount())
                errors.push_back(where + std::to_string(b.Members().size()) + " members, expected " +
                                 std::to_string(b.ExpectedCount()));
            if (b.Form() == BankDirectory::None && b.Members().size() != 1)
                errors.push_back(where + "a bank opened whole holds exactly one member");
            if (!b.KeepsOrder()) zfmt::SortMembersByName(b.Members());
            banks.push_back(WrittenBank{&b, {}});
        }
        for (const LooseFile& f : outs[i].LooseFiles())
            if (f.path.empty() || f.path[0] == '/' || f.path.find("..") != std::string::npos ||
                f.path.find('\\') != std::string::npos || !loosePaths.insert(f.path).second)
                errors.push_back(std::string(gens[i].name) + ": bad or repeated loose file " + f.path);
    }

    if (!errors.empty()) return Report(errors);

    // Lay out, check and write every bank in parallel.
    std::mutex errorLock;
    ParallelFor(banks.size(), opt.jobs, [&](std::size_t i) {
        WrittenBank& wb = banks[i];
        wb.built = zfmt::BuildBank(wb.source->Members(), wb.source->Key());
        std::string problem = wb.built.error;
        if (problem.empty()) problem = zfmt::CheckDirectory(wb.built.directory, wb.built.file.size());
        if (problem.empty() &&
            !WriteFile(opt.dataDir + "/" + wb.source->Name() + ".dat", wb.built.file.data(), wb.built.file.size()))
            problem = "cannot write the bank file";
        wb.built.file = zfmt::Bytes();
        if (!problem.empty()) {
            std::lock_guard<std::mutex> lock(errorLock);
            errors.push_back(wb.source->Name() + ": " + problem);
        }
    });
    for (std::size_t i = 0; i < gens.size(); ++i)
        for (const LooseFile& f : outs[i].LooseFiles())
            if (!WriteFile(opt.runDir + "/" + f.path, f.bytes.data(), f.bytes.size()))
                errors.push_back("cannot write " + f.path);

    if (!errors.empty()) return Report(errors);
    if (!WriteIfChanged(opt.generatedDir + "/content_tables.h", EmitHeader(banks, outs)) ||
        !WriteIfChanged(opt.generatedDir + "/content_tables.cpp", EmitSource(banks, outs))) {
        std::fprintf(stderr, "contentgen: cannot write the generated tables in %s\n", opt.generatedDir.c_str());
        return 1;
    }
    if (!opt.stamp.empty()) WriteFile(opt.stamp, "ok\n", 3);
    return 0;
}

}  // namespace
}  // namespace contentgen

int main(int argc, char** argv) {
    contentgen::Options opt;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string a = argv[i], v = argv[i + 1];
        if (a == "--manifest-dir")
            opt.manifestDir = v;
        else if (a == "--data-dir")
            opt.dataDir = v;
        else if (a == "--run-dir")
            opt.runDir = v;
        else if (a == "--generated-dir")
            opt.generatedDir = v;
        else if (a == "--stamp")
            opt.stamp = v;
        else if (a == "--jobs")
            opt.jobs = unsigned(std::max(1, std::atoi(v.c_str())));
        else {
            std::fprintf(stderr, "contentgen: unknown option %s\n", a.c_str());
            return 2;
        }
    }
    if (opt.manifestDir.empty() || opt.dataDir.empty() || opt.runDir.empty() || opt.generatedDir.empty()) {
        std::fprintf(stderr,
                     "usage: contentgen --manifest-dir D --data-dir D --run-dir D --generated-dir D "
                     "[--stamp F] [--jobs N]\n");
        return 2;
    }
    return contentgen::Run(opt);
}
