// Every number-to-text and text-to-number conversion of the program, in one place,
// so files, labels, edit fields and charts agree.
#pragma once

#include <string>
#include <string_view>

// Header values, edit fields, labels: at most 15 significant digits, trailing zeros
// removed; fixed for 0 and 1e-4 <= |x| < 1e15, otherwise "1.5E-12", "1E20".
std::string formatGeneral(double value);

// Numeric columns of every file: printf "%g" (6 significant digits).
std::string formatData(double value);

// Counts and indexes.
std::string formatInteger(long long value);

// The pattern "0.000E+00" (decimals = 3) or "0.00E+00" (decimals = 2): one digit before
// the point, the exponent always signed and at least two digits.
std::string formatScientific(double value, int decimals);

// The patterns "#,##0.######" (maxDecimals = 6) and "#,##0.####" (maxDecimals = 4):
// thousands separated by commas, at most that many decimals, no trailing zeros.
std::string formatGrouped(double value, int maxDecimals);

// Header and edit-field reals: leading and trailing blanks allowed, sign, digits with
// an optional point, an exponent letter of either case. Throws ConvertError with
// "'text' is not a valid floating point value"; values beyond the double range and
// texts such as "nan" or "inf" are refused the same way.
double parseReal(std::string_view text);

// Header integers: leading blanks, an optional sign, decimal digits, nothing after,
// within 32 bits. Throws ConvertError with "'text' is not a valid integer value".
int parseInteger(std::string_view text);

// One whole blank-separated data token: optional sign, digits with an optional point,
// optional exponent. Returns false for anything else or a non-finite value.
bool parseDataToken(std::string_view token, double &value);

// The decimal number at the start of a column field, 0 when the field does not start
// with one; what follows the number is ignored.
double parseLeadingNumber(std::string_view field);
