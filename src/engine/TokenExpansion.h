#pragma once

#include "FieldNumbering.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

// One group of a token with its bounds converted.
struct ResolvedGroup
{
    QString text;
    qint32 lower = 0;
    qint32 upper = 0;
};

// Expands one token: for every counter value from start to end, each group whose bounds
// hold the counter adds its text with the field markers numbered, then (unless compact)
// a line feed. Line breaks inside the expansion come out as single line feeds.
class TokenExpander
{
public:
    TokenExpander(const QList<ResolvedGroup>& groups, qint32 start, qint32 end, bool compactStyle);

    // The length the expansion will have (computed without expanding), for the size guard.
    qint64 ExpandedLength() const;

    // Counter steps from start to end (0 when start is above end).
    qint64 StepCount() const;

    // Told every few thousand steps how many steps went by since it was last told, and
    // at the end the rest; returning false stops the expansion.
    using StepReport = std::function<bool(qint64 steps)>;
    static constexpr qint64 kStepsPerReport = 16384;

    // Empty when the expansion would grow past `maxLength` characters, or when `report`
    // returned false.
    std::optional<QString> Expand(qsizetype maxLength, const StepReport& report = {}) const;

private:
    struct Group
    {
        NumberedGroup numbered;
        qint32 lower;
        qint32 upper;
    };

    qint64 NextActiveCounter(qint64 after) const;

    QList<Group> groups_;
    qint32 start_;
    qint32 end_;
    bool compactStyle_;
};
