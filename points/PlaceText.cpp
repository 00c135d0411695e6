#include "points/PlaceText.h"

#include <QRegularExpression>
#include <cmath>

namespace {
enum class cKind { Number, Hemi, Deg, Min, Sec };

struct cToken {
  explicit cToken(cKind k) : kind(k) {}
  cKind kind;
  double value = 0;  // a number's size, without its sign
  bool signed_ = false;
  bool negative = false;
  QChar hemi;
};

// One value in degrees, minutes and seconds as typed; only the last may have a fraction.
struct cComp {
  double v[3] = {0, 0, 0};
  int n = 0;
  bool signed_ = false, negative = false;
  QChar hemi;
};

bool Is_Separator(QChar c) {
  return c.isSpace() || c == QLatin1Char(',') || c == QLatin1Char(';') || c == QLatin1Char('/');
}
bool Is_Minute_Mark(QChar c) {
  return c == QLatin1Char('\'') || c == QChar(0x2032) || c == QChar(0x2019) || c == QChar(0x05F3);
}
bool Is_Second_Mark(QChar c) {
  return c == QLatin1Char('"') || c == QChar(0x2033) || c == QChar(0x201D) || c == QChar(0x05F4);
}
bool Is_Digit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

bool Tokenize(const QString& text, std::vector<cToken>& out) {
  const int n = int(text.size());
  for (int i = 0; i < n;) {
    const QChar c = text[i], up = c.toUpper();
    if (Is_Separator(c)) {
      ++i;
    } else if (up == QLatin1Char('N') || up == QLatin1Char('S') || up == QLatin1Char('E') ||
               up == QLatin1Char('W')) {
      cToken t(cKind::Hemi);
      t.hemi = up;
      out.push_back(t);
      ++i;
    } else if (c == QChar(0x00B0) || c == QChar(0x00BA)) {
      out.emplace_back(cKind::Deg);
      ++i;
    } else if (Is_Minute_Mark(c)) {
      // Two apostrophes are the seconds' mark.
      const bool twice = i + 1 < n && Is_Minute_Mark(text[i + 1]);
      out.emplace_back(twice ? cKind::Sec : cKind::Min);
      i += twice ? 2 : 1;
    } else if (Is_Second_Mark(c)) {
      out.emplace_back(cKind::Sec);
      ++i;
    } else {
      cToken t(cKind::Number);
      int j = i;
      if (c == QLatin1Char('+') || c == QLatin1Char('-') || c == QChar(0x2212)) {
        t.signed_ = true;
        t.negative = c != QLatin1Char('+');
        ++j;
      }
      const int from = j;
      bool dot = false, digits = false;
      for (; j < n; ++j) {
        if (Is_Digit(text[j])) {
          digits = true;
        } else if (text[j] == QLatin1Char('.') && !dot) {
          dot = true;
        } else {
          break;
        }
      }
      if (!digits) return false;
      bool ok = false;
      t.value = text.mid(from, j - from).toDouble(&ok);
      if (!ok || !std::isfinite(t.value)) return false;
      out.push_back(t);
      i = j;
    }
  }
  return !out.empty();
}

// Tokens into values. With hemisphere letters each letter opens (when the text begins with one)
// or closes a value; without them a degree mark opens one, and a pair typed as plain numbers
// splits in the middle (31.7767 35.2345, 31 46.6 35 14.07, 31 46 36.1 35 14 4.2).
bool Group(const std::vector<cToken>& t, int want, std::vector<cComp>& comps) {
  bool letters = false, degs = false;
  int numbers = 0;
  for (const cToken& k : t) {
    letters |= k.kind == cKind::Hemi;
    degs |= k.kind == cKind::Deg;
    numbers += k.kind == cKind::Number;
  }
  const bool prefix = letters && t[0].kind == cKind::Hemi;
  const bool halves = !letters && !degs && want == 2;
  if (halves && numbers % 2 != 0) return false;
  cComp cur;
  bool open = false;
  int seen = 0;
  const auto close = [&] {
    if (open && cur.n == 0) return false;
    if (open) comps.push_back(cur);
    cur = cComp();
    open = false;
    return true;
  };
  for (size_t i = 0; i < t.size(); ++i) {
    const cToken& k = t[i];
    if (k.kind == cKind::Hemi) {
      if (prefix) {
        if (!close()) return false;
        open = true;
        cur.hemi = k.hemi;
      } else {
        if (!open || !cur.hemi.isNull()) return false;
        cur.hemi = k.hemi;
        close();
      }
    } else if (k.kind == cKind::Number) {
      int role = -1;
      if (i + 1 < t.size()) {
        const cKind next = t[i + 1].kind;
        role = next == cKind::Deg ? 0 : next == cKind::Min ? 1 : next == cKind::Sec ? 2 : -1;
      }
      if (!letters && open && ((role == 0 && cur.n > 0) || (halves && seen == numbers / 2)))
        close();
      ++seen;
      open = true;
      if (cur.n == 3 || (role >= 0 && role != cur.n) || (cur.n > 0 && k.signed_)) return false;
      if (cur.n == 0) cur.signed_ = k.signed_, cur.negative = k.negative;
      cur.v[cur.n++] = k.value;
    } else if (i == 0 || t[i - 1].kind != cKind::Number) {
      return false;  // a mark belongs after its number
    }
  }
  if (open && letters && !prefix) return false;  // numbers after the last letter
  return close() && int(comps.size()) == want;
}

// The value in degrees and its axis (0 latitude, 1 longitude, -1 not said).
bool Value(const cComp& c, double& deg, int& axis) {
  for (int k = 0; k + 1 < c.n; ++k)
    if (c.v[k] != std::floor(c.v[k])) return false;
  if (c.n >= 2 && !(c.v[1] < 60)) return false;
  // The list shows seconds of 59.995 and more as 60.
  if (c.n == 3 && !(c.v[2] <= 60)) return false;
  if (c.signed_ && !c.hemi.isNull()) return false;
  deg = c.v[0] + c.v[1] / 60 + c.v[2] / 3600;
  const QChar h = c.hemi;
  if (c.negative || h == QLatin1Char('S') || h == QLatin1Char('W')) deg = -deg;
  axis = h.isNull() ? -1 : (h == QLatin1Char('N') || h == QLatin1Char('S')) ? 0 : 1;
  return true;
}

bool In_Range(double deg, int axis) { return std::fabs(deg) <= (axis == 0 ? 90 : 180); }

bool Parse(const QString& text, int want, std::vector<double>& degs, std::vector<int>& axes) {
  std::vector<cToken> tokens;
  std::vector<cComp> comps;
  if (!Tokenize(text, tokens) || !Group(tokens, want, comps)) return false;
  for (const cComp& c : comps) {
    double deg = 0;
    int axis = -1;
    if (!Value(c, deg, axis)) return false;
    degs.push_back(deg);
    axes.push_back(axis);
  }
  return true;
}
}  // namespace

