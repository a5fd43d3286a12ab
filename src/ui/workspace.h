#pragma once

#include "records/table.h"
#include "ui/models/tablemodel.h"

#include <QObject>

namespace aethrian::ui {

// What the main window owns for the whole run and every page may use: the data tables with their
// models and the decimal divider of the Settings page.
class Workspace : public QObject {
    Q_OBJECT
public:
    Workspace()
        : npcModel(npc), itemModel(item), petModel(pet), skillModel(skill), npcCompareModel(npcCompare),
          itemCompareModel(itemCompare), skillCompareModel(skillCompare) {
        for (TableModel* m : {&npcCompareModel, &itemCompareModel, &skillCompareModel}) {
            m->setEditable(false);
            m->setHighlightDifferences(true);
        }
    }

    Table npc;
    Table item;
    Table pet;
    Table skill;
    TableModel npcModel;
    TableModel itemModel;
    TableModel petModel;
    TableModel skillModel;
    // The comparison results.
    Table npcCompare;
    Table itemCompare;
    Table skillCompare;
    TableModel npcCompareModel;
    TableModel itemCompareModel;
    TableModel skillCompareModel;
    char divider = ',';
};

} // namespace aethrian::ui
