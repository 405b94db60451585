#include "TextEdits.h"

#include <algorithm>
#include <cstring>

namespace {

void Rebuild(QString& text, const QList<TextEdit>& edits, qsizetype capacity)
{
    QString after;
    after.reserve(capacity);
    qsizetype done = 0;
    for (const TextEdit& edit : edits) {
        after.append(QStringView(text).sliced(done, edit.start - done)).append(edit.value);
        done = edit.start + edit.length;
    }
    after.append(QStringView(text).sliced(done));
    text = std::move(after);
}

void Move(char16_t* data, qsizetype to, qsizetype from, qsizetype length)
{
    std::memmove(data + to, data + from, size_t(length) * sizeof(char16_t));
}

void Put(char16_t* data, qsizetype at, const QString& value)
{
    std::copy_n(value.utf16(), value.size(), data + at);
}

// Front to back: nothing moves right, so nothing is overwritten before it is read.
void ShrinkInPlace(QString& text, const QList<TextEdit>& edits)
{
    char16_t* data = reinterpret_cast<char16_t*>(text.data());
    qsizetype read = edits.first().start;
    qsizetype write = read;
    for (const TextEdit& edit : edits) {
        Move(data, write, read, edit.start - read);
        write += edit.start - read;
        Put(data, write, edit.value);
        write += edit.value.size();
        read = edit.start + edit.length;
    }
    Move(data, write, read, text.size() - read);
    text.truncate(write + text.size() - read);
}

// Back to front: nothing moves left.
void GrowInPlace(QString& text, const QList<TextEdit>& edits, qsizetype growth)
{
    qsizetype read = text.size();
    text.resize(text.size() + growth);
    char16_t* data = reinterpret_cast<char16_t*>(text.data());
    qsizetype write = text.size();
    for (auto edit = edits.crbegin(); edit != edits.crend(); ++edit) {
        const qsizetype tail = read - (edit->start + edit->length);
        write -= tail;
        read -= tail;
        Move(data, write, read, tail);
        write -= edit->value.size();
        Put(data, write, edit->value);
        read = edit->start;
    }
}

} // namespace

void ApplyTextEdits(QString& text, const QList<TextEdit>& edits, qsizetype room)
{
    if (edits.isEmpty())
        return;
    qsizetype growth = 0;
    bool grows = false;
    bool shrinks = false;
    for (const TextEdit& edit : edits) {
        const qsizetype change = edit.value.size() - edit.length;
        growth += change;
        grows = grows || change > 0;
        shrinks = shrinks || change < 0;
    }
    const qsizetype needed = text.size() + growth;
    if ((grows && shrinks) || !text.isDetached()) {
        Rebuild(text, edits, needed + room);
        return;
    }
    if (text.capacity() < needed)
        text.reserve(needed + room);
    if (grows)
        GrowInPlace(text, edits, growth);
    else
        ShrinkInPlace(text, edits);
}
