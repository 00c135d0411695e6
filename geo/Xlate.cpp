#include "geo/Xlate.h"

#include <cmath>

namespace Xlate {
namespace {
// The grid's fixed parameters. The degrees-to-radians factor is this literal, not pi/180.
constexpr double kDegToRad = 0.0174532925199433;
constexpr double kAxis = 6378300.789;       // Clarke 1880 (Benoit) semi-major axis, metres
constexpr double kInvFlattening = 293.466;  // its inverse flattening
constexpr double kOriginLat = 31.73409;
constexpr double kCentralLon = 35.21206;
constexpr double kScale = 1.0;
constexpr double kFalseEasting = 170251;
constexpr double kFalseNorthing = 1126868;
constexpr double kRoundOffset = 0.5;
const char* const kEllipsoid = "102";
}  // namespace

void Ellipsoid_Params(const std::string& /*code*/, double& a_m, double& e2) {
  const double f = 1 / kInvFlattening;
  a_m = kAxis;
  e2 = (f + f) - f * f;
}

double Meridian_Arc(double phi_rad, double a_m, double e2) {
  if (phi_rad == 0) return 0;
  const double e4 = e2 * e2, e6 = e4 * e2;
  return a_m * ((1 - e2 / 4 - 3 * e4 / 64 - 5 * e6 / 256) * phi_rad -
                (3 * e2 / 8 + 3 * e4 / 32 + 45 * e6 / 1024) * std::sin(2 * phi_rad) +
                (15 * e4 / 256 + 45 * e6 / 1024) * std::sin(4 * phi_rad) -
                (35 * e6 / 3072) * std::sin(6 * phi_rad));
}

namespace {
// What the ellipsoid and a projection's origin latitude fix: computed once for the grid's
// origin (and again only for another origin), not for every point.
struct cTM_Constants {
  double phi0 = 0, k0 = 0, a = 0, e2 = 0, ep2 = 0, M0 = 0;
  double m0 = 0, m2 = 0, m4 = 0, m6 = 0;          // the meridian arc's series coefficients
  double e1 = 0, f2 = 0, f4 = 0, f6 = 0, f8 = 0;  // the footpoint latitude's series
  // Reciprocals, so that a point needs no division by them.
  double inv_a_m0 = 0, inv_1_e2 = 0, inv_k0 = 0, inv_a_k0 = 0;
};

// The series' fixed divisors as factors: a multiplication costs a fraction of a division.
constexpr double k1_6 = 1.0 / 6, k1_24 = 1.0 / 24, k1_120 = 1.0 / 120, k1_720 = 1.0 / 720;
const double kRadToDeg = 1 / kDegToRad;

cTM_Constants Make_Constants(double origin_lat_deg, double k0) {
  cTM_Constants k;
  k.phi0 = origin_lat_deg * kDegToRad;
  k.k0 = k0;
  Ellipsoid_Params(kEllipsoid, k.a, k.e2);
  const double e2 = k.e2, e4 = e2 * e2, e6 = e4 * e2;
  k.ep2 = e2 / (1 - e2);
  k.M0 = Meridian_Arc(k.phi0, k.a, e2);
  k.m0 = 1 - e2 / 4 - 3 * e4 / 64 - 5 * e6 / 256;
  k.m2 = 3 * e2 / 8 + 3 * e4 / 32 + 45 * e6 / 1024;
  k.m4 = 15 * e4 / 256 + 45 * e6 / 1024;
  k.m6 = 35 * e6 / 3072;
  const double r = std::sqrt(1 - e2);
  k.e1 = (1 - r) / (1 + r);
  const double e1 = k.e1, e1_2 = e1 * e1, e1_3 = e1_2 * e1, e1_4 = e1_3 * e1;
  k.f2 = 3 * e1 / 2 - 27 * e1_3 / 32;
  k.f4 = 21 * e1_2 / 16 - 55 * e1_4 / 32;
  k.f6 = 151 * e1_3 / 96;
  k.f8 = 1097 * e1_4 / 512;
  k.inv_a_m0 = 1 / (k.a * k.m0);
  k.inv_1_e2 = 1 / (1 - e2);
  k.inv_k0 = 1 / k0;
  k.inv_a_k0 = 1 / (k.a * k0);
  return k;
}

const cTM_Constants& Constants_For(double origin_lat_deg, double k0) {
  static const cTM_Constants grid = Make_Constants(kOriginLat, kScale);
  if (origin_lat_deg == kOriginLat && k0 == kScale) return grid;
  thread_local cTM_Constants other;
  if (other.a == 0 || other.phi0 != origin_lat_deg * kDegToRad || other.k0 != k0)
    other = Make_Constants(origin_lat_deg, k0);
  return other;
}

// The sines of 2x, 4x, 6x and 8x from those of x, by the double- and sum-angle identities:
// one sine and one cosine instead of four sines.
struct cMultiples {
  double s2, s4, s6, s8;
};
cMultiples Multiples(double s, double c) {
  const double s2 = 2 * s * c, c2 = (c - s) * (c + s);
  const double s4 = 2 * s2 * c2, c4 = (c2 - s2) * (c2 + s2);
  return {s2, s4, s4 * c2 + c4 * s2, 2 * s4 * c4};
}
}  // namespace

void TM_Forward(double lat_deg, double lon_deg, double origin_lat_deg, double central_lon_deg,
                double k0, double& x_m, double& y_m) {
  const cTM_Constants& k = Constants_For(origin_lat_deg, k0);
  const double phi = lat_deg * kDegToRad, lam = lon_deg * kDegToRad;
  const double lam0 = central_lon_deg * kDegToRad;
  const double s = std::sin(phi), c = std::cos(phi), t = s / c;
  const cMultiples m = Multiples(s, c);
  // Meridian_Arc(phi), with the sines of the multiples from s and c.
  const double M = phi == 0 ? 0 : k.a * (k.m0 * phi - k.m2 * m.s2 + k.m4 * m.s4 - k.m6 * m.s6);
  const double N = k.a / std::sqrt(1 - k.e2 * s * s);
  const double T = t * t;
  const double C = k.ep2 * c * c;
  const double A = (lam - lam0) * c;
  const double A2 = A * A, A3 = A2 * A, A4 = A3 * A, A5 = A4 * A, A6 = A5 * A;
  const double ep2 = k.ep2;
  x_m = k0 * N *
        (A + (1 - T + C) * A3 * k1_6 + (5 - 18 * T + T * T + 72 * C - 58 * ep2) * A5 * k1_120);
  y_m = k0 * (M - k.M0 +
              N * t *
                  (A2 / 2 + (5 - T + 9 * C + 4 * C * C) * A4 * k1_24 +
                   (61 - 58 * T + T * T + 600 * C - 330 * ep2) * A6 * k1_720));
}

void TM_Inverse(double x_m, double y_m, double origin_lat_deg, double central_lon_deg, double k0,
                double& lat_deg, double& lon_deg) {
  const cTM_Constants& k = Constants_For(origin_lat_deg, k0);
  const double lam0 = central_lon_deg * kDegToRad;
  const double e2 = k.e2, ep2 = k.ep2;
  const double M = y_m * k.inv_k0 + k.M0;
  const double mu = M * k.inv_a_m0;
  const double s_mu = std::sin(mu), c_mu = std::cos(mu);
  const cMultiples m = Multiples(s_mu, c_mu);
  // The footpoint latitude differs from mu by under 0.003 radians: its sine and cosine come
  // from mu's by the sum-angle identities, with the small angle's own sine and cosine from
  // their series (the terms left out are below 1e-20).
  const double delta = k.f2 * m.s2 + k.f4 * m.s4 + k.f6 * m.s6 + k.f8 * m.s8;
  const double phi1 = mu + delta;
  const double d2 = delta * delta;
  const double sin_d = delta * (1 - d2 * k1_6 * (1 - d2 * 0.05 * (1 - d2 / 42)));
  const double cos_d = 1 - d2 / 2 * (1 - d2 * (1.0 / 12) * (1 - d2 / 30));
  const double s1 = s_mu * cos_d + c_mu * sin_d, c1 = c_mu * cos_d - s_mu * sin_d;
  const double inv_c1 = 1 / c1, t1 = s1 * inv_c1;
  const double C1 = ep2 * c1 * c1;
  const double T1 = t1 * t1;
  const double w = 1 - e2 * s1 * s1;
  // N1 = a / sqrt(w) and R1 = a (1 - e2) / w^1.5, so N1 / R1 = w / (1 - e2).
  const double D = x_m * std::sqrt(w) * k.inv_a_k0;
  const double D2 = D * D, D3 = D2 * D, D4 = D3 * D, D5 = D4 * D, D6 = D5 * D;
  const double phi =
      phi1 - (t1 * w * k.inv_1_e2) *
                 (D2 / 2 - (5 + 3 * T1 + 10 * C1 - 4 * C1 * C1 - 9 * ep2) * D4 * k1_24 +
                  (61 + 90 * T1 + 298 * C1 + 45 * T1 * T1 - 252 * ep2 - 3 * C1 * C1) * D6 * k1_720);
  const double lam =
      lam0 + (D - (1 + 2 * T1 + C1) * D3 * k1_6 +
              (5 - 2 * C1 + 28 * T1 - 3 * C1 * C1 + 8 * ep2 + 24 * T1 * T1) * D5 * k1_120) *
                 inv_c1;
  lat_deg = phi * kRadToDeg;
  lon_deg = lam * kRadToDeg;
}

double Trunc_Value(double v) { return v == 0 ? 0 : std::floor(v); }

void ITM_To_LatLon(double E, double N, double& lat_deg, double& lon_deg) {
  TM_Inverse(E - kFalseEasting, N - kFalseNorthing, kOriginLat, kCentralLon, kScale, lat_deg,
             lon_deg);
}

void LatLon_To_ITM(double lat_deg, double lon_deg, double& E, double& N) {
  double x = 0, y = 0;
  TM_Forward(lat_deg, lon_deg, kOriginLat, kCentralLon, kScale, x, y);
  E = Trunc_Value((x + kFalseEasting) + kRoundOffset);
  N = Trunc_Value((y + kFalseNorthing) + kRoundOffset);
}

}  // namespace Xlate
