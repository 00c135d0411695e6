// Who the receiver says it is: arbitrary product data and an arbitrary capability array, each
// framed with its right checksum and fed to the driver as the answer to a product request.
// Whatever formats and ids they leave in force, every request and record sender must then
// write well-formed frames, and records received in those formats must decode safely.
#include <QTimer>

#include "FuzzSupport.h"
#include "garmin/cGarmin.h"
#include "garmin/cMemComm.h"

namespace {
void Feed_Packet(cMemComm& comm, uint8_t id, const QByteArray& data) {
  comm.Feed(Framing::Stuff(Fuzz::Packet_Of(id, data)));
  for (int i = 0; i < 4; ++i) QCoreApplication::processEvents();
}

void Send_Everything(cGarmin& g) {
  g.Request_Product_Data();
  g.Start_of_Records(3);
  g.End_of_Records();
  g.Request_Date_Time();
  g.Pvt_Data_Start();
  g.Pvt_Data_Stop();
  g.Request_Waypoints();
  g.Request_Prox_Waypoints();
  g.Request_Routes();
  g.Request_Tracks();
  g.Request_Voltages();
  g.Request_Display();
  g.Waypoint.Ident = QStringLiteral("CACHE1");
  g.Waypoint.Cmnt = QStringLiteral("a comment");
  g.Waypoint.lat = 31.77;
  g.Waypoint.lon = 35.21;
  g.Send_Waypoint();
  g.Send_Route_Waypoint();
  g.Route.Ident = QStringLiteral("ROUTE");
  g.Send_Route_Header();
  g.Send_Route_Link();
  g.Track.Ident = QStringLiteral("TRACK");
  g.Track.Time = QStringLiteral("2026/12/07-10:00:00");
  g.Send_Track_Header();
  g.Send_Track();
  g.Power_Off();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Fuzz::App();
  Fuzz::cDriverRig rig;
  cMemComm& comm = rig.Comm;
  cGarmin& garmin = rig.Garmin;
  garmin.PortOpen();

  Fuzz::cInput in(data, size);
  garmin.Request_Product_Data();
  Feed_Packet(comm, garmin.PID_Product_Data(), in.Take(in.Byte()));
  const uint8_t array_size = in.Byte();
  if (array_size > 0) Feed_Packet(comm, garmin.PID_Protocol_Array(), in.Take(array_size));

  comm.Written.clear();
  Send_Everything(garmin);
  for (const QByteArray& wire : comm.Written) Fuzz::Check_Written(wire);

  // Records in the formats now in force, under the ids now in force.
  const uint8_t ids[] = {
      garmin.PID_Wpt_Data(),      garmin.PID_Rte_Hdr(),      garmin.PID_Rte_Wpt_Data(),
      garmin.PID_Rte_Link(),      garmin.PID_Trk_Hdr(),      garmin.PID_Trk_Data(),
      garmin.PID_Records(),       garmin.PID_Date_Time(),    garmin.PID_Pvt_Data(),
      garmin.PID_Voltages(),      garmin.PID_Display_Data(), garmin.PID_Prx_Wpt_Data(),
      garmin.PID_Position_Data(), garmin.PID_Xfer_Cmplt()};
  while (!in.Empty()) {
    const uint8_t id = ids[in.Byte() % sizeof(ids)];
    Feed_Packet(comm, id, in.Take(in.Byte()));
  }
  comm.Written.clear();
  Send_Everything(garmin);
  for (const QByteArray& wire : comm.Written) Fuzz::Check_Written(wire);
  QCoreApplication::processEvents();
  return 0;
}
