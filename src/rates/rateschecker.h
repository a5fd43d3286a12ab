#pragma once

#include <array>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace aethrian {

// One of the fifteen values the rates checker reads: a mark searched after the monster's record
// name, the value after a fixed skip up to a terminator, divided by a 1x reference value.
struct RateMark {
    int monster; // 0 orc grunt, 1 porta, 2 karik
    int column;  // 0 Exp, 1 Sp, 2 Adena, 3 Drop, 4 Spoil
    const char* mark;
    size_t skip;
    char terminator;
    const char* referenceDefault; // the 1x value
    const char* item;             // the drop or spoil item the reference value is for, or nullptr
};

// In the order the checker reads them.
extern const std::array<RateMark, 15> kRateMarks;
extern const std::array<const char*, 3> kRateMonsterNames;  // "[orc_grunt]", ...
extern const std::array<const char*, 3> kRateMonsterLabels; // "Orc Grunt", ...
extern const std::array<const char*, 5> kRateColumnLabels;  // "Exp", "Sp", "Adena", "Drop", "Spoil"

// The text the checker searches: the file decoded with only the two UTF-16 marks recognised,
// lines joined by CR LF.
std::string ratesWorkingText(std::string_view fileBytes);

struct RateResult {
    std::optional<std::string> text; // the rate, or "N/A"; none while the value is still to be read
    std::string tooltip;             // the raw value in display form (empty for "N/A")
};

// Runs the check over `workingText`. `references[i]` is the text of kRateMarks[i]'s reference edit;
// `result(i, r)` receives each result edit's new content as soon as it is known, so results set
// before a conversion error (which propagates) stay: a value's tooltip comes before its numbers are
// read, so a value that fails to convert still shows its raw text.
void checkRates(std::string_view workingText, const std::array<std::string, 15>& references,
                char divider, const std::function<void(size_t, const RateResult&)>& result);

// What a front end may show while a file is checked; every hook is optional.
struct RatesSteps {
    std::function<void()> reading;                         // before the file is read
    std::function<void()> decoding;                        // before it is decoded
    std::function<void(const std::string&)> decoded;       // the working text, before the check
    std::function<void(size_t, const RateResult&)> result; // as checkRates gives them
};

struct RatesRun {
    std::array<RateResult, 15> results; // each mark's last content (no text: never set)
    std::exception_ptr error;           // what ended the check part-way, or null
};

// The whole check of the npcdata file at `path`. A missing file is refused (ExpectedProblem) and
// a file that cannot be read ends it (OperationError) before anything is shown; an error of the
// check itself comes back with the results set before it.
RatesRun checkRatesFile(const std::string& path, const std::array<std::string, 15>& references,
                        char divider, const RatesSteps& steps = {});

} // namespace aethrian
