#include "TokenExpansion.h"

#include <algorithm>

namespace {

// Sum of the counter text lengths for every counter in [first, last], by digit count.
qint64 CounterLengthSum(qint64 first, qint64 last)
{
    qint64 total = 0;
    qint64 power = 1; // 10^(digits - 1)
    for (int digits = 1; digits <= 10; ++digits, power *= 10) {
        const qint64 bandLow = digits == 1 ? 0 : power;
        const qint64 bandHigh = power * 10 - 1;
        const qint64 positive = std::min(last, bandHigh) - std::max(first, bandLow) + 1;
        if (positive > 0)
            total += positive * std::max(4, digits);
        const qint64 negative = std::min(last, -power) - std::max(first, -bandHigh) + 1;
        if (negative > 0)
            total += negative * std::max(4, digits + 1);
    }
    return total;
}

} // namespace

TokenExpander::TokenExpander(const QList<ResolvedGroup>& groups, qint32 start, qint32 end,
                             bool compactStyle)
    : start_(start), end_(end), compactStyle_(compactStyle)
{
    // A group with no text adds nothing at any step; leaving it out lets compact style
    // skip its whole range instead of counting through it.
    for (const ResolvedGroup& group : groups) {
        if (!group.text.isEmpty())
            groups_.append({NumberedGroup(group.text), group.lower, group.upper});
    }
}

qint64 TokenExpander::ExpandedLength() const
{
    if (start_ > end_)
        return 0;
    qint64 length = compactStyle_ ? 0 : qint64(end_) - start_ + 1;
    for (const Group& group : groups_) {
        const qint64 first = std::max(group.lower, start_);
        const qint64 last = std::min(group.upper, end_);
        if (first > last)
            continue;
        length += (last - first + 1) * group.numbered.LengthWith(0)
            + group.numbered.MarkerCount() * CounterLengthSum(first, last);
    }
    return length;
}

qint64 TokenExpander::NextActiveCounter(qint64 after) const
{
    qint64 next = qint64(end_) + 1;
    for (const Group& group : groups_) {
        if (group.upper > after && group.lower <= group.upper)
            next = std::min(next, std::max<qint64>(group.lower, after + 1));
    }
    return next;
}

qint64 TokenExpander::StepCount() const
{
    return start_ > end_ ? 0 : qint64(end_) - start_ + 1;
}

std::optional<QString> TokenExpander::Expand(qsizetype maxLength, const StepReport& report) const
{
    qint64 reportedUpTo = start_;
    QString expansion;
    expansion.reserve(std::min<qint64>(ExpandedLength(), maxLength) + 1);
    char16_t buffer[24];
    // 64-bit counter: a range ending at the largest 32-bit value still ends.
    for (qint64 counter = start_; counter <= end_;) {
        const QStringView counterText(buffer, WriteCounterText(counter, buffer));
        bool active = false;
        for (const Group& group : groups_) {
            if (group.lower <= counter && counter <= group.upper) {
                group.numbered.AppendTo(expansion, counterText);
                active = true;
            }
        }
        // The step's own CR LF is joined to LF; a CR before it stays.
        if (!compactStyle_)
            expansion.append(u'\n');
        if (expansion.size() > maxLength)
            return std::nullopt;
        // In compact style an idle counter adds nothing, so idle stretches are skipped.
        counter = compactStyle_ && !active ? NextActiveCounter(counter) : counter + 1;
        if (counter - reportedUpTo >= kStepsPerReport && report) {
            if (!report(counter - reportedUpTo))
                return std::nullopt;
            reportedUpTo = counter;
        }
    }
    if (report && qint64(end_) + 1 > reportedUpTo && !report(qint64(end_) + 1 - reportedUpTo))
        return std::nullopt;
    return expansion;
}
