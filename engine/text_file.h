// Reading and writing the program's 8-bit text files.
#pragma once

#include "engine/status.h"

#include <string>
#include <string_view>
#include <vector>

// Reads the whole file as bytes. Fails with a message (cannot open, is a directory,
// read error).
Status readTextFile(const std::string &path, std::string &text);

// The text up to a byte 0x1A, which ends the data files as it did on the systems they
// were first written on.
std::string_view untilEndOfFileByte(std::string_view text);

// The text of a file split into lines: LF and CR LF end a line; a final line end does not
// start another line. Each line remembers where it starts so that data can be read on
// from any line.
class TextLines {
public:
    explicit TextLines(std::string_view text);

    std::size_t count() const { return lines_.size(); }
    std::string_view line(std::size_t index) const { return lines_[index]; }
    // Everything from the start of line `index` to the end of the text.
    std::string_view restFrom(std::size_t index) const;

private:
    std::string_view text_;
    std::vector<std::string_view> lines_;
    std::vector<std::size_t> starts_;
};

// Blank-separated tokens (blanks, tabs and line ends alike), with their line numbers.
class TokenReader {
public:
    TokenReader(std::string_view text, std::size_t firstLineNumber);
    // False at the end of the text.
    bool next(std::string_view &token);
    std::size_t lineNumber() const { return line_; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t line_;
};

// Writes content to path through a temporary file beside it, renamed over the target when
// complete. On any failure the temporary file is removed, the target is untouched and the
// message names the reason.
Status writeFileAtomically(const std::string &path, std::string_view content);
