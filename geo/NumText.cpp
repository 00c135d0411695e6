#include "geo/NumText.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace NumText {

namespace {
int Copy(const char* text, char* out) {
  const int n = int(std::strlen(text));
  std::memcpy(out, text, size_t(n));
  return n;
}

// The general form with 15 digits: the shortest text of at most 15 significant digits without
// trailing zeros; to_chars writes "." whatever the process locale says (the window's and
// vqtool's locale follow the user's, where a comma may be the separator).
int General_15(double value, char* out) {
  char buf[40];
  const auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15).ptr;
  int n = 0;
  const char* p = buf;
  if (*p == '-') out[n++] = *p++;
  if (p[0] == '0' && p + 1 < end && p[1] == '.') ++p;  // ".25", "-.5"
  for (; p < end; ++p) out[n++] = *p == 'e' ? 'E' : *p;
  return n;
}
}  // namespace

int Num_Chars(double value, char* out) {
  if (std::isnan(value)) return Copy("NaN", out);
  if (std::isinf(value)) return Copy(value > 0 ? "Inf" : "-Inf", out);
  if (value == 0) return Copy("0", out);  // also -0
  // The shortest text that reads back to the value is, when it has at most 15 digits, also the
  // 15-digit rounding (normal doubles are finer than 15 digits), and several times faster to
  // make than the rounding; longer ones and subnormal ones take the rounding.
  if (std::fabs(value) < std::numeric_limits<double>::min()) return General_15(value, out);
  char sci[40];
  const char* end =
      std::to_chars(sci, sci + sizeof sci, std::fabs(value), std::chars_format::scientific).ptr;
  const char* e = static_cast<const char*>(std::memchr(sci, 'e', size_t(end - sci)));
  char digits[20];
  int count = 0;
  for (const char* p = sci; p < e; ++p)
    if (*p != '.') digits[count < 20 ? count : 19] = *p, ++count;
  if (count > 15) return General_15(value, out);
  int exp = 0;
  std::from_chars(e + (e[1] == '+' ? 2 : 1), end, exp);
  int n = 0;
  if (value < 0) out[n++] = '-';
  if (exp < -4 || exp >= 15) {
    for (const char* p = sci; p < e; ++p) out[n++] = *p;
    out[n++] = 'E';
    for (const char* p = e + 1; p < end; ++p) out[n++] = *p;
    return n;
  }
  if (exp < 0) {
    out[n++] = '.';
    for (int i = -1; i > exp; --i) out[n++] = '0';
    for (int i = 0; i < count; ++i) out[n++] = digits[i];
    return n;
  }
  for (int i = 0; i <= exp; ++i) out[n++] = i < count ? digits[i] : '0';
  if (count > exp + 1) {
    out[n++] = '.';
    for (int i = exp + 1; i < count; ++i) out[n++] = digits[i];
  }
  return n;
}

std::string Num_Text(double value) {
  char buf[40];
  return std::string(buf, size_t(Num_Chars(value, buf)));
}

double Round_Half_Even(double value, int places) {
  const double scale = std::pow(10.0, places);
  const double scaled = value * scale;
  if (!std::isfinite(scaled)) return value;
  // nearbyint rounds halves to the even neighbour in the default rounding mode.
  return std::nearbyint(scaled) / scale;
}

std::string Rounded_Text(double value, int places) {
  return Num_Text(Round_Half_Even(value, places));
}

}  // namespace NumText
