// The driver's record entry points: which announced format each sender and receiver uses.
#include <gtest/gtest.h>

#include "Helpers.h"
#include "garmin/Codecs.h"
#include "tests/sim/cSimReceiver.h"

namespace {

// A receiver whose plain and route waypoint types differ, with D312 headers and D302 points.
void Announce(cLinkRig& rig, const QStringList& names) {
  rig.Comm.Feed(Wire_Of(253, cSimReceiver::Array_Of(names)));
  rig.Pump();
  rig.Comm.Written.clear();
}

const QStringList kMixed = {"P000", "L001", "A010", "A100", "D108", "A201",
                            "D202", "D110", "D210", "A301", "D312", "D302"};

TEST(Records, RouteWaypointsGoInTheRouteWaypointType) {
  cLinkRig rig;
  Announce(rig, kMixed);
  cGarmin& g = rig.Garmin;
  g.Waypoint.Ident = QStringLiteral("Jrslm");
  g.Waypoint.lat = 31.7683;
  g.Waypoint.lon = 35.2137;
  g.Waypoint.alt = 754;
  cWaypoint copy = g.Waypoint;
  g.Send_Route_Waypoint();
  ASSERT_EQ(rig.Comm.Written.size(), 1);
  EXPECT_EQ(rig.Comm.Written[0], Wire_Of(30, Data(Codec::Encode_Waypoint(copy, "D110", 30))));
  copy = g.Waypoint;
  g.Send_Waypoint();
  ASSERT_EQ(rig.Comm.Written.size(), 2);
  EXPECT_EQ(rig.Comm.Written[1], Wire_Of(35, Data(Codec::Encode_Waypoint(copy, "D108", 35))));

  // Received, a route waypoint is read as D110 and a plain one as D108.
  cWaypoint eilat;
  eilat.Ident = QStringLiteral("EILAT");
  eilat.lat = 29.5577;
  rig.Comm.Feed(Wire_Of(30, Data(Codec::Encode_Waypoint(eilat, "D110", 30))));
  rig.Pump();
  EXPECT_EQ(g.Waypoint.Ident, QStringLiteral("EILAT"));
  EXPECT_EQ(g.Waypoint.Attrib, 0x80);
  eilat.Ident = QStringLiteral("ARAD");
  rig.Comm.Feed(Wire_Of(35, Data(Codec::Encode_Waypoint(eilat, "D108", 35))));
  rig.Pump();
  EXPECT_EQ(g.Waypoint.Ident, QStringLiteral("ARAD"));
  EXPECT_EQ(g.Waypoint.Attrib, 0x60);
}

TEST(Records, TracksUseTheAnnouncedHeaderAndPointTypes) {
  cLinkRig rig;
  Announce(rig, kMixed);
  cGarmin& g = rig.Garmin;
  rig.Comm.Feed(Wire_Of(99, Bytes({0xFF, 16, 'H', 'I', 'K', 'E', 0})));
  rig.Pump();
  EXPECT_EQ(g.Track.Ident, QStringLiteral("HIKE"));
  EXPECT_EQ(g.Track.Color, 16);
  cTrack point;
  point.lat = 29.5577;
  point.Time = QStringLiteral("2005/03/14-08:05:09");
  point.alt = 754.5f;
  point.New_Segment = true;
  QByteArray data = Data(Codec::Encode_Track(point, "D302", 34));
  data[20] = 0x41;  // a temperature in front of the flag
  rig.Comm.Feed(Wire_Of(34, data));
  rig.Pump();
  EXPECT_EQ(g.Track.alt, 754.5f);
  EXPECT_TRUE(g.Track.New_Segment);
  EXPECT_EQ(g.Track.Time, point.Time);
}

TEST(Records, SendersWithAnUnknownFormatSendNothing) {
  cLinkRig rig;
  Announce(rig, {"P000", "L001", "A010", "A100", "D108", "A200", "D299", "D108", "A300", "D399"});
  rig.Garmin.Route.Number = 1;
  rig.Garmin.Send_Route_Header();
  rig.Garmin.Send_Track();
  rig.Garmin.Send_Track_Header();
  EXPECT_TRUE(rig.Comm.Written.isEmpty());
  rig.Garmin.Send_Route_Link();
  EXPECT_EQ(rig.Comm.Written.size(), 1);
}

}  // namespace
