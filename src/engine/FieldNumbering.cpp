#include "FieldNumbering.h"

#include "CaseFolding.h"
#include "TextRules.h"

#include <QHash>

#include <utility>
#include <vector>

qsizetype WriteCounterText(qint64 counter, char16_t* buffer)
{
    char16_t digits[20];
    qsizetype count = 0;
    // Work on the negative magnitude so the lowest 64-bit value needs no special case.
    qint64 rest = counter < 0 ? counter : -counter;
    do {
        digits[count++] = static_cast<char16_t>(u'0' - rest % 10);
        rest /= 10;
    } while (rest != 0);
    const qsizetype length = count + (counter < 0 ? 1 : 0);
    qsizetype at = 0;
    for (qsizetype pad = length; pad < 4; ++pad)
        buffer[at++] = u'0';
    if (counter < 0)
        buffer[at++] = u'-';
    while (count > 0)
        buffer[at++] = digits[--count];
    return at;
}

QString CounterText(qint64 counter)
{
    char16_t buffer[24];
    const qsizetype length = WriteCounterText(counter, buffer);
    return QString(reinterpret_cast<const QChar*>(buffer), length);
}

QStringList CollectFields(const QString& text)
{
    QStringList spans;
    qsizetype position = 0;
    for (;;) {
        const qsizetype open = text.indexOf(u'$', position);
        if (open < 0)
            break;
        const qsizetype close = text.indexOf(u'!', open);
        if (close < 0)
            break;
        spans.append(text.mid(open, close - open + 1));
        position = close + 1;
    }
    return spans;
}

QString NumberFieldsWithText(const QString& groupText, QStringView counterText)
{
    QString text = groupText;
    for (const QString& span : CollectFields(groupText)) {
        QString numbered = span.chopped(1);
        numbered.append(counterText).append(span.back());
        text = ReplaceAll(text, span, numbered);
    }
    return text;
}

QString NumberFields(const QString& groupText, qint32 counter)
{
    return NumberFieldsWithText(groupText, CounterText(counter));
}

QString JoinLineBreaks(const QString& text)
{
    if (!text.contains(u'\r'))
        return text;
    QString joined;
    joined.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            continue;
        joined.append(text[i]);
    }
    return joined;
}

NumberedGroup::NumberedGroup(const QString& groupText)
    : text_(groupText), startsWithLineFeed_(groupText.startsWith(u'\n'))
{
    QList<Marker>& markers = markers_;
    qsizetype position = 0;
    for (;;) {
        const qsizetype open = text_.indexOf(u'$', position);
        const qsizetype close = open < 0 ? -1 : text_.indexOf(u'!', open);
        if (close < 0)
            break;
        // A second "$" inside a marker lets one marker's replacement reach into another.
        const qsizetype inner = text_.indexOf(u'$', open + 1);
        if (inner >= 0 && inner < close)
            literalOnly_ = true;
        markers.append({open, close - open + 1});
        position = close + 1;
    }
    markerCount_ = markers.size();
    if (literalOnly_) {
        piecesLength_ = JoinLineBreaks(text_).size();
        return;
    }

    // Every marker takes the spelling of the first marker equal to it (ignoring case),
    // because that one's replace-all rewrites them all.
    QHash<QString, QString> firstSpelling;
    QStringList distinct;
    QString piece;
    position = 0;
    for (const Marker& marker : markers) {
        const QString spelling = text_.mid(marker.start, marker.length);
        const QString key = FoldCase(spelling);
        auto found = firstSpelling.constFind(key);
        if (found == firstSpelling.constEnd()) {
            found = firstSpelling.insert(key, spelling);
            distinct.append(key);
        }
        piece += QStringView(text_).sliced(position, marker.start - position);
        piece += QStringView(*found).chopped(1);
        pieces_.append(JoinLineBreaks(piece));
        piece = QStringLiteral("!");
        position = marker.start + marker.length;
    }
    piece += QStringView(text_).sliced(position);
    pieces_.append(JoinLineBreaks(piece));
    for (const QString& p : pieces_)
        piecesLength_ += p.size();

    // A numbered marker X' equals another marker Y when Y is X with a counter text
    // inserted before its "!"; the fast path is wrong for exactly those counter texts.
    // Counter texts are 4 to 20 digits and minus signs, so only Y's last few characters
    // need trying: pairing every marker with every other made 40,000 markers take 18 s.
    const QSet<QString> distinctSet(distinct.cbegin(), distinct.cend());
    for (const QString& y : distinct) {
        const QStringView body = QStringView(y).chopped(1);
        for (qsizetype length = 1; length <= 20 && length < body.size(); ++length) {
            const QChar c = body[body.size() - length];
            if ((c < u'0' || c > u'9') && c != u'-')
                break;
            if (length >= 4 && distinctSet.contains(body.chopped(length).toString() + u'!'))
                collisions_.insert(body.last(length).toString());
        }
    }
}

