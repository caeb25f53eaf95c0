// SoundFuzz.cpp -- hostile sound banks and music files through the sound engine and the music stream.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "format/ByteIO.h"
#include "sys/sound/tmSound.h"

namespace {

// The run's own folder under TMPDIR (else /tmp), removed with what the runs wrote into it when the
// process exits: libFuzzer ends a run through exit(), which destroys this after the engine.
class RunFolder {
public:
    RunFolder() {
        const char* tmp = std::getenv("TMPDIR");
        std::string tmpl = std::string(tmp && *tmp ? tmp : "/tmp") + "/zarvo_soundfuzz_XXXXXX";
        if (mkdtemp(tmpl.data())) {
            path_ = tmpl;
            made_ = true;
        } else {
            std::perror("sound fuzz: mkdtemp");
            path_ = tmp && *tmp ? tmp : "/tmp";
        }
        mkdir((path_ + "/data").c_str(), 0755);
    }
    ~RunFolder() {
        std::error_code ignored;
        if (made_) std::filesystem::remove_all(path_, ignored);
    }
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
    bool made_ = false;
};

const std::string& Folder() {
    static const RunFolder folder;
    return folder.Path();
}

// Replaces the file by a new one: truncating a file in place makes some file
// systems flush it at close, which would cost more than the rest of a run.
void Write(const std::string& path, const uint8_t* data, size_t size) {
    unlink(path.c_str());
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        if (size) std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
}

// The engine every run reuses: making one (the mixer and its 128 voices) costs
// more than a run and depends on nothing in the input. Each run reloads the
// banks from the new file, so a run leaves nothing behind for the next.
struct Engine {
    std::vector<SoundBankEntry> dir = std::vector<SoundBankEntry>(16);
    SoundBankDesc banks[kSoundBankCount] = {
        {},
        {"data\\bankF1.dat", 0x10000, 0, 0x1234ABCDu, 1, dir.data(), 0, nullptr, nullptr, nullptr},
        {"data\\bankF1.dat", 0x20000, 0, 0u, 3, dir.data(), 0, nullptr, nullptr, nullptr},
    };
    MusicStreamRow rows[kMusicStreamCount];
    std::unique_ptr<tmSound> sound;

    Engine() {
        for (int i = 0; i < kMusicStreamCount; ++i) rows[i] = MusicStreamTable[i];
        rows[1] = {"data\\bankF1.dat", 0u, 1, 100, 3000, -1, 1.0f};
        tmSoundSetup setup;
        setup.banks = banks;
        setup.backend = platform::AudioBackend::Test;
        setup.streams = rows;
        setup.folder = Folder();
        sound = std::make_unique<tmSound>(setup);
    }
};

}  // namespace

// Input: one byte of entry count, then that many (offset, size) word pairs,
// then the bank file itself: one file read as both banks (scrambled and plain)
// and as a plain music file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    static Engine engine;
    tmSound& sound = *engine.sound;
    zfmt::ByteReader r(data, size);
    const int count = r.U8() % 16;
    for (int i = 0; i < count; ++i) engine.dir[i] = {r.U32(), r.U32(), "E", uint32_t(i & 1)};
    const size_t head = r.Ok() ? r.Pos() : size;
    Write(Folder() + "/data/bankF1.dat", data + head, size - head);

    for (int bank = 1; bank <= 2; ++bank) {
        sound.UnloadBank(bank);
        engine.banks[bank].soundCount = engine.banks[bank].entryCount = count;
        sound.LoadBank(bank);
    }
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
    return 0;
}
