// Argument handling and error conventions shared by every kest-batch subcommand.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// Misuse of the command line: the usage is printed and the tool exits with 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A problem with an input or with the analysis: "kest-batch: <path>: <message>", exit 1.
class InputError : public std::runtime_error {
public:
    InputError(std::string path, const std::string &message) : std::runtime_error(message), path_(std::move(path)) {}
    const std::string &path() const { return path_; }

private:
    std::string path_;
};

// The arguments after the subcommand name. Options are taken out by name; what remains
// must be the expected positionals.
class Arguments {
public:
    explicit Arguments(std::vector<std::string> args) : args_(std::move(args)) {}

    bool flag(const std::string &name);
    std::optional<std::string> value(const std::string &name);
    std::vector<std::string> values(const std::string &name);
    // The remaining arguments, which must number exactly `count` and not look like options.
    std::vector<std::string> positionals(std::size_t count);

private:
    std::vector<std::string> args_;
};

std::string absolutePath(const std::string &path);

// Refuses an output that is the same file as an input.
void refuseToOverwrite(const std::string &output, const std::vector<std::string> &inputs);

double realOption(const std::string &name, const std::string &text);
int integerOption(const std::string &name, const std::string &text);
