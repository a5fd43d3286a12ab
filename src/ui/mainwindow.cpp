#include "ui/mainwindow.h"

#include "records/recordkind.h"
#include "records/skilltable.h"
#include "ui/checkcommands.h"
#include "ui/dialogs/adddropdialog.h"
#include "ui/dialogs/changesdialog.h"
#include "ui/dialogs/exportwindow.h"
#include "ui/findcommands.h"
#include "ui/generatorcommands.h"
#include "ui/memory.h"
#include "ui/menus.h"
#include "ui/messages.h"
#include "ui/navigation.h"
#include "ui/pages/aiobjpage.h"
#include "ui/pages/checkerpage.h"
#include "ui/pages/checkpage.h"
#include "ui/pages/clientitempage.h"
#include "ui/pages/comparepage.h"
#include "ui/pages/npcpchpage.h"
#include "ui/pages/panepage.h"
#include "ui/pages/petpage.h"
#include "ui/pages/settingspage.h"
#include "ui/pages/tablepage.h"
#include "ui/serverfolder.h"
#include "ui/tablecommands.h"
#include "ui/tablestatus.h"
#include "ui/viewcommands.h"
#include "ui/widgets/pathbox.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>

namespace aethrian::ui {

namespace {

QString pageObjectName(const QString& caption) {
    QString name;
    for (QChar c : caption)
        if (c.isLetterOrNumber())
            name += c;
    return name + QStringLiteral("Page");
}

TableFormat recordFormat(const RecordKind& kind, const Workspace& ws, bool pumpAfterLoad) {
    TableFormat f;
    f.load = [&kind](const std::string& path, Table& t, LoadObserver* o) {
        return LoadTableFile(path, kind, t, o);
    };
    f.save = [&kind, &ws](const Table& t, const std::string& path, Progress* p) {
        SaveTable(t, kind, ws.divider, path, p);
    };
    f.missingFileMessage = std::string(kind.missingFileMessage);
    f.pumpAfterLoad = pumpAfterLoad;
    return f;
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("TForm1"));
    setApplicationClosing(false);
    setWindowTitle(
        QStringLiteral("Aethrian - Kestrune - Script Editor - v.0.000000001 ultraalpha"));
    resize(851, 646);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    for (const QString& name : popupMenuNames()) {
        QMenu* menu = buildPopupMenu(name, this);
        menus_.insert(name, menu);
        for (QAction* a : menu->actions())
            if (!a->objectName().isEmpty())
                actions_.insert(a->objectName(), a);
    }

    auto* top = new QTabWidget(this);
    top->setObjectName(QStringLiteral("JvPageControl1"));
    top->setDocumentMode(true);
    top->tabBar()->setExpanding(false);
    setCentralWidget(top);

    auto* npc = pageControl(QStringLiteral("JvPageControl2"), top);
    top->addTab(npc, QStringLiteral("NPCData"));
    buildNpcPages(npc);
    auto* item = pageControl(QStringLiteral("JvPageControl3"), top);
    top->addTab(item, QStringLiteral("ITEMData"));
    buildItemPages(item);
    auto* skill = pageControl(QStringLiteral("JvPageControl4"), top);
    top->addTab(skill, QStringLiteral("SKILLData"));
    buildSkillPages(skill);

    petPage_ = new PetPage(&workspace_.petModel, top, &workspace_.divider);
    petPage_->setObjectName(QStringLiteral("PetDataPage"));
    attachPopupMenu(petPage_->view(), popupMenu(QStringLiteral("PopupMenu3")));
    top->addTab(petPage_, QStringLiteral("PetData"));

    auto* ai = pageControl(QStringLiteral("JvPageControl5"), top);
    auto* aiPage = new AiObjPage(ai);
    aiPage->setObjectName(pageObjectName(QStringLiteral("AI.obj Editor")));
    ai->addTab(aiPage, QStringLiteral("AI.obj Editor"));
    top->addTab(ai, QStringLiteral("AI.obj"));

