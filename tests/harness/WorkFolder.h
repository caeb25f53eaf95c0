// WorkFolder.h -- a fresh temporary working folder for a test that writes files.
#pragma once
#include <string>
#include <vector>

#include "platform/fs/FileSystem.h"

namespace harness {

// Makes a fresh temporary folder the working folder for its lifetime, so
// report, log and save files a test writes never meet another test's (ctest
// runs each test in its own process, any number at once). With runData the
// run folder's data/ is linked in (shader bank, content banks). The previous
// working folder comes back and the folder is removed at destruction.
class WorkFolder {
public:
    explicit WorkFolder(bool runData = false);
    ~WorkFolder();
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    // False when the folder could not be made or entered.
    bool Ok() const { return ok_; }
    const std::string& Path() const { return folder_.Path(); }
    // The text of a file in the folder ("" when it is missing).
    std::string Read(const std::string& name) const;
    bool Exists(const std::string& name) const;
    bool Remove(const std::string& name) const;

private:
    platform::TempDirectory folder_;
    std::string previous_;
    bool ok_ = false;
};

// A spawned peer's environment: this process's, with TMPDIR in `folder`, so the session folder
// of a peer that is killed (and cannot remove it) goes with the test's own folder.
std::vector<std::string> PeerEnvironment(const std::string& folder);

}  // namespace harness
