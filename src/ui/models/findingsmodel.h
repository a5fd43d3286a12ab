#pragma once

#include "lint/lint.h"

#include <QAbstractTableModel>

#include <vector>

namespace aethrian::ui {

// The findings of the whole-server check as rows: check, file, line, record, message.
class FindingsModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;
    void setFindings(std::vector<Finding> findings);
    const std::vector<Finding>& findings() const { return findings_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::vector<Finding> findings_;
};

} // namespace aethrian::ui
