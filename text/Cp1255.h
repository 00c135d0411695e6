#pragma once
// Files and the serial line carry 8-bit Hebrew text in the Windows-1255 code page. This is the
// one place where bytes become text and back; nothing else converts.
#include <QByteArray>
#include <QString>

namespace Cp1255 {
// Every byte becomes one character; bytes the code page leaves undefined become U+FFFD.
QString To_Text(const QByteArray& bytes);
// Every character becomes one byte; characters the code page cannot hold become "?".
QByteArray From_Text(const QString& text);
}  // namespace Cp1255
