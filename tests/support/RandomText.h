#pragma once

#include <QString>
#include <QStringList>

#include <random>

// A text of up to maxPieces pieces, each drawn at random from `pieces`.
inline QString RandomText(std::mt19937& random, const QStringList& pieces, int maxPieces)
{
    QString text;
    const int count = std::uniform_int_distribution<int>(0, maxPieces)(random);
    for (int i = 0; i < count; ++i)
        text += pieces[std::uniform_int_distribution<qsizetype>(0, pieces.size() - 1)(random)];
    return text;
}
