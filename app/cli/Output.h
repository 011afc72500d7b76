#pragma once

#include <string>
#include <string_view>

namespace trelvik::cli {

constexpr int kExitOk = 0;
constexpr int kExitDataError = 1;
constexpr int kExitUsage = 2;
// add and import stored the words, but could not say so: a script that tries again would store them twice.
constexpr int kExitStoredUnconfirmed = 3;

// Bytes from outside (an argument, a line of standard input, a message naming a file) as the UTF-8 text the
// program shows: a byte that is no part of a UTF-8 character becomes U+FFFD and a leading byte-order mark is
// dropped, so every message is UTF-8 whatever a file name holds.
std::string TextOf(std::string_view bytes);

// Text (UTF-8) that may hold words read from a file (a volume, the user dictionary, a word list), made safe for a
// terminal: control characters are shown as \uXXXX instead of being obeyed. The characters in kept stay.
std::string Shown(std::string_view text, std::string_view kept = {});

// The program's standard output and standard error. Output that does not arrive is a failure: the first error
// of standard output is kept, and whether words were stored decides the exit status it leads to.
class Output {
public:
    // outputError: an errno value when standard output is unusable from the start (it was closed).
    explicit Output(int outputError = 0) noexcept : m_error(outputError) {}

    // Writes bytes to standard output and pushes them out; false (the error kept) when they did not all arrive.
    bool write(std::string_view bytes);
    // "trelvik-cli: " and the message on standard error, shown safe for a terminal.
    void error(std::string_view message) const;
    // A line on standard error without the program's name, shown safe for a terminal.
    void errorLine(std::string_view text) const;
    // Says what was wrong with the command line and where help is; returns the exit status for it.
    int usage(std::string_view message) const;
    // Says, once, why standard output failed; returns the exit status for it.
    int failure();
    // Notes that the command has stored words, so that a failed confirmation is no failure to store.
    void wordsStored() noexcept { m_wordsStored = true; }
    // Whether standard output has failed.
    bool failed() const noexcept { return m_error != 0; }
    // The exit status once the command returned status: output still buffered must arrive too.
    int finish(int status);

private:
    int m_error = 0;
    bool m_failureSaid = false;
    bool m_wordsStored = false;
};

} // namespace trelvik::cli
