#include "cli/record_fields.h"

#include "cli/command_line.h"
#include "engine/analysis.h"

#include <map>

void setRecordField(Analysis &r, const std::string &setting) {
    const auto equals = setting.find('=');
    if (equals == std::string::npos)
        throw UsageError("--set takes FIELD=VALUE, got '" + setting + "'");
    const std::string field = setting.substr(0, equals);
    const std::string value = setting.substr(equals + 1);

    const std::map<std::string, std::string *> texts = {
        {"NameOfMeasurement", &r.NameOfMeasurement}, {"DateOfMeasurement", &r.DateOfMeasurement},
        {"NameOfAnalysis", &r.NameOfAnalysis},       {"DateOfAnalysis", &r.DateOfAnalysis},
        {"SampleNumber", &r.SampleNumber},           {"Material", &r.Material},
        {"Comment", &r.Comment}};
    const std::map<std::string, double *> reals = {
        {"Temperature", &r.Temperature},     {"Area", &r.Area},           {"SampleThickness", &r.SampleThickness},
        {"ChargeVoltage", &r.ChargeVoltage}, {"ChargeTime", &r.ChargeTime}, {"DischargeVoltage", &r.DischargeVoltage}};

    if (auto it = texts.find(field); it != texts.end()) {
        *it->second = value;
    } else if (auto jt = reals.find(field); jt != reals.end()) {
        *jt->second = realOption("--set " + field, value);
    } else {
        throw UsageError("--set: unknown field '" + field +
                         "' (NameOfMeasurement, DateOfMeasurement, NameOfAnalysis, DateOfAnalysis, SampleNumber, "
                         "Material, Comment, Temperature, Area, SampleThickness, ChargeVoltage, ChargeTime, "
                         "DischargeVoltage)");
    }
}
