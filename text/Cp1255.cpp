#include "text/Cp1255.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace Cp1255 {

QString To_Text(const QByteArray& bytes) {
  QStringDecoder decoder("windows-1255");
  if (!decoder.isValid()) return QString::fromLatin1(bytes);
  QString text = decoder.decode(bytes);
  return text;
}

QByteArray From_Text(const QString& text) {
  QStringEncoder encoder("windows-1255", QStringConverter::Flag::ConvertInvalidToNull);
  QByteArray out;
  out.reserve(text.size());
  // Character by character, so that one unmappable character costs exactly one "?".
  for (qsizetype i = 0; i < text.size(); ++i) {
    qsizetype len = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    QStringView ch = QStringView(text).mid(i, len);
    i += len - 1;
    if (!encoder.isValid()) {
      out.append(ch.at(0).unicode() < 0x80 ? char(ch.at(0).unicode()) : '?');
      continue;
    }
    QByteArray b = encoder.encode(ch);
    if (b.size() == 1 && !(b.at(0) == '\0' && ch.at(0) != QChar(0)))
      out.append(b.at(0));
    else
      out.append('?');
  }
  return out;
}

}  // namespace Cp1255
