#pragma once
// What loading a point file tells its caller: whether the list was replaced, and if not, why;
// if so, what was left out on the way.
#include <QString>
#include <QVector>

// One part of a file a list can come from: a route, a track or the file's waypoints.
struct cPick {
  enum Kind { Default, Route, Track, Waypoints };
  Kind kind = Default;
  int number = 0;  // 1-based among the routes or the tracks
  bool operator==(const cPick& o) const { return kind == o.kind && number == o.number; }
};

// A part offered to the user: which one, its name in the file and its number of points.
struct cChoice {
  cPick pick;
  QString name;
  int count = 0;
};

struct cLoadResult {
  enum Status {
    Loaded,
    Cannot_Read,   // the file is missing, a folder, unreadable or too large
    Not_Suitable,  // the name ends in none of the endings a list is read from
    Bad_Content,   // the bytes are not what the ending says (line tells where)
    No_Such_Pick,  // the part asked for is not in the file (choices lists what is)
    Cancelled      // the user chose none of the parts
  };
  Status status = Loaded;
  // What is wrong with the bytes, for Bad_Content.
  enum Fault {
    No_Fault,
    Malformed_Xml,
    Not_Gpx,
    Bad_Point,
    Declares_Entities,
    Not_Vq_Csv,
    Bad_Csv_Line
  };
  Fault fault = No_Fault;
  QString error;             // why, in English, for vqtool and the log of a test
  qint64 line = 0;           // the file's line the error is on, 0 when it is not about a line
  QVector<cChoice> choices;  // the parts of a GPX file, in the order they are offered
  int loaded = 0;            // points now in the collection
  int duplicates = 0;        // records left out because their label was already present
  QString first_duplicate;   // the label of the first one left out
  bool cut = false;          // a record cut short at the end was dropped
};
