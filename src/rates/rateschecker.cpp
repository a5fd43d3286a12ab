#include "rates/rateschecker.h"

#include "app/errors.h"
#include "app/numbers.h"
#include "records/textfile.h"

namespace aethrian {

const std::array<RateMark, 15> kRateMarks = {{
    {0, 0, "acquire_exp_rate=", 17, '\t', "4,2", nullptr},
    {0, 1, "acquire_sp=", 11, '\t', "7", nullptr},
    {0, 4, "rp_cedar_staff", 20, '}', "2,2263", "rp_cedar_staff"},
    {0, 2, "adena", 7, ';', "42", nullptr},
    {0, 3, "small_shield", 18, '}', "58,8121", "small_shield"},
    {1, 0, "acquire_exp_rate=", 17, '\t', "2,23", nullptr},
    {1, 1, "acquire_sp=", 11, '\t', "231", nullptr},
    {1, 4, "crafted_leather", 21, '}', "6,1404", "crafted_leather"},
    {1, 2, "adena", 7, ';', "493", nullptr},
    {1, 3, "brigandine_temper", 23, '}', "24,6652", "brigandine_temper"},
    {2, 0, "acquire_exp_rate=", 17, '\t', "1,2", nullptr},
    {2, 1, "acquire_sp=", 11, '\t', "583", nullptr},
    {2, 4, "blue_wolve's_breastplate_part", 35, '}', "4,4055", "blue_wolve's_breastplate_part"},
    {2, 2, "adena", 7, ';', "848", nullptr},
    {2, 3, "doom_shield", 17, '}', "0,1954", "doom_shield"},
}};

const std::array<const char*, 3> kRateMonsterNames = {"[orc_grunt]", "[porta]", "[karik]"};
const std::array<const char*, 3> kRateMonsterLabels = {"Orc Grunt", "Porta", "Karik"};
const std::array<const char*, 5> kRateColumnLabels = {"Exp", "Sp", "Adena", "Drop", "Spoil"};

std::string ratesWorkingText(std::string_view fileBytes) {
    const TextLines lines = splitRecordLines(decodeTextUtf16MarksOnly(fileBytes).text);
    std::string out;
    out.reserve(lines.text().size() + 2 * lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        out += lines[i];
        out += "\r\n";
    }
    return out;
}

namespace {

long double divide(long double value, long double reference) {
    if (reference == 0)
        throw OperationError(value == 0 ? "Invalid floating point operation"
                                        : "Floating point division by zero");
    return value / reference;
}

} // namespace

void checkRates(std::string_view text, const std::array<std::string, 15>& references, char divider,
                const std::function<void(size_t, const RateResult&)>& result) {
    size_t i = 0;
    for (int monster = 0; monster < 3; ++monster) {
        const size_t first = i;
        while (i < kRateMarks.size() && kRateMarks[i].monster == monster)
            ++i;
        const size_t at = text.find(kRateMonsterNames[static_cast<size_t>(monster)]);
        if (at == std::string_view::npos) {
            result(first, {"N/A", {}}); // the Exp edit; the others keep what they held
            continue;
        }
        text.remove_prefix(at);
        for (size_t m = first; m < i; ++m) {
            const RateMark& mark = kRateMarks[m];
            const size_t pos = text.find(mark.mark);
            // A mark missing from the rest of the text has no value: say so and keep the
            // working text where it is, instead of reading from a meaningless place.
            if (pos == std::string_view::npos || pos + mark.skip > text.size()) {
                result(m, {"N/A", {}});
                continue;
            }
            text.remove_prefix(pos + mark.skip);
            const size_t end = text.find(mark.terminator);
            const std::string_view raw =
                end == std::string_view::npos ? std::string_view() : text.substr(0, end);
            RateResult r;
            r.tooltip = dotRem(raw, divider);
            result(m, r);
            const long double reference = readNumber(references[m], divider);
            const long double value = parseFloat(r.tooltip, divider);
            r.text = formatGeneral(divide(value, reference), 10, divider);
            result(m, r);
        }
    }
}

RatesRun checkRatesFile(const std::string& path, const std::array<std::string, 15>& references,
                        char divider, const RatesSteps& steps) {
    if (!fileExists(path))
        throw ExpectedProblem("Error: file doesn't exists!");
    if (steps.reading)
        steps.reading();
    const std::string bytes = readFileBytes(path);
    if (steps.decoding)
        steps.decoding();
    const std::string text = ratesWorkingText(bytes);
    if (steps.decoded)
        steps.decoded(text);
    RatesRun run;
    try {
        checkRates(text, references, divider, [&](size_t i, const RateResult& r) {
            if (r.text)
                run.results[i].text = r.text;
            run.results[i].tooltip = r.tooltip;
            if (steps.result)
                steps.result(i, r);
        });
    } catch (const std::exception&) {
        run.error = std::current_exception();
    }
    return run;
}

} // namespace aethrian
