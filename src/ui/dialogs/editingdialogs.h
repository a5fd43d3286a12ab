#pragma once

#include "editing/adddrop.h"
#include "editing/valuechange.h"

#include <QDialog>
#include <QHash>

class QLineEdit;
class QCheckBox;
class QRadioButton;
class QButtonGroup;
class QWidget;

namespace aethrian::ui {

class TablePage;
class Workspace;

// The top-left cell of a table page's selection (grid coordinates), or {0, 0} when none.
std::pair<size_t, size_t> selectedCell(const TablePage* page);

// "Changes" (`TForm2`): one arithmetic operation on the selected NPC cell or column. Its texts
// persist between uses; Execute closes it and runs the change on the NPC table.
class ChangesDialog : public QDialog {
    Q_OBJECT
public:
    ChangesDialog(Workspace* workspace, TablePage* npcPage, QWidget* parent);
    void openFor(bool cellScope);
    void Button1Click();
    void RadioGroup1Click();

private:
    ChangeDialog readBoxes() const;
    void writeBoxes(const ChangeDialog& d);

    Workspace* workspace_;
    TablePage* npcPage_;
    bool cellScope_ = false;
    QButtonGroup* options_;
    QWidget* panel1_;
    QWidget* panel3_;
    QLineEdit* by_;
    QLineEdit* from_;
    QLineEdit* to_;
    QLineEdit* low_;
    QLineEdit* high_;
    QCheckBox* smart_;
    QRadioButton* adenaOnly_;
};

// "Add drop to:" (`TForm3`): a new drop group for many NPCs or the selected one; not modal.
class AddDropDialog : public QDialog {
    Q_OBJECT
public:
    AddDropDialog(Workspace* workspace, TablePage* npcPage, QWidget* parent);
    void Button1Click();
    void Button2Click();
    void Button3Click();
    AddDropSettings settings() const;

private:
    QLineEdit* box(const char* name) const;
    QHash<QString, QLineEdit*> boxes_;

    Workspace* workspace_;
    TablePage* npcPage_;
};

} // namespace aethrian::ui
