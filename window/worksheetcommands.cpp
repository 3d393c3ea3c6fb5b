// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's worksheets: open, save, save as, the last five, the question before a
// changed worksheet goes, the caption, a worksheet dropped on the window.
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QUndoStack>

#include "nameonlyicons.h"
#include "sheetsettings.h"
#include "tform1.h"
#include "uiseam.h"
#include "worksheet.h"

namespace kurvanto {

namespace {

const QString kCaption = QStringLiteral("Kurvanto(Курванто) Версия 2.0");
const QString kSheetFilter = QStringLiteral("Лист Курванто (*.kurv)");
const QString kSheetSuffix = QStringLiteral("kurv");

// A file dialog for worksheets that reads no file to show a folder.
std::unique_ptr<QFileDialog> SheetDialog(QWidget *parent, const QString &title, bool save,
                                         const QString &start) {
    auto dialog = std::make_unique<QFileDialog>(parent, title, start, kSheetFilter);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog->setDefaultSuffix(kSheetSuffix);
    UseNameOnlyIcons(*dialog);
    return dialog;
}

// The first worksheet among dropped files.
QString DroppedSheet(const QMimeData *data) {
    if (data == nullptr)
        return QString();
    for (const QUrl &url : data->urls())
        if (url.isLocalFile() &&
            url.toLocalFile().endsWith(QStringLiteral(".kurv"), Qt::CaseInsensitive))
            return url.toLocalFile();
    return QString();
}

} // namespace

void TForm1::createSheetMenu() {
    fileMenu_ = findChild<QMenu *>(QStringLiteral("n1"));
    QAction *first = fileMenu_->actions().value(0);
    const auto insert = [&](const char *name, const QString &text, const QKeySequence &keys) {
        auto *item = new QAction(text, fileMenu_);
        item->setObjectName(QLatin1String(name));
        item->setShortcut(keys);
        fileMenu_->insertAction(first, item);
        return item;
    };
    connect(insert("N30", QStringLiteral("Открыть лист..."), QKeySequence(Qt::CTRL | Qt::Key_O)),
            &QAction::triggered, this, [this] {
                const QString start = QFileInfo(sheetPath_).absolutePath();
                const auto dialog = SheetDialog(this, QStringLiteral("Открытие листа"), false,
                                                sheetPath_.isEmpty() ? QString() : start);
                if (ExecDialog(*dialog) == QDialog::Accepted && !dialog->selectedFiles().isEmpty())
                    openSheet(dialog->selectedFiles().constFirst());
            });
    connect(insert("N31", QStringLiteral("Сохранить лист"), QKeySequence()), &QAction::triggered,
            this, [this] { saveSheet(); });
    connect(insert("N32", QStringLiteral("Сохранить лист как..."),
                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)),
            &QAction::triggered, this, [this] { saveSheetAs(); });
    fileMenu_->insertSeparator(first)->setObjectName(QStringLiteral("N33"));
    setAcceptDrops(true);
    updateRecentSheets();
}

// The last five worksheets, before "Выход", with a separator of their own.
void TForm1::updateRecentSheets() {
    qDeleteAll(recentItems_);
    recentItems_.clear();
    const QStringList recent = LoadRecentSheets();
    if (recent.isEmpty())
        return;
    QAction *exit = findChild<QAction *>(QStringLiteral("N4"));
    for (int i = 0; i < recent.size(); ++i) {
        const QString path = recent.at(i);
        auto *item = new QAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()), fileMenu_);
        item->setObjectName(QStringLiteral("RecentSheet%1").arg(i + 1));
        item->setToolTip(QDir::toNativeSeparators(path));
        connect(item, &QAction::triggered, this, [this, path] { openSheet(path); });
        fileMenu_->insertAction(exit, item);
        recentItems_ << item;
    }
    QAction *separator = fileMenu_->insertSeparator(exit);
    separator->setObjectName(QStringLiteral("N34"));
    recentItems_ << separator;
}

