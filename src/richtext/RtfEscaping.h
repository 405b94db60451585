#pragma once

#include <QString>
#include <QStringView>

// Appends `text` as RTF text the way DocumentToRtf writes it: plain ASCII, other characters
// as \'hh or \uN, and never "$" or a double quote literally.
void AppendRtfEscaped(QString& out, QStringView text);

// How many characters AppendRtfEscaped appends for `text`, so a long text's RTF can be
// built in a buffer of the size it needs.
qsizetype RtfEscapedSize(QStringView text);
