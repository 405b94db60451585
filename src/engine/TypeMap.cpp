#include "TypeMap.h"

#include "TableRows.h"
#include "WordCase.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <optional>

namespace {

// The type with every parenthesized part removed and white space collapsed, folded for a
// comparison without letter case. Nullopt when the parentheses do not pair up.
std::optional<QString> Normalized(QStringView type)
{
    QString kept;
    int depth = 0;
    for (const QChar c : type) {
        if (c == u'(') {
            ++depth;
        } else if (c == u')') {
            if (--depth < 0)
                return std::nullopt;
        } else if (depth == 0) {
            kept += c;
        }
    }
    if (depth != 0)
        return std::nullopt;
    return kept.simplified().toCaseFolded();
}

// The patterns of a cell: separated by commas outside parentheses.
QList<QStringView> PatternTexts(QStringView cell)
{
    QList<QStringView> texts;
    int depth = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= cell.size(); ++i) {
        if (i == cell.size() || (cell[i] == u',' && depth == 0)) {
            texts.append(cell.sliced(start, i - start).trimmed());
            start = i + 1;
        } else if (cell[i] == u'(') {
            ++depth;
        } else if (cell[i] == u')') {
            --depth;
        }
    }
    return texts;
}

// A language column becomes a modifier after ":" in a field marker.
QString LanguageProblem(QStringView name)
{
    if (name.isEmpty())
        return QStringLiteral("a language column has no name");
    if (WordCaseNamed(name))
        return QStringLiteral("the language \"%1\" has the name of a letter-case modifier").arg(name);
    for (const QChar c : name)
        if (c == u'$' || c == u'!' || c == u':' || c.isSpace())
            return QStringLiteral("the language \"%1\" holds \"%2\", which a field marker cannot").arg(name).arg(c);
    return QString();
}

} // namespace

bool TypeMap::Pattern::matches(QStringView folded) const
{
    // Compared by slices: Qt's startsWith() finds no empty text in an empty null one.
    const QString& first = pieces.first();
    if (pieces.size() == 1)
        return folded == first;
    const QString& last = pieces.last();
    if (folded.size() < first.size() + last.size() || folded.first(first.size()) != first
        || folded.last(last.size()) != last)
        return false;
    qsizetype from = first.size();
    const qsizetype end = folded.size() - last.size();
    for (qsizetype i = 1; i + 1 < pieces.size(); ++i) {
        if (pieces[i].isEmpty())
            continue;
        const qsizetype at = folded.first(end).indexOf(pieces[i], from);
        if (at < 0)
            return false;
        from = at + pieces[i].size();
    }
    return true;
}

std::variant<TypeMap, TypeMap::Failure> TypeMap::read(QStringView text)
{
    const QList<TabSeparatedLine> lines = SplitTabSeparated(text);
    if (lines.isEmpty())
        return Failure{1, QStringLiteral("the map is empty: the first line names the pattern column and the languages")};
    TypeMap map;
    const TabSeparatedLine& header = lines.first();
    if (header.cells.size() < 2)
        return Failure{header.line, QStringLiteral("the header names no language after the pattern column")};
    for (const QStringView name : header.cells.sliced(1)) {
        const QString problem = LanguageProblem(name.trimmed());
        if (!problem.isEmpty())
            return Failure{header.line, problem};
        if (map.language(name.trimmed()) >= 0)
            return Failure{header.line, QStringLiteral("the language \"%1\" is named twice").arg(name.trimmed())};
        map.languages_.append(name.trimmed().toString());
    }
    for (const TabSeparatedLine& line : lines.sliced(1)) {
        if (line.cells.size() > header.cells.size())
            return Failure{line.line, QStringLiteral("the row has %1 columns, the header %2")
                                          .arg(line.cells.size())
                                          .arg(header.cells.size())};
        Row row;
        for (const QStringView patternText : PatternTexts(line.cells.first())) {
            const std::optional<QString> pattern = Normalized(patternText);
            if (!pattern)
                return Failure{line.line, QStringLiteral("the parentheses of \"%1\" do not pair up").arg(patternText)};
            if (pattern->isEmpty())
                return Failure{line.line, QStringLiteral("the row has an empty pattern")};
            row.patterns.append({pattern->split(u'*')});
        }
        for (const QStringView type : line.cells.sliced(1))
            row.types.append(type.trimmed().toString());
        map.rows_.append(std::move(row));
    }
    return map;
}

std::variant<TypeMap, TypeMap::Failure> TypeMap::read(const QByteArray& bytes)
{
    // A decoder that keeps state between calls would let a sequence cut off at the end pass.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(bytes);
    if (!decoder.hasError())
        return read(QStringView(text));
    qsizetype line = 1;
    for (const QByteArray& lineBytes : bytes.split('\n')) {
        QStringDecoder lineDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = lineDecoder(lineBytes);
        if (lineDecoder.hasError())
            break;
        ++line;
    }
    return Failure{line, QStringLiteral("the text is not UTF-8")};
}

std::shared_ptr<const TypeMap> TypeMap::shipped()
{
    static const std::shared_ptr<const TypeMap> map = [] {
        Q_INIT_RESOURCE(TypeMaps);
        QFile file(QStringLiteral(":/typemaps/TypeMaps.tsv"));
        const bool opened = file.open(QIODevice::ReadOnly);
        Q_ASSERT(opened);
        auto read = TypeMap::read(file.readAll());
        Q_ASSERT(std::holds_alternative<TypeMap>(read));
        return std::make_shared<const TypeMap>(std::get<TypeMap>(std::move(read)));
    }();
    return map;
}

qsizetype TypeMap::language(QStringView name) const
{
    for (qsizetype i = 0; i < languages_.size(); ++i)
        if (name.compare(languages_[i], Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

TypeMap::Mapped TypeMap::map(const QString& databaseType, qsizetype language) const
{
    const std::optional<QString> folded = Normalized(databaseType);
    if (!folded || language < 0 || language >= languages_.size())
        return {databaseType, false};
    for (const Row& row : rows_) {
        if (language >= row.types.size() || row.types[language].isEmpty())
            continue;
        for (const Pattern& pattern : row.patterns)
            if (pattern.matches(*folded))
                return {row.types[language], true};
    }
    return {databaseType, false};
}

TypeMapInUse LoadTypeMap(const QString& filePath)
{
    QFile file(filePath);
    if (!file.exists())
        return {TypeMap::shipped(), QString()};
    const QString name = QFileInfo(filePath).fileName();
    if (!file.open(QIODevice::ReadOnly))
        return {TypeMap::shipped(), QStringLiteral("%1 cannot be read: %2").arg(name, file.errorString())};
    auto read = TypeMap::read(file.readAll());
    if (const auto* failure = std::get_if<TypeMap::Failure>(&read))
        return {TypeMap::shipped(), QStringLiteral("%1, line %2: %3").arg(name).arg(failure->line).arg(failure->reason)};
    return {std::make_shared<const TypeMap>(std::get<TypeMap>(std::move(read))), QString()};
}