    auto* settingsTabs = pageControl(QStringLiteral("SettingsPageControl"), top);
    auto* settings = new SettingsPage(&workspace_, settingsTabs);
    settings->setObjectName(pageObjectName(QStringLiteral("Settings and Info")));
    settingsTabs->addTab(settings, QStringLiteral("Settings and Info"));
    auto* serverFolder = serverFolder_ = new ServerFolder(this);
    auto* checkAll = new CheckEverythingPage(this, serverFolder, settingsTabs);
    checkAll->setObjectName(pageObjectName(QStringLiteral("Check everything")));
    settingsTabs->addTab(checkAll, QStringLiteral("Check everything"));
    top->addTab(settingsTabs, QStringLiteral("Settings and Info"));
    connect(settings, &SettingsPage::openServerFolderRequested, serverFolder, &ServerFolder::open);
    connect(settings, &SettingsPage::forgetRecentFilesRequested, this,
            &MainWindow::forgetRecentFiles);
    auto* openFolder = new QShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+O")), this);
    openFolder->setObjectName(QStringLiteral("OpenServerFolderShortcut"));
    connect(openFolder, &QShortcut::activated, serverFolder, &ServerFolder::open);

    // Start on ITEMData > Client:WeaponGrp > Table View; the other controls on their usual pages.
    npc->setCurrentWidget(npcEditor_);
    skill->setCurrentIndex(1);
    top->setCurrentWidget(item);
    item->setCurrentIndex(4);

