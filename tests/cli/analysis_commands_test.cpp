// kest-batch smooth, signal, sweep and run: what they write, what they refuse, and that a
// refused command leaves no file behind.
#include "kest_batch_support.h"

#include "engine/analysis.h"
#include "engine/number_format.h"
#include "engine/physics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <sstream>

namespace {

double trapCurrent(double nt, double et, double t) {
    return kElementaryCharge_C * kAreaFactor_cm2PerMm2 * nt * et * std::exp(-et * t) + 1e-13;
}

// A measured single trap (1 mm^2), 10 points per decade from 1 ms over `decades`, saved under
// `stored` (the path its header names) and then moved to `path`.
void writeMeasurement(const std::string &path, const std::string &stored, double decades = 4.0) {
    Analysis r;
    r.Clear();
    r.Material = "pentacene";
    const int count = static_cast<int>(decades * 10) + 1;
    for (int k = 0; k < count; ++k) {
        const double t = std::pow(10.0, -3.0 + k / 10.0);
        r.Time.push_back(t);
        r.Current.push_back(trapCurrent(1e12, 2.0, t));
        r.Reliability.push_back(1.0);
    }
    r.NumberOfData = count;
    r.IndexOfEnding = count - 1;
    r.FilenameDIS0 = stored;
    FilenameOriginal = "/lab/raw/trap.txt";
    ASSERT_TRUE(r.WriteDIS0());
    std::filesystem::rename(stored, path);
}

// The interpolated curve of the same trap on `m` grid points from 1 ms.
void writeInterpolation(const std::string &path, int m, bool flat = false) {
    Analysis r;
    r.Clear();
    r.NumberOfData = 2;
    r.IndexOfEnding = 1;
    r.NumberOfInterpolatedData = m;
    r.InterpolatedTime.resize(m);
    r.InterpolatedCurrent.resize(m);
    for (int g = 0; g < m; ++g) {
        r.InterpolatedTime[g] = std::pow(10.0, -3.0 + g * 0.001);
        r.InterpolatedCurrent[g] = flat ? 1e-12 : trapCurrent(1e12, 2.0, r.InterpolatedTime[g]);
    }
    r.FilenameDIS0 = "/lab/dis/trap.DIS0";
    r.FilenameDIS1 = path;
    FilenameOriginal = "/lab/raw/trap.txt";
    ASSERT_TRUE(r.WriteDIS1());
}

std::vector<std::string> lines(const std::string &text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        out.push_back(text.substr(start, end - start));
    return out;
}

std::string headerValue(const std::string &path, const std::string &key) {
    for (const std::string &line : lines(readBytes(path)))
        if (line.rfind(key, 0) == 0)
            return line.substr(key.size());
    return "(missing " + key + ")";
}

std::set<std::string> filesIn(const std::filesystem::path &dir) {
    std::set<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(dir))
        names.insert(entry.path().filename().string());
    return names;
}

TEST(SmoothCommand, AppliesRangeAndWeightsAndNamesTheSavedMeasurement) {
    TempDir dir;
    const std::string in = dir.file("in.DIS0");
    writeMeasurement(in, dir.file("stored.DIS0"));
    const std::string out = dir.file("out.DIS1"), dis0 = dir.file("out.DIS0");
    const Outcome r = kestBatch({"smooth", in, "--smoothness", "0.01", "--range", "2:38", "--weight", "5:7=0",
                                 "--weight", "6:6=0.5", "-o", out, "--dis0", dis0},
                                dir);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("smoothed points 2 to 38"), std::string::npos) << r.out;

    const std::vector<std::string> measurement = lines(readBytes(dis0));
    EXPECT_EQ(measurement[2], "% DIS0 file: " + dis0);
    EXPECT_EQ(measurement[17], "% Index of beginning data: 2");
    EXPECT_EQ(measurement[18], "% Index of ending data: 38");
    EXPECT_EQ(measurement[20 + 5].substr(measurement[25].size() - 6), "     0");
    EXPECT_EQ(measurement[20 + 6].substr(measurement[26].size() - 8), "     0.5");
    EXPECT_EQ(measurement[20 + 7].substr(measurement[27].size() - 6), "     0");

    // The curve is the engine's own smoothing of the same choices.
    Analysis expected;
    expected.FilenameDIS0 = dis0;
    ASSERT_TRUE(expected.ReadDIS0());
    expected.Smoothness = 0.01;
    ASSERT_TRUE(expected.CalculateSmoothing());
    Analysis written;
    written.FilenameDIS1 = out;
    ASSERT_TRUE(written.ReadDIS1());
    EXPECT_EQ(written.FilenameDIS0, dis0);
    EXPECT_EQ(written.FilenameDIS1, out);
    ASSERT_EQ(written.NumberOfInterpolatedData, expected.NumberOfInterpolatedData);
    for (int g = 0; g < written.NumberOfInterpolatedData; g += 250)
        EXPECT_EQ(formatData(written.InterpolatedCurrent[g]), formatData(expected.InterpolatedCurrent[g])) << g;

    // Without --dis0 the interpolation names the measurement as its file does.
    ASSERT_EQ(kestBatch({"smooth", in, "-o", out}, dir).status, 0);
    EXPECT_EQ(headerValue(out, "% DIS0 file: "), dir.file("stored.DIS0"));
}

