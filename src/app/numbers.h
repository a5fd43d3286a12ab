#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace aethrian {

// The decimal divider of the Settings page. Only "," and "." are accepted (see isValidDivider).
inline constexpr char kDefaultDivider = ',';

bool isValidDivider(char c);

// Every "." and "," becomes the divider: prepares a text for conversion to a number.
std::string dotRem(std::string_view text, char divider);
// Every "," and every divider becomes ".": turns a number or a whole record line into the
// file convention.
std::string dotAdd(std::string_view text, char divider);
void dotAddInPlace(std::string& text, char divider);

// Reads a decimal number written with `separator` as decimal separator: optional blanks
// around, optional sign, digits with at most one separator, optional exponent.
std::optional<long double> tryParseFloat(std::string_view text, char separator);
// As tryParseFloat, but a failure throws OperationError
// "'<text>' is not a valid floating point value".
long double parseFloat(std::string_view text, char separator);
// A cell or file text read as a number: parseFloat(dotRem(text), divider).
long double readNumber(std::string_view text, char divider);

// A cell's text as a number for a glance at it (the status bar's sum), with "." or "," as decimal
// point; nullopt for any other text. Ordinary numbers are read without building a copy.
std::optional<long double> tryReadCellNumber(std::string_view text);

// A whole number in 64-bit range: optional leading blanks, optional sign, decimal digits.
std::optional<std::int64_t> tryParseInt64(std::string_view text);
// Reads a whole number; a failure throws OperationError "'<text>' is not a valid integer value".
std::int64_t parseInt(std::string_view text);

// General form with `digits` significant digits: rounded on the exact binary value with
// exact halves away from zero, trailing zeros dropped, plain notation for 0 and for
// magnitudes from 0.0001 with at most `digits` digits before the separator, otherwise
// exponent notation (1E-5, 2.5E10).
// A value that is not finite throws OperationError (notWritableMessage): the files could not
// be read back with it, so no operation may write one.
std::string formatGeneral(long double value, int digits, char separator);
// Whole-number form: rounded with halves away from zero, no separator; a number with more
// than 15 digits before the separator comes out in general form with 15 digits (1E15).
// Throws as formatGeneral for a value that is not finite.
std::string formatWhole(long double value, char separator);

// "The computed value INF is too large to be written", "... NAN is not a number ...": the
// error that ends an operation whose result cannot be written as a number.
std::string notWritableMessage(std::string_view value, bool notANumber = false);

// A decimal number as its significant digits ("125", the first one not zero, none for zero)
// and the power of ten of the first digit: 0.0125 is {"125", -2}.
struct DecimalDigits {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};
// The general form of an exact decimal: rounded to `digits` significant digits with halves
// away from zero, written as formatGeneral writes it.
std::string formatGeneral(const DecimalDigits& value, int digits, char separator);
// The whole-number form of an exact decimal, as formatWhole writes it.
std::string formatWhole(const DecimalDigits& value, char separator);

} // namespace aethrian
