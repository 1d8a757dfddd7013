// The block of "%" lines that every data file begins with, written and read in one place.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

class Analysis;
class TextLines;

// Line end of every file the program writes.
inline constexpr std::string_view kLineEnd = "\r\n";

void appendLine(std::string &out, std::string_view text);
void appendLine(std::string &out, std::string_view key, std::string_view value);

// The six sample texts, the six sample reals and the comment line (13 lines).
void appendSampleLines(std::string &out, const Analysis &record);
// "% Number of data: ", "% Index of beginning data: ", "% Index of ending data: ".
void appendCountLines(std::string &out, const Analysis &record);

// Reads header lines by position: each value is the line with the length of its key cut
// off, without comparing the key. Conversion failures and a header cut short throw
// ConvertError with the line number in front of the message.
class HeaderReader {
public:
    HeaderReader(const TextLines &lines, std::size_t firstLine) : lines_(lines), next_(firstLine) {}

    void skip();
    std::string text(std::size_t keyLength);
    double real(std::size_t keyLength);
    int integer(std::size_t keyLength);
    std::size_t nextLine() const { return next_; }

private:
    std::string_view take(std::size_t keyLength);

    const TextLines &lines_;
    std::size_t next_;
};

// Lines 4..16 of the measured-data header into the record.
void readSampleLines(HeaderReader &reader, Analysis &record);
// Lines 17..19 of the measured-data header into the record.
void readCountLines(HeaderReader &reader, Analysis &record);

// Reads `count` rows of blank-separated values after the header, one value per column in
// turn, into the columns. Throws ConvertError when the text ends early ("the file ends
// after i of its count <rows>") or a value is not a number (with its line number).
void readDataRows(const TextLines &lines, std::size_t firstLine, int count, std::initializer_list<std::vector<double> *> columns,
                  std::string_view rowNoun);

// The analysed range must lie inside the data: 0 <= beginning < ending <= count - 1.
// Returns an empty string when it does, otherwise what is wrong.
std::string rangeProblem(const Analysis &record);
