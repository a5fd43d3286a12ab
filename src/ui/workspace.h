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
    Workspace() : npcModel(npc), itemModel(item), petModel(pet), skillModel(skill) {}

    Table npc;
    Table item;
    Table pet;
    Table skill;
    TableModel npcModel;
    TableModel itemModel;
    TableModel petModel;
    TableModel skillModel;
    char divider = ',';
};

} // namespace aethrian::ui
