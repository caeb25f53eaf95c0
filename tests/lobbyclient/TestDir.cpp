// TestDir.cpp -- moves each test process into a fresh temporary working folder.
#include "lobbyclient/TestDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

namespace lobbytest {
namespace {

// Made before the tests run and removed after them, with the working folder put back.
struct FreshWorkingFolder {
    FreshWorkingFolder() {
        std::error_code ec;
        previous = std::filesystem::current_path(ec);
        std::string pattern = (std::filesystem::temp_directory_path() / "zarvo-lobby-XXXXXX").string();
        if (!mkdtemp(pattern.data())) return;
        folder = pattern;
        std::filesystem::current_path(folder, ec);
    }
    ~FreshWorkingFolder() {
        if (folder.empty()) return;
        std::error_code ec;
        if (!previous.empty()) std::filesystem::current_path(previous, ec);
        std::filesystem::remove_all(folder, ec);
    }
    std::filesystem::path previous;
    std::filesystem::path folder;
};
const FreshWorkingFolder g_folder;

}  // namespace

std::string ReadNetworkLog() {
    std::ifstream in("network.log");
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool LogHas(const std::string& line) { return ReadNetworkLog().find(line) != std::string::npos; }

}  // namespace lobbytest
