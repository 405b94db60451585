// Feeds arbitrary bytes to the type-map reader. A map read without complaint maps each of
// its own plain patterns, with a letter for each star and in upper case, for every language
// the row gives a type for; a failure names a line of the text.
#include "FuzzChecks.h"
#include "TableRows.h"
#include "TypeMap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto read = TypeMap::read(bytes);
    if (const auto* failure = std::get_if<TypeMap::Failure>(&read)) {
        Check(failure->line >= 1 && failure->line <= bytes.count('\n') + bytes.count('\r') + 1);
        Check(!failure->reason.isEmpty());
        return 0;
    }
    const TypeMap& map = std::get<TypeMap>(read);
    const QString text = QString::fromUtf8(bytes);
    const QList<TabSeparatedLine> lines = SplitTabSeparated(text);
    Check(map.languages().size() == lines.first().cells.size() - 1);
    for (const TabSeparatedLine& line : lines.sliced(1)) {
        const QStringView pattern = line.cells.first().trimmed();
        if (pattern.contains(u',') || pattern.contains(u'(') || pattern.contains(u')'))
            continue;
        // Each "*" standing for a letter: white space next to a star stays inside the type.
        const QString type = pattern.toString().replace(u'*', u'x');
        bool ascii = true;
        for (const QChar c : type)
            ascii = ascii && c.unicode() < 0x80;
        for (qsizetype language = 0; language + 1 < line.cells.size(); ++language) {
            if (line.cells[language + 1].trimmed().isEmpty())
                continue;
            const TypeMap::Mapped mapped = map.map(type + QStringLiteral("(12)"), language);
            Check(mapped.found && !mapped.type.isEmpty());
            if (ascii)
                Check(map.map(type.toUpper(), language).type == mapped.type);
        }
    }
    return 0;
}
