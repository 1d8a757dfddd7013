// Setting sample fields of the record by name from the command line.
#pragma once

#include <string>

class Analysis;

// FIELD=VALUE, FIELD one of NameOfMeasurement ... Comment (texts) or Temperature ...
// DischargeVoltage (reals). Throws UsageError for an unknown field or a bad number.
void setRecordField(Analysis &record, const std::string &setting);
