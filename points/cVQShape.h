#pragma once
// The pure operations on a point list that change its shape or sum it up: simplification and
// the numbers of a track. No display, no files.
#include <vector>

class cVQPoints;

// The rows a simplification keeps (0-based, increasing, the first and the last always among
// them) and the largest distance in metres of a dropped point from the line of kept points.
struct cSimplified {
  std::vector<int> Kept;
  double Max_Dev_m = 0;
};

// Keeps the points of a polyline that bound its shape. tolerance_m >= 0: no dropped point
// lies farther than that from the segment between its kept neighbours; max_points >= 2: at
// most that many points; with both, the count caps the result of the tolerance; neither
// (tolerance_m < 0, max_points 0): every point. A list already within the limit is unchanged.
cSimplified Simplify(const cVQPoints& points, double tolerance_m, int max_points);

// The numbers of a track, as the status bar and vqtool stats show them.
struct cTrackStats {
  int Points = 0;
  double Distance_km = 0;  // the sum of the legs, as the list's total
  bool Has_Time = false;   // at least one point has a time
  double Duration_s = 0;   // earliest to latest time, real elapsed seconds
  bool Has_Alt = false;    // at least one point has an altitude
  double Climb_m = 0, Descent_m = 0;
  double Min_Alt_m = 0, Max_Alt_m = 0;
  double Climb_Threshold_m = 0;  // the change in altitude below which a step counts as noise
};

cTrackStats Track_Stats(const cVQPoints& points);
