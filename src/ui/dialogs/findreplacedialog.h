#pragma once

#include "editing/findreplace.h"
#include "ui/tabletarget.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace aethrian::ui {

// Find and replace (Ctrl+H) on the table it was opened for; not modal, so the user can edit the
// table beside it. "Current column" is the column of the table's current cell when a button is
// pressed. Replace all is one undo step; the count of changed cells goes to the page's log.
class FindReplaceDialog : public QDialog {
    Q_OBJECT
  public:
    explicit FindReplaceDialog(QWidget* parent);

    // Shows the dialog for `target`, with the table's selected text as the text to find.
    void openFor(const TableTarget& target);
    const TableTarget& target() const { return target_; }

    void findNext();
    void replace();
    void replaceAll();

  private:
    // The options from the boxes, or nullopt (after a message) when there is nothing to find.
    std::optional<FindOptions> options(bool quiet = false);
    // The current cell of the target's view in grid coordinates; row 0 when there is none.
    CellPos currentCell() const;
    void updateColumnCaption();

    TableTarget target_;
    QLineEdit* find_;
    QLineEdit* replace_;
    QRadioButton* inColumn_;
    QRadioButton* everyColumn_;
    QCheckBox* wholeCell_;
    QCheckBox* matchCase_;
};

} // namespace aethrian::ui
