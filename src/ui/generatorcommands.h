#pragma once

#include <QObject>

namespace aethrian::ui {

class MainWindow;

// "Make a duals..." and the three "Export as PHP..." commands of the client item tables.
class GeneratorCommands : public QObject {
    Q_OBJECT
  public:
    explicit GeneratorCommands(MainWindow* window);
};

} // namespace aethrian::ui
