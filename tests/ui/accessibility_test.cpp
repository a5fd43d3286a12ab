#include "uifixture.h"

#include "ui/widgets/loglist.h"
#include "ui/widgets/pathbox.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>

#include <map>
#include <set>

using namespace aethrian::ui;

namespace {

// What a user operates. Qt's own parts of one (a view's viewport and corner button, a tab bar's
// scroll arrows) belong to that control and are announced through it.
bool isControl(const QWidget* w) {
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
           qobject_cast<const QTextEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w);
}

bool partOfAnotherControl(const QWidget* w, const QWidget* page) {
    for (const QWidget* p = w->parentWidget(); p && p != page; p = p->parentWidget())
        if (isControl(p) || qobject_cast<const QTabBar*>(p))
            return true;
    return false;
}

// The name an assistive technology reads: the accessible name, or what Qt derives (a button's
// text).
QString announcedName(QWidget* w) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(QAccessible::Name) : QString();
}

// The leaf pages of the window's page controls (a page control inside a page, such as a client
// item page's Text View and Table View, is part of that page).
std::vector<QWidget*> pages(const MainWindow& window) {
    std::vector<QWidget*> out;
    for (QTabWidget* control : window.findChildren<QTabWidget*>()) {
        if (!control->objectName().startsWith(QLatin1String("JvPageControl")))
            continue;
        for (int i = 0; i < control->count(); ++i) {
            QWidget* page = control->widget(i);
            if (!page->objectName().startsWith(QLatin1String("JvPageControl")))
                out.push_back(page);
        }
    }
    return out;
}

} // namespace

TEST_F(WindowTest, EveryVisibleControlOfAPageHasItsOwnAccessibleName) {
    window->show();
    size_t pagesWithControls = 0;
    for (QWidget* page : pages(*window)) {
        window->showPage(page);
        // Visit every inner tab too: their controls are the page's.
        std::set<QWidget*> seen;
        const auto collect = [&] {
            for (QWidget* w : page->findChildren<QWidget*>())
                if (isControl(w) && w->isVisible() && !partOfAnotherControl(w, page))
                    seen.insert(w);
        };
        collect();
        for (QTabWidget* inner : page->findChildren<QTabWidget*>()) {
            for (int i = 0; i < inner->count(); ++i) {
                inner->setCurrentIndex(i);
                collect();
            }
        }
        pagesWithControls += !seen.empty();
        std::map<QString, QString> byName; // accessible name -> object name of its first holder
        for (QWidget* w : seen) {
            const QString name = announcedName(w);
            EXPECT_FALSE(name.trimmed().isEmpty())
                << page->objectName().toStdString() << ": " << w->objectName().toStdString() << " ("
                << w->metaObject()->className() << ") has no accessible name";
            if (name.isEmpty())
                continue;
            const auto [at, added] = byName.emplace(name, w->objectName());
            EXPECT_TRUE(added) << page->objectName().toStdString() << ": "
                               << w->objectName().toStdString() << " and "
                               << at->second.toStdString() << " are both \"" << name.toStdString()
                               << "\"";
        }
    }
    EXPECT_GE(pagesWithControls, 20u);
}

TEST_F(WindowTest, ControlsWithoutTextOfTheirOwnAreNamedForWhatTheyHold) {
    const std::pair<const char*, const char*> named[] = {
        {"Edit32", "NPCData Editor file"},
        {"JvStringGrid1", "NPC table"},
        {"ListBox1", "NPCData Editor log"},
        {"Edit35", "ITEMData Editor file"},
        {"JvStringGrid3", "ITEM table"},
        {"Listbox3", "ITEMData Editor log"},
        {"JvStringGrid6", "SKILL table"},
        {"Edit42", "Npc_pch file"},
        {"JvListBox2", "Npc_pch log"},
        {"ListBox6", "AI.obj Editor log"},
        {"Edit33", "NPCData Compare first file"},
        {"Edit34", "NPCData Compare second file"},
        {"JvStringGrid2", "NPC comparison table"},
        {"ListBox2", "NPCs not found in the 2nd file"},
        {"Edit48", "Npcpos file"},
        {"TntMemo7", "Npcpos text"},
        {"Edit44", "Client:WeaponGrp file"},
        {"JvStringGrid9", "Client:WeaponGrp table"},
        {"Edit16", "NPCData Checker file"},
        {"Edit17", "Orc Grunt Exp rate"},
        {"Edit1", "1x reference Orc Grunt Exp"},
        {"Edit27", "Karik Spoil rate"},
        {"divid", "Float divider"},
    };
    for (const auto& [object, name] : named) {
        QWidget* w = find<QWidget>(QString::fromLatin1(object));
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(announcedName(w).toStdString(), name) << object;
    }
}
