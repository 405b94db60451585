#include "TableText.h"

namespace TableText {

QStringView trimSpaces(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.sliced(begin, end - begin);
}

double leadingNumber(QStringView field)
{
    qsizetype at = 0;
    const qsizetype size = field.size();
    const auto isDigit = [&](qsizetype i) { return i < size && field[i] >= u'0' && field[i] <= u'9'; };
    const auto skipDigits = [&](qsizetype i) {
        while (isDigit(i))
            ++i;
        return i;
    };

    while (at < size && (field[at] == u' ' || field[at] == u'\t'))
        ++at;
    const qsizetype start = at;
    if (at < size && (field[at] == u'+' || field[at] == u'-'))
        ++at;
    const qsizetype integerStart = at;
    at = skipDigits(at);
    bool digits = at > integerStart;
    if (at < size && field[at] == u'.') {
        const qsizetype fractionStart = at + 1;
        const qsizetype fractionEnd = skipDigits(fractionStart);
        if (digits || fractionEnd > fractionStart) {
            digits = true;
            at = fractionEnd;
        }
    }
    if (!digits)
        return 0;
    if (at < size && (field[at] == u'e' || field[at] == u'E')) {
        qsizetype exponent = at + 1;
        if (exponent < size && (field[exponent] == u'+' || field[exponent] == u'-'))
            ++exponent;
        const qsizetype exponentEnd = skipDigits(exponent);
        if (exponentEnd > exponent)
            at = exponentEnd;
    }
    return field.sliced(start, at - start).toDouble();
}

qint32 headerFieldCount(QStringView text)
{
    if (text.isEmpty())
        return 0;
    const qsizetype end = text.indexOf(recordSeparator);
    return static_cast<qint32>(text.first(end < 0 ? text.size() : end).count(fieldSeparator) + 1);
}

std::optional<char16_t> separatorIn(QStringView value)
{
    for (const QChar c : value) {
        const char16_t u = c.unicode();
        if (u == fieldSeparator || u == recordSeparator || u == u'"' || u == u'\r' || u == u'\n')
            return u;
    }
    return std::nullopt;
}

QString separatorMessage(char16_t character)
{
    const QString code = QStringLiteral("U+%1").arg(uint(character), 4, 16, QLatin1Char('0')).toUpper();
    if (character == u'\r' || character == u'\n')
        return QStringLiteral("A line break (%1) cannot be part of a name: a table file is a single line").arg(code);
    return QStringLiteral("The character '%1' (%2) cannot be part of a name: table files use it as a separator")
        .arg(QChar(character))
        .arg(code);
}

Parsed parse(QStringView text)
{
    Parsed parsed;
    if (text.isEmpty())
        return parsed;

    Recordset& table = parsed.table;
    qint32 fieldCount = -1;
    qsizetype recordNumber = 0;
    qsizetype brokenRecords = 0;
    qsizetype firstBroken = 0;
    qint32 firstBrokenFields = 0;
    // Padding a file of many short records to a wide header grows with the square of its size;
    // beyond this many empty values the file is refused instead.
    const qsizetype paddingBudget = 8 * (text.size() + 1);
    qsizetype padding = 0;
    for (const QStringView record : text.tokenize(recordSeparator)) {
        if (fieldCount < 0) {
            fieldCount = static_cast<qint32>(record.count(fieldSeparator) + 1);
            table.setFieldCount(fieldCount);
            for (const QStringView name : record.tokenize(fieldSeparator))
                table.setFieldNames(trimSpaces(name).toString());
            table.reserveValues(qMin(text.count(recordSeparator) * fieldCount, text.size() + 1));
            continue;
        }
        if (record.isEmpty())
            continue;
        ++recordNumber;
        qint32 fields = 0;
        for (const QStringView value : record.tokenize(fieldSeparator)) {
            if (fields < fieldCount && !parsed.unreadable)
                table.add(trimSpaces(value).toString());
            ++fields;
        }
        if (fields < fieldCount && !parsed.unreadable) {
            padding += fieldCount - fields;
            parsed.unreadable = padding > paddingBudget;
            // Every record must have the header's field count, or walking the table never reaches its end.
            for (qint32 missing = fields; missing < fieldCount && !parsed.unreadable; ++missing)
                table.add(QString());
        }
        if (fields != fieldCount && brokenRecords++ == 0) {
            firstBroken = recordNumber;
            firstBrokenFields = fields;
        }
    }

    if (brokenRecords > 0) {
        parsed.shapeProblem =
            QStringLiteral("%1 of %2 records do not have the %3 fields of the header (the first is record %4, "
                           "with %5)")
                .arg(brokenRecords)
                .arg(recordNumber)
                .arg(fieldCount)
                .arg(firstBroken)
                .arg(firstBrokenFields);
        parsed.shapeProblem += parsed.unreadable
                                   ? QStringLiteral("; so many fields are missing that the file cannot be read")
                                   : QStringLiteral("; missing fields were read as empty and extra fields were ignored");
    }
    return parsed;
}

} // namespace TableText
