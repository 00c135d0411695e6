#include "geo/NumText.h"

#include <charconv>
#include <cmath>

namespace NumText {

std::string Num_Text(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Inf" : "-Inf";
  if (value == 0) return "0";  // also -0
  char buf[40];
  // The general form with 15 digits gives the shortest text of at most 15 significant digits
  // without trailing zeros; to_chars writes "." whatever the process locale says (the window's
  // and vqtool's locale follow the user's, where a comma may be the separator).
  const auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15).ptr;
  std::string text(buf, end);
  const auto e = text.find('e');
  if (e != std::string::npos) {
    // Very large or small values keep their exponent, written as "1E-05".
    text[e] = 'E';
    return text;
  }
  if (text.compare(0, 2, "0.") == 0) return text.substr(1);
  if (text.compare(0, 3, "-0.") == 0) return "-" + text.substr(2);
  return text;
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
