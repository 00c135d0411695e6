#pragma once
#include <QString>

// One cache point: a name, a position in decimal degrees (north and east positive), an
// altitude in metres and a comment.
class cVQPoint {
 public:
  QString Label;
  double lat = 0;
  double lon = 0;
  double alt = 0;
  QString Comment;

  // Great-circle distance in km from this point to (dLat, dLon), on a sphere of 6366.707 km.
  double GetDistance(double dLat, double dLon) const;

 private:
  static double ArcCos(double x);
};
