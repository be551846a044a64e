#include "documents/DocumentTable.h"

#include "documents/Editor.h"

SlotAppearance defaultAppearance() {
    return SlotAppearance{FontChoice{QStringLiteral("Terminal"), 9, false, false},
                          QColor(192, 192, 192)};
}

DocumentTable::DocumentTable() {
    Appearance.fill(defaultAppearance());
}

int DocumentTable::FindFreeSlot() const {
    for (int i = 0; i < SlotCount; ++i) {
        if (DocInUse[i] == 0)
            return i;
    }
    return -1;
}

bool DocumentTable::AnyEditorOpen() const {
    for (int i = 0; i < SlotCount; ++i) {
        if (DocInUse[i] == 1)
            return true;
    }
    return false;
}
