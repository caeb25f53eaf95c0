// TextTextureContainer.h -- a per-frame cache of text textures by key, freeing those not shown this frame.
#pragma once
#include <map>
#include <memory>
#include <string>

#include "lobby/TextTexture.h"
#include "lobby/ggSpriteManager.h"

namespace g2lobby {

// The text textures a pane shows, by key (a player id, a room id, the text
// itself). Owns the textures; each is shown through a texture sprite of the
// same name in the sprite manager (not owned), which Purge and destruction
// unregister. Per frame: ClearMarks, then Find or Insert each text shown,
// then Purge drops what was not looked up.
template <class K>
class TextTextureContainer {
public:
    struct Entry {
        bool used = false;
        std::unique_ptr<g2ui::TextTexture> texture;
    };

    explicit TextTextureContainer(ggSpriteManager* sprites) : sprites_(sprites) {}
    virtual ~TextTextureContainer() {
        ClearMarks();
        Purge();
    }
    TextTextureContainer(const TextTextureContainer&) = delete;
    TextTextureContainer& operator=(const TextTextureContainer&) = delete;

    // The entry of the key (marked used), or null.
    Entry* Find(const K& key) {
        auto it = entries_.find(key);
        if (it == entries_.end()) return nullptr;
        it->second.used = true;
        return &it->second;
    }
    // Takes the texture; the entry starts used. A texture already under the key is purged first.
    Entry* Insert(const K& key, g2ui::TextTexture* texture) {
        auto it = entries_.find(key);
        if (it != entries_.end()) {
            Drop(it->second);
            entries_.erase(it);
        }
        Entry& e = entries_[key];
        e.used = true;
        e.texture.reset(texture);
        return &e;
    }
    void ClearMarks() {
        for (auto& kv : entries_) kv.second.used = false;
    }
    void Purge() {
        for (auto it = entries_.begin(); it != entries_.end();) {
            if (it->second.used) {
                ++it;
                continue;
            }
            Drop(it->second);
            it = entries_.erase(it);
        }
    }
    size_t Size() const { return entries_.size(); }

private:
    void Drop(Entry& e) {
        if (e.texture && sprites_) sprites_->Remove(e.texture->GetName());
        e.texture.reset();
    }

    ggSpriteManager* sprites_;
    std::map<K, Entry> entries_;
};

}  // namespace g2lobby
