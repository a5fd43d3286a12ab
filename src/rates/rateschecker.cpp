#include "rates/rateschecker.h"

#include "app/errors.h"
#include "app/numbers.h"
#include "records/textfile.h"

namespace aethrian {

const std::array<RateMark, 15> kRateMarks = {{
    {0, 0, "acquire_exp_rate=", 17, '\t', "Edit1", "4,2", "Edit17", nullptr},
    {0, 1, "acquire_sp=", 11, '\t', "Edit2", "7", "Edit18", nullptr},
    {0, 4, "rp_cedar_staff", 20, '}', "Edit5", "2,2263", "Edit21", "rp_cedar_staff"},
    {0, 2, "adena", 7, ';', "Edit4", "42", "Edit20", nullptr},
    {0, 3, "small_shield", 18, '}', "Edit3", "58,8121", "Edit19", "small_shield"},
    {1, 0, "acquire_exp_rate=", 17, '\t', "Edit10", "2,23", "Edit26", nullptr},
    {1, 1, "acquire_sp=", 11, '\t', "Edit9", "231", "Edit25", nullptr},
    {1, 4, "crafted_leather", 21, '}', "Edit6", "6,1404", "Edit22", "crafted_leather"},
    {1, 2, "adena", 7, ';', "Edit8", "493", "Edit24", nullptr},
    {1, 3, "brigandine_temper", 23, '}', "Edit7", "24,6652", "Edit23", "brigandine_temper"},
    {2, 0, "acquire_exp_rate=", 17, '\t', "Edit15", "1,2", "Edit31", nullptr},
    {2, 1, "acquire_sp=", 11, '\t', "Edit14", "583", "Edit30", nullptr},
    {2, 4, "blue_wolve's_breastplate_part", 35, '}', "Edit11", "4,4055", "Edit27",
     "blue_wolve's_breastplate_part"},
    {2, 2, "adena", 7, ';', "Edit13", "848", "Edit29", nullptr},
    {2, 3, "doom_shield", 17, '}', "Edit12", "0,1954", "Edit28", "doom_shield"},
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
            const std::string_view raw = end == std::string_view::npos ? std::string_view() : text.substr(0, end);
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

} // namespace aethrian
