#pragma once
// The one conversion from a number to the text the program shows or writes: the shortest
// decimal text with at most 15 significant digits, "-" for negatives, "." as the decimal
// separator, no thousands separator, no trailing zeros, no decimal point for whole values and
// no zero before the point of a value below 1 (2, 1.5, .25, -.5, 170251).
#include <string>

namespace NumText {
std::string Num_Text(double value);
// The same into out (room for 40 characters); returns the length.
int Num_Chars(double value, char* out);
// value rounded to `places` decimal places, halves to the even neighbour (12.25 -> 12.2,
// 12.75 -> 12.8).
double Round_Half_Even(double value, int places);
// Num_Text(Round_Half_Even(value, places)).
std::string Rounded_Text(double value, int places);
}  // namespace NumText
