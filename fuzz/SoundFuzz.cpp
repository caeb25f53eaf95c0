// SoundFuzz.cpp -- hostile sound banks and music files through the sound engine and the music stream.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "format/ByteIO.h"
#include "sys/sound/tmSound.h"

namespace {

std::string Folder() {
    static const std::string dir = [] {
        char tmpl[] = "/tmp/zarvo_soundfuzz_XXXXXX";
        const char* d = mkdtemp(tmpl);
        std::string path = d ? d : "/tmp";
        std::system(("mkdir -p " + path + "/data").c_str());
        return path;
    }();
    return dir;
}

void Write(const std::string& path, const uint8_t* data, size_t size) {
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        if (size) std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
}

}  // namespace

// Input: one byte of entry count, then that many (offset, size) word pairs,
// then the bank file itself: one file read as both banks (scrambled and plain)
// and as a plain music file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    zfmt::ByteReader r(data, size);
    const int count = r.U8() % 16;
    std::vector<SoundBankEntry> dir(size_t(count) + 1);
    for (int i = 0; i < count; ++i) dir[i] = {r.U32(), r.U32(), "E", uint32_t(i & 1)};
    const size_t head = r.Ok() ? r.Pos() : size;
    const std::string folder = Folder();
    Write(folder + "/data/bankF1.dat", data + head, size - head);

    SoundBankDesc banks[kSoundBankCount] = {
        {},
        {"data\\bankF1.dat", 0x10000, count, 0x1234ABCDu, 1, dir.data(), count, nullptr, nullptr, nullptr},
        {"data\\bankF1.dat", 0x20000, count, 0u, 3, dir.data(), count, nullptr, nullptr, nullptr},
    };
    MusicStreamRow rows[kMusicStreamCount];
    for (int i = 0; i < kMusicStreamCount; ++i) rows[i] = MusicStreamTable[i];
    rows[1] = {"data\\bankF1.dat", 0u, 1, 100, 3000, -1, 1.0f};
    tmSoundSetup setup;
    setup.banks = banks;
    setup.backend = platform::AudioBackend::Test;
    setup.streams = rows;
    setup.folder = folder;
    {
        tmSound sound(setup);
        LoopSoundRecord loop{0x20000, {0, 0.5f, 0.75f, 1, 1, 1, 1, 1}, {0, 0.5f, 0.75f, 1, 1.5f, 1.5f, 1.5f, 1.5f}};
        for (int i = 0; i < count; ++i) {
            sound.Play(0x10000u + uint32_t(i));
            loop.soundId = 0x20000u + uint32_t(i);
            sound.PlayLoop(&loop, 0.5f);
        }
        sound.PlayStream(1, true);
        std::vector<int16_t> out(2 * 1024);
        sound.Mixer()->Mix(out.data(), 1024);
        sound.StopAll();
    }
    return 0;
}
