#include "geo/CvtUtil.h"

#include <cmath>

#include "geo/NumText.h"

namespace CvtUtil {

std::string LatLon_Text(double value_deg, int axis) {
  std::string text;
  if (axis == 0) text = value_deg >= 0 ? "N" : "S";
  if (axis == 1) text = value_deg >= 0 ? "E" : "W";
  const double d = std::fabs(value_deg);
  const double deg = std::floor(d);
  text += NumText::Num_Text(deg) + " ";
  const double m = (d - deg) * 60;
  const double min = std::floor(m);
  text += NumText::Num_Text(min) + "' ";
  const double s = (m - min) * 60;
  // The test comes before the rounding, so 0.996 seconds shows as "01".
  if (s < 1) text += "0";
  text += NumText::Rounded_Text(s, 2);
  return text;
}

double DDMMSS(double value_deg) {
  const double deg = std::floor(value_deg);
  const double m = (value_deg - deg) * 60;
  const double min = std::floor(m);
  return deg * 10000 + min * 100 + (m - min) * 60;
}

}  // namespace CvtUtil
