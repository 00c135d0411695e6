#pragma once
// Helpers shared by the record codecs: building a packet of a given data size, writing fixed
// and variable texts, and reading bytes and texts that may lie beyond a short packet. Data
// offset k is element k + 3 of the packet.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

namespace Layout {

constexpr int kHead = 3;        // DLE, id, size
constexpr int kMax_Data = 255;  // what the size byte can describe

// A zeroed packet of n + 6 elements with the id and the size byte filled in.
QByteArray New_Packet(quint8 pid, int n);
// The size byte, or 0 for a packet too short to hold one.
int Data_Size(const QByteArray& packet);
// One past the last data element that the packet really holds.
int Data_End(const QByteArray& packet);

// `text` (upper-cased first when `upper`) in Windows-1255, cut or padded with spaces to width.
QByteArray Fixed_Bytes(const QString& text, int width, bool upper);
// The bytes of a variable text: upper-cased when `upper`, NULs left out (they end a text).
QByteArray Variable_Bytes(const QString& text, bool upper);
// Cuts the texts from the last one backwards until the texts with their NULs take at most
// `room` bytes; the first text keeps as much as it can.
void Fit_Texts(QVector<QByteArray>& texts, int room);
// Writes the bytes from data offset `offset`; returns the offset after them.
int Put_Bytes(QByteArray& packet, int offset, const QByteArray& bytes);
// Writes each text followed by one NUL.
void Put_Texts(QByteArray& packet, int offset, const QVector<QByteArray>& texts);

// The data byte at `offset` when the packet holds it.
bool Read_Byte(const QByteArray& packet, int offset, quint8& value);
// The texts from data offset `offset` to the data's end, each ended by a NUL or by that end.
QStringList Read_Texts(const QByteArray& packet, int offset);
// Fixed text at data offset `offset` (spaces for what the packet lacks), trimmed of spaces.
QString Read_Fixed(const QByteArray& packet, int offset, int width);
// Bytes kept as they are, one character per byte (subclass words are not text).
QString Raw_Text(const QByteArray& bytes);
QByteArray Raw_Bytes(const QString& text, int width);

// Leading and trailing spaces removed (spaces only, as the receiver pads with them).
QString Trim_Spaces(const QString& text);
// Spaces trimmed at both ends, then cut before the first NUL.
QString Trim_Null(const QString& text);

// Writes `value` rounded to the nearest integer (halves to even) as a 16-bit Integer at data
// offset `offset`; a value that does not fit leaves the field 0.
void Put_Rounded_Integer(QByteArray& packet, int offset, double value);

}  // namespace Layout
