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

namespace {

// What a table text holds, counted before anything is built from it.
struct Shape
{
    qint32 fieldCount = 0;
    qsizetype records = 0;
    qsizetype brokenRecords = 0;
    qsizetype firstBroken = 0;
    qint32 firstBrokenFields = 0;
    qsizetype nameCharacters = 0;
    qsizetype valueCharacters = 0; // of the values kept, trimmed

    // Every record padded or cut to the header's field count.
    bool valuesFit(qsizetype budget) const { return fieldCount == 0 || records <= budget / fieldCount; }
};

Shape shapeOf(QStringView text)
{
    Shape shape;
    bool header = true;
    for (const QStringView record : text.tokenize(recordSeparator)) {
        if (header) {
            header = false;
            shape.fieldCount = static_cast<qint32>(qMin<qsizetype>(record.count(fieldSeparator) + 1, INT32_MAX));
            for (const QStringView name : record.tokenize(fieldSeparator))
                shape.nameCharacters += trimSpaces(name).size();
            continue;
        }
        if (record.isEmpty())
            continue;
        ++shape.records;
        qint32 fields = 0;
        for (const QStringView value : record.tokenize(fieldSeparator)) {
            if (fields < shape.fieldCount)
                shape.valueCharacters += trimSpaces(value).size();
            if (fields < INT32_MAX)
                ++fields;
        }
        if (fields != shape.fieldCount && shape.brokenRecords++ == 0) {
            shape.firstBroken = shape.records;
            shape.firstBrokenFields = fields;
        }
    }
    return shape;
}

} // namespace

Parsed parse(QStringView text)
{
    Parsed parsed;
    if (text.isEmpty())
        return parsed;

    // Padding a file of many short records to a wide header grows with the square of its size, so
    // the shape decides first: a table that needs more values than this is refused before any is made.
    const Shape shape = shapeOf(text);
    const qsizetype valueBudget = 3 * (text.size() + 1);
    parsed.unreadable = !shape.valuesFit(valueBudget) || shape.valueCharacters > TextList::maxCharacters
                        || shape.nameCharacters > TextList::maxCharacters;

    if (shape.brokenRecords > 0) {
        parsed.shapeProblem =
            QStringLiteral("%1 of %2 records do not have the %3 fields of the header (the first is record %4, "
                           "with %5)")
                .arg(shape.brokenRecords)
                .arg(shape.records)
                .arg(shape.fieldCount)
                .arg(shape.firstBroken)
                .arg(shape.firstBrokenFields);
        parsed.shapeProblem += parsed.unreadable
                                   ? QStringLiteral("; so many fields are missing that the file cannot be read")
                                   : QStringLiteral("; missing fields were read as empty and extra fields were ignored");
    } else if (parsed.unreadable) {
        parsed.shapeProblem = QStringLiteral("the file is too large to be read as a table");
    }
    if (parsed.unreadable)
        return parsed;

    Recordset& table = parsed.table;
    bool header = true;
    for (const QStringView record : text.tokenize(recordSeparator)) {
        if (header) {
            header = false;
            table.setFieldCount(shape.fieldCount);
            table.reserveNames(shape.fieldCount, shape.nameCharacters);
            for (const QStringView name : record.tokenize(fieldSeparator))
                table.setFieldNames(trimSpaces(name).toString());
            table.reserveValues(shape.records * shape.fieldCount, shape.valueCharacters);
            continue;
        }
        if (record.isEmpty())
            continue;
        qint32 fields = 0;
        for (const QStringView value : record.tokenize(fieldSeparator)) {
            if (fields++ == shape.fieldCount)
                break;
            table.add(trimSpaces(value));
        }
        // Every record must have the header's field count, or walking the table never reaches its end.
        for (; fields < shape.fieldCount; ++fields)
            table.add(QStringView());
    }
    return parsed;
}

} // namespace TableText
