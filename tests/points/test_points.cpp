#include <gtest/gtest.h>

#include <QStringList>

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
