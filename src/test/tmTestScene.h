// tmTestScene.h -- the content a test screen holds while it runs: model and sprite groups and the test cube.
#pragma once
#include <vector>

#include "sys/base/tmMath.h"

namespace sys {
class tmCubeTexture;
}

// Loads resource groups, sprite groups and the test cube texture for one
// test screen and gives back exactly what it took: a resource group that was
// already loaded (the loading screen leaves the race's groups loaded) stays
// its owner's. The cube texture comes from the test group's bank and is bound
// as the environment the reflective test models show.
class tmTestScene {
public:
    static constexpr int kTestGroup = 34;  // the test models and the cube texture
    static constexpr const char* kCubeTexture = ".\\data\\Test01\\texture\\spr_cubeMapTex.dds";

    tmTestScene() = default;
    ~tmTestScene();
    tmTestScene(const tmTestScene&) = delete;
    tmTestScene& operator=(const tmTestScene&) = delete;

    void LoadGroup(int id);
    void LoadSprites(int id);
    void LoadCubeTexture();
    // Everything back, in reverse order of taking it.
    void Release();

    // The cube texture (null when it is not loaded or there is no resource cache).
    sys::tmCubeTexture* GetCube() const;
    const std::vector<int>& GetOwnedGroups() const { return groups_; }
    const std::vector<int>& GetSpriteGroups() const { return sprites_; }

    // Per frame: white course colour, a light from the upper front left and the cube as environment.
    void SetUpFrame() const;
    // Queues a model slot with a world matrix on the scene layer.
    static void DrawModel(int slot, const D3DXMATRIX& world);

private:
    std::vector<int> groups_;   // resource groups this scene loaded
    std::vector<int> sprites_;  // sprite groups, one load each
    bool cube_ = false;
};
