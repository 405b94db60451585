#include "BodyChanges.h"

void BodyChanges::setStored(const QString& key, const Texts& stored, const QByteArray& fileVersion)
{
    key_ = key;
    stored_ = stored;
    fileVersion_ = fileVersion;
    templateTouched_ = false;
    resultTouched_ = false;
    warned_ = false;
}

void BodyChanges::touch(Pane pane)
{
    (pane == Pane::Template ? templateTouched_ : resultTouched_) = true;
    warned_ = false;
}

BodyChanges::Texts BodyChanges::current(const std::function<QString(Pane)>& readPane) const
{
    return {templateTouched_ ? readPane(Pane::Template) : stored_.templateRichText,
            resultTouched_ ? readPane(Pane::Result) : stored_.resultRichText};
}

bool BodyChanges::differs(const Texts& now) const
{
    // Exact comparison: a change of letter case or of colour alone is an edit to keep.
    return now.templateRichText != stored_.templateRichText || now.resultRichText != stored_.resultRichText;
}

bool BodyChanges::takeUnsavedWarning()
{
    if (warned_)
        return false;
    warned_ = true;
    return true;
}
