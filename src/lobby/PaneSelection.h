// PaneSelection.h -- the selected row of a lobby list pane, held by its id while the list is rebuilt.
#pragma once

namespace g2lobby {

// The row index and the id (room or player) of a pane's selection; -1 and -1
// when nothing is selected. The id is what lasts: after each rebuild of the
// rows the index is looked up again from it.
class PaneSelection {
public:
    explicit PaneSelection(int id = -1) : id_(id) {}

    int Index() const { return index_; }
    int Id() const { return id_; }
    bool Is(int index, int id) const { return index == index_ && id == id_; }

    // Selects row `index` holding `id`, or with a negative id clears the
    // selection; plays the cursor or the dialog sound when `sound`. False
    // (nothing changes) when a non-negative id has no row (`index` < 0).
    bool Select(int id, int index, bool sound);
    // After a rebuild: `index` is the row that now holds Id() (-1 when none).
    // False when the selected row is gone; the selection is then cleared.
    bool Follow(int index);

private:
    int index_ = -1;
    int id_ = -1;
};

}  // namespace g2lobby
