#pragma once

#include <QTableView>

#include <vector>

namespace aethrian::ui {

// The view of the data tables. Its leading columns (the margin and whichever of Name, Type and ID
// follow it) can stay in place while the table scrolls sideways, as a spreadsheet's frozen panes:
// a second view over the same model and selection lies on the left edge and shows only those
// columns, always with the same rows, row heights, column widths and vertical scroll as this view.
// The second view exists from the start, so it follows every model change before anyone else.
class TableView : public QTableView {
    Q_OBJECT
  public:
    explicit TableView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    void setSelectionModel(QItemSelectionModel* selectionModel) override;

    // Off until a page turns it on (editor and comparison tables do).
    void setFreezeEnabled(bool on);
    bool freezeEnabled() const { return freeze_; }
    // The view over the frozen columns (its object name is this view's + "Frozen").
    QTableView* frozenView() const { return frozen_; }
    // How many leading columns stay in place; 0 when the table has none of Name, Type and ID.
    int frozenColumnCount() const { return frozenCount_; }

    // Shows only the data rows whose flag in `shown` is set (indexed by table row: entry 0 is the
    // header row, so view row r is entry r + 1), or every row when `shown` is null. Both views
    // change together and only rows whose state changes are touched.
    void showRows(const std::vector<char>* shown);

    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void updateGeometries() override;

  private:
    void updateFrozenColumns();
    void updateFrozenGeometry();
    bool frozenShown() const { return freeze_ && frozenCount_ > 0; }
    int frozenWidth() const;

    QTableView* frozen_;
    bool freeze_ = false;
    int frozenCount_ = 0;
};

} // namespace aethrian::ui
