#pragma once

#include <QChar>

// Windows-1252, the code page of every RTF file the program reads or writes.

// The character a Windows-1252 byte stands for (undefined bytes map to themselves).
QChar Windows1252ToChar(unsigned char byte);

// The Windows-1252 byte of a character, or -1 when the code page has none.
int CharToWindows1252(QChar character);
