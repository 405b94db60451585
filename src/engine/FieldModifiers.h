#pragma once

#include "TypeMap.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

// Mirrors: a field marker whose name ends in ":" and a modifier ("$Col:pascal!") stands for
// the field without it ("$Col!") and shows the field's value in its own spelling. Numbering
// puts the counter after the modifier ("$Col:pascal0001!" mirrors "$Col0001!"). The
// modifiers are the letter-case styles and the languages of a type map; any other name after
// ":" leaves the marker an ordinary field.
class FieldModifiers
{
public:
    // The letter-case modifiers and the languages of `typeMap` (none without one).
    explicit FieldModifiers(std::shared_ptr<const TypeMap> typeMap = nullptr);
    // The letter-case modifiers and the shipped type map's languages.
    static const FieldModifiers& standard();

    struct Mirror
    {
        QStringView base;    // the name before ":"
        QStringView counter; // what numbering added after the modifier, often empty
        qsizetype modifier = 0;

        // The field as the fields list shows it: "$" + base + counter + "!".
        QString fieldMarker() const;
        // Whether this mirrors the field `fieldMarker` ("$Col0001!"), letter case ignored.
        bool mirrors(QStringView fieldMarker) const;
    };
    // The mirror `marker` ("$...!") is, if it is one. Of two modifiers that both fit
    // ("go" and "go2" before "0001"), the longer one counts.
    std::optional<Mirror> mirrorOf(QStringView marker) const;

    struct Spelling
    {
        QString text;
        bool unmapped = false; // a type the map has no row for, written as given
    };
    Spelling spell(const QString& value, qsizetype modifier) const;

    const QStringList& names() const { return names_; }
    qsizetype longestName() const { return longestName_; }

private:
    std::shared_ptr<const TypeMap> typeMap_;
    QStringList names_; // the letter-case styles in WordCase order, then the languages
    qsizetype longestName_ = 0;
};

// What numbering writes into a marker: digits, and "-" for counters below zero ("00-5").
bool IsCounterCharacter(QChar c);
