// Small helpers shared by the engine tests: a private temporary folder and whole-file I/O.
#pragma once

#include "engine/analysis.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

class TempDir {
public:
    TempDir() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() / ("kest-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    std::string file(const std::string &name) const { return (path_ / name).string(); }
    const std::filesystem::path &path() const { return path_; }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(path_), {}));
    }

private:
    std::filesystem::path path_;
};

inline std::string readBytes(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeBytes(const std::string &path, const std::string &bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::string replaceAll(std::string text, const std::string &from, const std::string &to) {
    for (std::size_t pos = 0; (pos = text.find(from, pos)) != std::string::npos; pos += to.size())
        text.replace(pos, from.size(), to);
    return text;
}

inline std::string testData(const std::string &name) { return std::string(KEST_TEST_DATA) + "/" + name; }

// The sample information, counts and range of the golden files in tests/data, on a
// cleared record.
inline Analysis goldenSample() {
    Analysis r;
    r.Clear();
    r.NameOfMeasurement = "K. Sato";
    r.DateOfMeasurement = "2006/11/16";
    r.NameOfAnalysis = "T. Mori";
    r.DateOfAnalysis = "2007/01/28";
    r.SampleNumber = "RT1";
    r.Material = "pentacene";
    r.Temperature = 293.15;
    r.Area = 0.785;
    r.SampleThickness = 45.5;
    r.ChargeVoltage = 5;
    r.ChargeTime = 1800;
    r.DischargeVoltage = -0.5;
    r.Comment = "note: a, b  c";
    r.NumberOfData = 4;
    r.IndexOfBeginning = 1;
    r.IndexOfEnding = 3;
    return r;
}
