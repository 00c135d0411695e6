#pragma once
// What a receiver said about itself: its product data, the protocols and data types it announced
// (or the maker's table gives for it) and the packet ids they select. One value per session: the
// driver starts from these defaults whenever the port opens or closes, so nothing a receiver said
// outlives the transfer it said it in.
#include <QString>

#include "garmin/Protocol_Tables.h"
#include "garmin/Records.h"

struct cReceiver {
  cProduct_Data Product;
  bool Product_Known = false;
  // A capability array has come: the product table no longer applies.
  bool Array_Seen = false;
  // The L002 ids came from the product table; an array that says otherwise undoes them.
  bool L002_From_Table = false;
  cIdTable Ids = Ids_L001;
  QString Link_Protocol = QStringLiteral("L001");
  QString WayPoint_Transfer_Protocol = QStringLiteral("A100");
  QString Waypoint_Data_Format = QStringLiteral("D100");
  QString Route_Transfer_Protocol = QStringLiteral("A200");
  QString Route_Data_Format = QStringLiteral("D200");
  QString Route_Wpt_Data_Format = QStringLiteral("D100");
  QString Track_Transfer_Protocol = QStringLiteral("A300");
  QString Track_Data_Format = QStringLiteral("D300");
  // After A301/A302 the header type (D310..D312) and the point type (D300..D304); after A300
  // no header ("") and the point type.
  QString Track_Header_Format;
  QString Track_Point_Format = QStringLiteral("D300");
  QString Prox_Wpt_Transfer_Protocol = QStringLiteral("A400");
  QString Prox_Wpt_Data_Format = QStringLiteral("D400");

  // The type route waypoints go in: the route protocol's own, else the plain waypoint type.
  QString Route_Waypoint_Format() const {
    return Route_Wpt_Data_Format.isEmpty() ? Waypoint_Data_Format : Route_Wpt_Data_Format;
  }
  QString Track_Point_Type() const {
    return Track_Point_Format.isEmpty() ? Track_Data_Format : Track_Point_Format;
  }
};

// How a received data frame came: whether it repeats the frame acknowledged just before it, and
// how long after that ACK it came (a receiver sends a frame again only after its own time-out).
struct cArrival {
  bool Repeat = false;
  qint64 After_Ack_us = 0;
};
