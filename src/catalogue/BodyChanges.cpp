#include "BodyChanges.h"

#include <QHash>

namespace {

// Any fixed seed: fingerprints are only compared within one run of the program.
constexpr size_t kFingerprintSeed = 0x9e3779b97f4a7c15ULL;

} // namespace

void BodyChanges::StoredPane::store(const QString& text)
{
    richText = text;
    touched = false;
}

void BodyChanges::StoredPane::touch()
{
    if (touched)
        return;
    size = richText.size();
    fingerprint = qHash(QStringView(richText), kFingerprintSeed);
    richText = QString();
    touched = true;
}

bool BodyChanges::StoredPane::differs(const QString& now) const
{
    // Exact comparison: a change of letter case or of colour alone is an edit to keep.
    if (!touched)
        return now != richText;
    return now.size() != size || qHash(QStringView(now), kFingerprintSeed) != fingerprint;
}

void BodyChanges::setStored(const QString& key, const Texts& stored)
{
    key_ = key;
    template_.store(stored.templateRichText);
    result_.store(stored.resultRichText);
    warned_ = false;
}

void BodyChanges::touch(Pane pane)
{
    (pane == Pane::Template ? template_ : result_).touch();
    warned_ = false;
}

BodyChanges::Texts BodyChanges::current(const std::function<QString(Pane)>& readPane) const
{
    return {template_.touched ? readPane(Pane::Template) : template_.richText,
            result_.touched ? readPane(Pane::Result) : result_.richText};
}

bool BodyChanges::differs(const Texts& now) const
{
    return template_.differs(now.templateRichText) || result_.differs(now.resultRichText);
}

bool BodyChanges::takeUnsavedWarning()
{
    if (warned_)
        return false;
    warned_ = true;
    return true;
}