namespace PlaceText {
bool Parse_Angle(const QString& text, int axis, double& deg) {
  std::vector<double> degs;
  std::vector<int> axes;
  if (!Parse(text, 1, degs, axes) || (axes[0] != -1 && axes[0] != axis)) return false;
  if (!In_Range(degs[0], axis)) return false;
  deg = degs[0];
  return true;
}

bool Parse_LatLon(const QString& text, double& lat_deg, double& lon_deg) {
  std::vector<double> degs;
  std::vector<int> axes;
  if (!Parse(text, 2, degs, axes)) return false;
  if (axes[0] == -1 && axes[1] == -1) axes = {0, 1};
  if (axes[0] == axes[1] || axes[0] == -1 || axes[1] == -1) return false;
  const int lat = axes[0] == 0 ? 0 : 1;
  if (!In_Range(degs[size_t(lat)], 0) || !In_Range(degs[size_t(1 - lat)], 1)) return false;
  lat_deg = degs[size_t(lat)];
  lon_deg = degs[size_t(1 - lat)];
  return true;
}

bool Parse_Numbers(const QString& text, int most, std::vector<double>& values) {
  static const QRegularExpression kSeparators(QStringLiteral("[\\s,;/]+"));
  QString plain = text;
  plain.replace(QChar(0x2212), QLatin1Char('-'));
  const QStringList parts = plain.split(kSeparators, Qt::SkipEmptyParts);
  if (parts.isEmpty() || parts.size() > most) return false;
  values.clear();
  for (const QString& part : parts) {
    bool ok = false;
    const double v = part.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return false;
    values.push_back(v);
  }
  return true;
}
}  // namespace PlaceText
