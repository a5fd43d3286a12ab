#include "ui/widgets/loglist.h"

#include "records/textfile.h"
#include "ui/messages.h"

#include <QAction>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>

namespace aethrian::ui {

namespace {

// Where a line keeps the record it is about (the table by address, as the core names it).
constexpr int kTableRole = Qt::UserRole + 1;
constexpr int kRowRole = Qt::UserRole + 2;
constexpr int kNameRole = Qt::UserRole + 3;
constexpr int kIdRole = Qt::UserRole + 4;

QString withThousands(int n) {
    QString digits = QString::number(n);
    for (qsizetype at = digits.size() - 3; at > (n < 0 ? 1 : 0); at -= 3)
        digits.insert(at, QLatin1Char(','));
    return digits;
}

} // namespace

QString countedCaption(const QString& caption, int count) {
    return count == 0 ? caption : QStringLiteral("%1 (%2)").arg(caption, withThousands(count));
}

LogList::LogList(const QString& objectName, const QString& accessibleName, QWidget* parent)
    : QListWidget(parent) {
    setObjectName(objectName);
    setAccessibleName(accessibleName);
    setFrameShape(QFrame::NoFrame);
    // The list area is painted in the base colour: make that the button face.
    QPalette face = palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    setPalette(face);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setUniformItemSizes(true);
    // Several lines can be selected for Copy; adding a line still selects the last one alone.
    setSelectionMode(QAbstractItemView::ExtendedSelection);

    menu_ = new QMenu(this);
    menu_->setObjectName(objectName + QStringLiteral("Menu"));
    const auto add = [this, &objectName](const QString& name, const QString& caption, auto fn) {
        QAction* a = menu_->addAction(caption);
        a->setObjectName(objectName + name);
        connect(a, &QAction::triggered, this, fn);
        return a;
    };
    QAction* copy = add(QStringLiteral("Copy"), QStringLiteral("Copy"),
                        [this] { QGuiApplication::clipboard()->setText(selectedText()); });
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    addAction(copy);
    add(QStringLiteral("CopyAll"), QStringLiteral("Copy all"),
        [this] { QGuiApplication::clipboard()->setText(allText()); });
    add(QStringLiteral("SaveAs"), QStringLiteral("Save log as..."), [this] { saveAs(); });
    add(QStringLiteral("Clear"), QStringLiteral("Clear"), [this] { clear(); });
    menu_->addSeparator();
    // Enter is named in the caption only: keyPressEvent acts on it, and a menu shortcut on Return
    // would compete with the menu's own.
    goTo_ = add(QStringLiteral("GoToRecord"), QStringLiteral("Go to record\tEnter"),
                [this] { goToRecord(); });
    // Offered when the line under the menu leads somewhere; looked up only when the menu opens,
    // since a record that moved is searched for.
    connect(menu_, &QMenu::aboutToShow, this, [this] {
        const auto place = placeOf(currentRow());
        goTo_->setEnabled(locator_ && place && locator_(*place, false));
    });
    connect(menu_, &QMenu::aboutToHide, this, [this] { goTo_->setEnabled(true); });
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (QListWidgetItem* under = itemAt(pos); under && !under->isSelected())
            setCurrentItem(under, QItemSelectionModel::ClearAndSelect);
        menu_->popup(viewport()->mapToGlobal(pos));
    });

    group_ = qobject_cast<QGroupBox*>(parent);
    if (group_)
        caption_ = group_->title();
    connect(model(), &QAbstractItemModel::rowsInserted, this, &LogList::updateCaption);
    connect(model(), &QAbstractItemModel::rowsRemoved, this, &LogList::updateCaption);
    connect(model(), &QAbstractItemModel::modelReset, this, &LogList::updateCaption);
}

LogList::~LogList() {
    // The list's model goes with the widget's children, after the group box has begun going: its
    // last reset must not reach the caption.
    disconnect(model(), nullptr, this, nullptr);
}

void LogList::updateCaption() {
    if (group_)
        group_->setTitle(countedCaption(caption_, count()));
}

void LogList::append(const QString& line) {
    addItem(line);
    const int last = count() - 1;
    if (currentRow() < last) {
        setCurrentRow(last, QItemSelectionModel::ClearAndSelect);
        scrollToItem(item(last));
    }
}

void LogList::appendLines(const QStringList& lines, const std::vector<RecordPlace>& places) {
    if (lines.isEmpty())
        return;
    const int first = count();
    addItems(lines);
    for (size_t k = 0; k < places.size() && k < static_cast<size_t>(lines.size()); ++k) {
        const RecordPlace& p = places[k];
        if (!p.table)
            continue;
        QListWidgetItem* line = item(first + static_cast<int>(k));
        line->setData(kTableRole, QVariant::fromValue(reinterpret_cast<quintptr>(p.table)));
        line->setData(kRowRole, QVariant::fromValue(static_cast<qulonglong>(p.row)));
        line->setData(kNameRole, QString::fromUtf8(p.name));
        line->setData(kIdRole, QString::fromUtf8(p.id));
    }
    setCurrentRow(count() - 1, QItemSelectionModel::ClearAndSelect);
    scrollToItem(item(count() - 1));
}

QStringList LogList::lines() const {
    QStringList out;
    for (int i = 0; i < count(); ++i)
        out << item(i)->text();
    return out;
}

std::optional<RecordPlace> LogList::placeOf(int row) const {
    const QListWidgetItem* line = item(row);
    if (!line)
        return std::nullopt;
    const QVariant table = line->data(kTableRole);
    if (!table.isValid())
        return recordNamedIn(line->text().toStdString());
    return RecordPlace{reinterpret_cast<const Table*>(table.value<quintptr>()),
                       static_cast<size_t>(line->data(kRowRole).toULongLong()),
                       line->data(kNameRole).toString().toStdString(),
                       line->data(kIdRole).toString().toStdString()};
}

bool LogList::goToRecord() {
    const auto place = placeOf(currentRow());
    return locator_ && place && locator_(*place, true);
}

QString LogList::selectedText() const {
    QStringList out;
    for (int i = 0; i < count(); ++i)
        if (item(i)->isSelected())
            out << item(i)->text();
    return out.join(QLatin1Char('\n'));
}

QString LogList::allText() const {
    return lines().join(QLatin1Char('\n'));
}

void LogList::saveAs() {
    runGuarded(this, [this] {
        FileRequest request{true, kTextFilter, QStringLiteral("txt")};
        request.dialog = QStringLiteral("save.log");
        const QString file = chooseFile(this, request);
        if (file.isEmpty())
            return;
        QString text;
        for (int i = 0; i < count(); ++i)
            text += item(i)->text() + QLatin1Char('\n');
        writeFileAtomic(file.toStdString(), text.toUtf8().toStdString());
    });
}

void LogList::mouseDoubleClickEvent(QMouseEvent*) {
    clear();
}

void LogList::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers() == Qt::NoModifier) {
        goToRecord();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void LogListSink::addAbout(size_t at, const std::string& line) {
    if (!rowsOf_ || at == 0 || at >= rowsOf_->rowCount()) {
        add(line);
        return;
    }
    if (places_.empty())
        places_.resize(static_cast<size_t>(pending_.size()));
    pending_ << QString::fromUtf8(line);
    places_.push_back(recordPlace(*rowsOf_, at));
}

} // namespace aethrian::ui
