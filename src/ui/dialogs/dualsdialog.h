#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace aethrian::ui {

class TablePage;

// "Duals..." (`TForm5`): a dual weapon from two weapons of the ITEM table, appended to it. Stays
// on top without blocking the window; its texts persist.
class DualsDialog : public QDialog {
    Q_OBJECT
  public:
    DualsDialog(TablePage* itemPage, QWidget* parent);
    void Button1Click();
    void Button2Click();
    void Button3Click();

  private:
    void pick(QLineEdit* edit, QLabel* rowLabel);
    void recompute();

    TablePage* itemPage_;
    QLineEdit* main_;
    QLineEdit* second_;
    QLabel* name_;
    QLabel* mainRow_;
    QLabel* secondRow_;
    QLineEdit* id_;
    QLineEdit* grade_;
    QLineEdit* soulshots_;
    QLineEdit* spiritshots_;
};

} // namespace aethrian::ui
