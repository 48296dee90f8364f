#include "wiki/BrowseHistory.h"

namespace quorvel {

TBrowseHistory::TBrowseHistory() { Clear(); }

void TBrowseHistory::Clear()
{
    slots_.fill(kUnused);
    index_ = 0;
}

void TBrowseHistory::Start(const QString& value)
{
    index_ = 1;
    slots_[0] = value;
}

bool TBrowseHistory::Record(const QString& value, int limit)
{
    if (index_ >= limit)
        return false;
    ++index_;
    slots_[index_ - 1] = value;
    return true;
}

bool TBrowseHistory::RecordUnlessInView(const QString& value, int limit)
{
    if (index_ >= 1 && slots_[index_ - 1] == value)
        return false;
    return Record(value, limit);
}

QString TBrowseHistory::StepBack()
{
    --index_;
    if (index_ <= 0) {
        index_ = 1;
        return {};
    }
    const QString& value = slots_[index_ - 1];
    return value == kUnused ? QString() : value;
}

QString TBrowseHistory::StepForward()
{
    if (index_ >= kSlotCount)
        return {};
    ++index_;
    const QString& value = slots_[index_ - 1];
    if (value == kUnused) {
        --index_;
        return {};
    }
    return value;
}

const QString& TBrowseHistory::InView() const
{
    static const QString none;
    return index_ >= 1 ? slots_[index_ - 1] : none;
}

}  // namespace quorvel
