// Interpolated-data files (*.DIS1): the common header, the grid count and one line of
// grid time and smoothed current per grid point.
#include "engine/analysis.h"
#include "engine/errors.h"
#include "engine/file_header.h"
#include "engine/number_format.h"
#include "engine/text_file.h"

#include <algorithm>
#include <vector>

Status Analysis::WriteDIS1() const {
    const int available = std::min(InterpolatedTime.length(), InterpolatedCurrent.length());
    if (NumberOfInterpolatedData < 0 || NumberOfInterpolatedData > available)
        return Status::failure("there is no interpolated curve of " + formatInteger(NumberOfInterpolatedData) +
                                   " points to save; smooth the data first",
                               FilenameDIS1);
    std::string out;
    appendLine(out, "% Data of Interpolated Discharge Current");
    appendLine(out, "% Original file: ", FilenameOriginal);
    appendLine(out, "% DIS0 file: ", FilenameDIS0);
    appendLine(out, "% DIS1 file: ", FilenameDIS1);
    appendSampleLines(out, *this);
    appendCountLines(out, *this);
    appendLine(out, "% Number of interpolated data: ", formatInteger(NumberOfInterpolatedData));
    appendLine(out, "% Time [s]   Interpolated Current [A] ");
    for (int i = 0; i < NumberOfInterpolatedData; ++i) {
        out += formatData(InterpolatedTime[i]);
        out += "     ";
        out += formatData(InterpolatedCurrent[i]);
        out += kLineEnd;
    }
    return writeFileAtomically(FilenameDIS1, out);
}

Status Analysis::ReadDIS1() {
    const std::string path = FilenameDIS1;
    std::string text;
    if (Status s = readTextFile(path, text); !s)
        return s;
    return ReadDIS1Text(text);
}

Status Analysis::ReadDIS1Text(std::string_view text) {
    const std::string path = FilenameDIS1;

    // Only the header fields, the grid and CurrentAtEnd change; they are collected apart
    // and stored together once the whole file has been read.
    Analysis header;
    std::string original;
    std::vector<double> times, currents;
    try {
        const TextLines lines(untilEndOfFileByte(text));
        HeaderReader in(lines, 0);
        in.skip();
        original = in.text(17);
        header.FilenameDIS0 = in.text(13);
        header.FilenameDIS1 = in.text(13);
        readSampleLines(in, header);
        readCountLines(in, header);
        if (std::string problem = rangeProblem(header); !problem.empty())
            return Status::failure(problem, path);
        const int count = in.integer(31);
        if (count < 1)
            return Status::failure("the number of interpolated data is " + formatInteger(count) +
                                       "; at least 1 is needed",
                                   path);
        in.skip();

        readDataRows(lines, in.nextLine(), count, {&times, &currents}, "interpolated points");
        header.NumberOfInterpolatedData = count;
    } catch (const ConvertError &e) {
        return Status::failure(e.what(), path);
    }

    FilenameDIS0 = std::move(header.FilenameDIS0);
    FilenameDIS1 = std::move(header.FilenameDIS1);
    NameOfMeasurement = std::move(header.NameOfMeasurement);
    DateOfMeasurement = std::move(header.DateOfMeasurement);
    NameOfAnalysis = std::move(header.NameOfAnalysis);
    DateOfAnalysis = std::move(header.DateOfAnalysis);
    SampleNumber = std::move(header.SampleNumber);
    Material = std::move(header.Material);
    Comment = std::move(header.Comment);
    Temperature = header.Temperature;
    Area = header.Area;
    SampleThickness = header.SampleThickness;
    ChargeVoltage = header.ChargeVoltage;
    ChargeTime = header.ChargeTime;
    DischargeVoltage = header.DischargeVoltage;
    NumberOfData = header.NumberOfData;
    IndexOfBeginning = header.IndexOfBeginning;
    IndexOfEnding = header.IndexOfEnding;
    NumberOfInterpolatedData = header.NumberOfInterpolatedData;
    InterpolatedTime.resize(NumberOfInterpolatedData);
    InterpolatedCurrent.resize(NumberOfInterpolatedData);
    std::copy(times.begin(), times.end(), InterpolatedTime.values().begin());
    std::copy(currents.begin(), currents.end(), InterpolatedCurrent.values().begin());
    CurrentAtEnd = InterpolatedCurrent[NumberOfInterpolatedData - 1];
    FilenameOriginal = std::move(original);
    return Status::success();
}
