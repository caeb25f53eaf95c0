// WorkFolder.cpp -- entering, filling and leaving a test's own temporary folder.
#include "harness/WorkFolder.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>

extern char** environ;

namespace harness {

WorkFolder::WorkFolder(bool runData) {
    char cwd[4096];
    if (getcwd(cwd, sizeof cwd)) previous_ = cwd;
    if (folder_.Path().empty()) return;
    if (runData && symlink(ZARVO_RUN_DIR "/data", folder_.Join("data").c_str()) != 0) {
        std::perror("work folder: link data");
        return;
    }
    ok_ = chdir(folder_.Path().c_str()) == 0;
}

WorkFolder::~WorkFolder() {
    if (!previous_.empty() && chdir(previous_.c_str()) != 0) std::perror("work folder: chdir back");
}

std::string WorkFolder::Read(const std::string& name) const {
    std::string text;
    return platform::ReadWholeFile(folder_.Join(name), &text) ? text : std::string();
}

bool WorkFolder::Exists(const std::string& name) const { return platform::FileExists(folder_.Join(name)); }

bool WorkFolder::Remove(const std::string& name) const { return platform::RemoveFile(folder_.Join(name)); }

std::vector<std::string> PeerEnvironment(const std::string& folder) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "TMPDIR=", 7) != 0) env.emplace_back(*e);
    env.push_back("TMPDIR=" + folder);
    return env;
}

}  // namespace harness
