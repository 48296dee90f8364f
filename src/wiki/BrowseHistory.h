// The browse history of one run: 50 slots holding what the page-id field
// held when a visit was recorded ("0" for a slot never used), and the slot in
// view. It keeps the first 50 recorded visits, not the last: once the index
// reaches the limit, further visits are shown but not recorded.
#pragma once

#include <QString>
#include <array>

namespace quorvel {

class TBrowseHistory {
public:
    static constexpr int kSlotCount = 50;
    // Search results and recent changes are recorded only below this slot.
    static constexpr int kListLimit = 30;
    static inline const QString kUnused = QStringLiteral("0");

    TBrowseHistory();

    // Every slot back to "0" and the index to 0 (the state before the window
    // is first shown).
    void Clear();

    // The start page: index 1, slot 1 holding `value`.
    void Start(const QString& value);

    // If the index is below `limit`, steps to the next slot and puts `value`
    // there; slots above keep what they held. Returns whether it recorded.
    bool Record(const QString& value, int limit = kSlotCount);

    // The same, but records nothing while the slot in view already holds
    // `value` (list pages shown again from themselves).
    bool RecordUnlessInView(const QString& value, int limit);

    // Back: one slot down. Returns the value to show, or nothing when the
    // index was at slot 1 (it stays there) or the slot below was never used
    // (the index stays on it).
    QString StepBack();

    // Forward: one slot up. Returns the value to show, or nothing at slot 50
    // or when the next slot was never used (the index does not move).
    QString StepForward();

    int HistoryIndex() const { return index_; }
    // Slot 1..50.
    const QString& Slot(int number) const { return slots_[number - 1]; }
    const QString& InView() const;

private:
    std::array<QString, kSlotCount> slots_;
    int index_ = 0;
};

}  // namespace quorvel
