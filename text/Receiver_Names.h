#pragma once
// The names a receiver gets for the points of a route and for its title, decided in one place
// for the serial upload, the drive upload, the route dialog and vqtool. Pure: no files, no
// settings.
//
// Hebrew names are the labels as the receiver's code page carries them (upper-cased, cut to six
// characters in the six-character formats). Latin names are made of A-Z, 0-9, space and hyphen,
// at most L characters: the hiker's own name for the label, else the label itself when it fits,
// else the label with its marks removed and its Hebrew transliterated, else the point's number.
// Latin names within one route are unique: a later point whose name is taken gets a number.
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

struct cNameRules {
  bool Latin = false;
  int Length = 10;  // the settings' name length for the formats without a fixed width
  // The hiker's names by label (the label exactly as in the list), already checked.
  QHash<QString, QString> Own;
};

// The name length the settings take, and the one they have when nothing usable is stored.
constexpr int kMin_Name_Length = 6, kMax_Name_Length = 20, kDefault_Name_Length = 10;
// A route title's longest Latin form (a D201 header's comment field).
constexpr int kMax_Title_Length = 20;
// The drive upload's pseudo format: names in a GPX file, L = 14 for the receivers without Hebrew.
inline const QString kGpx_Format = QStringLiteral("GPX");
constexpr int kGpx_Name_Length = 14;

// The waypoint formats whose identifier is a fixed six-character field.
bool Six_Wide_Format(const QString& format);
// L for a format: 6 in the six-wide ones, 14 for GPX, else the setting (kept within 6 to 20).
int Name_Length(const QString& format, int setting);
// A stored or typed length, kept within 6 to 20; not a number gives the default.
int Name_Length_Setting(const QString& text);

// The label in the Latin set, upper-cased, not cut: marks removed, Hebrew transliterated, what
// cannot be sent dropped, spaces joined. Empty when nothing is left.
QString Transliterate(const QString& label);

bool Is_Name_Char(QChar c);
enum class cNameFault { None, Empty, Too_Long, Bad_Char };
// What is wrong with a Latin name of at most L characters.
cNameFault Name_Fault(const QString& name, int L);

// The names of the labels, in list order, for a waypoint format (or kGpx_Format).
QStringList Receiver_Names(const QStringList& labels, const QString& format,
                           const cNameRules& rules);
// The route's title as it is sent: Hebrew upper-cased (the GPX file: as typed), Latin by the same
// rules as a name, at most 20 characters, empty when nothing is left.
QString Receiver_Title(const QString& title, const QString& format, const cNameRules& rules);

// A names file (UTF-8, one "label,name" a line, the name after the last comma) read into
// names; a line that gives no usable name is listed in faults and left out.
struct cNamesText {
  struct cFault {
    int line;  // from 1
    cNameFault fault;
  };
  QHash<QString, QString> names;  // upper-cased, not cut (the format decides the length)
  QVector<cFault> faults;
};
cNamesText Parse_Names(const QByteArray& utf8);
// The file's bytes with label's line replaced by label,name (added at the end when the label has
// none); every other line stays as it was. An empty name removes the label's line.
QByteArray With_Name(const QByteArray& utf8, const QString& label, const QString& name);
