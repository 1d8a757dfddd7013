// kest-batch: the analysis of discharge-current transients from the command line, on the
// same engine as the desktop application.
#include "cli/commands.h"

#include "engine/analysis.h"

#include <cstring>
#include <exception>
#include <functional>
#include <iostream>
#include <map>

namespace {

constexpr const char *kUsage =
    "usage: kest-batch COMMAND [OPTIONS]\n"
    "\n"
    "commands:\n"
    "  import RAW --columns T,C [--set FIELD=VALUE]... -o OUT.DIS0\n"
    "      convert a text file with numeric columns (T: time, C: current, 1..9) into a\n"
    "      measured-data file; --set overrides a sample field (NameOfMeasurement ...\n"
    "      Comment, Temperature ... DischargeVoltage)\n"
    "\n"
    "  smooth IN.DIS0 [--smoothness L] [--range B:E] [--weight B:E=W]... -o OUT.DIS1\n"
    "         [--dis0 OUT.DIS0]\n"
    "      smooth the measurement (default smoothness 0.001) over points B..E, with\n"
    "      reliability W for points B..E (applied in the order given); --dis0 also saves\n"
    "      the measurement and names it in the interpolated-data file\n"
    "\n"
    "  signal IN.DIS1 --eref E [--analysis 1|2] [--peak1 I] [--peak2 I] -o OUT\n"
    "      KEST signal of analysis 1 (*.KEST0, the default) or 2 (*.KEST1) at e_ref E;\n"
    "      both peaks are marked on the signal's maximum, or on grid index I, and\n"
    "      evaluated as single traps\n"
    "\n"
    "  sweep IN.DIS1 -o PREFIX\n"
    "      the positive, negative and combined e_ref sweeps into PREFIX.ErefP,\n"
    "      PREFIX.ErefN and PREFIX.Eref\n"
    "\n"
    "  run INPUT [--columns T,C] [--smoothness L] [--range B:E] [--eref1 E] [--eref2 E]\n"
    "      [--no-sweeps] --out-dir DIR\n"
    "      the whole analysis of a *.DIS0 file (or, with --columns, a raw column file)\n"
    "      into DIR/NAME.DIS0, .DIS1, .KEST0 (analysis 1 at --eref1, default 0), .KEST1\n"
    "      (with --eref2) and .ErefP, .ErefN, .Eref (unless --no-sweeps)\n"
    "\n"
    "  kest-batch --help | --version\n"
    "\n"
    "Exit status: 0 success, 1 input or analysis error, 2 usage error.\n";

}  // namespace

int main(int argc, char **argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::cerr << kUsage;
        return 2;
    }
    if (args[0] == "--help" || args[0] == "-h") {
        std::cout << kUsage;
        return 0;
    }
    if (args[0] == "--version") {
        std::cout << "kest-batch " << kVersionText << "\n";
        return 0;
    }

    const std::map<std::string, std::function<int(Arguments &)>> commands = {
        {"import", runImportCommand}, {"smooth", runSmoothCommand}, {"signal", runSignalCommand},
        {"sweep", runSweepCommand},   {"run", runRunCommand},
    };
    const auto command = commands.find(args[0]);
    if (command == commands.end()) {
        std::cerr << "kest-batch: unknown command '" << args[0] << "'\n" << kUsage;
        return 2;
    }
    Arguments rest(std::vector<std::string>(args.begin() + 1, args.end()));
    if (rest.flag("--help") || rest.flag("-h")) {
        std::cout << kUsage;
        return 0;
    }
    C.Version = kVersionText;
    try {
        return command->second(rest);
    } catch (const UsageError &e) {
        std::cerr << "kest-batch: " << e.what() << "\n" << kUsage;
        return 2;
    } catch (const InputError &e) {
        std::cerr << "kest-batch: " << e.path() << ": " << e.what() << "\n";
        return 1;
    } catch (const std::exception &e) {
        std::cerr << "kest-batch: " << args[0] << ": " << e.what() << "\n";
        return 1;
    }
}
