// The subcommands of kest-batch. Each takes the arguments after its name and returns the
// exit status; errors are thrown as UsageError or InputError.
#pragma once

#include "cli/command_line.h"

#include <string>
#include <utility>

class Analysis;

int runImportCommand(Arguments &args);
int runSmoothCommand(Arguments &args);
int runSignalCommand(Arguments &args);
int runSweepCommand(Arguments &args);
int runRunCommand(Arguments &args);

// Shared by the subcommands that start from raw column text.
// "T,C" with columns 1..9.
std::pair<int, int> parseColumns(const std::string &text);
// Reads a raw column file into the record (cleared first), with FilenameOriginal set to its
// absolute path. Throws InputError.
void importMeasurement(const std::string &rawPath, std::pair<int, int> columns, Analysis &record);
