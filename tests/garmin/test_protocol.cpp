// Product data, capability arrays, the product table and the L002 ids.
#include <gtest/gtest.h>

#include "Helpers.h"
#include "tests/sim/cSimReceiver.h"

namespace {
const QString kNone = QString(QChar(0)) + QStringLiteral("0");

void Feed_Array(cLinkRig& rig, const QStringList& names) {
  rig.Comm.Feed(Wire_Of(253, cSimReceiver::Array_Of(names)));
}
void Feed_Product(cLinkRig& rig, qint16 id, qint16 version, const QByteArray& text) {
  rig.Comm.Feed(Wire_Of(255, Le16(id) + Le16(version) + text));
}
}  // namespace

TEST(Protocol, CapabilityArrays) {
  const QStringList l001 = {"P000", "L001", "A010", "A100", "D108", "A201", "D202", "D108",
                            "D210", "A301", "D310", "D301", "A400", "D400", "A500", "D500",
                            "A600", "D600", "A700", "D700", "A800", "D800"};
  cLinkRig rig;
  Feed_Array(rig, l001);
  cGarmin& g = rig.Garmin;
  // The point type after A301 would land in A400's entry; it is kept apart.
  EXPECT_EQ(QStringList(
                {g.Link_Protocol(), g.WayPoint_Transfer_Protocol(), g.Waypoint_Data_Format(),
                 g.Route_Transfer_Protocol(), g.Route_Data_Format(), g.Route_Wpt_Data_Format(),
                 g.Track_Transfer_Protocol(), g.Track_Data_Format(), g.Track_Header_Format(),
                 g.Track_Point_Format(), g.Prox_Wpt_Transfer_Protocol(), g.Prox_Wpt_Data_Format()})
                .join(' '),
            "L001 A100 D108 A201 D202 D108 A301 D310 D310 D301 A400 D400");
  EXPECT_EQ(g.PID_Wpt_Data(), 35);
  EXPECT_EQ(g.CMND_Transfer_Wpt(), 7);
  EXPECT_EQ(rig.Comm.Written.value(0), Wire_Of(6, Bytes({253, 0})));

  // A second array without A3xx: the track names lose their value.
  Feed_Array(rig, {"P000", "L001", "A100", "D110", "A200", "D200", "D110", "X123", "A999"});
  EXPECT_EQ(g.Waypoint_Data_Format(), QStringLiteral("D110"));
  EXPECT_EQ(g.Track_Transfer_Protocol(), kNone);
  EXPECT_EQ(g.Track_Data_Format(), kNone);
  EXPECT_EQ(g.Track_Header_Format(), QString());

  // Fitness units: A302 D311 D304, and plain A300 D300.
  Feed_Array(rig, {"L001", "A302", "D311", "D304"});
  EXPECT_EQ(g.Track_Header_Format(), QStringLiteral("D311"));
  EXPECT_EQ(g.Track_Point_Format(), QStringLiteral("D304"));
  Feed_Array(rig, {"L001", "A300", "D300"});
  EXPECT_EQ(g.Track_Header_Format(), QString());
  EXPECT_EQ(g.Track_Point_Format(), QStringLiteral("D300"));
}

TEST(Protocol, L002SwitchesEveryPacketSent) {
  cLinkRig rig;
  Feed_Array(rig, {"P000", "L002", "A011", "A100", "D150", "A200", "D201", "D150", "A400", "D450"});
  cGarmin& g = rig.Garmin;
  EXPECT_EQ(g.Link_Protocol(), QStringLiteral("L002"));
  EXPECT_EQ(QList<int>({g.PID_Wpt_Data(), g.CMND_Transfer_Wpt(), g.PID_Rte_Wpt_Data(),
                        g.PID_Prx_Wpt_Data(), g.CMND_Transfer_Prx(), g.PID_Records()}),
            QList<int>({43, 21, 39, 27, 17, 35}));
  // Requests carry the L002 ids and codes.
  rig.Comm.Written.clear();
  g.Request_Waypoints();
  g.Start_of_Records(2);
  g.Power_Off();
  g.Reset();
  ASSERT_EQ(rig.Comm.Written.size(), 4);
  EXPECT_EQ(rig.Comm.Written[0], Wire_Of(11, Bytes({21, 0})));
  EXPECT_EQ(rig.Comm.Written[1], Wire_Of(35, Bytes({2, 0})));
  EXPECT_EQ(rig.Comm.Written[2], Wire_Of(11, Bytes({26, 0})));
  EXPECT_FALSE(rig.Timer.isActive());  // power-off is silent under L002 too
  EXPECT_EQ(rig.Comm.Written[3], Wire_Of(11, Bytes({0, 0})));
  // An L002 Records packet is recognised by its own id.
  rig.Comm.Feed(Wire_Of(35, Bytes({5, 0})));
  EXPECT_EQ(g.Incoming_Records_Count(), 5);
  // A later L001 array does not switch back.
  Feed_Array(rig, {"L001", "A100", "D100"});
  EXPECT_EQ(g.PID_Wpt_Data(), 43);
}

