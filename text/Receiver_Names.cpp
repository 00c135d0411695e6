#include "text/Receiver_Names.h"

#include <QSet>
#include <algorithm>
#include <iterator>

namespace {
// Hebrew letters, final forms included, and the points written on them.
bool Is_Hebrew_Letter(char16_t c) { return c >= 0x05D0 && c <= 0x05EA; }
bool Is_Hebrew_Point(char16_t c) {
  return c >= 0x0591 && c <= 0x05C7 && c != 0x05BE && c != 0x05C0 && c != 0x05C3 && c != 0x05C6;
}
constexpr char16_t kDagesh = 0x05BC, kSinDot = 0x05C2, kMaqaf = 0x05BE;
bool Is_Geresh(char16_t c) { return c == 0x05F3 || c == '\'' || c == 0x2019; }
bool Is_Gershayim(char16_t c) { return c == 0x05F4 || c == '"'; }

// A letter of a Hebrew word: its base (final forms made regular) and the marks that change it.
struct cLetter {
  char16_t base;
  bool dagesh = false, sin = false, geresh = false;
};

char16_t Regular(char16_t c) {
  const qsizetype k = QStringView(u"ךםןףץ").indexOf(QChar(c));
  return k < 0 ? c : u"כמנפצ"[k];
}

// The letters written the same wherever they stand.
struct cPlain {
  char16_t letter;
  const char* latin;
};
constexpr cPlain kPlain[] = {{u'ד', "D"}, {u'ח', "KH"}, {u'ט', "T"}, {u'ל', "L"}, {u'מ', "M"},
                             {u'נ', "N"}, {u'ס', "S"},  {u'ק', "K"}, {u'ר', "R"}, {u'ת', "T"}};
// Two ways: the letters hard at the start of a word or with a dagesh and soft elsewhere, and the
// letters that a geresh gives another sound.
struct cTwoWays {
  char16_t letter;
  const char* first;
  const char* second;
};
constexpr cTwoWays kHardSoft[] = {{u'ב', "B", "V"}, {u'כ', "K", "KH"}, {u'פ', "P", "F"}};
constexpr cTwoWays kGeresh[] = {{u'ג', "G", "J"}, {u'ז', "Z", "ZH"}, {u'צ', "TS", "CH"}};

// Unpointed spelling writes vowels with ו and י: one of them is a vowel unless it starts the
// word, is doubled, or (י) stands before another vowel letter, א or ע.
bool Vowel_At(const QVector<cLetter>& w, int j) {
  if (j <= 0 || j >= w.size()) return false;
  const char16_t c = w[j].base, next = j + 1 < w.size() ? w[j + 1].base : 0;
  if (c != u'ו' && c != u'י') return false;
  if (next == c || w[j - 1].base == c) return false;
  if (c == u'י' && (next == u'ו' || next == u'א' || next == u'ע')) return false;
  return true;
}

// The vowel letters, א, ע, ה and ש, whose sound depends on where they stand or on a point.
QString Context_Letter(const QVector<cLetter>& w, int& i) {
  const cLetter& l = w[i];
  const bool first = i == 0, last = i == w.size() - 1;
  const bool doubled = i + 1 < w.size() && w[i + 1].base == l.base;
  switch (l.base) {
    case u'א':
    case u'ע':
      // A vowel of its own, unless the vowel letter after it gives the vowel.
      return Vowel_At(w, i + 1) ? QString() : QStringLiteral("A");
    case u'ה':
      return last && !first ? QStringLiteral("A") : QStringLiteral("H");
    case u'ו':
      if (doubled) ++i;
      if (first || doubled) return QStringLiteral("V");
      return l.dagesh ? QStringLiteral("U") : QStringLiteral("O");
    case u'י':
      if (doubled) ++i;
      return !doubled && Vowel_At(w, i) ? QStringLiteral("I") : QStringLiteral("Y");
    case u'ש':
      return l.sin ? QStringLiteral("S") : QStringLiteral("SH");
    default:
      return {};
  }
}

// One Hebrew word in the simplified road-sign spelling (the README's table).
QString Word_Latin(const QVector<cLetter>& w) {
  QString out;
  for (int i = 0; i < w.size(); ++i) {
    const cLetter& l = w[i];
    const auto plain = std::find_if(std::begin(kPlain), std::end(kPlain),
                                    [&](const cPlain& p) { return p.letter == l.base; });
    const auto find = [&](const auto& table) {
      return std::find_if(std::begin(table), std::end(table),
                          [&](const cTwoWays& t) { return t.letter == l.base; });
    };
    const auto hard_soft = find(kHardSoft), geresh = find(kGeresh);
    if (plain != std::end(kPlain))
      out += QLatin1String(plain->latin);
    else if (hard_soft != std::end(kHardSoft))
      out += QLatin1String(i == 0 || l.dagesh ? hard_soft->first : hard_soft->second);
    else if (geresh != std::end(kGeresh))
      out += QLatin1String(l.geresh ? geresh->second : geresh->first);
    else
      out += Context_Letter(w, i);
  }
  return out;
}

// A character outside Hebrew: marks already split off by the decomposition, upper-cased, kept
// when the receiver can show it; other spaces become spaces, the maqaf a hyphen.
QString Latin_Part(QChar c) {
  if (c.unicode() == kMaqaf) return QStringLiteral("-");
  if (c.isSpace()) return QStringLiteral(" ");
  if (c.category() == QChar::Mark_NonSpacing) return {};
  QString out;
  for (const QChar u : QString(c).toUpper())
    if (Is_Name_Char(u)) out += u;
  return out;
}

bool Fits(const QString& upper, int L) {
  if (upper.isEmpty() || upper.size() > L) return false;
  for (const QChar c : upper)
    if (!Is_Name_Char(c)) return false;
  return true;
}

QString Cut(const QString& name, int L) { return name.left(L).trimmed(); }

// A Latin name not yet unique: the hiker's, else the label's own or its transliteration, else
// the point's number.
QString Latin_Name(const QString& label, int row, int L, const cNameRules& rules) {
  const auto own = rules.Own.constFind(label);
  if (own != rules.Own.constEnd() && !own->isEmpty()) return Cut(*own, L);
  const QString upper = label.toUpper();
  if (Fits(upper, L)) return upper;
  const QString name = Cut(Transliterate(label), L);
  return name.isEmpty() ? QString::number(row) : name;
}

// The name itself when it is free, else the first of name2, name3 ... cut to fit L.
QString Unique(const QString& name, const QSet<QString>& taken, int L) {
  if (!taken.contains(name)) return name;
  for (int k = 2;; ++k) {
    const QString digits = QString::number(k);
    const QString candidate = name.left(L - digits.size()) + digits;
    if (!taken.contains(candidate)) return candidate;
  }
}
}  // namespace

