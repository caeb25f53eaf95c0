// The content generator: same output on every run and thread count, and
// refusal (with nothing written) when a manifest breaks an invariant.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A scratch folder removed with its contents.
struct Scratch {
    fs::path root;
    explicit Scratch(const std::string& name) {
        root = fs::temp_directory_path() / ("zarvo-contentgen-" + name + "-" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "run" / "data");
        fs::create_directories(root / "gen");
    }
    ~Scratch() { fs::remove_all(root); }
};

// Runs the tool; its error report goes to `report` (discarded when empty).
int RunContentgen(const Scratch& s, const std::string& manifests, int jobs, const std::string& report = "") {
    std::string cmd = std::string("\"") + CONTENTGEN_PATH + "\" --manifest-dir \"" + manifests + "\" --data-dir \"" +
                      (s.root / "run" / "data").string() + "\" --run-dir \"" + (s.root / "run").string() +
                      "\" --generated-dir \"" + (s.root / "gen").string() + "\" --jobs " + std::to_string(jobs) +
                      " 2>" + (report.empty() ? std::string("/dev/null") : "\"" + report + "\"");
    return std::system(cmd.c_str());
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// Every file under the folder, by relative path, with its bytes.
std::map<std::string, std::string> Snapshot(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        if (!e.is_regular_file()) continue;
        std::ifstream in(e.path(), std::ios::binary);
        std::ostringstream ss;
        ss << in.rdbuf();
        files[fs::relative(e.path(), root).string()] = ss.str();
    }
    return files;
}

// The build made its content with many workers; one more run with two must
// give the same bytes for every file, and the same set of bank files.
TEST(Contentgen, OutputIsTheSameOnEveryRunAndThreadCount) {
    Scratch two("two");
    ASSERT_EQ(RunContentgen(two, CONTENTGEN_MANIFESTS, 2), 0);
    const auto made = Snapshot(two.root);
    EXPECT_TRUE(made.count("run/data/bankRD01.dat"));
    EXPECT_TRUE(made.count("gen/content_tables.h"));
    EXPECT_TRUE(made.count("gen/content_tables.cpp"));
    const fs::path built[2] = {fs::path(ZARVO_RUN_DIR), fs::path(CONTENTGEN_BUILD_GENERATED)};
    for (const auto& [name, bytes] : made) {
        const bool inRun = name.rfind("run/", 0) == 0;
        const fs::path there = (inRun ? built[0] : built[1]) / name.substr(inRun ? 4 : 4);
        EXPECT_EQ(ReadText(there), bytes) << name << " differs from the build's " << there;
    }
    size_t builtBanks = 0;
    for (const auto& e : fs::recursive_directory_iterator(built[0] / "data"))
        if (e.is_regular_file()) ++builtBanks;
    size_t madeBanks = 0;
    for (const auto& [name, bytes] : made) madeBanks += name.rfind("run/data/", 0) == 0;
    EXPECT_EQ(builtBanks, madeBanks);
}

TEST(Contentgen, BrokenManifestWritesNothing) {
    Scratch s("broken");
    fs::path manifests = s.root / "manifest";
    fs::create_directories(manifests);
    for (const auto& e : fs::directory_iterator(CONTENTGEN_MANIFESTS))
        fs::copy_file(e.path(), manifests / e.path().filename());
    // One machine loses a column value.
    std::ifstream in(manifests / "machines.txt");
    std::string text, line;
    while (std::getline(in, line)) {
        if (line.rfind("weight", 0) == 0) line = line.substr(0, line.find_last_of(" \t"));
        text += line + "\n";
    }
    in.close();
    std::ofstream(manifests / "machines.txt") << text;

    EXPECT_NE(RunContentgen(s, manifests.string(), 2), 0);
    EXPECT_FALSE(fs::exists(s.root / "run" / "data" / "bankRD01.dat"));
    EXPECT_FALSE(fs::exists(s.root / "gen" / "content_tables.cpp"));
}

TEST(Contentgen, TextureBankShortOfItsCountIsRefused) {
    Scratch s("textures");
    fs::path manifests = s.root / "manifest";
    fs::create_directories(manifests);
    // The group manifest alone (the other generators stop at once without theirs),
    // with group 0's texture bank asking for more than its theme has.
    std::string text = ReadText(fs::path(CONTENTGEN_MANIFESTS) / "resource_groups.txt");
    const std::string line = "textures 50 niseko S_NSK";
    const size_t at = text.find(line);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, line.size(), "textures 90 niseko S_NSK");
    std::ofstream(manifests / "resource_groups.txt") << text;

    const fs::path report = s.root / "report.txt";
    EXPECT_NE(RunContentgen(s, manifests.string(), 4, report.string()), 0);
    const std::string errors = ReadText(report);
    EXPECT_NE(errors.find("bankTC01"), std::string::npos) << errors;
    EXPECT_NE(errors.find("90 needed"), std::string::npos) << errors;
    EXPECT_FALSE(fs::exists(s.root / "run" / "data" / "bankTC01.dat"));
}

}  // namespace
