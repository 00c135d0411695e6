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

void TM_Forward(double lat_deg, double lon_deg, double origin_lat_deg, double central_lon_deg,
                double k0, double& x_m, double& y_m) {
  const double phi = lat_deg * kDegToRad, lam = lon_deg * kDegToRad;
  const double phi0 = origin_lat_deg * kDegToRad, lam0 = central_lon_deg * kDegToRad;
  double a = 0, e2 = 0;
  Ellipsoid_Params(kEllipsoid, a, e2);
  const double M0 = Meridian_Arc(phi0, a, e2);
  const double M = Meridian_Arc(phi, a, e2);
  const double ep2 = e2 / (1 - e2);
  const double s = std::sin(phi), c = std::cos(phi), t = std::tan(phi);
  const double N = a / std::sqrt(1 - e2 * s * s);
  const double T = t * t;
  const double C = ep2 * c * c;
  const double A = (lam - lam0) * c;
  const double A2 = A * A, A3 = A2 * A, A4 = A3 * A, A5 = A4 * A, A6 = A5 * A;
  x_m = k0 * N * (A + (1 - T + C) * A3 / 6 + (5 - 18 * T + T * T + 72 * C - 58 * ep2) * A5 / 120);
  y_m = k0 * (M - M0 +
              N * t *
                  (A2 / 2 + (5 - T + 9 * C + 4 * C * C) * A4 / 24 +
                   (61 - 58 * T + T * T + 600 * C - 330 * ep2) * A6 / 720));
}

void TM_Inverse(double x_m, double y_m, double origin_lat_deg, double central_lon_deg, double k0,
                double& lat_deg, double& lon_deg) {
  const double phi0 = origin_lat_deg * kDegToRad, lam0 = central_lon_deg * kDegToRad;
  double a = 0, e2 = 0;
  Ellipsoid_Params(kEllipsoid, a, e2);
  const double M0 = Meridian_Arc(phi0, a, e2);
  const double ep2 = e2 / (1 - e2);
  const double M = y_m / k0 + M0;
  const double r = std::sqrt(1 - e2);
  const double e1 = (1 - r) / (1 + r);
  const double e4 = e2 * e2, e6 = e4 * e2;
  const double mu = M / (a * (1 - e2 / 4 - 3 * e4 / 64 - 5 * e6 / 256));
  const double e1_2 = e1 * e1, e1_3 = e1_2 * e1, e1_4 = e1_3 * e1;
  const double phi1 = mu + (3 * e1 / 2 - 27 * e1_3 / 32) * std::sin(2 * mu) +
                      (21 * e1_2 / 16 - 55 * e1_4 / 32) * std::sin(4 * mu) +
                      (151 * e1_3 / 96) * std::sin(6 * mu) + (1097 * e1_4 / 512) * std::sin(8 * mu);
  const double s1 = std::sin(phi1), c1 = std::cos(phi1), t1 = std::tan(phi1);
  const double C1 = ep2 * c1 * c1;
  const double T1 = t1 * t1;
  const double w = 1 - e2 * s1 * s1;
  const double N1 = a / std::sqrt(w);
  const double R1 = a * (1 - e2) / std::pow(w, 1.5);
  const double D = x_m / (N1 * k0);
  const double D2 = D * D, D3 = D2 * D, D4 = D3 * D, D5 = D4 * D, D6 = D5 * D;
  const double phi =
      phi1 - (N1 * t1 / R1) *
                 (D2 / 2 - (5 + 3 * T1 + 10 * C1 - 4 * C1 * C1 - 9 * ep2) * D4 / 24 +
                  (61 + 90 * T1 + 298 * C1 + 45 * T1 * T1 - 252 * ep2 - 3 * C1 * C1) * D6 / 720);
  const double lam =
      lam0 + (D - (1 + 2 * T1 + C1) * D3 / 6 +
              (5 - 2 * C1 + 28 * T1 - 3 * C1 * C1 + 8 * ep2 + 24 * T1 * T1) * D5 / 120) /
                 c1;
  lat_deg = phi / kDegToRad;
  lon_deg = lam / kDegToRad;
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
