#include "garmin/Protocol_Tables.h"

#include <iterator>

namespace {
constexpr qint16 kAny = 32767;  // upper version bound of rows that hold for every version

// The maker's published table of product capabilities (its protocol document), sorted
// by product id. Every row uses A100 for waypoints, A200 for routes (no
// route links), A300 for tracks when it has them and A400 for proximity waypoints.
// id, versions, link, waypoint, route header, route waypoint, track point, proximity
constexpr cProductRow kRows[] = {
    {7, 0, kAny, 1, 100, 200, 100, 0, 0},         // GPS 50
    {13, 0, kAny, 1, 100, 200, 100, 300, 400},    // GPS 75
    {14, 0, kAny, 1, 100, 200, 100, 0, 400},      // GPS 55
    {15, 0, kAny, 1, 151, 200, 151, 0, 151},      // GPS 55 AVD
    {18, 0, kAny, 1, 100, 200, 100, 300, 400},    // GPS 65
    {20, 0, kAny, 2, 150, 201, 150, 0, 450},      // GPS 150
    {22, 0, kAny, 1, 152, 200, 152, 300, 152},    // GPS 95 AVD
    {23, 0, kAny, 1, 100, 200, 100, 300, 400},    // GPS 75
    {24, 0, kAny, 1, 100, 200, 100, 300, 400},    // GPS 95
    {25, 0, kAny, 1, 100, 200, 100, 300, 400},    // GPS 85
    {29, 0, 400, 1, 101, 201, 101, 300, 101},     // GPSMAP 205/210/220 before 4.00
    {29, 400, kAny, 1, 102, 201, 102, 300, 102},  // the same from 4.00
    {31, 0, kAny, 1, 100, 201, 100, 300, 0},      // GPS 40, GPS 45
    {33, 0, kAny, 2, 150, 201, 150, 0, 450},      // GNC 300
    {34, 0, kAny, 2, 150, 201, 150, 0, 450},      // GPS 155, GPS 165
    {35, 0, kAny, 1, 100, 200, 100, 300, 400},    // GPS 95
    {36, 0, 300, 1, 152, 200, 152, 300, 152},     // GPS 95 AVD / XL before 3.00
    {36, 300, kAny, 1, 152, 200, 152, 300, 0},    // the same from 3.00
    {39, 0, kAny, 1, 151, 201, 151, 300, 0},      // GPS 89
    {41, 0, kAny, 1, 100, 201, 100, 300, 0},      // GPS 38, 40, 45, 45 XL
    {42, 0, kAny, 1, 100, 200, 100, 300, 400},    // GPS 75
    {44, 0, kAny, 1, 101, 201, 101, 300, 101},    // GPSMAP 205
    {45, 0, kAny, 1, 152, 201, 152, 300, 0},      // GPS 90
    {47, 0, kAny, 1, 100, 201, 100, 300, 0},      // GPS 120
    {48, 0, kAny, 1, 154, 201, 154, 300, 0},      // GPSMAP 195
    {49, 0, kAny, 1, 102, 201, 102, 300, 102},    // GPSMAP 130/135/175/230/235
    {50, 0, kAny, 1, 152, 201, 152, 300, 0},      // GPSCOM 170
    {52, 0, kAny, 2, 150, 201, 150, 0, 450},      // GNC 250
    {53, 0, kAny, 1, 152, 201, 152, 300, 0},      // GPSCOM 190
    {55, 0, kAny, 1, 100, 201, 100, 300, 0},      // GPS 120 Chinese
    {56, 0, kAny, 1, 100, 201, 100, 300, 0},      // GPS 38/40/45 Chinese
    {59, 0, kAny, 1, 100, 201, 100, 300, 0},      // GPS II
    {61, 0, kAny, 1, 100, 201, 100, 300, 0},      // GPS 125 Sounder
    {62, 0, kAny, 1, 100, 201, 100, 300, 0},      // GPS 38/40 Japanese
    {64, 0, kAny, 2, 150, 201, 150, 0, 450},      // GNC 250 XL, GPS 150 XL
    {71, 0, kAny, 1, 155, 201, 155, 300, 0},      // GPS III Pilot
    {72, 0, kAny, 1, 104, 201, 104, 300, 0},      // GPS III
    {73, 0, kAny, 1, 103, 201, 103, 300, 0},      // GPS II Plus
    {74, 0, kAny, 1, 100, 201, 100, 300, 0},      // GPS 120 XL
    {76, 0, kAny, 1, 102, 201, 102, 300, 102},    // GPSMAP 130/230 Chinese
    {77, 0, 301, 1, 100, 201, 100, 300, 400},     // GPS 12, 12 XL before 3.01
    {77, 301, 350, 1, 103, 201, 103, 300, 403},   // 3.01 to 3.49
    {77, 350, 361, 1, 103, 201, 103, 300, 0},     // 3.50 to 3.60
    {77, 361, kAny, 1, 103, 201, 103, 300, 403},  // from 3.61
    {87, 0, kAny, 1, 103, 201, 103, 300, 403},    // GPS 12
    {88, 0, kAny, 1, 102, 201, 102, 300, 102},    // GPSMAP 215, 225
    {95, 0, kAny, 1, 103, 201, 103, 300, 403},    // GPS 126, 128
    {96, 0, kAny, 1, 103, 201, 103, 300, 403},    // GPS 12, 12 XL, 48
    {97, 0, kAny, 1, 103, 201, 103, 300, 0},      // GPS II Plus
    {98, 0, kAny, 2, 150, 201, 150, 0, 450},      // GNC 300 XL, GPS 155 XL
    {100, 0, kAny, 1, 103, 201, 103, 300, 403},   // GPS 126/128 Chinese
    {105, 0, kAny, 1, 103, 201, 103, 300, 403},   // GPS 12 XL Japanese
    {106, 0, kAny, 1, 103, 201, 103, 300, 403},   // GPS 12 XL Chinese
    {112, 0, kAny, 1, 152, 201, 152, 300, 0},     // GPS 92
};
static_assert(std::size(kRows) == 54, "the maker's table has 54 rows");
}  // namespace

const cProductRow* Find_Product_Row(qint16 product_id, qint16 software_version) {
  for (const cProductRow& row : kRows) {
    if (row.Product_ID == product_id && software_version >= row.Min_Version &&
        (row.Max_Version == kAny || software_version < row.Max_Version))
      return &row;
  }
  return nullptr;
}
