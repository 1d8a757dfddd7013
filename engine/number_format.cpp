#include "engine/number_format.h"

#include "engine/errors.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

// All conversions go through std::to_chars/std::from_chars: printf and strtod follow
// the process locale, which the GUI toolkit sets from the desktop, and a decimal comma
// must never reach a file.

namespace {

std::string toChars(double value, std::chars_format format, int precision) {
    std::array<char, 400> buffer{};
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format, precision);
    if (ec != std::errc())
        return "0";
    return std::string(buffer.data(), end);
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the longest prefix of text that is a decimal number: optional sign, digits
// with an optional point (at least one digit), optional exponent with digits.
std::size_t numberPrefix(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j]))
                ++j;
            i = j;
        }
    }
    return i;
}

enum class Conversion { Ok, Overflow, Underflow };

// Converts a text that numberPrefix accepted whole.
Conversion convertNumber(std::string_view number, double &value) {
    std::string_view body = number;
    bool negative = false;
    if (!body.empty() && (body.front() == '+' || body.front() == '-')) {
        negative = body.front() == '-';
        body.remove_prefix(1);
    }
    double magnitude = 0.0;
    auto [ptr, ec] = std::from_chars(body.data(), body.data() + body.size(), magnitude);
    if (ec == std::errc::result_out_of_range) {
        const auto e = body.find_first_of("eE");
        const bool negativeExponent = e != std::string_view::npos && e + 1 < body.size() && body[e + 1] == '-';
        if (negativeExponent) {
            value = negative ? -0.0 : 0.0;
            return Conversion::Underflow;
        }
        return Conversion::Overflow;
    }
    if (ec != std::errc() || ptr != body.data() + body.size() || !std::isfinite(magnitude))
        return Conversion::Overflow;
    value = negative ? -magnitude : magnitude;
    return Conversion::Ok;
}

std::string insertThousands(std::string_view digits) {
    std::string out;
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    return out;
}

}  // namespace

std::string formatGeneral(double value) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0.0)
        return "0";
    std::string s = toChars(value, std::chars_format::scientific, 14);  // d.dddddddddddddde±x
    std::string sign;
    if (s.front() == '-') {
        sign = "-";
        s.erase(0, 1);
    }
    const auto e = s.find('e');
    const int exponent = std::atoi(s.c_str() + e + 1);
    std::string digits = s.substr(0, 1) + s.substr(2, e - 2);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    std::string out;
    if (exponent >= -4 && exponent < 15) {
        if (exponent >= 0) {
            const std::size_t integerLength = static_cast<std::size_t>(exponent) + 1;
            if (digits.size() <= integerLength)
                out = digits + std::string(integerLength - digits.size(), '0');
            else
                out = digits.substr(0, integerLength) + "." + digits.substr(integerLength);
        } else {
            out = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
        }
    } else {
        out = digits.substr(0, 1);
        if (digits.size() > 1)
            out += "." + digits.substr(1);
        out += "E" + std::string(exponent < 0 ? "-" : "") + std::to_string(std::abs(exponent));
    }
    return sign + out;
}

std::string formatData(double value) {
    if (std::isnan(value))
        return std::signbit(value) ? "-nan" : "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    return toChars(value, std::chars_format::general, 6);
}

std::string formatInteger(long long value) { return std::to_string(value); }

std::string formatScientific(double value, int decimals) {
    if (!std::isfinite(value))
        return formatGeneral(value);
    std::string s = toChars(value, std::chars_format::scientific, decimals);
    for (char &c : s)
        if (c == 'e')
            c = 'E';
    return s;
}

std::string formatGrouped(double value, int maxDecimals) {
    if (!std::isfinite(value))
        return formatGeneral(value);
    std::string s = toChars(value, std::chars_format::fixed, maxDecimals);
    bool negative = false;
    if (!s.empty() && s.front() == '-') {
        negative = true;
        s.erase(0, 1);
    }
    std::string integer = s, fraction;
    if (const auto dot = s.find('.'); dot != std::string::npos) {
        integer = s.substr(0, dot);
        fraction = s.substr(dot + 1);
    }
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    std::string out = insertThousands(integer);
    if (!fraction.empty())
        out += "." + fraction;
    if (negative && out != "0")
        out = "-" + out;
    return out;
}

double parseReal(std::string_view text) {
    auto fail = [&]() { return ConvertError("'" + std::string(text) + "' is not a valid floating point value"); };
    std::string_view body = text;
    while (!body.empty() && body.front() == ' ')
        body.remove_prefix(1);
    while (!body.empty() && body.back() == ' ')
        body.remove_suffix(1);
    if (body.empty() || numberPrefix(body) != body.size())
        throw fail();
    double value = 0.0;
    if (convertNumber(body, value) == Conversion::Overflow)
        throw fail();
    return value;
}

int parseInteger(std::string_view text) {
    auto fail = [&]() { return ConvertError("'" + std::string(text) + "' is not a valid integer value"); };
    std::string_view body = text;
    while (!body.empty() && body.front() == ' ')
        body.remove_prefix(1);
    bool negative = false;
    if (!body.empty() && (body.front() == '+' || body.front() == '-')) {
        negative = body.front() == '-';
        body.remove_prefix(1);
    }
    if (body.empty())
        throw fail();
    long long value = 0;
    for (char c : body) {
        if (!isDigit(c))
            throw fail();
        value = value * 10 + (c - '0');
        if (value > 2147483648LL)
            throw fail();
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        throw fail();
    return static_cast<int>(value);
}

bool parseDataToken(std::string_view token, double &value) {
    if (token.empty() || numberPrefix(token) != token.size())
        return false;
    return convertNumber(token, value) != Conversion::Overflow;
}

double parseLeadingNumber(std::string_view field) {
    const std::size_t length = numberPrefix(field);
    double value = 0.0;
    if (length == 0 || convertNumber(field.substr(0, length), value) == Conversion::Overflow)
        return 0.0;
    return value;
}
