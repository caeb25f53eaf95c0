// tmSeqMenuOptSound.h -- screen 20: music and effect volumes, heard at once, and a music player.
#pragma once
#include "menu/tmMenuOption.h"

// The sound options: the music and effect volume steps, applied to the sound
// engine as soon as they change, and a song row whose decide plays the song
// (the menu music comes back when the screen ends).
class tmSeqMenuOptSound : public tmMenuOption {
public:
    enum RowId { kMusic = 0, kEffects = 1, kSong = 2, kReturn = 3, kRows = 4 };
    static constexpr int kSongs = 11;
    // The music stream of each song choice.
    static const int kSongStreams[kSongs];

    void Term() override;
    bool IsPreviewPlayed() const { return preview_; }

protected:
    const Row* Rows(int* count) const override;
    uint32_t HeadSprite() const override;
    int LeaveDelay(int row) const override { return (4 - row) * 4; }
    const char* ConsoleText() const override { return "Menu Opt Video. ( %d )"; }
    void ReadValues() override;
    void Apply() override;
    void HandleInput() override;
    void OnChoiceChanged(int row) override;
    bool ShowsArrows(int row) const override { return row != kReturn; }

private:
    void ApplyVolumes() const;

    bool preview_ = false;
};
