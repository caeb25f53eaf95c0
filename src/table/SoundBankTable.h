// SoundBankTable.h -- the game's two sound banks (one-shots, loops) as the sound engine loads them.
#pragma once

#include "sys/sound/tmSound.h"
#include "sys/sound/tmSoundBank.h"

// Record 0 is empty, record 1 the one-shot bank "data\bankSN01.dat" (147
// stereo sounds, ids 0x10000 + index), record 2 the loop bank
// "data\bankSL01.dat" (153 mono loops, ids 0x20000 + index). The run-time
// fields belong to tmSound.
extern SoundBankDesc SoundBankTable[kSoundBankCount];

// The set-up the main loop passes to tmSound::Create: these banks, the real
// audio device, the working folder.
tmSoundSetup GameSoundSetup();
