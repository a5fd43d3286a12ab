// The editor's row filter on a loaded 20,000-record NPC table: the matching alone for each kind of
// condition, then matching with the rows hidden in a table view that is never shown (nothing is
// painted). Built only with the editor (it needs Qt); each run creates its own application in the
// measuring child.
#ifdef AETHRIAN_BENCH_UI

#include "datagen.h"
#include "harness.h"
#include "suites.h"

#include "records/tableio.h"
#include "ui/models/rowfilter.h"
#include "ui/models/tablemodel.h"
#include "ui/widgets/tableview.h"

#include <QApplication>

#include <cstdlib>
#include <functional>
#include <memory>

namespace aethrian::bench {

void runFilterSuite(const std::string& dir) {
    using ui::FilterCondition;
    using Test = FilterCondition::Test;
    const size_t records = 20000;
    const std::string path =
        writeGenerated(dir, "npcdata_filter.txt", generateNpcData(records, 10000, 42));
    Table table;
    std::unique_ptr<QApplication> app;
    std::unique_ptr<ui::TableModel> model;
    std::unique_ptr<ui::TableView> view;
    const auto load = [&] {
        LoadTableFile(path, kNpcKind, table);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        static int argc = 1;
        static char name[] = "aethrian-bench";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
        model = std::make_unique<ui::TableModel>(table);
        view = std::make_unique<ui::TableView>();
        view->setModel(model.get());
        view->setFreezeEnabled(true);
        view->resize(1200, 800);
    };
    const auto run = [&](const char* label, const std::vector<FilterCondition>& conditions,
                         bool hide) {
        printRow(label, records, 0,
                 measure(load,
                         [&] {
                             ui::RowFilter filter(table);
                             const std::vector<char> shown = filter.match(conditions, true);
                             if (hide)
                                 view->showRows(&shown);
                         }),
                 0);
    };
    const auto one = [](int column, Test test, const char* text) {
        return std::vector<FilterCondition>{{column, test, QString::fromLatin1(text), {}}};
    };
    run("filter: level > 60", one(4, Test::Greater, "60"), false);
    run("filter: level between 20 and 40",
        {{4, Test::Between, QStringLiteral("20"), QStringLiteral("40")}}, false);
    run("filter: Name contains (any case)", one(1, Test::Contains, "NPC_1"), false);
    run("filter: Name regular expression", one(1, Test::Regex, "^npc_1[0-9]*5$"), false);
    run("filter: all columns contain", one(FilterCondition::kAnyColumn, Test::Contains, "SWORD"),
        false);
    run("filter: all columns, reg. expr.",
        one(FilterCondition::kAnyColumn, Test::Regex, "sword_?[0-9]+"), false);
    run("filter: all columns, a number", one(FilterCondition::kAnyColumn, Test::Greater, "1e6"),
        false);
    run("filter: level > 60, rows hidden", one(4, Test::Greater, "60"), true);
    run("filter: any col regex, rows hidden",
        one(FilterCondition::kAnyColumn, Test::Regex, "sword_?[0-9]+"), true);
}

} // namespace aethrian::bench

#endif
