#include "text/Cp1255.h"

#include <QHash>
#include <QStringDecoder>
#include <array>

namespace Cp1255 {
namespace {
// Windows-1255 is one byte a character: both directions are tables, made once from Qt's codec,
// so that a long file does not open a converter per text.
struct cTables {
  std::array<char16_t, 256> to_unicode{};
  QHash<char16_t, char> from_unicode;
  cTables() {
    QStringDecoder decoder("windows-1255", QStringConverter::Flag::Stateless);
    for (int b = 0; b < 256; ++b) {
      const char byte = char(b);
      QString ch = decoder.isValid() ? decoder.decode(QByteArray(1, byte)) : QString();
      if (ch.size() != 1) ch = b < 0x80 ? QString(QChar(b)) : QString(QChar(0xFFFD));
      to_unicode[size_t(b)] = ch.at(0).unicode();
      if (ch.at(0) != QChar(0xFFFD) && !from_unicode.contains(to_unicode[size_t(b)]))
        from_unicode.insert(to_unicode[size_t(b)], byte);
    }
  }
};

const cTables& Tables() {
  static const cTables tables;
  return tables;
}
}  // namespace

QString To_Text(const QByteArray& bytes) {
  const cTables& t = Tables();
  QString text(bytes.size(), Qt::Uninitialized);
  QChar* out = text.data();
  for (qsizetype i = 0; i < bytes.size(); ++i) out[i] = QChar(t.to_unicode[quint8(bytes[i])]);
  return text;
}

QByteArray From_Text(const QString& text) {
  const cTables& t = Tables();
  QByteArray out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    // One unmappable character, also one outside the basic plane, costs exactly one "?".
    if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
      out.append('?');
      ++i;
      continue;
    }
    const auto it = t.from_unicode.constFind(text.at(i).unicode());
    out.append(it == t.from_unicode.constEnd() ? '?' : *it);
  }
  return out;
}

}  // namespace Cp1255
