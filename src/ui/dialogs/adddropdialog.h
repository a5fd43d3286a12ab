#pragma once

#include "editing/adddrop.h"

#include <QDialog>
#include <QHash>

class QLineEdit;
class QWidget;

namespace aethrian::ui {

class TablePage;
class Workspace;

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
