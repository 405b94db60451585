#include "FieldModifiers.h"

#include "CaseBlindCompare.h"
#include "WordCase.h"

bool IsCounterCharacter(QChar c)
{
    return (c >= u'0' && c <= u'9') || c == u'-';
}

FieldModifiers::FieldModifiers(std::shared_ptr<const TypeMap> typeMap)
    : typeMap_(std::move(typeMap)), names_(WordCaseNames())
{
    if (typeMap_)
        names_ += typeMap_->languages();
    for (const QString& name : names_)
        longestName_ = std::max(longestName_, name.size());
}

const FieldModifiers& FieldModifiers::standard()
{
    static const FieldModifiers modifiers(TypeMap::shipped());
    return modifiers;
}

QString FieldModifiers::Mirror::fieldMarker() const
{
    QString marker;
    marker.reserve(base.size() + counter.size() + 2);
    marker.append(u'$').append(base).append(counter).append(u'!');
    return marker;
}

bool FieldModifiers::Mirror::mirrors(QStringView fieldMarker) const
{
    if (fieldMarker.size() != base.size() + counter.size() + 2)
        return false;
    const QStringView name = fieldMarker.sliced(1, fieldMarker.size() - 2);
    return name.endsWith(counter) && name.first(base.size()).compare(base, Qt::CaseInsensitive) == 0;
}

std::optional<FieldModifiers::Mirror> FieldModifiers::mirrorOf(QStringView marker) const
{
    if (marker.size() < 4 || marker.front() != u'$' || marker.back() != u'!')
        return std::nullopt;
    const QStringView name = marker.sliced(1, marker.size() - 2);
    qsizetype colon = -1;
    for (qsizetype i = name.size() - 1; i >= 0; --i) {
        if (name[i] == u'$' || name[i] == u'!')
            return std::nullopt;
        if (name[i] == u':' && colon < 0)
            colon = i;
    }
    if (colon <= 0)
        return std::nullopt;
    const QStringView rest = name.sliced(colon + 1);
    qsizetype counterStart = rest.size();
    while (counterStart > 0 && IsCounterCharacter(rest[counterStart - 1]))
        --counterStart;
    // The longest modifier that leaves only counter characters after it.
    qsizetype found = -1;
    for (qsizetype i = 0; i < names_.size(); ++i) {
        const qsizetype length = names_[i].size();
        if (length < counterStart || length > rest.size() || (found >= 0 && length <= names_[found].size()))
            continue;
        if (EqualIgnoringCase(rest.first(length), names_[i]))
            found = i;
    }
    if (found < 0)
        return std::nullopt;
    return Mirror{name.first(colon), rest.sliced(names_[found].size()), found};
}

FieldModifiers::Spelling FieldModifiers::spell(const QString& value, qsizetype modifier) const
{
    const qsizetype caseStyles = WordCaseNames().size();
    if (modifier < caseStyles)
        return {InWordCase(value, WordCase(modifier)), false};
    const TypeMap::Mapped mapped = typeMap_->map(value, modifier - caseStyles);
    return {mapped.type, !mapped.found};
}