TEST(SignalCommand, MarksTheMaximumOrTheGivenIndexAndEvaluatesBothPeaks) {
    TempDir dir;
    const std::string in = dir.file("trap.DIS1");
    writeInterpolation(in, 4001);
    const std::string kest0 = dir.file("x.KEST0");
    Outcome r = kestBatch({"signal", in, "--eref", "0", "-o", kest0}, dir);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("analysis 1 at e_ref 0 s^-1\n", 0), 0u) << r.out;
    EXPECT_NEAR(std::stod(headerValue(kest0, "% Emission rate1 [s^-1]: ")), 2.0, 0.01);
    EXPECT_NEAR(std::stod(headerValue(kest0, "% Trap density1 [cm^-2]: ")), 1e12, 1e7);
    EXPECT_EQ(headerValue(kest0, "% Trap density2 [cm^-2]: "), headerValue(kest0, "% Trap density1 [cm^-2]: "));
    EXPECT_EQ(headerValue(kest0, "% KEST0 file: "), kest0);
    EXPECT_EQ(lines(readBytes(kest0)).size(), 32u + 4001u);

    const std::string kest1 = dir.file("y.KEST1");
    r = kestBatch({"signal", in, "--eref", "0.5", "--analysis", "2", "--peak2", "1000", "-o", kest1}, dir);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(headerValue(kest1, "% e_ref [s^-1]: "), "0.5");
    EXPECT_EQ(headerValue(kest1, "% Peak time2 [s]: "), "0.01");
    EXPECT_NEAR(std::stod(headerValue(kest1, "% Peak time1 [s]: ")), 1.0 / 2.5, 0.001);
    EXPECT_EQ(headerValue(kest1, "% KEST0 file: "), "");
    EXPECT_EQ(headerValue(kest1, "% KEST1 file: "), kest1);
}

TEST(SweepCommand, WritesTheThreeSweepFilesAfterThePrefix) {
    TempDir dir;
    const std::string in = dir.file("short.DIS1");
    writeInterpolation(in, 351);  // too short for any maximum to be accepted: quick
    const Outcome r = kestBatch({"sweep", in, "-o", dir.file("res")}, dir);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");  // no progress line when stderr is not a terminal
    const struct {
        const char *ext, *title;
    } files[] = {{".ErefP", "% Result of KEST with positive e_ref"},
                 {".ErefN", "% Result of KEST with negative e_ref"},
                 {".Eref", "% Result of KEST with e_ref"}};
    for (const auto &f : files) {
        const std::string path = dir.file(std::string("res") + f.ext);
        const std::vector<std::string> text = lines(readBytes(path));
        ASSERT_EQ(text.size(), 19u) << f.ext;
        EXPECT_EQ(text[0], f.title);
        EXPECT_EQ(text[4], std::string("% ") + (f.ext + 1) + " file: " + path);
    }
}

TEST(RunCommand, TakesARawMeasurementThroughTheWholeAnalysis) {
    TempDir dir;
    const std::string raw = dir.file("trap run.txt");
    std::ostringstream text;
    for (int k = 0; k <= 40; ++k) {
        const double t = std::pow(10.0, -3.0 + k / 10.0);
        text << formatData(t) << "\t" << formatData(-trapCurrent(1e12, 2.0, t)) << "\r\n";
    }
    writeBytes(raw, text.str());
    const std::filesystem::path out = dir.path() / "results" / "new";
    const Outcome r = kestBatch({"run", raw, "--columns", "1,2", "--eref2", "0.1", "--no-sweeps", "--out-dir", out.string()},
                                dir);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(filesIn(out), (std::set<std::string>{"trap run.DIS0", "trap run.DIS1", "trap run.KEST0", "trap run.KEST1"}));
    const std::string base = (out / "trap run").string();
    EXPECT_EQ(headerValue(base + ".DIS0", "% Original file: "), raw);
    EXPECT_EQ(headerValue(base + ".DIS1", "% DIS0 file: "), base + ".DIS0");
    EXPECT_EQ(headerValue(base + ".KEST1", "% KEST0 file: "), base + ".KEST0");
    EXPECT_EQ(headerValue(base + ".KEST1", "% e_ref [s^-1]: "), "0.1");
    EXPECT_NEAR(std::stod(headerValue(base + ".KEST0", "% Emission rate1 [s^-1]: ")), 2.0, 0.02);
    EXPECT_NEAR(std::stod(headerValue(base + ".KEST1", "% Trap density1 [cm^-2]: ")), 1e12, 2e10);

    // With the sweeps, on a range too short for any of them to accept a value.
    const std::string dis0 = base + ".DIS0";
    const std::filesystem::path again = dir.path() / "again";
    ASSERT_EQ(kestBatch({"run", dis0, "--range", "0:4", "--out-dir", again.string()}, dir).status, 0);
    EXPECT_EQ(filesIn(again).size(), 6u);
    EXPECT_EQ(headerValue((again / "trap run.ErefN").string(), "% ErefN file: "), (again / "trap run.ErefN").string());
}

