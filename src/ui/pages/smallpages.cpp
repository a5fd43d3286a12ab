#include "ui/pages/smallpages.h"

#include "checks/pch.h"
#include "generators/clientdump.h"
#include "records/recordkind.h"
#include "records/tableio.h"
#include "app/errors.h"
#include "app/version.h"
#include "ui/messages.h"
#include "ui/models/tablemodel.h"
#include "ui/pages/panepage.h"
#include "ui/pages/tablepage.h"
#include "ui/widgets/named.h"
#include "ui/widgets/busybutton.h"
#include "ui/widgets/loglist.h"
#include "ui/widgets/pathbox.h"
#include "ui/workspace.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace aethrian::ui {

PetPage::PetPage(TableModel* model, QWidget* parent, const char* divider)
    : QWidget(parent), model_(model), divider_(divider) {
    pathBox_ = new PathBox(QStringLiteral("Edit55"), QStringLiteral("PetData file"), this);
    loadBtn_ = button(QStringLiteral("Button31"), QStringLiteral("Load"), this);
    saveBtn_ = button(QStringLiteral("Button30"), QStringLiteral("save"), this);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("JvPetTab"));
    auto* generator = new QWidget(tabs_);
    generator->setObjectName(QStringLiteral("Generator"));
    auto* pet1 = new QWidget(tabs_);
    pet1->setObjectName(QStringLiteral("Pet1"));
    view_ = makeTableView(QStringLiteral("JvPetGrid1"), QStringLiteral("Pet table"), model_, pet1);
    setFirstColumnWidths(view_, {35, 136, 99, 101});
    auto* petLayout = new QVBoxLayout(pet1);
    petLayout->addWidget(view_);
    tabs_->addTab(generator, QStringLiteral("Generator"));
    tabs_->addTab(pet1, QStringLiteral("Pet1"));

    auto* bar = new QHBoxLayout;
    bar->addWidget(pathBox_, 1);
    bar->addWidget(loadBtn_);
    bar->addWidget(saveBtn_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(tabs_, 1);
    connect(loadBtn_, &QPushButton::clicked, this, &PetPage::loadClick);
    connect(saveBtn_, &QPushButton::clicked, this, &PetPage::saveClick);
    connect(pathBox_, &PathBox::fileDropped, this, &PetPage::loadClick);
    connect(pathBox_, &PathBox::loadRequested, this, &PetPage::loadClick);
    auto* saveAction = new QAction(QStringLiteral("Save"), this);
    saveAction->setObjectName(QStringLiteral("JvPetGrid1SaveAction"));
    saveAction->setShortcut(QKeySequence::Save);
    saveAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(saveAction);
    connect(saveAction, &QAction::triggered, this, &PetPage::save);
}

void PetPage::loadClick() {
    runGuarded(this, [this] {
        const std::string path = pathBox_->usePath();
        if (!fileExists(path))
            throw ExpectedProblem(std::string(kPetKind.missingFileMessage));
        if (!mayDropEdits())
            return;
        BusyButton busy(loadBtn_, QStringLiteral("Load")); // pumps once so "Working" shows
        Table loaded;
        LoadTableFile(path, kPetKind, loaded, &busy);
        model_->reload([&](Table& t) { t = std::move(loaded); });
        filePath_ = QString::fromStdString(path);
        setFirstColumnWidths(view_, {35, 136, 99, 101});
    });
}

bool PetPage::mayDropEdits() {
    return ui::mayDropEdits(this, *model_, filePath_, [this] { return save(); });
}

bool PetPage::saveClick() {
    FileRequest request{true, kTextFilter, QStringLiteral("txt")};
    request.suggestedPath = filePath_.isEmpty() ? pathBox_->text() : filePath_;
    const QString file = chooseFile(this, request);
    if (file.isEmpty() || !writeTo(file))
        return false;
    filePath_ = file;
    pathBox_->setText(file);
    pathBox_->remember();
    return true;
}

bool PetPage::save() { return filePath_.isEmpty() ? saveClick() : writeTo(filePath_); }

// The pet table is written back as the item records it was read as.
bool PetPage::writeTo(const QString& file) {
    bool saved = false;
    runGuarded(this, [&] {
        BusyButton busy(saveBtn_, QStringLiteral("save"), false, false);
        SaveTable(model_->table(), kPetKind, *divider_, file.toStdString(), &busy);
        model_->markSaved();
        saved = true;
    });
    return saved;
}

