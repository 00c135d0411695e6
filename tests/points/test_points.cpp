#include <gtest/gtest.h>

#include <QStringList>

#include "geo/Xlate.h"
#include "points/PlaceText.h"
#include "points/cVQPoints.h"

namespace {
// A list that keeps what Redisplay hands it and counts the batches.
class cRowList : public cVQList {
 public:
  QVector<cVQRow> rows;
  int batches = 0;
  void Set_Rows(QVector<cVQRow> r) override {
    rows = std::move(r);
    ++batches;
  }
  int Row_Count() const override { return rows.size(); }
  QString Row_Text(int row, int column) const override { return rows[row - 1][column - 1]; }
  bool Set_Row(int row, const cVQRow& r) override {
    rows[row - 1] = r;
    return true;
  }
};

TEST(cVQPoints, KeysIgnoreCaseAndKeepOrder) {
  cVQPoints points;
  EXPECT_TRUE(points.Add("Cache1", 31, 35, 0, "a"));
  EXPECT_FALSE(points.Add("CACHE1", 32, 35, 0, "b"));
  EXPECT_TRUE(points.Add("מצדה", 31.3156, 35.3536, -20, "c"));
  EXPECT_TRUE(points.Add("Third", 30, 35, 0, ""));
  ASSERT_EQ(points.Count(), 3);
  EXPECT_EQ(points.Item(1).Comment, "a");
  EXPECT_EQ(points.Find("cache1")->lat, 31);
  EXPECT_EQ(points.Find("nothing"), nullptr);
  EXPECT_TRUE(points.Remove(QStringLiteral("CACHE1")));
  EXPECT_EQ(points.Item(1).Label, "מצדה");
  EXPECT_EQ(points.Find("third")->Label, "Third");
  EXPECT_FALSE(points.Remove(5));
  EXPECT_TRUE(points.Add("cache1", 1, 2, 3, ""));  // free again after removal
  points.Clear();
  EXPECT_EQ(points.Count(), 0);
  EXPECT_EQ(points.Find("third"), nullptr);
}

TEST(cVQPoints, MoreThan32767PointsAreAllKept) {
  cVQPoints points;
  for (int i = 1; i <= 40000; ++i) points.Add(QString::number(i), 31, 35, 0, "");
  EXPECT_EQ(points.Count(), 40000);
  EXPECT_EQ(points.Rows(1).size(), 40000);
}

TEST(cVQPoints, RedisplayFillsRowsInOneBatch) {
  cRowList list;
  cVQPoints points;
  points.lv = &list;
  points.Add("JLM", 31.7683, 35.2137, 12.25, "שער יפו");
  points.Add("JLM2", 31.7683 + 0.0045, 35.2137, 12.75, "");  // about half a kilometre north
  points.Add("TLV", 32.08, 34.78, 0.5, "");
  points.Set_CoorSys(1);
  ASSERT_EQ(list.Row_Count(), 3);
  EXPECT_EQ(list.batches, 1);
  EXPECT_EQ(list.rows[0], (cVQRow{"JLM", "170406", "1130661", "12.2", "שער יפו", ""}));
  const QStringList others = {list.rows[1][3], list.rows[1][5], list.rows[2][1], list.rows[2][2],
                              list.rows[2][3]};
  EXPECT_EQ(others.join(' '), "12.8 0.5 129458 1165305 .5");
  points.Set_CoorSys(0);
  EXPECT_EQ(list.Row_Text(1, 2) + list.Row_Text(1, 3), "N31 46' 5.88E35 12' 49.32");
  points.Set_CoorSys(0);  // the same value again rebuilds the list
  EXPECT_EQ(list.batches, 3);
  // The New Israeli Grid (cs2cs EPSG:4326 EPSG:2039 gives 220333.4649 630626.1340); the datum
  // option's grid is tests/files' matter.
  points.Set_CoorSys(2);
  EXPECT_EQ(list.rows[0], (cVQRow{"JLM", "220333", "630626", "12.2", "שער יפו", ""}));
  points.Set_CoorSys(3);
  EXPECT_EQ(list.rows[0], (cVQRow{"JLM", "", "", "12.2", "שער יפו", ""}));
  points.Clear();
  points.Redisplay();
  EXPECT_EQ(list.Row_Count(), 0);
}

TEST(cVQPoints, LegDistanceTexts) {
  cVQPoints points;
  points.Add("A", 31, 35, 0, "");
  points.Add("B", 32, 35, 0, "");                     // 111.12 km
  points.Add("C", 32 + 0.05 / 111.12, 35, 0, "");     // 0.05 km
  points.Add("D", 32 + 2.05 / 111.11999, 35, 0, "");  // 2 km
  points.Add("E", 0, 35, 0, "");                      // far south
  points.Add("F", 0, 37, 0, "");                      // 2 degrees of the equator
  const QVector<cVQRow> rows = points.Rows(1);
  EXPECT_EQ(rows[0][5] + "|" + rows[1][5] + "|" + rows[2][5] + "|" + rows[3][5] + "|" + rows[5][5],
            "|111.12|0.05|2|222.24");
  // A great circle: the distance is the same both ways.
  const cVQPoint &a = points.Item(1), &f = points.Item(6);
  EXPECT_NEAR(a.GetDistance(f.lat, f.lon), f.GetDistance(a.lat, a.lon), 1e-9);
}
}  // namespace

