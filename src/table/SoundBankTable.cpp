// SoundBankTable.cpp -- the sound bank records, with the directories and keys generated with the banks.
#include "table/SoundBankTable.h"

#include "content_tables.h"

SoundBankDesc SoundBankTable[kSoundBankCount] = {
    {nullptr, 0, 0, 0, 0, nullptr, 0, nullptr, nullptr, nullptr},
    {"data\\bankSN01.dat", MakeSoundId(kOneShotBank, 0), 147, content::bankSN01_key, 1, content::bankSN01_sounds, 147,
     nullptr, nullptr, nullptr},
    {"data\\bankSL01.dat", MakeSoundId(kLoopBank, 0), 153, content::bankSL01_key, 3, content::bankSL01_sounds, 153,
     nullptr, nullptr, nullptr},
};

static_assert(sizeof(content::bankSN01_sounds) / sizeof(SoundBankEntry) == 147, "one-shot bank holds 147 sounds");
static_assert(sizeof(content::bankSL01_sounds) / sizeof(SoundBankEntry) == 153, "loop bank holds 153 sounds");

tmSoundSetup GameSoundSetup() {
    tmSoundSetup setup;
    setup.banks = SoundBankTable;
    return setup;
}
