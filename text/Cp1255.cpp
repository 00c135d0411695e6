#include "text/Cp1255.h"

#include <QStringDecoder>
#include <array>

namespace Cp1255 {
namespace {
// Windows-1255 is one byte a character: both directions are tables, made once from Qt's codec,
// so that a long file does not open a converter per text.
struct cTables {
  std::array<char16_t, 256> to_unicode{};
  // Every character of the basic plane to its byte, "?" where the code page has none.
  std::array<char, 65536> from_unicode;
  cTables() {
    from_unicode.fill('?');
    QStringDecoder decoder("windows-1255", QStringConverter::Flag::Stateless);
    for (int b = 0; b < 256; ++b) {
      const char byte = char(b);
      QString ch = decoder.isValid() ? decoder.decode(QByteArray(1, byte)) : QString();
      if (ch.size() != 1) ch = b < 0x80 ? QString(QChar(b)) : QString(QChar(0xFFFD));
      to_unicode[size_t(b)] = ch.at(0).unicode();
    }
    // The first byte that gives a character is the one it is written as.
    for (int b = 255; b >= 0; --b) {
      if (to_unicode[size_t(b)] != 0xFFFD) from_unicode[to_unicode[size_t(b)]] = char(b);
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
    out.append(t.from_unicode[text.at(i).unicode()]);
  }
  return out;
}

}  // namespace Cp1255