AiObjPage::AiObjPage(QWidget* parent) : QWidget(parent) {
    auto* group = new QGroupBox(QStringLiteral("AI.obj"), this);
    pathBox_ = new PathBox(QStringLiteral("Edit38"), QStringLiteral("AI.obj Editor file"), group,
                           QString::fromLatin1(kObjFilter), QStringLiteral("obj"));
    auto* size = new QLabel(QStringLiteral("<bytes>"), group);
    size->setObjectName(QStringLiteral("Label34"));
    loadBtn_ = button(QStringLiteral("JvMultilineButton2"), QStringLiteral("Load"), group);
    auto* x = button(QStringLiteral("JvMultilineButton6"), QStringLiteral("X"), group);
    x->setFixedWidth(24);
    pane_ =
        makePane(QStringLiteral("TntMemo10"), QStringLiteral("AI.obj Editor text"), group, true);
    auto* bar = new QHBoxLayout;
    bar->addWidget(pathBox_, 1);
    bar->addWidget(size);
    bar->addWidget(loadBtn_);
    bar->addWidget(x);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addLayout(bar);
    groupLayout->addWidget(pane_, 1);

    auto* lower = new QWidget(this);
    saveBtn_ = button(QStringLiteral("JvMultilineButton7"), QStringLiteral("Save as"), lower);
    auto* logGroup = new QGroupBox(QStringLiteral("Log"), lower);
    auto* log =
        new LogList(QStringLiteral("ListBox6"), QStringLiteral("AI.obj Editor log"), logGroup);
    auto* logLayout = new QVBoxLayout(logGroup);
    logLayout->addWidget(log);
    auto* saveBar = new QHBoxLayout;
    saveBar->addStretch(1);
    saveBar->addWidget(saveBtn_);
    auto* lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    lowerLayout->addLayout(saveBar);
    lowerLayout->addWidget(logGroup, 1);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(group);
    splitter->addWidget(lower);
    splitter->setStretchFactor(0, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
    connect(loadBtn_, &QPushButton::clicked, this, &AiObjPage::loadClick);
    connect(saveBtn_, &QPushButton::clicked, this, &AiObjPage::saveClick);
    connect(pathBox_, &PathBox::fileDropped, this, &AiObjPage::loadClick);
    connect(pathBox_, &PathBox::loadRequested, this, &AiObjPage::loadClick);
}

void AiObjPage::loadClick() {
    runGuarded(this, [this] {
        const std::string path = pathBox_->usePath();
        if (!fileExists(path))
            throw ExpectedProblem("AI.obj files doesn't exists...");
        BusyButton busy(loadBtn_, QStringLiteral("Load"), false, false);
        loadBtn_->setText(QStringLiteral("Loading..."));
        loadPaneFile(pane_, path);
    });
}

void AiObjPage::saveClick() {
    runGuarded(this, [this] {
        const QString file = chooseFile(this, {true, kObjFilter, QStringLiteral("obj")});
        if (file.isEmpty())
            return;
        BusyButton busy(saveBtn_, QStringLiteral("Save as"), false, false);
        writePaneFile(file.toStdString(), paneText(pane_));
    });
}

SettingsPage::SettingsPage(Workspace* workspace, QWidget* parent)
    : QWidget(parent), workspace_(workspace) {
    auto* format = new QGroupBox(QStringLiteral("Format Settings"), this);
    auto* caption = new QLabel(QStringLiteral("Float divider"), format);
    divid_ = withAccessibleName(new QLineEdit(QStringLiteral(","), format),
                                QStringLiteral("Float divider"));
    divid_->setObjectName(QStringLiteral("divid"));
    divid_->setMaxLength(1);
    divid_->setFixedWidth(30);
    QFont bold = divid_->font();
    bold.setBold(true);
    divid_->setFont(bold);
    auto* formatLayout = new QHBoxLayout(format);
    formatLayout->addWidget(caption);
    formatLayout->addWidget(divid_);
    formatLayout->addStretch(1);

    auto* loadSettings = button(QStringLiteral("LoadSettings"), QStringLiteral("Load Settings"), this);
    auto* saveSettings = button(QStringLiteral("SaveSettings"), QStringLiteral("Save Settings"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(loadSettings);
    buttons->addWidget(saveSettings);
    auto* openFolder = button(QStringLiteral("OpenServerFolder"), QStringLiteral("Open server folder..."), this);
    openFolder->setToolTip(QStringLiteral("Fill every path box whose file is in a folder (Ctrl+Shift+O)"));
    connect(openFolder, &QPushButton::clicked, this, &SettingsPage::openServerFolderRequested);
    buttons->addWidget(openFolder);
    auto* forget = button(QStringLiteral("ForgetRecentFiles"), QStringLiteral("Forget recent files"), this);
    forget->setToolTip(QStringLiteral("Clear the recent paths of every path box and the folders the "
                                      "file dialogs remember"));
    connect(forget, &QPushButton::clicked, this, &SettingsPage::forgetRecentFilesRequested);
    buttons->addWidget(forget);
    buttons->addStretch(1);

    auto* title = new QLabel(QStringLiteral("Aethrian - Script Editor\nKestrune Server"), this);
    title->setObjectName(QStringLiteral("InfoTitle"));
    title->setAlignment(Qt::AlignHCenter);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    title->setFont(titleFont);
    const QString help = QStringLiteral(
        "This program contains all the features needed for script editing (server side) of a\n"
        "Aethrian Official Server.\n"
        "\n"
        "Features are:\n"
        "- NPCData editing and comparison\n"
        "- NPC Check with other server files (NPC_PCH, NPCPOS, ITEMData, etc...)\n"
        "- ITEMData editing and comparison\n"
        "- ITEMData Check with other server files\n"
        "- SKILLData editing and comparison\n"
        "- SKILL Check with other server files\n"
        "- Check of Server<->Client files\n"
        "- AI editor and VornAI script language compiler\n"
        "\n"
        "Issue:\n"
        "Server files must don't use <spaces> for the separation of the values. Like:\n"
        "\tskillname = [something]\n"
        "\tmust be\n"
        "\tskillname=[something]\n"
        "Useful thing to find these errors is checking the \"Last Read\" record.");
    auto* info = new QLabel(help, this);
    info->setObjectName(QStringLiteral("InfoText"));
    auto* panel = new QGroupBox(this);
    panel->setObjectName(QStringLiteral("InfoPanel"));
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->addWidget(title);
    panelLayout->addWidget(info);
    auto* version = new QLabel(QStringLiteral("Version %1").arg(QString::fromUtf8(kVersion)), this);
    version->setObjectName(QStringLiteral("InfoVersion"));
    panelLayout->addWidget(version);
    panelLayout->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(format);
    layout->addLayout(buttons);
    layout->addWidget(panel, 1);
    connect(divid_, &QLineEdit::textEdited, this, &SettingsPage::dividerEdited);
    connect(divid_, &QLineEdit::editingFinished, this, &SettingsPage::dividerFinished);
}

// Only "," and "." are dividers: any other character would be turned into "." wherever it
// occurs in a saved record line, keys and names included.
void SettingsPage::dividerEdited(const QString& text) {
    if (text == QStringLiteral(",") || text == QStringLiteral(".")) {
        workspace_->divider = text.at(0).toLatin1();
        return;
    }
    if (text.isEmpty())
        return; // the user is about to type the new divider
    divid_->setText(QString(QChar(workspace_->divider)));
    showMessage(this, QStringLiteral("The float divider can only be \",\" or \".\"."));
}

void SettingsPage::dividerFinished() {
    if (divid_->text().isEmpty())
        divid_->setText(QString(QChar(workspace_->divider)));
}

NpcPchPage::NpcPchPage(QWidget* parent) : QWidget(parent) {
    auto* path = path_ = new PathBox(QStringLiteral("Edit42"), QStringLiteral("Npc_pch file"), this);
    auto* load = button(QStringLiteral("Button4"), QStringLiteral("Load"), this);
    auto* save = button(QStringLiteral("Button7"), QStringLiteral("Save"), this);
    auto* first = first_ = makePane(QStringLiteral("TntMemo1"), QStringLiteral("Npc_pch text"), this);
    auto* second = second_ =
        makePane(QStringLiteral("TntMemo15"), QStringLiteral("Npc_pch second text"), this);
    auto* switchBtn = new QToolButton(this);
    switchBtn->setObjectName(QStringLiteral("SpeedButton1"));
    switchBtn->setText(QStringLiteral("<>"));
    switchBtn->setToolTip(QStringLiteral("Switch"));
    switchBtn->setAccessibleName(QStringLiteral("Switch")); // its caption is a symbol
    auto* compareBtn = new QToolButton(this);
    compareBtn->setObjectName(QStringLiteral("SpeedButton2"));
    compareBtn->setText(QStringLiteral("=?"));
    compareBtn->setToolTip(QStringLiteral("Compare"));
    compareBtn->setAccessibleName(QStringLiteral("Compare"));
    auto* logGroup = new QGroupBox(QStringLiteral("Log"), this);
    log_ = new LogList(QStringLiteral("JvListBox2"), QStringLiteral("Npc_pch log"), logGroup);
    auto* logLayout = new QVBoxLayout(logGroup);
    logLayout->addWidget(log_);

    auto* bar = new QHBoxLayout;
    bar->addWidget(path, 1);
    bar->addWidget(load);
    bar->addWidget(save);
    auto* middle = new QVBoxLayout;
    middle->addStretch(1);
    middle->addWidget(switchBtn);
    middle->addWidget(compareBtn);
    middle->addStretch(1);
    auto* panes = new QHBoxLayout;
    panes->addWidget(first, 1);
    panes->addLayout(middle);
    panes->addWidget(second, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addLayout(panes, 3);
    layout->addWidget(logGroup, 1);

    connect(load, &QPushButton::clicked, this, [this, first, path] {
        runGuarded(this, [&] { loadPaneFile(first, path->usePath()); });
    });
    connect(path, &PathBox::fileDropped, load, &QPushButton::click);
    connect(path, &PathBox::loadRequested, load, &QPushButton::click);
    connect(save, &QPushButton::clicked, this, [this, first] {
        runGuarded(this, [&] { savePaneToChosenFile(this, first, kTextFilter, QStringLiteral("txt")); });
    });
    connect(switchBtn, &QAbstractButton::clicked, this, &NpcPchPage::switchPanes);
    connect(compareBtn, &QAbstractButton::clicked, this, &NpcPchPage::comparePanes);
}

void NpcPchPage::switchPanes() {
    const std::string left = paneText(first_);
    setPaneText(first_, paneText(second_));
    setPaneText(second_, left);
}

void NpcPchPage::comparePanes() {
    runGuarded(this, [this] {
        const std::string a = paneText(first_), b = paneText(second_);
        LogListSink log(log_);
        comparePch(paneLines(a), paneLines(b), log);
    });
}

ClientItemPage::ClientItemPage(const QString& subject, const QString& pathBox, const QString& load,
                               const QString& pane, const QString& grid, TableModel* model,
                               bool itemNames, QWidget* parent)
    : QWidget(parent), model_(model), itemNames_(itemNames) {
    path_ = new PathBox(pathBox, subject + QStringLiteral(" file"), this);
    auto* loadBtn = button(load, QStringLiteral("Load"), this);
    tabs_ = new QTabWidget(this);
    auto* text = new QWidget(tabs_);
    text->setObjectName(pane + QStringLiteral("TextView"));
    pane_ = makePane(pane, subject + QStringLiteral(" text"), text);
    auto* save = button(pane + QStringLiteral("Save"), QStringLiteral("Save"), text);
    auto* textLayout = new QVBoxLayout(text);
    textLayout->addWidget(save, 0, Qt::AlignRight);
    textLayout->addWidget(pane_, 1);
    auto* table = new QWidget(tabs_);
    table->setObjectName(grid + QStringLiteral("TableView"));
    view_ = makeTableView(grid, subject + QStringLiteral(" table"), model_, table);
    setFirstColumnWidths(view_, {35, 59, 199, 90});
    auto* tableLayout = new QVBoxLayout(table);
    tableLayout->addWidget(view_);
    tabs_->addTab(text, QStringLiteral("Text View"));
    tabs_->addTab(table, QStringLiteral("Table View"));
    tabs_->setCurrentIndex(1);

    auto* bar = new QHBoxLayout;
    bar->addWidget(path_, 1);
    bar->addWidget(loadBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(tabs_, 1);
    connect(loadBtn, &QPushButton::clicked, this, &ClientItemPage::loadClick);
    connect(path_, &PathBox::fileDropped, this, &ClientItemPage::loadClick);
    connect(path_, &PathBox::loadRequested, this, &ClientItemPage::loadClick);
    connect(save, &QPushButton::clicked, this, [this] {
        runGuarded(this, [&] { savePaneToChosenFile(this, pane_, kTextFilter, QStringLiteral("txt")); });
    });
}

void ClientItemPage::loadClick() {
    runGuarded(this, [this] {
        const std::string path = path_->usePath();
        if (!fileExists(path))
            throw ExpectedProblem("File doesn't exists...");
        const std::string text = readPaneFile(path);
        setPaneText(pane_, text);
        model_->reload([&](Table& t) {
            LoadClientDump(paneLines(text), itemNames_ ? kItemNameDumpMarks : kItemDumpMarks, t);
        });
        setFirstColumnWidths(view_, {35, 59, 199, 90});
    });
}

} // namespace aethrian::ui