// Places as people type them; a refused text gives false, never a wrong place.
TEST(PlaceText, TypedPlaces) {
  const double lat = 31 + 46 / 60. + 36.1 / 3600, lon = 35 + 14 / 60. + 4.2 / 3600;
  const struct {
    const char* text;
    double lat, lon;  // NAN: refused
  } pairs[] = {{"31.7767 35.2345", 31.7767, 35.2345},
               {"N31 46' 36.1\" E35 14' 4.2\"", lat, lon},
               {"E35 14' 4.2\" N31 46' 36.1\"", lat, lon},
               {"31°46'36.1\"N, 35°14'4.2\"E", lat, lon},
               {"31 46 36.1 35 14 4.2", lat, lon},
               {"S31 30 W35 15", -31.5, -35.25},
               {"-31.5 -35.25", -31.5, -35.25},
               {"31.7767", NAN, 0},
               {"N31 N35", NAN, 0},
               {"91 35", NAN, 0},
               {"31 61 35 0", NAN, 0},
               {"31.5 46 35 14", NAN, 0},
               {"N-31 E35", NAN, 0},
               {"31 35 E", NAN, 0},
               {"31.7767 35.2345 3", NAN, 0},
               {"31,7767 abc", NAN, 0}};
  for (const auto& c : pairs) {
    double la = 0, lo = 0;
    ASSERT_EQ(PlaceText::Parse_LatLon(QString::fromUtf8(c.text), la, lo), !std::isnan(c.lat))
        << c.text;
    if (std::isnan(c.lat)) continue;
    EXPECT_NEAR(la, c.lat, 1e-12) << c.text;
    EXPECT_NEAR(lo, c.lon, 1e-12) << c.text;
  }
  double deg = 0;
  EXPECT_TRUE(PlaceText::Parse_Angle("N31 46' 36.13", 0, deg));
  EXPECT_NEAR(deg, 31 + 46 / 60. + 36.13 / 3600, 1e-12);
  EXPECT_TRUE(PlaceText::Parse_Angle("N31 30' 60", 0, deg));  // the list's 59.995 and more
  EXPECT_FALSE(PlaceText::Parse_Angle("E35 12' 49.32", 0, deg));
  EXPECT_FALSE(PlaceText::Parse_Angle("181", 1, deg));
  std::vector<double> v;
  EXPECT_TRUE(PlaceText::Parse_Numbers(" 170406, 1130661 ", 2, v));
  EXPECT_EQ(v, (std::vector<double>{170406, 1130661}));
  for (const char* bad : {"", "1 2 3", "12abc", "1e400"})
    EXPECT_FALSE(PlaceText::Parse_Numbers(bad, 2, v)) << bad;
}

// Edits keep every label unique ignoring case; one changed point redraws its row and the leg
// after it, nothing else; a typed grid place comes back to the values typed.
TEST(cVQPoints, EditsKeepLabelsUniqueAndRedrawTheirRows) {
  cRowList list;
  cVQPoints points;
  points.lv = &list;
  for (const char* l : {"A", "B", "C", "3"}) points.Add(l, 31.7683, 35.2137, 0, "");
  points.Set_CoorSys(1);
  cVQPoint b = points.Item(2);
  b.Label = "a";
  EXPECT_FALSE(points.Replace(2, b));
  b.Label = "b";
  b.lat += 0.009;  // about a kilometre north
  ASSERT_TRUE(points.Replace(2, b));
  points.Redisplay_Rows(2, 2);
  EXPECT_EQ(list.batches, 1);
  EXPECT_EQ(list.rows[1][0] + list.rows[1][5] + "|" + list.rows[2][5], "b1|1");
  EXPECT_NEAR(points.Shown_Total_Km(), 2 * 0.009 * 111.12, 1e-3);
  EXPECT_EQ(points.Free_Label(), "5");
  cVQPoint c;
  c.Label = "c";
  EXPECT_FALSE(points.Insert_Rows({4}, {c}));
  c.Label = "D";
  ASSERT_TRUE(points.Insert_Rows({0}, {c}));
  EXPECT_FALSE(points.Reorder({0, 1, 2, 3, 3}));
  ASSERT_TRUE(points.Reorder({4, 3, 2, 1, 0}));
  points.Keep({1, 2, 3});
  EXPECT_EQ(points.Item(1).Label + points.Item(2).Label + points.Item(3).Label, "CbA");
  EXPECT_EQ(points.Find("d"), nullptr);
  double lat = 0, lon = 0;
  ASSERT_TRUE(points.Place_From_Text("170406 1130661", lat, lon));
  EXPECT_NEAR(lat, 31.768299, 1e-6);
  ASSERT_TRUE(points.Place_From_Text("170500", lat, lon, &points.Item(1), 2));
  double E = 0, N = 0;
  Xlate::LatLon_To_ITM(lat, lon, E, N);
  EXPECT_EQ(E, 170500);
  EXPECT_EQ(N, 1130661);
  for (const char* bad : {"170500", "1e9 5", "N31 E35"})
    EXPECT_FALSE(points.Place_From_Text(bad, lat, lon)) << bad;
}
