#pragma once

#include "editing/valuechange.h"

#include <QDialog>

class QLineEdit;
class QCheckBox;
class QRadioButton;
class QButtonGroup;
class QWidget;

namespace aethrian::ui {

class TablePage;
class Workspace;

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

} // namespace aethrian::ui
