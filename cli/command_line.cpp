#include "cli/command_line.h"

#include "engine/errors.h"
#include "engine/number_format.h"

#include <filesystem>

namespace fs = std::filesystem;

bool Arguments::flag(const std::string &name) {
    bool found = false;
    for (auto it = args_.begin(); it != args_.end();) {
        if (*it == name) {
            found = true;
            it = args_.erase(it);
        } else {
            ++it;
        }
    }
    return found;
}

std::vector<std::string> Arguments::values(const std::string &name) {
    std::vector<std::string> found;
    for (auto it = args_.begin(); it != args_.end();) {
        if (*it == name) {
            if (it + 1 == args_.end())
                throw UsageError(name + " needs a value");
            found.push_back(*(it + 1));
            it = args_.erase(it, it + 2);
        } else if (it->rfind(name + "=", 0) == 0) {
            found.push_back(it->substr(name.size() + 1));
            it = args_.erase(it);
        } else {
            ++it;
        }
    }
    return found;
}

std::optional<std::string> Arguments::value(const std::string &name) {
    std::vector<std::string> found = values(name);
    if (found.empty())
        return std::nullopt;
    if (found.size() > 1)
        throw UsageError(name + " given more than once");
    return found.front();
}

std::vector<std::string> Arguments::positionals(std::size_t count) {
    for (const std::string &a : args_)
        if (a.size() > 1 && a[0] == '-')
            throw UsageError("unknown option " + a);
    if (args_.size() != count)
        throw UsageError("expected " + std::to_string(count) + " file argument" + (count == 1 ? "" : "s") +
                         ", got " + std::to_string(args_.size()));
    return args_;
}

std::string absolutePath(const std::string &path) {
    std::error_code ec;
    fs::path absolute = fs::absolute(fs::path(path), ec);
    if (ec)
        return path;
    return absolute.lexically_normal().string();
}

void refuseToOverwrite(const std::string &output, const std::vector<std::string> &inputs) {
    for (const std::string &input : inputs) {
        std::error_code ec;
        if (absolutePath(output) == absolutePath(input) || fs::equivalent(output, input, ec))
            throw InputError(output, "refusing to overwrite the input file");
    }
}

double realOption(const std::string &name, const std::string &text) {
    try {
        return parseReal(text);
    } catch (const ConvertError &e) {
        throw UsageError(name + ": " + e.what());
    }
}

int integerOption(const std::string &name, const std::string &text) {
    try {
        return parseInteger(text);
    } catch (const ConvertError &e) {
        throw UsageError(name + ": " + e.what());
    }
}
