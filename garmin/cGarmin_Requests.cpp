// The requests, and the dispatch of received packets to their decoders.
#include "garmin/Fields.h"
#include "garmin/cGarmin.h"

namespace {
// Command codes the id tables do not carry.
constexpr quint8 kCmnd_Transfer_Voltages = 17;
constexpr quint8 kCmnd_Transfer_Display = 32;
}  // namespace

// Every request is built when it is sent, from the ids in force, so an L002 receiver gets
// its own ids and command codes.
void cGarmin::Request_Product_Data() { Send(Command_Packet(Said_.Ids.Product_Rqst, 0, 0), false); }

void cGarmin::Start_of_Records(qint16 ocount) {
  Records_Count_Data_[0] = char(quint16(ocount) & 0xFF);
  Records_Count_Data_[1] = char(quint16(ocount) >> 8);
  Send(Command_Packet(Said_.Ids.Records, quint8(Records_Count_Data_[0]),
                      quint8(Records_Count_Data_[1])),
       false);
}

void cGarmin::End_of_Records() { Send(Command_Packet(Said_.Ids.Xfer_Cmplt, 0, 0), false); }
void cGarmin::Power_Off() {
  Send(Command_Packet(Said_.Ids.Command_Data, Said_.Ids.Turn_Off_Pwr, 0), false);
}
void cGarmin::Request_Date_Time() {
  Send(Command_Packet(Said_.Ids.Command_Data, Said_.Ids.Transfer_Time, 0), false);
}
void cGarmin::Pvt_Data_Start() {
  Send(Command_Packet(Said_.Ids.Command_Data, Said_.Ids.Start_Pvt_Data, 0), false);
}
void cGarmin::Pvt_Data_Stop() {
  Send(Command_Packet(Said_.Ids.Command_Data, Said_.Ids.Stop_Pvt_Data, 0), false);
}
void cGarmin::Request_Waypoints() {
  Waypoint.Clear();
  Send(Command_Packet(Said_.Ids.Command_Data, Said_.Ids.Transfer_Wpt, 0), false);
}
void cGarmin::Request_Prox_Waypoints() {
  Waypoint.Clear();
  Send(Command_Packet(Said_.Ids.Command_Data, Said_.Ids.Transfer_Prx, 0), false);
}
void cGarmin::Request_Routes() {
  Route.Clear();
  Send(Command_Packet(Said_.Ids.Command_Data, Said_.Ids.Transfer_Rte, 0), false);
}
void cGarmin::Request_Tracks() {
  Track.Clear();
  Send(Command_Packet(Said_.Ids.Command_Data, Said_.Ids.Transfer_Trk, 0), false);
}
void cGarmin::Request_Voltages() {
  Send(Command_Packet(Said_.Ids.Command_Data, kCmnd_Transfer_Voltages, 0), false);
}
void cGarmin::Request_Display() {
  Send(Command_Packet(Said_.Ids.Command_Data, kCmnd_Transfer_Display, 0), false);
}

// In this order; the first match wins, ids without one are dropped (already acknowledged).
void cGarmin::Dispatch_Packet(const QByteArray& packet) {
  const quint8 id = quint8(packet[1]);
  if (id == Said_.Ids.Records) {
    Receive_Records(packet);
  } else if (id == Said_.Ids.Product_Data) {
    Receive_Product_Data(packet);
  } else if (id == Said_.Ids.Protocol_Array) {
    Parse_Protocol_Array(packet);
  } else if (id == Said_.Ids.Date_Time) {
    Receive_Date_Time(packet);
  } else if (id == Said_.Ids.Pvt_Data) {
    Receive_Pvt_Data(packet);
  } else if (id == Said_.Ids.Almanac_Data) {
    // Not decoded.
  } else if (id == Said_.Ids.Wpt_Data || id == Said_.Ids.Rte_Wpt_Data ||
             id == Said_.Ids.Prx_Wpt_Data) {
    Decode_Waypoint(packet);
  } else if (id == Said_.Ids.Rte_Hdr) {
    Receive_Route_Header(packet);
  } else if (id == Said_.Ids.Rte_Link) {
    Receive_Route_Link(packet);
  } else if (id == Said_.Ids.Trk_Hdr) {
    Receive_Track_Header(packet);
  } else if (id == Said_.Ids.Trk_Data) {
    Receive_Track_Data(packet);
  } else if (id == Said_.Ids.Voltages) {
    Receive_Voltages(packet);
  } else if (id == Said_.Ids.Display_Data) {
    Receive_Display_Data(packet);
  } else if (id == Said_.Ids.Xfer_Cmplt) {
    emit Transfer_Complete();
  }
}

void cGarmin::Receive_Records(const QByteArray& packet) {
  Incoming_Records_Count_ = quint16(Fields::Read_Integer_At(packet, 3));
  emit Records_Announced(Incoming_Records_Count_);
}

void cGarmin::Receive_Date_Time(const QByteArray& packet) {
  // Bytes read past the data are the checksum or the frame end; the size bounds them to data.
  const int size = quint8(packet[2]);
  auto byte_at = [&](int offset) -> quint8 {
    return offset < size && 3 + offset < packet.size() ? quint8(packet[3 + offset]) : 0;
  };
  Date_Time.month = byte_at(0);
  Date_Time.day = byte_at(1);
  Date_Time.year = Fields::Read_Integer_At(packet, 5);
  Date_Time.hour = Fields::Read_Integer_At(packet, 7);
  Date_Time.minute = byte_at(6);
  Date_Time.second = byte_at(7);
}

void cGarmin::Receive_Pvt_Data(const QByteArray& packet) {
  using namespace Fields;
  PvtData.alt = Read_Single_At(packet, 3);
  PvtData.epe = Read_Single_At(packet, 7);
  PvtData.eph = Read_Single_At(packet, 11);
  PvtData.epv = Read_Single_At(packet, 15);
  PvtData.pfix = Read_Integer_At(packet, 19);
  PvtData.tow = Read_Double_At(packet, 21);
  PvtData.lat = Read_Double_At(packet, 29) * Rad_To_Deg_;
  PvtData.lon = Read_Double_At(packet, 37) * Rad_To_Deg_;
  PvtData.east = Read_Single_At(packet, 45);
  PvtData.north = Read_Single_At(packet, 49);
  PvtData.up = Read_Single_At(packet, 53);
  PvtData.msl_hght = Read_Single_At(packet, 57);
  PvtData.leap_scnds = Read_Integer_At(packet, 61);
  PvtData.wn_days = Read_Long_At(packet, 63);
}
