#pragma once
// Field readers and position units over a packet: the zero-based byte array of the whole
// unstuffed frame (0 DLE, 1 id, 2 size, 3.. data, then checksum, DLE, ETX). The readers take an
// element index, not a data offset, and never read outside the array.
#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace Fields {
// A number whose bytes would run past the last element reads as 0.
qint16 Read_Integer_At(const QByteArray& packet, int index);
qint32 Read_Long_At(const QByteArray& packet, int index);
float Read_Single_At(const QByteArray& packet, int index);
double Read_Double_At(const QByteArray& packet, int index);
// Exactly `width` characters: the bytes from `index` (Windows-1255), stopping at a NUL unless
// keep_all is set; what is missing or not read stays a space.
QString Read_String_Field(const QByteArray& packet, int index, int width, bool keep_all);

// deg * 2^31 / 180, halves to even. +180 degrees is the meridian of -180 and gives -2^31.
qint32 Deg_To_Semicircles(double deg);
double Semicircles_To_Deg(qint32 semicircles);

// Little-endian writers for the encoders; a write past the end of the array is skipped.
void Put_Integer(QByteArray& packet, int index, qint16 value);
void Put_Long(QByteArray& packet, int index, qint32 value);
void Put_Single(QByteArray& packet, int index, float value);
// Writes `value` as a byte when it fits 0..255; otherwise the byte is left as it is (0).
void Put_Byte(QByteArray& packet, int index, qint64 value);
}  // namespace Fields
