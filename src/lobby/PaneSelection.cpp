// PaneSelection.cpp -- selecting and following a lobby pane's row.
#include "lobby/PaneSelection.h"

#include "content_tables.h"
#include "lobby/ggSeqLobby.h"

namespace g2lobby {

bool PaneSelection::Select(int id, int index, bool sound) {
    if (id >= 0) {
        if (index < 0) return false;
        index_ = index;
        id_ = id;
        if (sound) ggSeqLobby::PlaySe(content::SND_CURSOR_02);
        return true;
    }
    index_ = -1;
    id_ = -1;
    if (sound) ggSeqLobby::PlaySe(content::SND_DIALOG_01);
    return true;
}

bool PaneSelection::Follow(int index) {
    if (id_ < 0) {
        index_ = -1;
        return true;
    }
    if (index >= 0) {
        index_ = index;
        return true;
    }
    index_ = -1;
    id_ = -1;
    return false;
}

}  // namespace g2lobby
