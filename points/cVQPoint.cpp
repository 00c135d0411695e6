#include "points/cVQPoint.h"

#include <cmath>

namespace {
// The sphere and its constants, as literals.
constexpr double kPi = 3.14159265358979;
constexpr double kTwoPi = 6.28318530717958;
constexpr double kRadius_km = 6366.707;
constexpr double kTwoRSquared = 81069916.047698;

struct cXyz {
  double x, y, z;
};

// Position on the sphere, with the angle measured from the north pole.
cXyz To_Xyz(double lat_deg, double lon_deg) {
  double a = std::fabs(lat_deg) * kPi / 180;
  a = lat_deg >= 0 ? kPi / 2 - a : kPi / 2 + a;
  double b = std::fabs(lon_deg) * kPi / 180;
  if (lon_deg < 0) b = kTwoPi - b;
  return {std::cos(b) * kRadius_km * std::sin(a), std::sin(b) * kRadius_km * std::sin(a),
          std::cos(a) * kRadius_km};
}
}  // namespace

double cVQPoint::ArcCos(double x) {
  if (x < 0) return kPi - 2 * std::atan(std::sqrt((1 + x) / (1 - x)));
  return 2 * std::atan(std::sqrt((1 - x) / (1 + x)));
}

double cVQPoint::GetDistance(double dLat, double dLon) const {
  return Leg_Km(lat, lon, dLat, dLon);
}

double cVQPoint::Leg_Km(double lat1, double lon1, double lat2, double lon2) {
  const cXyz p1 = To_Xyz(lat1, lon1), p2 = To_Xyz(lat2, lon2);
  const double dx = p1.x - p2.x, dy = p1.y - p2.y, dz = p1.z - p2.z;
  const double c2 = dy * dy + dx * dx + dz * dz;
  double k = (kTwoRSquared - c2) / kTwoRSquared;
  // Rounding may push the cosine just past 1 for a point and itself.
  if (k > 1) k = 1;
  if (k < -1) k = -1;
  return ArcCos(k) * kRadius_km;
}
