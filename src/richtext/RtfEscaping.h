#pragma once

#include <QString>
#include <QStringView>

// Appends `text` as RTF text the way DocumentToRtf writes it: plain ASCII, other characters
// as \'hh or \uN, and never "$" or a double quote literally.
void AppendRtfEscaped(QString& out, QStringView text);
