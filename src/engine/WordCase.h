#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The letter-case styles a mirror of a field writes its value in.
enum class WordCase
{
    Upper,    // the whole value upper-cased, unsplit
    Lower,    // the whole value lower-cased, unsplit
    Pascal,   // CustomerId
    Camel,    // customerId
    Snake,    // customer_id
    Kebab,    // customer-id
    Constant, // CUSTOMER_ID
};

// The style a modifier names ("pascal", letter case ignored), if any.
std::optional<WordCase> WordCaseNamed(QStringView name);
// The modifier names, in the order of WordCase.
const QStringList& WordCaseNames();

// The words of a value. Every character that is neither a letter nor a digit separates words
// and is dropped; a new word also starts at an upper-case letter that follows a lower-case
// letter or a digit, and at one that follows an upper-case letter and comes before a
// lower-case one ("XMLHttpRequest" -> XML, Http, Request). Digits stay with what precedes
// them; combining marks stay with their letter.
QStringList SplitIntoWords(QStringView value);

// `value` written in `style`. Upper-casing uses the full Unicode mapping ("ß" -> "SS").
QString InWordCase(const QString& value, WordCase style);
