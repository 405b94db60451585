#include "FieldModifiers.h"

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
    const qsizetype colon = name.lastIndexOf(u':');
    if (colon <= 0 || name.contains(u'$') || name.contains(u'!'))
        return std::nullopt;
    const QStringView rest = name.sliced(colon + 1);
    qsizetype counterStart = rest.size();
    while (counterStart > 0 && IsCounterCharacter(rest[counterStart - 1]))
        --counterStart;
    for (qsizetype end = rest.size(); end >= counterStart; --end) {
        const QStringView modifier = rest.first(end);
        for (qsizetype i = 0; i < names_.size(); ++i)
            if (names_[i].size() == modifier.size() && modifier.compare(names_[i], Qt::CaseInsensitive) == 0)
                return Mirror{name.first(colon), rest.sliced(end), i};
    }
    return std::nullopt;
}

FieldModifiers::Spelling FieldModifiers::spell(const QString& value, qsizetype modifier) const
{
    const qsizetype caseStyles = WordCaseNames().size();
    if (modifier < caseStyles)
        return {InWordCase(value, WordCase(modifier)), false};
    const TypeMap::Mapped mapped = typeMap_->map(value, modifier - caseStyles);
    return {mapped.type, !mapped.found};
}
