#pragma once

#include <QString>

#include <array>

// One user tool of the Tools menu; an empty name means the slot is unused.
struct ToolSlot {
    QString ProgramName;
    QString ProgramLocation;
    QString Parameters;
    bool operator==(const ToolSlot&) const = default;
};

// The five tool slots, numbered 1 to 5.
class ToolSlots {
public:
    static constexpr int Count = 5;
    ToolSlot& operator[](int number) { return m_slots[number - 1]; }
    const ToolSlot& operator[](int number) const { return m_slots[number - 1]; }

private:
    std::array<ToolSlot, Count> m_slots;
};
