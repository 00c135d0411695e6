#pragma once
// The frame codec: pure functions over byte arrays. A packet is the unstuffed frame, zero-based
// (0 DLE, 1 id, 2 size n, 3.. data, then checksum, DLE, ETX); on the wire every 0x10 in the
// size, data and checksum is doubled.
#include <QByteArray>
#include <QString>

namespace Framing {
constexpr char DLE = 0x10;
constexpr char ETX = 0x03;

// Index of the ETX of the first frame end in `buffer`: the first DLE ETX pair whose DLE ends
// a run of 0x10 bytes of odd length (an even run is stuffed data). -1 when there is none.
int Find_Frame_End(const QByteArray& buffer);
// Where the frame in `text` (cut through its DLE ETX) begins, so that line noise in front of it
// is skipped: the first DLE from which the rest reads as a whole frame (size byte and checksum
// agree), else the first DLE that can begin one (a spoilt frame is still asked for again); -1
// when no DLE can.
int Frame_Start(const QByteArray& text);
// Collapses each doubled 0x10 of a frame's wire bytes into one.
QByteArray Unstuff(const QByteArray& wire);
// The wire bytes of a packet (its checksum must already be in place).
QByteArray Stuff(const QByteArray& packet);
// Two's complement of the 8-bit sum of id, size and data. The data run is bounded by the
// packet's own length, so a size byte that lies is harmless.
quint8 Packet_Checksum(const QByteArray& packet);
// XOR of the characters after the start character up to the first "*", as two upper-case hex
// digits.
QString NMEA_Checksum(const QString& msg);
// "PC «- GPS 10 06 ..." for received ("I"), "PC -» GPS 10 06 ..." for sent ("O") bytes.
QString Hex_Trace(const QByteArray& bytes, const QString& direction);
// An 8-byte command-style packet: DLE, pid, 2, byte0, byte1, checksum 0, DLE, ETX.
QByteArray Two_Byte_Packet(quint8 pid, quint8 byte0, quint8 byte1);
}  // namespace Framing
