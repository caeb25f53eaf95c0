// tmSeqTest02.h -- screen 4: the replay folder listed and its headers walked, under the free-look camera.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "test/tmTestScreen.h"

class tmCameraCtrl;

// At start lists the replay folder (the valid headers, as the replay select
// finds them) and walks the headers into one line each: file, player,
// course, race mode, entrants and total time. Shows the count and the lines
// under the free-look camera (mode 5). Owns the camera.
class tmSeqTest02 : public tmTestScreen {
public:
    static constexpr int kId = 4;
    static constexpr int kShownLines = 36;  // lines that fit under the title

    tmSeqTest02();
    ~tmSeqTest02() override;

    void Init() override;
    int Update() override;
    void Term() override;
    void Draw() override;

    const tmCameraCtrl* GetCamera() const { return camera_.get(); }
    int GetReplayCount() const { return static_cast<int>(lines_.size()); }
    const std::vector<std::string>& GetLines() const { return lines_; }

private:
    void ReadReplays();

    std::unique_ptr<tmCameraCtrl> camera_;
    std::vector<std::string> lines_;  // one per valid replay file
};
