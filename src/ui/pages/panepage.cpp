#include "ui/pages/panepage.h"

#include "records/textfile.h"
#include "ui/messages.h"
#include "ui/widgets/busybutton.h"
#include "ui/widgets/named.h"
#include "ui/widgets/pathbox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include <memory>

namespace aethrian::ui {

std::string paneText(const QPlainTextEdit* pane) {
    // The raw text keeps every character (the plain-text form turns non-breaking spaces into
    // spaces); the editor separates its lines by U+2029, files and checks use CR LF.
    QString raw = pane->document()->toRawText();
    raw.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    return raw.toStdString();
}

void setPaneText(QPlainTextEdit* pane, const std::string& crlfText) {
    std::string lf;
    lf.reserve(crlfText.size());
    for (size_t i = 0; i < crlfText.size(); ++i) {
        if (crlfText[i] == '\r' && i + 1 < crlfText.size() && crlfText[i + 1] == '\n')
            continue;
        lf += crlfText[i];
    }
    pane->setPlainText(QString::fromUtf8(lf));
}

QPlainTextEdit* makePane(const QString& objectName, const QString& accessibleName, QWidget* parent,
                         bool wrap) {
    auto* pane = withAccessibleName(new QPlainTextEdit(parent), accessibleName);
    pane->setObjectName(objectName);
    pane->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    pane->setHorizontalScrollBarPolicy(wrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
    pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return pane;
}

void loadPaneFile(QPlainTextEdit* pane, const std::string& path) {
    setPaneText(pane, readPaneFile(path)); // throws "Cannot open file ..." and leaves the pane
}

void savePaneToChosenFile(QWidget* parent, QPlainTextEdit* pane, const QString& filter,
                          const QString& suffix) {
    const QString file = chooseFile(parent, {true, filter, suffix});
    if (file.isEmpty())
        return;
    writePaneFile(file.toStdString(), paneText(pane));
}

PanePage::PanePage(const PanePageSpec& spec, QWidget* parent)
    : QWidget(parent), skillSort_(spec.skillSort) {
    pathBox_ = new PathBox(spec.pathBox, spec.subject + QStringLiteral(" file"), this);
    loadBtn_ = new QPushButton(QStringLiteral("Load"), this);
    loadBtn_->setObjectName(spec.load);
    auto* bar = new QHBoxLayout;
    bar->addWidget(pathBox_, 1);
    bar->addWidget(loadBtn_);
    for (const PaneButton& b : spec.extraButtons) {
        auto* btn = new QPushButton(b.caption, this);
        btn->setObjectName(b.name);
        bar->addWidget(btn);
        extra_.push_back(btn);
    }
    if (!spec.save.isEmpty()) {
        auto* save = new QPushButton(spec.saveCaption, this);
        save->setObjectName(spec.save);
        bar->addWidget(save);
        connect(save, &QPushButton::clicked, this, &PanePage::saveClick);
    }
    if (!spec.progressLabel.isEmpty()) {
        progress_ = new QLabel(spec.progressCaption, this);
        progress_->setObjectName(spec.progressLabel);
        bar->addWidget(progress_);
    }
    pane_ = makePane(spec.pane, spec.subject + QStringLiteral(" text"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    if (!spec.resultList.isEmpty()) {
        results_ =
            withAccessibleName(new QListWidget(this), spec.subject + QStringLiteral(" results"));
        results_->setObjectName(spec.resultList);
        auto* split = new QSplitter(Qt::Vertical, this);
        split->addWidget(pane_);
        split->addWidget(results_);
        split->setStretchFactor(0, 3);
        split->setStretchFactor(1, 1);
        layout->addWidget(split, 1);
    } else {
        layout->addWidget(pane_, 1);
    }
    connect(loadBtn_, &QPushButton::clicked, this, &PanePage::loadClick);
    connect(pathBox_, &PathBox::fileDropped, this, &PanePage::loadClick);
    connect(pathBox_, &PathBox::loadRequested, this, &PanePage::loadClick);
    if (skillSort_ && !extra_.empty())
        connect(extra_.front(), &QPushButton::clicked, this, &PanePage::sortClick);
}

QPushButton* PanePage::extraButton(const QString& name) const {
    for (QPushButton* b : extra_)
        if (b->objectName() == name)
            return b;
    return nullptr;
}

void PanePage::loadClick() {
    runGuarded(this, [this] { loadPaneFile(pane_, pathBox_->usePath()); });
}

void PanePage::saveClick() {
    runGuarded(this,
               [this] { savePaneToChosenFile(this, pane_, kTextFilter, QStringLiteral("txt")); });
}

SkillToolOutput PanePage::skillToolOutput() {
    return {[this](const std::string& m) { showMessage(this, QString::fromUtf8(m)); },
            [this](const std::string& r) {
                if (results_)
                    results_->addItem(QString::fromUtf8(r));
            },
            [this, clock = std::make_shared<RefreshClock>()](size_t k, size_t m) {
                if (!progress_)
                    return;
                // The text always, so the label ends on the last step; painted and pumped only
                // when a refresh is due.
                progress_->setText(QStringLiteral("%1/%2").arg(k).arg(m));
                if (clock->due()) {
                    progress_->repaint();
                    pumpEvents();
                }
            },
            {}};
}

void PanePage::sortClick() {
    runGuarded(this, [this] {
        const std::string text = paneText(pane_);
        SkillToolOutput out = skillToolOutput();
        out.result = [](const std::string&) {}; // the sort reports its duplicates as messages
        const std::vector<std::string> sorted = sortSkillLines(paneLines(text), *skillSort_, out);
        std::string joined;
        for (const std::string& line : sorted)
            joined.append(line).append("\r\n");
        setPaneText(pane_, joined);
    });
}

} // namespace aethrian::ui
