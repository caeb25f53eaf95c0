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

// One-shot sound ids of the menus and race panels (tmSound::Play): interface
// blips named by what they answer.
namespace tmSoundId {
enum : unsigned {
    kAnswerNo = 0x10000,    // a question answered no, or cancelled
    kConfirm = 0x10001,     // a panel confirmed and leaving
    kRefused = 0x10002,     // a choice that cannot be taken
    kPointCount = 0x10005,  // one level-up point counted
    kLevelUp = 0x10007,     // a hundred points: the level rises
    kReady = 0x10008,       // a network player declares ready
    kAnswerYes = 0x10009,   // connect or save answered yes
    kPick = 0x1000b,        // the waiting room's host picks a row to move
    kTrophy = 0x1000c,      // a trophy shown
    kSwap = 0x1000c,        // two grid slots swapped
    kAllReady = 0x1000d,    // every network player is ready: the race starts
    kMenuClose = 0x10080,   // a race choice menu closes with its choice
    kMenuOpen = 0x10081,    // a race choice menu or the save question opens
    kResultPage = 0x10088,  // the results panel turns a page
    kWarning = 0x1008c,     // delete answered yes; the race connection lost
    kCursor = 0x1008f,      // cursor moved
    kRowCursor = 0x10090,   // the waiting room's cursor moved
};
}  // namespace tmSoundId