void NumberedGroup::AppendTo(QString& out, QStringView counterText) const
{
    // Only a LF of the group text itself can pair with the CR before it; a leading LF of
    // the joined text may stand for the text's own CR LF.
    if (startsWithLineFeed_ && out.endsWith(u'\r'))
        out.chop(1);
    if (literalOnly_) {
        out.append(JoinLineBreaks(NumberFieldsWithText(text_, counterText)));
        return;
    }
    if (!collisions_.isEmpty() && collisions_.contains(counterText.toString())) {
        out.append(JoinLineBreaks(FollowRenames(counterText)));
        return;
    }
    out.append(pieces_.front());
    for (qsizetype i = 1; i < pieces_.size(); ++i) {
        out.append(counterText);
        out.append(pieces_[i]);
    }
}

qsizetype NumberedGroup::LengthWith(qsizetype counterLength) const
{
    return piecesLength_ + markerCount_ * counterLength;
}

QString NumberedGroup::FollowRenames(QStringView counterText) const
{
    // Nodes 0..n-1 are the markers as written; each replacement adds a node that the
    // renamed nodes point to. A marker's final spelling is that of its last node.
    std::vector<qsizetype> parent;
    QStringList spelling;
    QHash<QString, std::vector<qsizetype>> nodesByName; // by case-folded spelling
    for (const Marker& marker : markers_) {
        const QString written = text_.mid(marker.start, marker.length);
        nodesByName[FoldCase(written)].push_back(qsizetype(parent.size()));
        parent.push_back(qsizetype(parent.size()));
        spelling.append(written);
    }
    for (qsizetype span = 0; span < markers_.size(); ++span) {
        const auto found = nodesByName.find(FoldCase(spelling[span]));
        if (found == nodesByName.end() || found->empty())
            continue;
        const std::vector<qsizetype> renamed = std::move(*found);
        nodesByName.erase(found);
        const qsizetype node = qsizetype(parent.size());
        parent.push_back(node);
        spelling.append(spelling[span].chopped(1).append(counterText).append(u'!'));
        for (const qsizetype old : renamed)
            parent[old] = node;
        nodesByName[FoldCase(spelling.back())].push_back(node);
    }

    const auto lastNode = [&](qsizetype node) {
        qsizetype root = node;
        while (parent[root] != root)
            root = parent[root];
        while (parent[node] != root) // shorten the path for the next marker
            node = std::exchange(parent[node], root);
        return root;
    };
    QString numbered;
    qsizetype copied = 0;
    for (qsizetype i = 0; i < markers_.size(); ++i) {
        numbered += QStringView(text_).sliced(copied, markers_[i].start - copied);
        numbered += spelling[lastNode(i)];
        copied = markers_[i].start + markers_[i].length;
    }
    numbered += QStringView(text_).sliced(copied);
    return numbered;
}
