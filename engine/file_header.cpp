#include "engine/file_header.h"

#include "engine/analysis.h"
#include "engine/errors.h"
#include "engine/number_format.h"
#include "engine/text_file.h"

void appendLine(std::string &out, std::string_view text) {
    out += text;
    out += kLineEnd;
}

void appendLine(std::string &out, std::string_view key, std::string_view value) {
    out += key;
    out += value;
    out += kLineEnd;
}

void appendSampleLines(std::string &out, const Analysis &r) {
    appendLine(out, "% Name of measurement: ", r.NameOfMeasurement);
    appendLine(out, "% Date of measurement: ", r.DateOfMeasurement);
    appendLine(out, "% Name of analysis: ", r.NameOfAnalysis);
    appendLine(out, "% Date of Analysis: ", r.DateOfAnalysis);
    appendLine(out, "% Sample number: ", r.SampleNumber);
    appendLine(out, "% Material: ", r.Material);
    appendLine(out, "% Measurement temperature [K]: ", formatGeneral(r.Temperature));
    appendLine(out, "% Junction area [mm^2]: ", formatGeneral(r.Area));
    appendLine(out, "% Sample thickness [nm]: ", formatGeneral(r.SampleThickness));
    appendLine(out, "% Charge voltage [V]: ", formatGeneral(r.ChargeVoltage));
    appendLine(out, "% Charging time [s]: ", formatGeneral(r.ChargeTime));
    appendLine(out, "% Discharge voltage [V]: ", formatGeneral(r.DischargeVoltage));
    appendLine(out, "% ", r.Comment);
}

void appendCountLines(std::string &out, const Analysis &r) {
    appendLine(out, "% Number of data: ", formatInteger(r.NumberOfData));
    appendLine(out, "% Index of beginning data: ", formatInteger(r.IndexOfBeginning));
    appendLine(out, "% Index of ending data: ", formatInteger(r.IndexOfEnding));
}

void HeaderReader::skip() { (void)take(0); }

std::string_view HeaderReader::take(std::size_t keyLength) {
    if (next_ >= lines_.count())
        throw ConvertError("line " + std::to_string(next_ + 1) + ": the file ends inside its header");
    const std::string_view line = lines_.line(next_++);
    return line.size() > keyLength ? line.substr(keyLength) : std::string_view{};
}

std::string HeaderReader::text(std::size_t keyLength) { return std::string(take(keyLength)); }

double HeaderReader::real(std::size_t keyLength) {
    const std::string_view value = take(keyLength);
    try {
        return parseReal(value);
    } catch (const ConvertError &e) {
        throw ConvertError("line " + std::to_string(next_) + ": " + e.what());
    }
}

int HeaderReader::integer(std::size_t keyLength) {
    const std::string_view value = take(keyLength);
    try {
        return parseInteger(value);
    } catch (const ConvertError &e) {
        throw ConvertError("line " + std::to_string(next_) + ": " + e.what());
    }
}

void readSampleLines(HeaderReader &in, Analysis &r) {
    r.NameOfMeasurement = in.text(23);
    r.DateOfMeasurement = in.text(23);
    r.NameOfAnalysis = in.text(20);
    r.DateOfAnalysis = in.text(20);
    r.SampleNumber = in.text(17);
    r.Material = in.text(12);
    r.Temperature = in.real(31);
    r.Area = in.real(24);
    r.SampleThickness = in.real(25);
    r.ChargeVoltage = in.real(22);
    r.ChargeTime = in.real(21);
    r.DischargeVoltage = in.real(25);
    r.Comment = in.text(2);
}

void readCountLines(HeaderReader &in, Analysis &r) {
    r.NumberOfData = in.integer(18);
    r.IndexOfBeginning = in.integer(27);
    r.IndexOfEnding = in.integer(24);
}

void readDataRows(const TextLines &lines, std::size_t firstLine, int count, std::initializer_list<std::vector<double> *> columns,
                  std::string_view rowNoun) {
    TokenReader tokens(lines.restFrom(firstLine), firstLine + 1);
    for (int i = 0; i < count; ++i) {
        for (std::vector<double> *column : columns) {
            std::string_view token;
            if (!tokens.next(token))
                throw ConvertError("the file ends after " + formatInteger(i) + " of its " + formatInteger(count) + " " +
                                   std::string(rowNoun));
            double value = 0.0;
            if (!parseDataToken(token, value))
                throw ConvertError("line " + std::to_string(tokens.lineNumber()) + ": '" + std::string(token) +
                                   "' is not a valid floating point value");
            column->push_back(value);
        }
    }
}

std::string rangeProblem(const Analysis &r) {
    if (r.NumberOfData < 0)
        return "the number of data is negative (" + formatInteger(r.NumberOfData) + ")";
    if (r.NumberOfData < 2)
        return "the file holds " + formatInteger(r.NumberOfData) + " data points; at least 2 are needed";
    if (r.IndexOfBeginning < 0 || r.IndexOfBeginning >= r.IndexOfEnding || r.IndexOfEnding > r.NumberOfData - 1)
        return "the analysed range " + formatInteger(r.IndexOfBeginning) + " to " + formatInteger(r.IndexOfEnding) +
               " does not lie inside the " + formatInteger(r.NumberOfData) +
               " data points (0 <= beginning < ending <= " + formatInteger(r.NumberOfData - 1) + ")";
    return {};
}
