#include "ConnectionString.h"

namespace {

bool isQuote(QChar c)
{
    return c == u'"' || c == u'\'';
}

} // namespace

QList<ConnectionSegment> parseConnectionString(const QString& text)
{
    QList<ConnectionSegment> segments;
    const qsizetype length = text.size();
    qsizetype pos = 0;
    while (pos < length) {
        const qsizetype equals = text.indexOf(u'=', pos);
        const qsizetype semicolon = text.indexOf(u';', pos);
        if (equals < 0 || (semicolon >= 0 && semicolon < equals)) {
            // A segment without "=" carries no setting.
            pos = semicolon < 0 ? length : semicolon + 1;
            continue;
        }
        ConnectionSegment segment;
        segment.name = text.mid(pos, equals - pos).trimmed();
        pos = equals + 1;
        while (pos < length && text[pos].isSpace() && text[pos] != u';')
            ++pos;
        if (pos < length && isQuote(text[pos])) {
            const QChar quote = text[pos++];
            while (pos < length) {
                if (text[pos] == quote) {
                    if (pos + 1 < length && text[pos + 1] == quote) {
                        segment.value += quote;
                        pos += 2;
                        continue;
                    }
                    ++pos;
                    break;
                }
                segment.value += text[pos++];
            }
            const qsizetype end = text.indexOf(u';', pos);
            pos = end < 0 ? length : end + 1;
        } else {
            const qsizetype end = text.indexOf(u';', pos);
            segment.value = text.mid(pos, end < 0 ? -1 : end - pos).trimmed();
            pos = end < 0 ? length : end + 1;
        }
        if (!segment.name.isEmpty())
            segments.append(segment);
    }
    return segments;
}

QString segmentValue(const QList<ConnectionSegment>& segments, const QStringList& names)
{
    for (const ConnectionSegment& segment : segments) {
        if (names.contains(segment.name, Qt::CaseInsensitive))
            return segment.value;
    }
    return {};
}

QString formatSegment(const QString& name, const QString& value)
{
    const bool needsQuotes = value.contains(u';') || value.contains(u'"') || value.contains(u'\'')
        || value.trimmed() != value;
    if (!needsQuotes)
        return name + u'=' + value;
    QString quoted = value;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return name + QStringLiteral("=\"") + quoted + u'"';
}

bool readsOracleDictionary(const QString& connectionString)
{
    const QString first = connectionString.section(u';', 0, 0);
    return first.compare(QStringLiteral("Provider=MSDAORA.1"), Qt::CaseInsensitive) == 0;
}
