#include "StorableName.h"

#include "TableText.h"
#include "Windows1252.h"

std::optional<QString> nameRefusal(QStringView name)
{
    if (const std::optional<char16_t> separator = TableText::separatorIn(name))
        return TableText::separatorMessage(*separator);
    char32_t offending = 0;
    if (!Windows1252::encode(name, &offending))
        return Windows1252::unencodableMessage(offending);
    return std::nullopt;
}
