// The numbers of a track: distance, duration, climb and descent, lowest and highest altitude.
#include <cmath>
#include <limits>

#include "points/cVQPoints.h"
#include "points/cVQShape.h"

namespace {
// A receiver's altitude wanders by a few metres between fixes (the barometric ones by one or
// two, GPS altitude by more): a change counts once the altitude has moved this far from the
// last counted one. Every metre of a steady climb still counts: the steps add up to the
// threshold and then count whole, and what is left at the end of the list counts too.
constexpr double kClimb_Threshold_m = 5;
}  // namespace

cTrackStats Track_Stats(const cVQPoints& points) {
  cTrackStats s;
  s.Points = points.Count();
  s.Climb_Threshold_m = kClimb_Threshold_m;
  const cVQPoint* prev = nullptr;
  qint64 first_ms = std::numeric_limits<qint64>::max(),
         last_ms = std::numeric_limits<qint64>::min();
  double ref = 0, last_alt = 0;
  for (const cVQPoint& p : points) {
    // The legs are summed as the list sums them for its total, in the same order.
    if (prev) s.Distance_km += prev->GetDistance(p.lat, p.lon);
    prev = &p;
    if (p.Time.isValid()) {
      // Milliseconds since the epoch are real time, whatever the zone and its clock changes.
      const qint64 ms = p.Time.toMSecsSinceEpoch();
      first_ms = std::min(first_ms, ms), last_ms = std::max(last_ms, ms);
      s.Has_Time = true;
    }
    if (!p.Has_Alt()) continue;
    if (!s.Has_Alt) {
      s.Has_Alt = true;
      s.Min_Alt_m = s.Max_Alt_m = ref = p.alt;
    }
    s.Min_Alt_m = std::min(s.Min_Alt_m, p.alt), s.Max_Alt_m = std::max(s.Max_Alt_m, p.alt);
    if (p.alt - ref >= kClimb_Threshold_m)
      s.Climb_m += p.alt - ref, ref = p.alt;
    else if (ref - p.alt >= kClimb_Threshold_m)
      s.Descent_m += ref - p.alt, ref = p.alt;
    last_alt = p.alt;
  }
  if (last_alt > ref) s.Climb_m += last_alt - ref;
  if (last_alt < ref) s.Descent_m += ref - last_alt;
  if (s.Has_Time) s.Duration_s = double(last_ms - first_ms) / 1000;
  return s;
}
