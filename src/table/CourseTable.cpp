// The thirteen course records, built at compile time from their layout rows.
#include "table/CourseTable.h"

#include "content_tables.h"
#include "table/CircuitFixedRows.h"

namespace {

// Part kinds of a layout's static scenery.
enum PartKind {
    kNormal,       // drawn in the normal view
    kFar,          // far part in layer 1
    kFarCube,      // far part also drawn into the cube map
    kEnvironment,  // seen only in the cube map (shader type 5)
    kGarageEnv,    // the garage's cube-only part (shader type 0)
};

struct PartRun {
    int first;  // first model slot of the run
    int last;   // last model slot (inclusive)
    PartKind kind;
    float scale;  // 0 = the layout's default
    float y;      // translation y
};

struct LayoutRow {
    int id;
    const char* name;
    int group;
    const char* collisionBase;
    const char* routeTable;
    const char* folder;
    const char* cubeFile;
    const char* gouraudFile;
    int mapModel;
    int musicId;
    int soundFrom;
    int soundTo;
    float light[3];
    float colour[3];
};

constexpr void Append(char (&dst)[256], const char* a, const char* b = "", const char* c = "") {
    std::size_t n = 0;
    const char* parts[3] = {a, b, c};
    for (const char* p : parts)
        for (; *p != '\0' && n + 1 < sizeof dst; ++p) dst[n++] = *p;
    for (; n < sizeof dst; ++n) dst[n] = '\0';
}

constexpr CourseModelSlot MakePart(int model, PartKind kind, float scale, float y) {
    CourseModelSlot s{};
    s.model = model;
    s.position = {0.0f, y, 0.0f};
    s.scale = scale;
    switch (kind) {
        case kNormal:
            s.shaderType = 0;
            s.layer = 0;
            s.draw = 1;
            s.cubeFaces = 0;
            break;
        case kFar:
            s.shaderType = 0;
            s.layer = 1;
            s.draw = 1;
            s.cubeFaces = 0;
            break;
        case kFarCube:
            s.shaderType = 0;
            s.layer = 1;
            s.draw = 1;
            s.cubeFaces = 1;
            break;
        case kEnvironment:
            s.shaderType = 5;
            s.layer = 0;
            s.draw = 0;
            s.cubeFaces = 1;
            break;
        case kGarageEnv:
            s.shaderType = 0;
            s.layer = 0;
            s.draw = 0;
            s.cubeFaces = 1;
            break;
    }
    return s;
}

constexpr CourseModelSlot EmptyPart() {
    CourseModelSlot s{};
    s.scale = 1.0f;
    s.draw = 1;
    s.cubeFaces = 1;
    return s;
}

template <std::size_t N>
constexpr CourseRecord MakeCourse(const LayoutRow& row, const PartRun (&runs)[N], float defaultScale,
                                  const CourseObject* objects, int objectCount) {
    CourseRecord r{};
    r.id = row.id;
    Append(r.name, row.name);
    r.groupId = row.group;
    Append(r.collisionFile, "data/collision/course", row.collisionBase, "Colli.clb");
    Append(r.wallFile, "data/collision/course", row.collisionBase, "Wall.wlb");
    Append(r.routeFile, "data/collision/course", row.collisionBase, "Route.rtb");
    Append(r.routeTable, row.routeTable);
    Append(r.textureFolder, ".\\data\\", row.folder, "\\texture\\");
    Append(r.cubeMap, r.textureFolder, row.cubeFile);
    Append(r.gouraudMap, row.gouraudFile);
    r.mapModel = row.mapModel;
    r.musicId = row.musicId;
    r.soundSectionFrom = row.soundFrom;
    r.soundSectionTo = row.soundTo;
    for (int i = 0; i < kCourseGridSlots; ++i) {
        r.grid[i] = content::circuit_rows::kGrid[row.id][i];
        r.startSection[i] = circuit_fixed::kStartSections[row.id][i];
    }
    for (int i = 0; i < 3; ++i) {
        r.lightDirection[i] = row.light[i];
        r.lightColour[i] = row.colour[i];
    }
    r.lightDirection[3] = -1.0f;
    int slot = 0;
    for (const PartRun& run : runs) {
        for (int m = run.first; m <= run.last; ++m) {
            if (m == 0) {
                r.parts[slot++] = EmptyPart();
                continue;
            }
            r.parts[slot++] = MakePart(m, run.kind, run.scale != 0.0f ? run.scale : defaultScale, run.y);
        }
    }
    for (; slot < kCourseParts; ++slot) r.parts[slot] = EmptyPart();
    r.objects = objects;
    r.objectCount = objectCount;
    return r;
}

constexpr float kWhite[3] = {1.0f, 1.0f, 1.0f};

constexpr LayoutRow Row(int id, const char* name, int group, const char* base, const char* route, const char* folder,
                        const char* cube, const char* gouraud, int map, int music, int from, int to, float lx, float ly,
                        float lz, float r = 1.0f, float g = 1.0f, float b = 1.0f) {
    return LayoutRow{id,      name, group, base, route, folder,       cube,
                     gouraud, map,  music, from, to,    {lx, ly, lz}, {r, g, b}};
}

// ---- Animated object templates ---------------------------------------------------------

constexpr CourseObject Obj(int model, yiVec3 pos, yiVec3 rot, yiVec3 vel, yiVec3 spin, uint8_t cube, int life,
                           int respawn) {
    return CourseObject{model, pos, rot, vel, spin, cube, life, respawn, 0};
}

constexpr yiVec3 kZero = {0.0f, 0.0f, 0.0f};

constexpr CourseObject kArrowSpain[] = {Obj(content::MDL_S_SPA_ANIM_ARROW, kZero, kZero, kZero, kZero, 0, 15, 15)};
constexpr CourseObject kArrowSpainRev[] = {Obj(content::MDL_S_RSPA_ANIM_ARROW, kZero, kZero, kZero, kZero, 0, 15, 15)};
constexpr CourseObject kJetNiseko[] = {
    Obj(content::MDL_S_NSK_ANIM_F16, {-3110.0f, 500.0f, 450.0f}, kZero, kZero, {0.0f, 0.006f, 0.0f}, 0, -1, -1)};
constexpr CourseObject kJetNisekoRev[] = {
    Obj(content::MDL_S_RNSK_ANIM_F16, {-3110.0f, 500.0f, 450.0f}, kZero, kZero, {0.0f, 0.006f, 0.0f}, 0, -1, -1)};

constexpr CourseObject Train(int model, yiVec3 pos, float vx) {
    return Obj(model, pos, kZero, {vx, 0.0f, 0.0f}, kZero, 1, 1200, 1);
}
constexpr CourseObject kTrainsBerlin[] = {
    Train(content::MDL_S_BER_ANIM_TRAIN, {10330.0f, 121.832f, 4581.5f}, -22.1333f),
    Train(content::MDL_S_BER_ANIM_TRAIN, {-11630.0f, 183.066f, -8666.8f}, 22.1333f)};
constexpr CourseObject kTrainsBerlinRev[] = {
    Train(content::MDL_S_RBER_ANIM_TRAIN, {10330.0f, 121.832f, 4581.5f}, -22.1333f),
    Train(content::MDL_S_RBER_ANIM_TRAIN, {-11630.0f, 183.066f, -8666.8f}, 22.1333f)};

constexpr CourseObject Wing(int model, float x, float z, float k) {
    return Obj(model, {x, 556.397f, z}, {0.0f, -0.785398f, k}, kZero, {0.0f, 0.0f, 0.02f}, 0, -1, -1);
}
#define QIR_WINGS(m)                                                                                                   \
    {                                                                                                                  \
        Wing(m, -1466.99f, 4152.49f, 1.0f), Wing(m, -2025.5f, 2300.22f, 2.0f), Wing(m, -1836.35f, 3162.15f, 3.0f),     \
            Wing(m, 4158.95f, -7413.75f, 4.0f), Wing(m, 6045.29f, -7789.47f, 5.0f), Wing(m, 7714.83f, -7741.77f, 6.0f) \
    }
constexpr CourseObject kWingsQir[] = QIR_WINGS(content::MDL_S_QIR_ANIM_WING);
constexpr CourseObject kWingsQirRev[] = QIR_WINGS(content::MDL_S_RQIR_ANIM_WING);
#undef QIR_WINGS

constexpr CourseObject kAirshipSydney[] = {
    Obj(content::MDL_S_SYD_ANIM_AIRSHIP_MDL, kZero, kZero, kZero, {0.0f, 0.0001f, 0.0f}, 0, -1, -1)};
constexpr CourseObject kAirshipSydneyRev[] = {
    Obj(content::MDL_S_RSYD_ANIM_AIRSHIP_MDL, kZero, kZero, kZero, {0.0f, 0.0001f, 0.0f}, 0, -1, -1)};

constexpr CourseObject kBalloonsCanada[] = {
    Obj(content::MDL_S_CND_DATA_ANIM_BALLONHI, kZero, kZero, {0.0f, 0.2f, 0.0f}, kZero, 0, -1, -1),
    Obj(content::MDL_S_CND_DATA_ANIM_BALLONLOW, kZero, kZero, {0.0f, 0.05f, 0.0f}, kZero, 0, -1, -1)};
constexpr CourseObject kBalloonsCanadaRev[] = {
    Obj(content::MDL_S_RCND_DATA_ANIM_BALLONHI, kZero, kZero, {0.0f, 0.2f, 0.0f}, kZero, 0, -1, -1),
    Obj(content::MDL_S_RCND_DATA_ANIM_BALLONLOW, kZero, kZero, {0.0f, 0.05f, 0.0f}, kZero, 0, -1, -1)};

template <std::size_t N>
constexpr int Count(const CourseObject (&)[N]) {
    return static_cast<int>(N);
}

// ---- The thirteen layouts ----------------------------------------------------------------

constexpr PartRun kGarageParts[] = {
    {1382, 1382, kNormal, 0, 0}, {1384, 1385, kNormal, 0, 0}, {content::MDL_S_GAR_TE_CP, 1366, kNormal, 0, 0},
    {1376, 1376, kNormal, 0, 0}, {1378, 1378, kNormal, 0, 0}, {1377, 1377, kNormal, 0, 0},
    {1379, 1379, kNormal, 0, 0}, {1369, 1369, kNormal, 0, 0}, {1367, 1367, kNormal, 0, 0},
    {1370, 1371, kNormal, 0, 0}, {1368, 1368, kNormal, 0, 0}, {1372, 1375, kNormal, 0, 0},
    {1382, 1383, kNormal, 0, 0}, {0, 0, kNormal, 0, 0},       {1380, 1381, kGarageEnv, 0, 0}};

constexpr PartRun kSpainParts[] = {{20, 27, kNormal, 0, 0}, {28, 28, kFar, 0, 0}, {29, 37, kEnvironment, 0, 0}};
constexpr PartRun kNisekoParts[] = {
    {2, 7, kNormal, 0, 0}, {8, 8, kFarCube, 9.5f, 0}, {10, 14, kEnvironment, 0, 0}, {15, 18, kEnvironment, 0, 10.0f}};
constexpr PartRun kBerlinParts[] = {{39, 43, kNormal, 0, 0}, {44, 44, kFarCube, 0, 0}, {46, 49, kEnvironment, 0, 0}};
constexpr PartRun kQirParts[] = {{55, 61, kNormal, 0, 0}, {62, 62, kFarCube, 0, 0}, {64, 74, kEnvironment, 0, 0}};
constexpr PartRun kSydneyParts[] = {{77, 81, kNormal, 0, 0}, {76, 76, kFarCube, 0, 0}, {83, 86, kEnvironment, 0, 0}};
constexpr PartRun kCanadaParts[] = {
    {92, 99, kNormal, 0, 0}, {91, 91, kFarCube, 9.5f, 0}, {103, 115, kEnvironment, 0, 0}};
constexpr PartRun kSpainRevParts[] = {
    {135, 142, kNormal, 0, 0}, {143, 143, kFar, 0, 0}, {144, 152, kEnvironment, 0, 0}};
constexpr PartRun kNisekoRevParts[] = {{117, 122, kNormal, 0, 0},
                                       {123, 123, kFarCube, 0, 0},
                                       {125, 129, kEnvironment, 0, 0},
                                       {130, 133, kEnvironment, 0, 10.0f}};
constexpr PartRun kBerlinRevParts[] = {
    {154, 158, kNormal, 0, 0}, {159, 159, kFarCube, 0, 0}, {161, 164, kEnvironment, 0, 0}};
constexpr PartRun kQirRevParts[] = {
    {170, 176, kNormal, 0, 0}, {177, 177, kFarCube, 0, 0}, {179, 189, kEnvironment, 0, 0}};
constexpr PartRun kSydneyRevParts[] = {
    {192, 196, kNormal, 0, 0}, {191, 191, kFarCube, 0, 0}, {198, 201, kEnvironment, 0, 0}};
constexpr PartRun kCanadaRevParts[] = {
    {207, 214, kNormal, 0, 0}, {206, 206, kFarCube, 9.5f, 0}, {217, 229, kEnvironment, 0, 0}};

constexpr CourseRecord kGarage =
    MakeCourse(Row(1, "GARAGE", 31, "Niseko", "CourseNiseko", "MachineSelect", "S_GAR_cubeMapBg.dds",
                   "S_GAR_gouraudMapTex.dds", 0, 0, 0, 0, 0.0f, -1.0f, 0.1f),
               kGarageParts, 1.0f, nullptr, 0);
constexpr CourseRecord kSpain =
    MakeCourse(Row(2, "BARCELONA CIRCUIT", 1, "Spain", "CourseBarcelona", "CourseSpain", "S_SPA_YA_cubeMapTex.dds",
                   "S_SPA_gouraudMapTex.dds", content::MDL_F_SPA_LAYOUT_OBJ, 5, 284, 4, -374.0f, -744.0f, 747.95f),
               kSpainParts, 10.0f, kArrowSpain, Count(kArrowSpain));
constexpr CourseRecord kNiseko =
    MakeCourse(Row(3, "NISEKO CIRCUIT", 0, "Niseko", "CourseNiseko", "CourseNiseko", "S_NSK_YA_cubeMapTex.dds",
                   "S_NSK_gouraudMapTex.dds", content::MDL_F_NSK_LAYOUT_OBJ, 4, 77, 0, 515.515f, -722.43f, -2578.74f),
               kNisekoParts, 10.0f, kJetNiseko, Count(kJetNiseko));
constexpr CourseRecord kBerlin =
    MakeCourse(Row(4, "BERLIN CIRCUIT", 2, "Berlin", "CourseBerlin", "CourseBerlin", "S_BER_cubeMapBg.dds",
                   "S_BER_gouraudMapTex.dds", content::MDL_F_BER_LAYOUT_OBJ, 6, 327, 3, 0.0f, -1.0f, 0.01f),
               kBerlinParts, 10.0f, kTrainsBerlin, Count(kTrainsBerlin));
constexpr CourseRecord kQir =
    MakeCourse(Row(5, "NEW TOKYO QIR CIRCUIT", 3, "Qir", "CourseQir", "CourseQir", "S_QIR_cubeMapBg.dds",
                   "S_QIR_gouraudMapTex.dds", content::MDL_F_QIR_LAYOUT_OBJ, 8, 458, 22, -376.443f, -174.22f, -941.804f,
                   1.0f, 248.0f / 255.0f, 218.0f / 255.0f),
               kQirParts, 10.0f, kWingsQir, Count(kWingsQir));
constexpr CourseRecord kSydney =
    MakeCourse(Row(6, "SYDNEY CIRCUIT", 4, "Sydney", "CourseSydney", "CourseSydney", "S_SYD_cubeMapBg.dds",
                   "S_SYD_gouraudMapTex.dds", content::MDL_F_SYD_LAYOUT_OBJ, 7, 324, 7, -2447.46f, -2277.27f, 650.144f),
               kSydneyParts, 10.0f, kAirshipSydney, Count(kAirshipSydney));
constexpr CourseRecord kCanada =
    MakeCourse(Row(7, "CANADA CIRCUIT", 5, "Canada", "CourseCanada", "CourseCanada", "S_CND_cubeMapTex.dds",
                   "S_CND_gouraudMapTex.dds", content::MDL_F_CND_LAYOUT_OBJ, 9, 267, 0, 562.46f, -135.91f, -117.29f),
               kCanadaParts, 10.0f, kBalloonsCanada, Count(kBalloonsCanada));
constexpr CourseRecord kSpainRev = MakeCourse(
    Row(8, "BARCELONA CIRCUIT(Rev)", 7, "SpainRev", "CourseBarcelonaRev", "CourseSpainRev", "S_rSPA_YA_cubeMapTex.dds",
        "S_rSPA_gouraudMapTex.dds", content::MDL_F_SPA_LAYOUT_OBJ, 5, 280, 4, -1576.26f, -531.73f, -1262.67f),
    kSpainRevParts, 10.0f, kArrowSpainRev, Count(kArrowSpainRev));
constexpr CourseRecord kNisekoRev = MakeCourse(
    Row(9, "NISEKO CIRCUIT(REV)", 6, "NisekoRev", "CourseNisekoRev", "CourseNisekoRev", "S_rNSK_YA_cubeMapTex.dds",
        "S_rNSK_gouraudMapTex.dds", content::MDL_F_NSK_LAYOUT_OBJ, 4, 78, 1, 2181.16f, -531.73f, -449.23f),
    kNisekoRevParts, 10.0f, kJetNisekoRev, Count(kJetNisekoRev));
constexpr CourseRecord kBerlinRev = MakeCourse(
    Row(10, "BERLIN CIRCUIT(Rev)", 8, "BerlinRev", "CourseBerlinRev", "CourseBerlinRev", "S_rBER_cubeMapBg.dds",
        "S_rBER_gouraudMapTex.dds", content::MDL_F_BER_LAYOUT_OBJ, 6, 325, 1, -2100.0f, -500.0f, 1500.0f),
    kBerlinRevParts, 10.0f, kTrainsBerlinRev, Count(kTrainsBerlinRev));
constexpr CourseRecord kQirRev = MakeCourse(
    Row(11, "NEW TOKYO QIR CIRCUIT(Rev)", 9, "QirRev", "CourseQirRev", "CourseQirRev", "S_rQIR_cubeMapBg.dds",
        "S_rQIR_gouraudMapTex.dds", content::MDL_F_QIR_LAYOUT_OBJ, 8, 419, 30, -1576.26f, -531.73f, 1445.81f),
    kQirRevParts, 10.0f, kWingsQirRev, Count(kWingsQirRev));
constexpr CourseRecord kSydneyRev = MakeCourse(
    Row(12, "SYDNEY CIRCUIT(Rev)", 10, "SydneyRev", "CourseSydneyRev", "CourseSydneyRev", "S_rSYD_cubeMapBg.dds",
        "S_rSYD_gouraudMapTex.dds", content::MDL_F_SYD_LAYOUT_OBJ, 7, 300, 12, 1848.72f, -545.8f, 346.14f),
    kSydneyRevParts, 10.0f, kAirshipSydneyRev, Count(kAirshipSydneyRev));
constexpr CourseRecord kCanadaRev = MakeCourse(
    Row(13, "CANADA CIRCUIT(Rev)", 11, "CanadaRev", "CourseCanadaRev", "CourseCanadaRev", "S_RCND_cubeMapTex.dds",
        "S_RCND_gouraudMapTex.dds", content::MDL_F_CND_LAYOUT_OBJ, 9, 267, 0, 515.515f, -722.43f, -2578.74f),
    kCanadaRevParts, 10.0f, kBalloonsCanadaRev, Count(kBalloonsCanadaRev));

}  // namespace

const CourseRecord* const CourseTable[kCourseTableSize] = {nullptr,     &kGarage, &kSpain,     &kNiseko,   &kBerlin,
                                                           &kQir,       &kSydney, &kCanada,    &kSpainRev, &kNisekoRev,
                                                           &kBerlinRev, &kQirRev, &kSydneyRev, &kCanadaRev};

const CourseRecord* GetCourseRecord(int courseId) {
    if (courseId < kFirstCourseId || courseId > kLastCourseId) return nullptr;
    return CourseTable[courseId];
}

int32_t GetCourseMapModel(int courseId) {
    const CourseRecord* record = GetCourseRecord(courseId);
    return record != nullptr ? record->mapModel : 0;
}

bool IsOutsideSoundSections(const CourseRecord& record, int section) {
    const int a = record.soundSectionFrom;
    const int b = record.soundSectionTo;
    if (a >= b) return !(b < section && section < a);
    return !(a < section && section < b);
}