bool Six_Wide_Format(const QString& format) {
  static const QSet<QString> kSixWide = {"D100", "D101", "D102", "D103", "D104", "D107",
                                         "D150", "D151", "D152", "D154", "D155"};
  return kSixWide.contains(format);
}

int Name_Length(const QString& format, int setting) {
  if (Six_Wide_Format(format)) return 6;
  if (format == kGpx_Format) return kGpx_Name_Length;
  return qBound(kMin_Name_Length, setting, kMax_Name_Length);
}

int Name_Length_Setting(const QString& text) {
  bool ok = false;
  const int n = text.trimmed().toInt(&ok);
  return ok ? qBound(kMin_Name_Length, n, kMax_Name_Length) : kDefault_Name_Length;
}

bool Is_Name_Char(QChar c) {
  const char16_t u = c.unicode();
  return (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == ' ' || u == '-';
}

cNameFault Name_Fault(const QString& name, int L) {
  if (name.trimmed().isEmpty()) return cNameFault::Empty;
  for (const QChar c : name)
    if (!Is_Name_Char(c)) return cNameFault::Bad_Char;
  return name.size() > L ? cNameFault::Too_Long : cNameFault::None;
}

QString Transliterate(const QString& label) {
  // The decomposition splits a letter from its marks (é, presentation forms such as שׁ).
  const QString text = label.normalized(QString::NormalizationForm_D);
  QString out;
  for (qsizetype i = 0; i < text.size();) {
    if (!Is_Hebrew_Letter(text[i].unicode())) {
      out += Latin_Part(text[i++]);
      continue;
    }
    QVector<cLetter> word;
    for (; i < text.size(); ++i) {
      const char16_t c = text[i].unicode();
      if (Is_Hebrew_Letter(c)) {
        word.append(cLetter{Regular(c)});
      } else if (Is_Hebrew_Point(c)) {
        word.last().dagesh |= c == kDagesh;
        word.last().sin |= c == kSinDot;
      } else if (Is_Geresh(c) && QStringLiteral("גזצ").contains(QChar(word.last().base))) {
        word.last().geresh = true;
      } else if (!(Is_Gershayim(c) && i + 1 < text.size() &&
                   Is_Hebrew_Letter(text[i + 1].unicode()))) {
        break;  // an acronym's gershayim stays inside its word; anything else ends it
      }
    }
    out += Word_Latin(word);
  }
  return out.simplified();
}

QStringList Receiver_Names(const QStringList& labels, const QString& format,
                           const cNameRules& rules) {
  QStringList names;
  names.reserve(labels.size());
  if (!rules.Latin) {
    // The drive's GPX file carries any text; the serial formats carry upper-cased code page text.
    for (const QString& label : labels)
      names << (format == kGpx_Format     ? label
                : Six_Wide_Format(format) ? label.toUpper().left(6)
                                          : label.toUpper());
    return names;
  }
  const int L = Name_Length(format, rules.Length);
  QSet<QString> taken;
  for (int row = 1; row <= labels.size(); ++row) {
    const QString name = Unique(Latin_Name(labels[row - 1], row, L, rules), taken, L);
    taken.insert(name);
    names << name;
  }
  return names;
}

QString Receiver_Title(const QString& title, const QString& format, const cNameRules& rules) {
  if (!rules.Latin) return format == kGpx_Format ? title : title.toUpper();
  const auto own = rules.Own.constFind(title);
  if (own != rules.Own.constEnd()) return Cut(*own, kMax_Title_Length);
  const QString upper = title.toUpper();
  return Fits(upper, kMax_Title_Length) ? upper : Cut(Transliterate(title), kMax_Title_Length);
}

cNamesText Parse_Names(const QByteArray& utf8) {
  cNamesText out;
  QString text = QString::fromUtf8(utf8);
  if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
  const QStringList lines = text.split(QLatin1Char('\n'));
  for (int n = 1; n <= lines.size(); ++n) {
    QString line = lines[n - 1];
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    if (line.trimmed().isEmpty()) continue;
    // A name has no comma, a label may: the name is what follows the last one.
    const qsizetype comma = line.lastIndexOf(QLatin1Char(','));
    const QString name = comma < 0 ? QString() : line.mid(comma + 1).toUpper();
    const cNameFault fault = Name_Fault(name, name.size());
    if (fault != cNameFault::None) {
      out.faults.append({n, fault});
      continue;
    }
    out.names.insert(line.left(comma), name);
  }
  return out;
}

QByteArray With_Name(const QByteArray& utf8, const QString& label, const QString& name) {
  QStringList lines = QString::fromUtf8(utf8).split(QLatin1Char('\n'));
  if (lines.last().isEmpty()) lines.removeLast();
  const QString entry = label + QLatin1Char(',') + name;
  bool placed = false;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    QString line = lines[i];
    const bool cr = line.endsWith(QLatin1Char('\r'));
    if (cr) line.chop(1);
    const qsizetype comma = line.lastIndexOf(QLatin1Char(','));
    if (comma < 0 || line.left(comma) != label) continue;
    if (placed || name.isEmpty()) {
      lines.removeAt(i--);
    } else {
      lines[i] = entry + (cr ? QStringLiteral("\r") : QString());
      placed = true;
    }
  }
  if (!placed && !name.isEmpty()) lines << entry;
  // QString drops a byte order mark; a file that had one keeps it.
  const QByteArray bom = utf8.startsWith("\xEF\xBB\xBF") ? utf8.left(3) : QByteArray();
  return lines.isEmpty() ? bom : bom + (lines.join(QLatin1Char('\n')) + '\n').toUtf8();
}
