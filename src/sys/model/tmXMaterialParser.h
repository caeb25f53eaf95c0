// tmXMaterialParser.h -- reads the material lists of text meshes into material records.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "format/MaterialRecord.h"

// Line-based reader of every "MeshMaterialList" of a text mesh: colours,
// shader kind and feature keywords from each material's header line, the
// optional "CustomParam" block and up to six "TextureFilename" stages. Owned
// by the text mesh reader; keeps the records of the last parse.
class tmXMaterialParser {
public:
    static constexpr uint32_t kMaxMaterials = 1024;

    // Fills the records from every material list of the text and returns them
    // as count x 1784 bytes; `extraFlags` is ORed into every record's feature
    // bits. 0, or E_FAIL when a list announces more materials than it holds or
    // the lists hold more than kMaxMaterials materials.
    int32_t Parse(const char* text, size_t size, std::vector<uint8_t>& out, uint32_t extraFlags);

    // Any stage of any parsed material is a normal map (type 3).
    bool HasNormalMap() const;
    // Any parsed material has custom line 5's first value above 0 or line 6 >= 1.
    bool NeedsNormals() const;

    uint32_t Count() const { return static_cast<uint32_t>(records_.size()); }
    const zfmt::MaterialRecord& Record(uint32_t i) const { return records_[i]; }

private:
    std::vector<zfmt::MaterialRecord> records_;
};
