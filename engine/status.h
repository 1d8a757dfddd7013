// The outcome of an engine operation: success, or a message for the caller to show.
// The engine never shows anything itself; the window puts the message in its error
// box, the batch tool prints it after the path.
#pragma once

#include <string>
#include <utility>

struct Status {
    bool ok = true;
    bool cancelled = false;
    std::string path;     // the file concerned, if any
    std::string message;  // what went wrong, without the path

    static Status success() { return {}; }
    static Status failure(std::string message, std::string path = {}) {
        return {false, false, std::move(path), std::move(message)};
    }
    static Status cancel() { return {false, true, {}, "Cancelled"}; }

    explicit operator bool() const noexcept { return ok; }

    // "path: message", or the message alone when no file is concerned.
    std::string describe() const { return path.empty() ? message : path + ": " + message; }
};
