// kest-batch import RAW --columns T,C [--set FIELD=VALUE]... -o OUT.DIS0
#include "cli/commands.h"
#include "cli/record_fields.h"

#include "engine/analysis.h"
#include "engine/text_file.h"

#include <iostream>

std::pair<int, int> parseColumns(const std::string &text) {
    const auto comma = text.find(',');
    if (comma == std::string::npos)
        throw UsageError("--columns takes two column numbers, time and current, as T,C");
    const int time = integerOption("--columns", text.substr(0, comma));
    const int current = integerOption("--columns", text.substr(comma + 1));
    if (time < 1 || time > 9 || current < 1 || current > 9)
        throw UsageError("--columns: columns are numbered 1 to 9");
    return {time, current};
}

void importMeasurement(const std::string &rawPath, std::pair<int, int> columns, Analysis &record) {
    std::string text;
    if (Status s = readTextFile(rawPath, text); !s)
        throw InputError(rawPath, s.message);
    record.Clear();
    if (Status s = record.ImportText(text, columns.first, columns.second); !s)
        throw InputError(rawPath, s.message);
    FilenameOriginal = absolutePath(rawPath);
}

int runImportCommand(Arguments &args) {
    const auto columns = args.value("--columns");
    if (!columns)
        throw UsageError("import needs --columns T,C");
    const auto output = args.value("-o");
    if (!output)
        throw UsageError("import needs -o OUT.DIS0");
    const std::vector<std::string> settings = args.values("--set");
    const std::string raw = args.positionals(1).front();
    const auto chosen = parseColumns(*columns);
    Analysis scratch;
    for (const std::string &setting : settings)
        setRecordField(scratch, setting);  // misuse is reported before any file is touched
    refuseToOverwrite(*output, {raw});

    Analysis &record = C;
    importMeasurement(raw, chosen, record);
    for (const std::string &setting : settings)
        setRecordField(record, setting);
    record.FilenameDIS0 = absolutePath(*output);
    if (Status s = record.WriteDIS0(); !s)
        throw InputError(*output, s.message);
    std::cout << "imported " << record.NumberOfData << " points from " << raw << " (time column " << chosen.first
              << ", current column " << chosen.second << ") into " << record.FilenameDIS0 << "\n";
    return 0;
}
