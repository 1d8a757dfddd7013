// Running the built kest-batch from a test, as a user runs it from a shell.
#pragma once

#include "../engine/test_support.h"

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <vector>

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

inline std::string quote(const std::string &s) { return "'" + replaceAll(s, "'", "'\\''") + "'"; }

// Runs kest-batch with the arguments; its stderr goes through a file in dir, removed after.
inline Outcome kestBatch(const std::vector<std::string> &args, const TempDir &dir) {
    std::string command = quote(KEST_BATCH);
    for (const auto &a : args)
        command += " " + quote(a);
    const std::string errFile = dir.file(".stderr");
    command += " 2>" + quote(errFile);
    Outcome run{};
    FILE *pipe = ::popen(command.c_str(), "r");
    std::array<char, 4096> buffer{};
    while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe))
        run.out.append(buffer.data(), n);
    const int raw = ::pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.err = readBytes(errFile);
    std::filesystem::remove(errFile);
    return run;
}
