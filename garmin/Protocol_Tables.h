#pragma once
// The protocol's numbers as data: the packet ids and command codes of the two link protocols,
// and the maker's table of capabilities for receivers that send no capability array.
#include <QtGlobal>

struct cIdTable {
  quint8 Ack_Byte, Nak_Byte, Protocol_Array, Product_Rqst, Product_Data;
  quint8 Command_Data, Xfer_Cmplt, Date_Time, Position_Data, Prx_Wpt_Data, Records, Rte_Hdr,
      Rte_Wpt_Data, Almanac_Data, Trk_Hdr, Trk_Data, Wpt_Data, Pvt_Data, Rte_Link, Voltages,
      Display_Data;
  // Command codes (A010 under L001, A011 under L002).
  quint8 Reset_Transfer, Transfer_Alm, Transfer_Posn, Transfer_Prx, Transfer_Rte, Transfer_Time,
      Transfer_Trk, Transfer_Wpt, Turn_Off_Pwr, Start_Pvt_Data, Stop_Pvt_Data, Start_Async;
};

// Link protocol L001 with device commands A010: nearly every hand-held receiver.
constexpr cIdTable Ids_L001 = {6,  21, 253, 254, 255,  //
                               10, 12, 14,  17,  19,  27, 29, 30, 31, 99, 34, 35, 51, 98,
                               40, 69, 0,   1,   2,   3,  4,  5,  6,  7,  8,  49, 50, 255};

// Link protocol L002 with device commands A011 (panel-mounted receivers). Proximity waypoint
// 27, route waypoint 39 and transfer-proximity 17 are the maker's L002/A011 values; the ids and
// codes L002 does not define (track, PVT, link) keep their L001 values.
constexpr cIdTable Ids_L002 = {6,  21, 253, 254, 255,  //
                               11, 12, 20,  24,  27,  35, 37, 39, 4, 99, 34, 43, 51, 98,
                               40, 69, 0,   4,   2,   17, 8,  20, 6, 21, 26, 49, 50, 255};

// One row of the maker's capability table for receivers without a capability array. Numbers
// are protocol numbers (100 = "A100" / "D100"); 0 means the receiver lacks that transfer.
struct cProductRow {
  qint16 Product_ID;
  // Software version x 100, from Min_Version (inclusive) to Max_Version (exclusive).
  qint16 Min_Version, Max_Version;
  qint16 Link;  // 1 = L001, 2 = L002
  qint16 Wpt_Data, Rte_Hdr, Rte_Wpt, Trk_Data, Prx_Data;
};

// The row for this product and version, or nullptr when the table has none.
const cProductRow* Find_Product_Row(qint16 product_id, qint16 software_version);
