#pragma once

#include "platform/CommonDialog.h"

#include <QColor>
#include <QPointer>

#include <array>

class Editor;

// How a slot's editor looks: kept per slot, so that a document opened later in a slot that had
// no window shows the appearance chosen for it.
struct SlotAppearance {
    FontChoice font;
    QColor background;
    bool operator==(const SlotAppearance&) const = default;
};

// The default look of a fresh editor: the font Terminal at 9 points, a light grey background.
SlotAppearance defaultAppearance();

// The 26 document slots. A slot number is the stable handle of an open document.
class DocumentTable {
public:
    static constexpr int SlotCount = 26;
    // The slot number of a window that holds no slot; DocChanged has an entry for it.
    static constexpr int NoSlot = 26;

    DocumentTable();

    std::array<QPointer<Editor>, SlotCount> Documents;
    // 1 while the slot holds an open document, visible or hidden; 0 when free.
    std::array<qint16, SlotCount> DocInUse{};
    // -1 while the slot's document has changed since it was last read or written; 0 otherwise.
    std::array<qint16, SlotCount + 1> DocChanged{};
    // The number of the last untitled document named; never reset.
    qint32 UntitledCount = 0;
    std::array<SlotAppearance, SlotCount> Appearance;

    // The lowest free slot, or -1 when all 26 are in use.
    int FindFreeSlot() const;
    // True when any slot is in use, visible or hidden.
    bool AnyEditorOpen() const;
};