TEST(Protocol, ProductData) {
  cLinkRig rig;
  Feed_Product(rig, 130, 270, QByteArray("eTrex Sim", 9) + QByteArray(1, '\0') + "Second");
  EXPECT_EQ(rig.Garmin.Product_Data.Product_ID, 130);
  EXPECT_EQ(rig.Garmin.Product_Data.Software_Version, 270);
  EXPECT_EQ(rig.Garmin.Product_Data.Product_Description_1, QStringLiteral("eTrex Sim"));
  EXPECT_EQ(rig.Garmin.Product_Data.Product_Description_2, QStringLiteral("Second"));
  Feed_Product(rig, 130, 270, QByteArray("One only") + QByteArray(1, '\0'));
  EXPECT_EQ(rig.Garmin.Product_Data.Product_Description_1, QStringLiteral("One only"));
  EXPECT_TRUE(rig.Garmin.Product_Data.Product_Description_2.isEmpty());
  // 130 is in no row of the product table: the defaults stay.
  EXPECT_EQ(rig.Garmin.Waypoint_Data_Format(), QStringLiteral("D100"));
}

TEST(Protocol, ProductTableForReceiversWithoutArray) {
  struct {
    qint16 id, version;
    const char *link, *wpt, *rte_hdr, *rte_wpt, *prox;
    bool track;
  } rows[] = {
      {7, 100, "L001", "D100", "D200", "D100", "", false},  // GPS 50: no track, no proximity
      {29, 399, "L001", "D101", "D201", "D101", "D101", true},
      {29, 400, "L001", "D102", "D201", "D102", "D102", true},
      {77, 360, "L001", "D103", "D201", "D103", "", true},
      {77, 361, "L001", "D103", "D201", "D103", "D403", true},
      {112, 250, "L001", "D152", "D201", "D152", "", true},
      {20, 100, "L002", "D150", "D201", "D150", "D450", false},  // GPS 150
  };
  for (const auto& r : rows) {
    cLinkRig rig;
    Feed_Product(rig, r.id, r.version, QByteArray("X") + QByteArray(1, '\0'));
    const cGarmin& g = rig.Garmin;
    EXPECT_EQ(g.Link_Protocol(), QString::fromLatin1(r.link)) << r.id;
    EXPECT_EQ(g.Waypoint_Data_Format(), QString::fromLatin1(r.wpt)) << r.id;
    EXPECT_EQ(g.Route_Transfer_Protocol(), QStringLiteral("A200")) << r.id;
    EXPECT_EQ(g.Route_Data_Format(), QString::fromLatin1(r.rte_hdr)) << r.id;
    EXPECT_EQ(g.Route_Wpt_Data_Format(), QString::fromLatin1(r.rte_wpt)) << r.id;
    EXPECT_EQ(g.Prox_Wpt_Data_Format(), *r.prox ? QString::fromLatin1(r.prox) : kNone) << r.id;
    EXPECT_EQ(g.Track_Data_Format(), r.track ? QStringLiteral("D300") : kNone) << r.id;
    EXPECT_EQ(g.PID_Wpt_Data(), QLatin1String(r.link) == QLatin1String("L002") ? 43 : 35) << r.id;
  }
  // A capability array always wins, also over an L002 row, and product data after it keeps it.
  cLinkRig rig;
  Feed_Product(rig, 20, 100, QByteArray(1, '\0'));
  Feed_Array(rig, {"L001", "A100", "D109"});
  EXPECT_EQ(rig.Garmin.PID_Wpt_Data(), 35);
  EXPECT_EQ(rig.Garmin.Waypoint_Data_Format(), QStringLiteral("D109"));
  Feed_Product(rig, 20, 100, QByteArray(1, '\0'));
  EXPECT_EQ(rig.Garmin.Waypoint_Data_Format(), QStringLiteral("D109"));
}

TEST(Protocol, DispatchDecodesDateTimeAndRecords) {
  cLinkRig rig;
  rig.Comm.Feed(Wire_Of(14, Bytes({12, 7, 0xEA, 0x07, 13, 0, 45, 30})));
  const cDate_Time& t = rig.Garmin.Date_Time;
  EXPECT_EQ(QList<int>({t.month, t.day, t.year, t.hour, t.minute, t.second}),
            QList<int>({12, 7, 2026, 13, 45, 30}));
  // Records count, then an unknown id: acknowledged, reported, nothing changed.
  rig.Comm.Feed(Wire_Of(27, Bytes({0x2C, 0x01})));
  EXPECT_EQ(rig.Garmin.Incoming_Records_Count(), 300);
  rig.Comm.Feed(Wire_Of(200, Bytes({1})));
  EXPECT_EQ(rig.Comm.Written.last(), Wire_Of(6, Bytes({200, 0})));
  EXPECT_EQ(rig.Ev.Receive.size(), 3);
  // Requests clear their record before sending.
  rig.Garmin.Route.Ident = QStringLiteral("OLD");
  rig.Garmin.Request_Routes();
  EXPECT_TRUE(rig.Garmin.Route.Ident.isEmpty());
  EXPECT_EQ(rig.Comm.Written.last(), Wire_Of(10, Bytes({4, 0})));
}
