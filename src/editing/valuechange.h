#pragma once

#include "app/log.h"
#include "records/rowsubset.h"
#include "records/table.h"
#include "records/tableedit.h"

#include <string>
#include <string_view>

namespace aethrian {

enum class ChangeOption { None = -1, Add, Subtract, Multiply, Divide, Warp };

// The texts of the Changes dialog as the user left them. prepareChange rewrites them as Execute
// does before anything is read, so they stay the dialog's persistent texts.
struct ChangeDialog {
    ChangeOption option = ChangeOption::Multiply;
    std::string by = "1.0";      // Edit1
    std::string from = "1.0";    // Edit12
    std::string to = "1.0";      // Edit13
    std::string low = "0.1";     // Edit14
    std::string high = "1000.0"; // Edit15
    bool smart = false;
    bool adenaOnly = false;
};

struct ChangeSettings {
    ChangeOption option = ChangeOption::Multiply; // Warp already turned into Multiply
    long double factor = 1;
    bool smart = false;
    long double low = 0;
    long double high = 0;
    bool adenaOnly = false;
    char divider = ',';
};

enum class ColumnClass { Numeric, FlatList, GroupedList, Ignored };
// The class of an NPC table column, by its position (never by its header).
ColumnClass columnClass(size_t column);

// Execute's first steps: dotRem of the five texts, the Warp factor, the validation. The two
// validation messages are thrown as ExpectedProblem; a text that is not a number as OperationError.
void prepareChange(ChangeDialog& dialog, char divider);

// "Column acquire_exp_rate :: MULTIPLY by 1,0 ..." (cellRow > 0: "NPC ID <row> :: Column ...").
std::string changeHeaderLine(const ChangeDialog& dialog, size_t cellRow,
                             const std::string& columnHeader);

// The three cell rewriters. Each returns the new cell text and logs what it leaves alone.
std::string rewriteNumeric(std::string_view cell, const ChangeSettings& s, std::string_view id,
                           Log& log);
std::string rewriteFlatList(std::string_view cell, const ChangeSettings& s, std::string_view id,
                            Log& log);
std::string rewriteGroupedList(std::string_view cell, const ChangeSettings& s, std::string_view id,
                               Log& log);

// A whole run after prepareChange: logs the header line, reads the settings and plans the rewrite
// of the column (cellRow == 0) over `rows`, or the one cell. An error part-way plans nothing (the
// lines logged so far stay).
TableEdit runValueChange(const Table& table, const ChangeDialog& dialog, size_t cellRow,
                         size_t column, char divider, Log& log, const RowSubset& rows = {});

} // namespace aethrian