bool TForm1::openSheet(const QString &path) {
    if (!askToSaveSheet())
        return false;
    const WorksheetRead read = ReadWorksheetFile(path);
    if (!read.sheet) {
        ShowMessage(this, read.fault, QMessageBox::Critical);
        return false;
    }
    std::optional<QString> fault;
    RunCommand(this, [&] { fault = field_.openWorksheet(*read.sheet); });
    if (fault) {
        ShowMessage(this, QStringLiteral("Лист «%1»: %2").arg(QFileInfo(path).fileName(), *fault),
                    QMessageBox::Critical);
        return false;
    }
    sheetPath_ = path;
    sheetSaved_ = field_.worksheet();
    RememberRecentSheet(path);
    updateRecentSheets();
    showSheetOptions();
    if (undo_)
        undo_->clear(); // the steps were on the field the worksheet replaced
    Label2->setVisible(false);
    stepShown();
    return true;
}

// The option items show the worksheet's options; the remembered ones stay as they were.
void TForm1::showSheetOptions() {
    const FieldOptions &o = field_.options();
    N22->setChecked(o.grid);
    N23->setChecked(o.numbers);
    N24->setChecked(o.breaks);
    N25->setChecked(o.legend);
    N40->setChecked(o.points);
}

bool TForm1::saveSheet() {
    return sheetPath_.isEmpty() ? saveSheetAs() : saveSheetTo(sheetPath_);
}

bool TForm1::saveSheetAs() {
    const auto dialog = SheetDialog(this, QStringLiteral("Сохранение листа"), true,
                                    sheetPath_.isEmpty() ? QString() : sheetPath_);
    if (ExecDialog(*dialog) != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return false;
    return saveSheetTo(dialog->selectedFiles().constFirst());
}

bool TForm1::saveSheetTo(const QString &path) {
    const Worksheet sheet = field_.worksheet();
    const WriteResult written = SaveWorksheetFile(sheet, path);
    if (!written.ok) {
        ShowMessage(this,
                    QStringLiteral("Не удалось сохранить лист в файл \"%1\":\n%2")
                        .arg(QDir::toNativeSeparators(path), written.error),
                    QMessageBox::Critical);
        return false;
    }
    sheetPath_ = path;
    sheetSaved_ = sheet;
    RememberRecentSheet(path);
    updateRecentSheets();
    updateCaption();
    return true;
}

bool TForm1::sheetChanged() const {
    return !sheetPath_.isEmpty() && !SameWorksheet(field_.worksheet(), sheetSaved_);
}

bool TForm1::askToSaveSheet() {
    if (!sheetChanged())
        return true;
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(),
                    QStringLiteral("Лист «%1» изменён. Сохранить изменения?")
                        .arg(QFileInfo(sheetPath_).fileName()),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.button(QMessageBox::Save)->setText(QStringLiteral("Сохранить"));
    box.button(QMessageBox::Discard)->setText(QStringLiteral("Не сохранять"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Отмена"));
    box.setDefaultButton(QMessageBox::Save);
    const int answer = ExecDialog(box);
    if (answer == QMessageBox::Save)
        return saveSheet();
    return answer == QMessageBox::Discard;
}

void TForm1::updateCaption() {
    if (sheetPath_.isEmpty()) {
        setWindowTitle(kCaption);
        return;
    }
    setWindowTitle(kCaption + QStringLiteral(" - ") + QFileInfo(sheetPath_).fileName() +
                   (sheetChanged() ? QStringLiteral("*") : QString()));
}

void TForm1::closeEvent(QCloseEvent *event) {
    if (!askToSaveSheet()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void TForm1::dragEnterEvent(QDragEnterEvent *event) {
    if (!DroppedSheet(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent *event) {
    const QString path = DroppedSheet(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // Opened once the drop is over: the question and the messages are dialogs of their own.
    QTimer::singleShot(0, this, [this, path] { openSheet(path); });
}

} // namespace kurvanto
