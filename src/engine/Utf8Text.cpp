#include "Utf8Text.h"

#include <QStringDecoder>

std::optional<QString> DecodeUtf8(QByteArrayView bytes, bool keepByteOrderMark)
{
    QStringDecoder decoder(QStringDecoder::Utf8, keepByteOrderMark ? QStringDecoder::Flag::ConvertInitialBom
                                                                   : QStringDecoder::Flag::Default);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}
