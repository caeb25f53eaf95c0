// The registry of content generators and the manifest reader they share.
#include "Generators.h"

#include <fstream>
#include <sstream>

#include "course/CourseArt.h"

namespace contentgen {

const std::vector<Generator>& AllGenerators() {
    static const std::vector<Generator> kGenerators = {
        {"textures", GenTextures},
        // Course groups next (they take long), heaviest first; they write no C++.
        {"course Qir", GenCourseGroup<3>},
        {"course Qir reversed", GenCourseGroup<9>},
        {"course Berlin", GenCourseGroup<2>},
        {"course Berlin reversed", GenCourseGroup<8>},
        {"course Sydney", GenCourseGroup<4>},
        {"course Sydney reversed", GenCourseGroup<10>},
        {"course Canada", GenCourseGroup<5>},
        {"course Canada reversed", GenCourseGroup<11>},
        {"course Spain", GenCourseGroup<1>},
        {"course Spain reversed", GenCourseGroup<7>},
        {"course Niseko", GenCourseGroup<0>},
        {"course Niseko reversed", GenCourseGroup<6>},
        {"garage", GenCourseGroup<31>},
        {"data tables", GenDataTables},
        {"circuit rows", GenCircuitRows},
        {"collision", GenCollision},
        {"machine rows", GenMachineRows},
        {"sounds", GenSounds},
        {"music", GenMusic},
        {"models", GenModels},
        {"sprites", GenSprites},
        {"shaders", GenShaders},
        {"course viewer", GenCourseViewer},
    };
    return kGenerators;
}

std::vector<ManifestLine> ReadManifest(const Context& ctx, const std::string& file, Output& out) {
    std::vector<ManifestLine> lines;
    std::ifstream in(ctx.manifestDir + "/" + file);
    if (!in) {
        out.Fail("cannot read manifest " + file);
        return lines;
    }
    std::string text;
    int number = 0;
    while (std::getline(in, text)) {
        ++number;
        if (!text.empty() && text.back() == '\r') text.pop_back();
        ManifestLine line{number, {}};
        std::size_t i = 0;
        while (i < text.size()) {
            while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
            if (i >= text.size()) break;
            if (line.fields.empty() && text[i] == '#') break;
            std::string field;
            if (text[i] == '"') {
                std::size_t end = text.find('"', i + 1);
                if (end == std::string::npos) {
                    out.Fail(file + ":" + std::to_string(number) + ": unterminated quote");
                    end = text.size();
                }
                field = text.substr(i + 1, end - i - 1);
                i = end + 1;
            } else {
                std::size_t end = text.find_first_of(" \t", i);
                if (end == std::string::npos) end = text.size();
                field = text.substr(i, end - i);
                i = end;
            }
            line.fields.push_back(field);
        }
        if (!line.fields.empty()) lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace contentgen