    auto* changes = new ChangesDialog(&workspace_, npcEditor_, this);
    changes->hide();
    connect(action(QStringLiteral("N1")), &QAction::triggered, changes,
            [changes] { changes->openFor(true); });
    connect(action(QStringLiteral("Changevalue1")), &QAction::triggered, changes,
            [changes] { changes->openFor(false); });
    auto* addDrop = new AddDropDialog(&workspace_, npcEditor_, this);
    addDrop->hide();
    connect(action(QStringLiteral("Adddrop1")), &QAction::triggered, addDrop, [addDrop] {
        addDrop->show();
        addDrop->raise();
    });
    exportWindow_ = new ExportWindow(this);
    exportWindow_->hide();
    new TableCommands(this);
    new ViewCommands(this);
    new CheckCommands(this);
    new GeneratorCommands(this);
    new FindCommands(this);
    new TableStatus(this);
    navigator_ = new Navigator(this);
    connect(action(QStringLiteral("GoToItem1")), &QAction::triggered, navigator_,
            [this] { navigator_->goToItem(); });
    connect(action(QStringLiteral("WhereDropped1")), &QAction::triggered, navigator_,
            [this] { navigator_->whereDropped(); });
    // Last, over the usual start pages and size: the pages and geometry of the last run.
    restoreWindowState(*this);
}

QTabWidget* MainWindow::pageControl(const QString& name, QWidget* parent) {
    auto* tabs = new QTabWidget(parent);
    tabs->setObjectName(name);
    return tabs;
}

QWidget* MainWindow::emptyPage(const QString& caption) {
    auto* page = new QWidget;
    page->setObjectName(pageObjectName(caption));
    return page;
}

void MainWindow::buildNpcPages(QTabWidget* tabs) {
    auto* checker = new CheckerPage(&workspace_, tabs);
    checker->setObjectName(pageObjectName(QStringLiteral("NPCData Checker")));
    tabs->addTab(checker, QStringLiteral("NPCData Checker"));
    auto* compare =
        new ComparePage(kNpcCompare,
                        {"Edit33", "Label19", "Edit34", "Label20", "compBTN", "JvMultilineButton1",
                         "JvStringGrid2", "ListBox2", "CheckBox1", "CheckBox2", "CheckBox3",
                         "NPCData Compare", "NPC comparison table"},
                        &workspace_.npcCompareModel, tabs, &workspace_.divider);
    compare->setObjectName(pageObjectName(QStringLiteral("NPCData Compare")));
    attachPopupMenu(compare->view(), popupMenu(QStringLiteral("compareMenu")));
    tabs->addTab(compare, QStringLiteral("NPCData Compare"));

    npcEditor_ = new TablePage(
        {QStringLiteral("NPCData"), QStringLiteral("Edit32"), QStringLiteral("Loadbtn"),
         QStringLiteral("JvMultilineButton4"), QStringLiteral("Label23"),
         QStringLiteral("JvStringGrid1"), QStringLiteral("Label24"), QStringLiteral("saveBTN"),
         QStringLiteral("ListBox1"), QStringLiteral("NPCData Editor"), QStringLiteral("NPC table")},
        recordFormat(kNpcKind, workspace_, true), &workspace_.npcModel, tabs);
    npcEditor_->setObjectName(pageObjectName(QStringLiteral("NPCData Editor")));
    attachPopupMenu(npcEditor_->view(), popupMenu(QStringLiteral("PopupMenu1")));
    // The comparison's hand-off would start this same load.
    QAction* handOff = action(QStringLiteral("SendFirstFileDatatoRatesChanger1"));
    connect(npcEditor_, &TablePage::loadStarted, this, [handOff] { handOff->setEnabled(false); });
    connect(npcEditor_, &TablePage::loadFinished, this, [handOff] { handOff->setEnabled(true); });
    tabs->addTab(npcEditor_, QStringLiteral("NPCData Editor"));
    connect(handOff, &QAction::triggered, this, [this, compare] {
        npcEditor_->pathBox()->setText(compare->firstPath()->text());
        showPage(npcEditor_);
        npcEditor_->LoadbtnClick();
    });

    auto* pch = workspace_.panes.npcPch = new NpcPchPage(tabs);
    pch->setObjectName(pageObjectName(QStringLiteral("Npc_pch")));
    tabs->addTab(pch, QStringLiteral("Npc_pch"));

    auto* npcpos = workspace_.panes.npcpos = new PanePage(
        {QStringLiteral("Npcpos"), QStringLiteral("Edit48"), QStringLiteral("Button16"),
         QStringLiteral("TntMemo7"), QStringLiteral("Button17")},
        tabs);
    npcpos->setObjectName(pageObjectName(QStringLiteral("Npcpos")));
    attachPopupMenu(npcpos->pane(), popupMenu(QStringLiteral("PopupMenu4")));
    tabs->addTab(npcpos, QStringLiteral("Npcpos"));

    auto* npcgrp = workspace_.panes.npcgrp = new PanePage(
        {QStringLiteral("Client:npcgrp"), QStringLiteral("Edit49"), QStringLiteral("Button18"),
         QStringLiteral("TntMemo8"), QStringLiteral("Button19")},
        tabs);
    npcgrp->setObjectName(pageObjectName(QStringLiteral("Client:npcgrp")));
    tabs->addTab(npcgrp, QStringLiteral("Client:npcgrp"));
    auto* npcname = workspace_.panes.npcname = new PanePage(
        {QStringLiteral("Client:npcname"), QStringLiteral("Edit50"), QStringLiteral("Button20"),
         QStringLiteral("TntMemo9"), QStringLiteral("Button21")},
        tabs);
    npcname->setObjectName(pageObjectName(QStringLiteral("Client:npcname")));
    tabs->addTab(npcname, QStringLiteral("Client:npcname"));
}

void MainWindow::buildItemPages(QTabWidget* tabs) {
    auto* compare = new ComparePage(kItemCompare,
                                    {"Edit37", "Label31", "Edit36", "Label30", "ITEMcomp",
                                     "JvMultilineButton5", "JvStringGrid4", "ListBox5", "CheckBox4",
                                     "CheckBox5", "", "ITEMData Compare", "ITEM comparison table"},
                                    &workspace_.itemCompareModel, tabs, &workspace_.divider);
    compare->setObjectName(pageObjectName(QStringLiteral("ITEMData Compare")));
    attachPopupMenu(compare->view(), popupMenu(QStringLiteral("PopupMenu2")));
    tabs->addTab(compare, QStringLiteral("ITEMData Compare"));

    itemEditor_ = new TablePage(
        {QStringLiteral("ITEMData"), QStringLiteral("Edit35"), QStringLiteral("Load2BTN"),
         QStringLiteral("JvMultilineButton3"), QStringLiteral("Label25"),
         QStringLiteral("JvStringGrid3"), QStringLiteral("Label28"), QStringLiteral("SaveITEMbtn"),
         QStringLiteral("Listbox3"), QStringLiteral("ITEMData Editor"),
         QStringLiteral("ITEM table")},
        recordFormat(kItemKind, workspace_, false), &workspace_.itemModel, tabs);
    itemEditor_->setObjectName(pageObjectName(QStringLiteral("ITEMData Editor")));
    attachPopupMenu(itemEditor_->view(), popupMenu(QStringLiteral("PopupMenu3")));
    tabs->addTab(itemEditor_, QStringLiteral("ITEMData Editor"));
    // Also offered on the skill results grid, where it hands over the item page's first file.
    connect(action(QStringLiteral("MenuItem1")), &QAction::triggered, this, [this, compare] {
        itemEditor_->pathBox()->setText(compare->firstPath()->text());
        showPage(itemEditor_);
        itemEditor_->LoadbtnClick();
    });

    auto* itemPch = workspace_.panes.itemPch = new PanePage(
        {QStringLiteral("Item_pch"), QStringLiteral("Edit43"), QStringLiteral("Button5"),
         QStringLiteral("TntMemo2"), QStringLiteral("Button6")},
        tabs);
    itemPch->setObjectName(pageObjectName(QStringLiteral("Item_pch")));
    tabs->addTab(itemPch, QStringLiteral("Item_pch"));
    tabs->addTab(emptyPage(QStringLiteral("Recipe")), QStringLiteral("Recipe"));

    struct Client {
        const char *caption, *path, *load, *pane, *grid, *menu;
        TableModel* model;
        bool names;
        ClientItemPage*& page;
    };
    SidePanes& panes = workspace_.panes;
    const Client clients[] = {
        {"Client:WeaponGrp", "Edit44", "Button8", "TntMemo3", "JvStringGrid9", "PopupMenu8",
         &workspace_.weaponGrpModel, false, panes.weaponGrp},
        {"Client:ArmorGrp", "Edit45", "Button9", "TntMemo4", "JvStringGrid8", nullptr,
         &workspace_.armorGrpModel, false, panes.armorGrp},
        {"Client:EtcItemGrp", "Edit46", "Button10", "TntMemo5", "JvStringGrid7", "PopupMenu6",
         &workspace_.etcItemGrpModel, false, panes.etcItemGrp},
        {"Client:itemname", "Edit47", "Button11", "TntMemo6", "JvStringGrid10", "PopupMenu7",
         &workspace_.itemNameModel, true, panes.itemName},
    };
    for (const Client& c : clients) {
        auto* page = c.page =
            new ClientItemPage(QString::fromLatin1(c.caption), QString::fromLatin1(c.path),
                               QString::fromLatin1(c.load), QString::fromLatin1(c.pane),
                               QString::fromLatin1(c.grid), c.model, c.names, tabs);
        page->setObjectName(pageObjectName(QString::fromLatin1(c.caption)));
        if (c.menu)
            attachPopupMenu(page->view(), popupMenu(QString::fromLatin1(c.menu)));
        tabs->addTab(page, QString::fromLatin1(c.caption));
    }
}

void MainWindow::buildSkillPages(QTabWidget* tabs) {
    auto* compare =
        new ComparePage(kSkillCompare,
                        {"Edit40", "Label40", "Edit39", "Label39", "JvMultilineButton8",
                         "JvMultilineButton9", "JvStringGrid5", "ListBox8", "CheckBox6",
                         "CheckBox7", "", "SKILLData Compare", "SKILL comparison table"},
                        &workspace_.skillCompareModel, tabs, &workspace_.divider);
    compare->setObjectName(pageObjectName(QStringLiteral("SKILLData Compare")));
    attachPopupMenu(compare->view(), popupMenu(QStringLiteral("PopupMenu2")));
    tabs->addTab(compare, QStringLiteral("SKILLData Compare"));

    PanePageSpec skilldata{QStringLiteral("Skilldata"), QStringLiteral("Edit51"),
                           QStringLiteral("Button22"), QStringLiteral("TntMemo11"),
                           QStringLiteral("Button23")};
    skilldata.saveCaption = QStringLiteral("save");
    skilldata.extraButtons = {{QStringLiteral("Button24"), QStringLiteral("sort by ID and Level")}};
    skilldata.progressLabel = QStringLiteral("Label48");
    skilldata.progressCaption = QStringLiteral("...");
    skilldata.skillSort = SkillPane::Skilldata;
    auto* skillPage = workspace_.panes.skilldata = new PanePage(skilldata, tabs);
    skillPage->setObjectName(pageObjectName(QStringLiteral("Skilldata")));
    attachPopupMenu(skillPage->pane(), popupMenu(QStringLiteral("PopupMenu5")));
    tabs->addTab(skillPage, QStringLiteral("Skilldata"));

    PanePageSpec skillPch{QStringLiteral("Skill_pch"), QStringLiteral("Edit52"),
                          QStringLiteral("Button25"), QStringLiteral("TntMemo12")};
    skillPch.progressLabel = QStringLiteral("Label50");
    skillPch.progressCaption = QStringLiteral("...");
    skillPch.resultList = QStringLiteral("ListBox9");
    auto* pchPage = workspace_.panes.skillPch = new PanePage(skillPch, tabs);
    pchPage->setObjectName(pageObjectName(QStringLiteral("Skill_pch")));
    tabs->addTab(pchPage, QStringLiteral("Skill_pch"));

    PanePageSpec skillname{QStringLiteral("Client:Skillname"), QStringLiteral("Edit53"),
                           QStringLiteral("Button26"), QStringLiteral("TntMemo13"),
                           QStringLiteral("Button29")};
    skillname.saveCaption = QStringLiteral("save");
    skillname.extraButtons = {{QStringLiteral("Button28"), QStringLiteral("sort by ID and Level")}};
    skillname.progressLabel = QStringLiteral("Label49");
    skillname.progressCaption = QStringLiteral("...");
    skillname.resultList = QStringLiteral("ListBox10");
    skillname.skillSort = SkillPane::Skillname;
    auto* namePage = workspace_.panes.skillname = new PanePage(skillname, tabs);
    namePage->setObjectName(pageObjectName(QStringLiteral("Client:Skillname")));
    tabs->addTab(namePage, QStringLiteral("Client:Skillname"));

    PanePageSpec skillgrp{QStringLiteral("Client:Skillgrp"), QStringLiteral("Edit54"),
                          QStringLiteral("Button27"), QStringLiteral("TntMemo14")};
    skillgrp.progressLabel = QStringLiteral("Label51");
    skillgrp.progressCaption = QStringLiteral("...");
    skillgrp.resultList = QStringLiteral("ListBox11");
    auto* grpPage = workspace_.panes.skillgrp = new PanePage(skillgrp, tabs);
    grpPage->setObjectName(pageObjectName(QStringLiteral("Client:Skillgrp")));
    tabs->addTab(grpPage, QStringLiteral("Client:Skillgrp"));

    tabs->addTab(emptyPage(QStringLiteral("Skill_pch2")), QStringLiteral("Skill_pch2"));
    tabs->addTab(emptyPage(QStringLiteral("Skill_acquire")), QStringLiteral("Skill_acquire"));

    TableFormat skillFormat;
    skillFormat.load = [](const std::string& path, Table& t, LoadObserver* o) {
        return LoadSkillTableFile(path, t, o);
    };
    skillFormat.save = [](const Table& t, const std::string& path, Progress* p) {
        SaveSkillTable(t, path, p);
    };
    skillFormat.missingFileMessage = kSkillMissingFile;
    skillEditor_ = new TablePage(
        {QStringLiteral("SKILLData"), QStringLiteral("Edit41"),
         QStringLiteral("JvMultilineButton11"), QStringLiteral("JvMultilineButton12"),
         QStringLiteral("Label45"), QStringLiteral("JvStringGrid6"), QStringLiteral("Label43"),
         QStringLiteral("JvMultilineButton10"), QStringLiteral("JvListBox1"),
         QStringLiteral("SKILLData Editor"), QStringLiteral("SKILL table")},
        skillFormat, &workspace_.skillModel, tabs);
    skillEditor_->setObjectName(pageObjectName(QStringLiteral("SKILLData Editor")));
    attachPopupMenu(skillEditor_->view(), popupMenu(QStringLiteral("PopupMenu3")));
    tabs->addTab(skillEditor_, QStringLiteral("SKILLData Editor"));
}

QMenu* MainWindow::popupMenu(const QString& name) const {
    return menus_.value(name);
}

QAction* MainWindow::action(const QString& name) const {
    QAction* a = actions_.value(name);
    Q_ASSERT(a); // every command connected by name is in a menu's table
    return a;
}

void MainWindow::showPage(QWidget* page) {
    for (QWidget* w = page; w && w != this; w = w->parentWidget())
        if (auto* tabs = qobject_cast<QTabWidget*>(
                w->parentWidget() ? w->parentWidget()->parentWidget() : nullptr))
            tabs->setCurrentWidget(w);
}

void MainWindow::openFiles(const QStringList& paths) {
    serverFolder_->openFiles(paths);
}

void MainWindow::forgetRecentFiles() {
    ui::forgetRecentFiles();
    for (PathBox* box : findChildren<PathBox*>())
        box->reloadRecent();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Each table with unsaved edits is shown and offered in turn: Save, Discard, or Cancel keeping
    // the window open.
    const auto mayClose = [this](QWidget* page, const TableModel& model, auto&& ask) {
        if (model.modified())
            showPage(page);
        return ask();
    };
    const bool may =
        mayClose(npcEditor_, workspace_.npcModel, [this] { return npcEditor_->mayDropEdits(); }) &&
        mayClose(itemEditor_, workspace_.itemModel,
                 [this] { return itemEditor_->mayDropEdits(); }) &&
        mayClose(skillEditor_, workspace_.skillModel,
                 [this] { return skillEditor_->mayDropEdits(); }) &&
        mayClose(petPage_, workspace_.petModel, [this] { return petPage_->mayDropEdits(); });
    if (!may) {
        event->ignore();
        return;
    }
    saveWindowState(*this);
    setApplicationClosing(true);
    event->accept();
}

} // namespace aethrian::ui
