#include "records/tableedit.h"

#include <gtest/gtest.h>

#include <string>

using namespace aethrian;

namespace {

Table sample() {
    Table t;
    t.setColCount(5);
    t.setCell(0, 4, "level");
    t.setRowCount(4);
    for (size_t r = 1; r < 4; ++r) {
        t.setCell(r, 1, "n" + std::to_string(r));
        t.setCell(r, 4, std::to_string(r * 10));
    }
    return t;
}

} // namespace

TEST(UndoStack, MixedEditsUndoAndRedoCellForCell) {
    Table t = sample();
    const std::string original = dumpTable(t);
    UndoStack stack;
    std::vector<std::string> snapshots{original};

    // A cell edit, a column rewrite, a sort and an appended row, each one action.
    TableEdit cell{"edit", {{1, 1, "n1", "x"}}, {}, {}};
    applyEdit(t, cell);
    stack.push(cell);
    snapshots.push_back(dumpTable(t));

    TableEdit column{
        "multiply", {{1, 4, "10", "20"}, {2, 4, "20", "40"}, {3, 4, "30", "60"}}, {}, {}};
    applyEdit(t, column);
    stack.push(column);
    snapshots.push_back(dumpTable(t));

    TableEdit sort{"sort", {}, {2, 0, 1}, {}};
    applyEdit(t, sort);
    stack.push(sort);
    snapshots.push_back(dumpTable(t));

    TableEdit add{"dual", {}, {}, {{"", "dual", "weapon", "99", "1"}}};
    applyEdit(t, add);
    stack.push(add);
    snapshots.push_back(dumpTable(t));

    for (size_t i = snapshots.size() - 1; i > 0; --i) {
        ASSERT_NE(stack.undo(t), nullptr);
        EXPECT_EQ(dumpTable(t), snapshots[i - 1]);
    }
    EXPECT_EQ(stack.undo(t), nullptr);
    for (size_t i = 1; i < snapshots.size(); ++i) {
        ASSERT_NE(stack.redo(t), nullptr);
        EXPECT_EQ(dumpTable(t), snapshots[i]);
    }
    EXPECT_FALSE(stack.canRedo());
}

TEST(UndoStack, NewActionDropsRedoAndCapacityIsBounded) {
    Table t = sample();
    UndoStack stack(3);
    for (int i = 0; i < 5; ++i) {
        TableEdit e{"edit", {{1, 4, t.cell(1, 4), std::to_string(i)}}, {}, {}};
        applyEdit(t, e);
        stack.push(e);
    }
    EXPECT_EQ(stack.size(), 3u);
    stack.undo(t);
    EXPECT_EQ(t.cell(1, 4), "3");
    TableEdit other{"edit", {{2, 4, t.cell(2, 4), "z"}}, {}, {}};
    applyEdit(t, other);
    stack.push(other);
    EXPECT_FALSE(stack.canRedo());
    stack.push(TableEdit{}); // an action that changed nothing is no step
    EXPECT_EQ(stack.size(), 3u);
}

// The table is modified exactly when the history stands away from its clean point.
TEST(UndoStack, CleanPointFollowsUndoRedoSaveAndLostHistory) {
    Table t = sample();
    UndoStack stack(3);
    const auto edit = [&](const char* text) {
        TableEdit e{"edit", {{1, 4, t.cell(1, 4), text}}, {}, {}};
        applyEdit(t, e);
        stack.push(e);
    };
    EXPECT_TRUE(stack.isClean());
    edit("a");
    edit("b");
    EXPECT_FALSE(stack.isClean());
    stack.undo(t);
    stack.undo(t);
    EXPECT_TRUE(stack.isClean()); // a full undo is the loaded table again
    stack.redo(t);
    stack.setClean(); // saved after one edit
    stack.undo(t);
    EXPECT_FALSE(stack.isClean());
    stack.redo(t);
    EXPECT_TRUE(stack.isClean());
    // A new action after undoing past the saved point drops the redo side the clean point stood on.
    stack.undo(t);
    edit("c");
    EXPECT_FALSE(stack.isClean());
    stack.undo(t);
    EXPECT_FALSE(stack.isClean());
    // A clean point pushed off the bounded history is never reached again.
    stack.clear();
    EXPECT_TRUE(stack.isClean());
    for (const char* text : {"1", "2", "3", "4"})
        edit(text);
    while (stack.canUndo())
        stack.undo(t);
    EXPECT_FALSE(stack.isClean());
}
