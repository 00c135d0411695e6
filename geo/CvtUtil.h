#pragma once
// The two outside forms of a latitude or longitude in decimal degrees.
#include <string>

namespace CvtUtil {
// "N31 46' 5.88": hemisphere letter (axis 0 latitude, 1 longitude), whole degrees, a space,
// whole minutes, an apostrophe and a space, seconds rounded to two places.
std::string LatLon_Text(double value_deg, int axis);
// The packed number DDMMSS.ss of the Turbo CD text export (31.5 -> 313000).
double DDMMSS(double value_deg);
}  // namespace CvtUtil
