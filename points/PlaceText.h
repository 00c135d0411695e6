#pragma once
// Places as people type them: a latitude or longitude in the list's form ("N31 46' 36.13"), in
// degrees, minutes and seconds with or without marks ("N31 46' 36.1\"", "31°46'36.1\"N"), in
// decimal degrees ("31.7767", "-35.2345"), or a pair of them ("31.7767 35.2345",
// "N31 46' 36.1\" E35 14' 4.2\""); and grid values, one number or two (easting first).
#include <QString>
#include <vector>

namespace PlaceText {
// One latitude (axis 0) or longitude (axis 1) in decimal degrees, north and east positive.
// False for text that is not one, a letter of the other axis, or a value out of range.
bool Parse_Angle(const QString& text, int axis, double& deg);
// A latitude and a longitude together: without hemisphere letters the latitude comes first;
// with them (before or after every value) either order.
bool Parse_LatLon(const QString& text, double& lat_deg, double& lon_deg);
// Up to `most` plain numbers separated by spaces, commas, semicolons or a slash; false when
// there are none, too many, or one is not a finite number.
bool Parse_Numbers(const QString& text, int most, std::vector<double>& values);
}  // namespace PlaceText
