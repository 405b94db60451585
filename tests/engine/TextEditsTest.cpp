#include "TextEdits.h"

#include <gtest/gtest.h>

#include <random>

namespace {

QString Rebuilt(const QString& text, const QList<TextEdit>& edits)
{
    QString after;
    qsizetype done = 0;
    for (const TextEdit& edit : edits) {
        after += text.mid(done, edit.start - done) + edit.value;
        done = edit.start + edit.length;
    }
    return after + text.mid(done);
}

// In place or not, the edits give what building the text anew gives: edits at both ends,
// next to each other, empty, all growing, all shrinking, mixed, on shared and roomy texts.
TEST(TextEdits, GiveWhatRebuildingTheTextGives)
{
    std::mt19937 random(5);
    for (int round = 0; round < 4000; ++round) {
        QString text;
        for (int i = int(random() % 40); i > 0; --i)
            text += QChar(char16_t(u'a' + random() % 26));
        QList<TextEdit> edits;
        const int sizeChange = int(random() % 3) - 1; // every edit the same way, or any way
        for (qsizetype at = 0; at <= text.size() && random() % 4;) {
            at += random() % 6;
            if (at > text.size())
                break;
            const qsizetype length = std::min<qsizetype>(random() % 5, text.size() - at);
            qsizetype valueSize = random() % 8;
            if (round % 2)
                valueSize = std::max<qsizetype>(length + sizeChange, 0);
            edits.append({at, length, QString(valueSize, QChar(char16_t(u'A' + edits.size() % 26)))});
            at += length;
        }
        const QString original(text.constData(), text.size()); // a copy of its own, not a share
        const QString expected = Rebuilt(original, edits);
        if (random() % 2)
            text.reserve(text.size() + 64);
        const QString sharer = random() % 4 ? QString() : text;
        ApplyTextEdits(text, edits);
        ASSERT_EQ(text, expected) << round;
        if (!sharer.isNull()) {
            ASSERT_EQ(sharer, original) << "a shared text is never written through";
        }
    }
}

} // namespace
