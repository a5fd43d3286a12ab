#include "ui/models/findingsmodel.h"

#include "ui/pages/clientitempage.h"
#include "app/errors.h"
#include "lint/lintreport.h"
#include "records/table.h"
#include "ui/mainwindow.h"
#include "ui/messages.h"
#include "ui/models/tablemodel.h"
#include "ui/pages/panepage.h"

#include "ui/pages/tablepage.h"
#include "ui/widgets/busybutton.h"
#include "ui/widgets/loglist.h"
#include "ui/widgets/pathbox.h"

namespace aethrian::ui {

namespace {

enum Column { Check, File, Line, Record, Message, ColumnCount };

QString q(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

void FindingsModel::setFindings(std::vector<Finding> findings) {
    beginResetModel();
    findings_ = std::move(findings);
    endResetModel();
}

int FindingsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(findings_.size());
}

int FindingsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FindingsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole ||
        static_cast<size_t>(index.row()) >= findings_.size())
        return {};
    const Finding& f = findings_[static_cast<size_t>(index.row())];
    switch (index.column()) {
    case Check:
        return q(f.check);
    case File:
        return q(f.file);
    case Line:
        return f.line ? QVariant(static_cast<qulonglong>(f.line)) : QVariant();
    case Record:
        return q(f.record);
    case Message:
        return q(f.message);
    default:
        return {};
    }
}

QVariant FindingsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    static const char* names[] = {"Check", "File", "Line", "Record", "Message"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(names[section]) : QVariant();
}

} // namespace aethrian::ui
