// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's menu and the view's keys.
#include "tform1.h"

#include <QAction>
#include <QLineEdit>
#include <QMenuBar>

#include "uiseam.h"

namespace kurvanto {

QMenu *TForm1::addMenu(const char *name, const QString &title) {
    QMenu *menu = menuBar()->addMenu(title);
    menu->setObjectName(QLatin1String(name));
    return menu;
}

QAction *TForm1::addItem(QMenu *menu, const char *name, const QString &text) {
    QAction *item = menu->addAction(text);
    item->setObjectName(QLatin1String(name));
    return item;
}

QAction *TForm1::addOption(QMenu *menu, const char *name, const QString &text, bool on,
                           void (TForm1::*handler)()) {
    QAction *item = addItem(menu, name, text);
    item->setCheckable(true);
    item->setChecked(on);
    connect(item, &QAction::triggered, this, handler);
    return item;
}

void TForm1::addSeparator(QMenu *menu, const char *name) {
    menu->addSeparator()->setObjectName(QLatin1String(name));
}

void TForm1::createMenu() {
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    createFileMenu();
    createSheetMenu();
    createEditMenu();
    createUndo();
    createOptionsMenu();
    createViewMenu();
    createTraceItems();
    createViewKeys();
    createGraphMenu();
    createHelpMenu();
    routeStepsThroughUndo();
}

void TForm1::createFileMenu() {
    QMenu *file = addMenu("n1", QStringLiteral("&Файл"));
    QAction *save = addItem(file, "N2", QStringLiteral("Сохранить..."));
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(save, &QAction::triggered, this, &TForm1::N2Click);
    QAction *print = addItem(file, "N26", QStringLiteral("Печать..."));
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    connect(print, &QAction::triggered, this,
            [this] { RunCommand(this, [this] { printField(); }); });
    addSeparator(file, "N3");
    QAction *exit = addItem(file, "N4", QStringLiteral("&Выход"));
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(exit, &QAction::triggered, this, &TForm1::N4Click);
}

void TForm1::createEditMenu() {
    QMenu *edit = addMenu("N5", QStringLiteral("&Редактирование"));
    QAction *copy = addItem(edit, "N6", QStringLiteral("&Копировать в буфер"));
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    connect(copy, &QAction::triggered, this, &TForm1::N6Click);
    addSeparator(edit, "N7");
    connect(addItem(edit, "N17", QStringLiteral("Усовершенствование графика...")),
            &QAction::triggered, this, &TForm1::N17Click);
}

void TForm1::createOptionsMenu() {
    QMenu *options = addMenu("N18", QStringLiteral("&Опции"));
    N19 = addItem(options, "N19", QStringLiteral("Построение на промежутке"));
    N19->setCheckable(true);
    connect(N19, &QAction::triggered, this, &TForm1::N19Click);
    addSeparator(options, "N20");
    connect(addItem(options, "N8", QStringLiteral("&Свойства графика...")), &QAction::triggered,
            this, &TForm1::N8Click);
    addSeparator(options, "N21");
    const FieldOptions &on = field_.options();
    N22 = addOption(options, "N22", QStringLiteral("С&етка"), on.grid, &TForm1::N22Click);
    N23 =
        addOption(options, "N23", QStringLiteral("&Числа на осях"), on.numbers, &TForm1::N23Click);
    N24 = addOption(options, "N24", QStringLiteral("&Разрывы"), on.breaks, &TForm1::N24Click);
    N25 = addOption(options, "N25", QStringLiteral("&Легенда"), on.legend, &TForm1::N25Click);
    N40 = addOption(options, "N40", QStringLiteral("Особые точки"), on.points, &TForm1::N40Click);
}

// The view's keys anywhere in the window, the formula box included; "+", "-", the arrows and
// Home alone work while the picture has the focus (see PictureBox).
void TForm1::createViewKeys() {
    auto addViewKeys = [this](const char *name, const QList<QKeySequence> &keys,
                              void (TForm1::*handler)()) {
        auto *action = new QAction(this);
        action->setObjectName(QLatin1String(name));
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        connect(action, &QAction::triggered, this, handler);
    };
    addViewKeys("ZoomIn",
                {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
                &TForm1::zoomIn);
    addViewKeys("ZoomOut", {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, &TForm1::zoomOut);
    addViewKeys("ZoomHome", {QKeySequence(Qt::CTRL | Qt::Key_0)}, &TForm1::homeView);
}

void TForm1::createGraphMenu() {
    QMenu *graph = addMenu("N13", QStringLiteral("&График"));
    // Enter builds where the formula is typed: the item's keys work in the formula box only.
    QAction *build = addItem(graph, "N14", QStringLiteral("&Построить"));
    build->setShortcuts({QKeySequence(Qt::Key_Enter), QKeySequence(Qt::Key_Return)});
    build->setShortcutContext(Qt::WidgetShortcut);
    Edit1->QWidget::addAction(build);
    connect(build, &QAction::triggered, this, &TForm1::N14Click);
    addSeparator(graph, "N15");
    connect(addItem(graph, "N16", QStringLiteral("&Очистить поле")), &QAction::triggered, this,
            &TForm1::N16Click);
}

void TForm1::createHelpMenu() {
    QMenu *help = addMenu("N9", QStringLiteral("&Справка"));
    QAction *helpItem = addItem(help, "N10", QStringLiteral("&Вызов справки"));
    helpItem->setShortcut(QKeySequence(Qt::Key_F1));
    connect(helpItem, &QAction::triggered, this, &TForm1::N10Click);
    addSeparator(help, "N11");
    connect(addItem(help, "N12", QStringLiteral("&О программе...")), &QAction::triggered, this,
            &TForm1::N12Click);
}

} // namespace kurvanto
