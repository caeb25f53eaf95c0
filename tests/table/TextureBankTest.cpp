// TextureBankTest.cpp -- every group's texture bank holds its given number of distinct, decodable
// pictures; contact sheets of each bank go to build/shots/textures for a look by eye.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "content_tables.h"
#include "platform/image/Image.h"
#include "sys/data/tmArchiver.h"
#include "table/yiResourceGroup.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

namespace {

// Texture-bank entry counts of groups 0 to 35.
constexpr std::uint32_t kTextureCounts[36] = {50, 48, 49, 55, 52, 51, 53, 49, 50, 55, 51, 51, 11, 15, 9, 7, 6,  6,
                                              8,  6,  22, 17, 12, 12, 19, 19, 11, 11, 15, 17, 17, 47, 9, 2, 11, 3};

// Standard deviation of luminance times alpha, and of alpha: 0 for a blank fill.
double Variation(const std::vector<std::uint8_t>& rgba) {
    double s = 0, q = 0, as = 0, aq = 0;
    const double n = static_cast<double>(rgba.size() / 4);
    for (size_t i = 0; i + 3 < rgba.size(); i += 4) {
        const double a = rgba[i + 3] / 255.0;
        const double l = (0.3 * rgba[i] + 0.59 * rgba[i + 1] + 0.11 * rgba[i + 2]) / 255.0 * a;
        s += l, q += l * l, as += a, aq += a * a;
    }
    return std::max(std::sqrt(std::max(0.0, q / n - (s / n) * (s / n))),
                    std::sqrt(std::max(0.0, aq / n - (as / n) * (as / n))));
}

// Lays thumbnails (64 x 64, nearest sampling, over a grey checker) into rows of 8.
class ContactSheet {
public:
    explicit ContactSheet(size_t count) : rows_((count + 7) / 8), px_(kCell * 8 * kCell * rows_ * 3, 0) {}
    void Add(const platform::image::Image& img) {
        const size_t cx = (next_ % 8) * kCell, cy = (next_ / 8) * kCell;
        ++next_;
        const std::vector<std::uint8_t>& face = img.faces[0];
        const std::uint32_t h = img.IsCube() ? img.width : img.height;
        for (size_t y = 0; y < kCell - 2; ++y)
            for (size_t x = 0; x < kCell - 2; ++x) {
                const size_t sx = x * img.width / (kCell - 2), sy = y * h / (kCell - 2);
                const std::uint8_t* s = &face[(sy * img.width + sx) * 4];
                const int back = ((x / 8 + y / 8) & 1) ? 150 : 90;
                std::uint8_t* d = &px_[((cy + y) * kCell * 8 + cx + x) * 3];
                for (int c = 0; c < 3; ++c) d[c] = static_cast<std::uint8_t>((s[c] * s[3] + back * (255 - s[3])) / 255);
            }
    }
    bool Write(const std::string& path) const {
        return stbi_write_png(path.c_str(), kCell * 8, static_cast<int>(kCell * rows_), 3, px_.data(), kCell * 8 * 3) !=
               0;
    }

private:
    static constexpr size_t kCell = 66;
    size_t rows_;
    std::vector<std::uint8_t> px_;
    size_t next_ = 0;
};

}  // namespace

TEST(TextureBanks, EveryGroupHoldsItsCountOfDistinctPictures) {
    char buf[4096];
    const std::string cwd = getcwd(buf, sizeof buf) ? buf : ".";
    ASSERT_EQ(chdir(ZARVO_RUN_DIR), 0);
    const std::filesystem::path shots = std::filesystem::path(ZARVO_SHOTS_DIR) / "textures";
    std::filesystem::create_directories(shots);
    std::uint32_t total = 0;
    for (int id = 0; id < 36; ++id) {
        const tmBankInfo& info = *content::BankTable[id]->textureArchive;
        EXPECT_EQ(info.entryCount, kTextureCounts[id]) << info.fileName;
        tmArchiver bank;
        ASSERT_TRUE(bank.Open(info)) << info.fileName;
        std::set<std::vector<std::uint8_t>> pictures;
        ContactSheet sheet(info.entryCount);
        for (std::uint32_t i = 0; i < info.entryCount; ++i) {
            const tmArchiveEntry& e = info.directory[i];
            EXPECT_EQ(e.path, nullptr) << e.name;  // texture banks name stems only
            const char* bytes = bank.ReadAt(i);
            ASSERT_NE(bytes, nullptr) << e.name;
            platform::image::Image img;
            std::string why;
            ASSERT_TRUE(platform::image::Decode(bytes, bank.GetReadSize(), img, &why)) << e.name << ": " << why;
            EXPECT_GT(Variation(img.faces[0]), 0.004) << e.name << " is a blank fill";
            EXPECT_TRUE(pictures.insert(img.faces[0]).second) << e.name << " repeats a picture of its bank";
            sheet.Add(img);
        }
        total += info.entryCount;
        std::string bankName = info.fileName + 5;  // past "data\\"
        bankName = bankName.substr(0, bankName.find('.'));
        EXPECT_TRUE(sheet.Write((shots / (bankName + ".png")).string())) << bankName;
    }
    EXPECT_EQ(total, 926u);
    ASSERT_EQ(chdir(cwd.c_str()), 0);
}

TEST(TextureBanks, CourseSkiesDecodeAsCubesAndLightRampsRise) {
    char buf[4096];
    const std::string cwd = getcwd(buf, sizeof buf) ? buf : ".";
    ASSERT_EQ(chdir(ZARVO_RUN_DIR), 0);
    for (int id : {0, 5, 11, 31}) {
        const yiResourceGroup* g = content::BankTable[id];
        tmArchiver bank;
        ASSERT_TRUE(bank.Open(*g->textureArchive));
        for (std::uint32_t i = 0; i < g->textureArchive->entryCount; ++i) {
            const std::string name = g->textureArchive->directory[i].name;
            const char* bytes = bank.ReadAt(i);
            platform::image::Image img;
            if (name.find("CUBEMAP") != std::string::npos) {
                ASSERT_TRUE(platform::image::DecodeCube(bytes, bank.GetReadSize(), img)) << name;
                // The sky is brighter above the horizon than the ground below it.
                auto lum = [&](size_t face, size_t x, size_t y) {
                    const std::uint8_t* p = &img.faces[face][(y * img.width + x) * 4];
                    return 0.3 * p[0] + 0.59 * p[1] + 0.11 * p[2];
                };
                EXPECT_NE(lum(2, img.width / 2, img.width / 2), lum(3, img.width / 2, img.width / 2)) << name;
            } else if (name.find("GOURAUDMAP") != std::string::npos) {
                ASSERT_TRUE(platform::image::Decode(bytes, bank.GetReadSize(), img)) << name;
                ASSERT_EQ(img.width, 256u);
                double last = -1;
                for (size_t x = 0; x < 256; x += 15) {
                    const std::uint8_t* p = &img.faces[0][x * 4];
                    const double l = 0.3 * p[0] + 0.59 * p[1] + 0.11 * p[2];
                    EXPECT_GE(l, last) << name << " at " << x;
                    last = l;
                }
            }
        }
    }
    ASSERT_EQ(chdir(cwd.c_str()), 0);
}
