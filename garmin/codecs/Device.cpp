// The voltages report and the header of a screen-image (display data) report.
#include "garmin/Codecs.h"
#include "garmin/Fields.h"

namespace Codec {

void Decode_Voltages(const QByteArray& packet, cVoltages& voltages) {
  voltages.Internal_Voltage = float(Fields::Read_Integer_At(packet, 3) / 100.0);
  voltages.External_Voltage = float(Fields::Read_Integer_At(packet, 5) / 100.0);
}

void Decode_Display_Data(const QByteArray& packet, qint16 product_id, cDisplay& display) {
  display.Record_Type = Fields::Read_Integer_At(packet, 3);
  if (display.Record_Type == 0) {
    display.Unknown0 = Fields::Read_Integer_At(packet, 5);
    display.Unknown1 = Fields::Read_Integer_At(packet, 7);
    display.Unknown2 = Fields::Read_Integer_At(packet, 9);
    display.Unknown3 = Fields::Read_Integer_At(packet, 11);
    display.Bits_Per_Pixel = 1;
    static const struct {
      qint16 product, line_length, lines, pixels, record_length;
      quint8 first_byte;
    } geometry[] = {{96, 64, 100, 8, 21, 9}, {177, 180, 240, 60, 74, 11}};
    for (const auto& g : geometry) {
      if (g.product != product_id) continue;
      display.Line_Length = g.line_length;
      display.Display_Lines = g.lines;
      display.Pixels = g.pixels;
      display.Record_Length = g.record_length;
      display.First_Byte = g.first_byte;
    }
  }
  // One character per byte, every byte kept (the image bytes are not text).
  display.packet = QString::fromLatin1(packet);
}

}  // namespace Codec
