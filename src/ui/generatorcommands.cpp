#include "ui/generatorcommands.h"

#include "app/errors.h"
#include "app/numbers.h"
#include "generators/clientdump.h"
#include "ui/dialogs/dualsdialog.h"
#include "ui/dialogs/exportwindow.h"
#include "ui/mainwindow.h"
#include "ui/messages.h"
#include "ui/models/tablemodel.h"

#include <QAction>

namespace aethrian::ui {

namespace {

QString joined(const std::vector<std::string>& lines) {
    QStringList out;
    for (const std::string& l : lines)
        out << QString::fromUtf8(l);
    return out.join('\n');
}

} // namespace

GeneratorCommands::GeneratorCommands(MainWindow* window) : QObject(window) {
    auto* duals = new DualsDialog(window->itemEditor(), window);
    duals->hide();
    connect(window->action(QStringLiteral("Duals1")), &QAction::triggered, duals, [duals] {
        duals->show();
        duals->raise();
    });

    Workspace& ws = window->workspace();
    const std::pair<const char*, std::pair<PhpExport, TableModel*>> exports[] = {
        {"MenuItem4", {PhpExport::Weapon, &ws.weaponGrpModel}},
        {"ExportasPHP1", {PhpExport::EtcItem, &ws.etcItemGrpModel}},
        {"ExportasPHP2", {PhpExport::ItemName, &ws.itemNameModel}}};
    for (const auto& [name, target] : exports) {
        connect(window->action(QString::fromLatin1(name)), &QAction::triggered, this, [window, target = target] {
            runGuarded(window, [&] {
                const std::optional<QString> first =
                    askText(window, QStringLiteral("PHP rs ID to begin:"), QStringLiteral("ID:"), {});
                if (!first)
                    return;
                const long long id = parseInt(first->toStdString());
                ExportWindow* out = window->exportWindow();
                const PhpExportRun run = exportPhpLines(target.second->table(), target.first, id,
                                                        window->workspace().divider);
                // After an error: the lines before it, set but not shown.
                out->text()->setPlainText(joined(run.lines));
                if (run.error)
                    std::rethrow_exception(run.error);
                out->show();
                out->raise();
            });
        });
    }
}

} // namespace aethrian::ui
