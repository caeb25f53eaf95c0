// tmSoundIds.h -- names of the numbers sound callers pass: volume categories and music stream ids.
#pragma once

// The volume categories of tmSound::SetCategoryVolume. Each voice pool plays
// at its category's volume: the sound options set music from the music
// step and both effect categories from the effects step.
namespace tmSoundCategory {
enum : int {
    kEffects = 1,  // one-shot sounds (voices 1..95)
    kMusic = 2,    // the music stream (voice 0)
    kLoops = 3,    // looping sounds: engines, crowds (voices 96..127)
    kCount = 4,    // categories 0..3; 0 holds no voice
};
}  // namespace tmSoundCategory

// Music stream ids of tmSound::PlayStream that screens start; a race plays its
// course's own id from the course table.
namespace tmMusicStream {
enum : int {
    kNone = 0,      // an empty row
    kMenu = 1,      // main menu and option screens
    kLobby = 2,     // the lobby
    kSelect = 3,    // course and machine select
    kEnding = 11,   // the ending (plays once)
    kViewers = 12,  // record, trophy, replay and machine viewers
    kTitle = 13,    // the title screen
};
}  // namespace tmMusicStream
