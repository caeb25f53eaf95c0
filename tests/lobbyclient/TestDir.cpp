// TestDir.cpp -- moves each test process into a fresh temporary working folder.
#include "lobbyclient/TestDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace lobbytest {
namespace {

struct FreshWorkingFolder {
    FreshWorkingFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "zarvo-lobby-XXXXXX").string();
        if (mkdtemp(pattern.data())) std::filesystem::current_path(pattern);
    }
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
