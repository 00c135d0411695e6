#pragma once
#include <QDateTime>
#include <QString>
#include <cmath>
#include <limits>

// One cache point: a name, a position in decimal degrees (north and east positive), an
// altitude in metres, a comment and, for a track point, the time it was recorded.
class cVQPoint {
 public:
  QString Label;
  double lat = 0;
  double lon = 0;
  double alt = 0;  // NaN when the altitude is unknown (Has_Alt)
  QString Comment;
  QDateTime Time;  // UTC; invalid for a point without a time
  // A track point that begins a new segment of its track (the receiver's "new track" mark).
  bool New_Segment = false;

  static constexpr double kNo_Alt = std::numeric_limits<double>::quiet_NaN();
  bool Has_Alt() const { return std::isfinite(alt); }

  // Great-circle distance in km from this point to (dLat, dLon), on a sphere of 6366.707 km.
  double GetDistance(double dLat, double dLon) const;

 private:
  static double ArcCos(double x);
};