TEST(AnalysisCommands, InputAndAnalysisErrorsExitOneAndWriteNothing) {
    TempDir dir;
    const std::string dis0 = dir.file("in.DIS0"), dis1 = dir.file("in.DIS1"), flat = dir.file("flat.DIS1");
    writeMeasurement(dis0, dir.file("stored.DIS0"));
    writeInterpolation(dis1, 2001);
    writeInterpolation(flat, 2001, true);
    const std::string out = dir.file("out");
    const struct {
        std::vector<std::string> args;
        std::string path, message;
    } cases[] = {
        {{"smooth", dis0, "--smoothness", "0", "-o", out}, dis0, "smoothing: the smoothness is 0"},
        {{"smooth", dis0, "--range", "5:41", "-o", out}, dis0, "--range: the analysed range 5 to 41 does not lie inside"},
        {{"smooth", dis0, "--weight", "40:41=0", "-o", out}, dis0, "--weight 40:41=0: the points 40 to 41 do not lie"},
        {{"smooth", dis0, "--weight", "0:39=0", "-o", out, "--dis0", dir.file("out.DIS0")}, dis0,
         "smoothing: the analysed range (points 0 to 40) holds 1 point of positive reliability"},
        {{"smooth", dir.file("missing.DIS0"), "-o", out}, dir.file("missing.DIS0"), ""},
        {{"smooth", dis0, "-o", dis0}, dis0, "refusing to overwrite the input file"},
        {{"signal", dis1, "--eref", "0", "--peak1", "2001", "-o", out}, dis1,
         "--peak1 2001 lies outside the grid of 2001 points"},
        {{"signal", flat, "--eref", "0", "-o", out}, flat, "analysis 1: the KEST signal has no positive value"},
        {{"signal", dis1, "--eref", "-1e4", "-o", out}, dis1, "analysis 1: Floating point overflow"},
        {{"sweep", dis0, "-o", out}, dis0, ""},
        {{"run", dis0, "--out-dir", dir.path().string()}, dis0, "refusing to overwrite the input file"},
        {{"run", dis0, "--eref1", "-100", "--no-sweeps", "--out-dir", dir.file("new")}, dis0,
         "analysis 1: Floating point overflow"},
    };
    const std::set<std::string> before = filesIn(dir.path());
    for (const auto &c : cases) {
        const Outcome r = kestBatch(c.args, dir);
        EXPECT_EQ(r.status, 1) << c.args[0] << " " << c.args[1] << " " << c.args[3] << ": " << r.err << r.out;
        EXPECT_EQ(r.err.rfind("kest-batch: " + c.path + ": " + c.message, 0), 0u) << r.err;
        EXPECT_EQ(filesIn(dir.path()), before) << r.err;
    }
}

TEST(AnalysisCommands, MisuseExitsTwo) {
    TempDir dir;
    const std::vector<std::vector<std::string>> misuse = {
        {"smooth", "in.DIS0"},
        {"smooth", "in.DIS0", "-o", "x", "--range", "5"},
        {"smooth", "in.DIS0", "-o", "x", "--weight", "1:2"},
        {"smooth", "in.DIS0", "-o", "x", "--weight", "1:2=-1"},
        {"smooth", "in.DIS0", "-o", "x", "--weight", "3:2=1"},
        {"smooth", "in.DIS0", "-o", "x", "--smoothness", "fine"},
        {"smooth", "in.DIS0", "-o", "x", "--dis0", "x"},
        {"signal", "in.DIS1", "-o", "x"},
        {"signal", "in.DIS1", "--eref", "0", "--analysis", "3", "-o", "x"},
        {"signal", "in.DIS1", "--eref", "0", "--peak1", "top", "-o", "x"},
        {"sweep", "in.DIS1"},
        {"run", "in.DIS0"},
        {"run", "in.DIS0", "--out-dir", "d", "--columns", "1"},
        {"run", "in.DIS0", "--out-dir", "d", "--sweeps"},
    };
    for (const auto &args : misuse) {
        const Outcome r = kestBatch(args, dir);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_NE(r.err.find("usage: kest-batch"), std::string::npos);
    }
    EXPECT_EQ(dir.entries(), 0u);
}

}  // namespace
