// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's commands: the toolbar's buttons and the menu items.
#include "tform1.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QToolButton>

#include "errors.h"
#include "fieldprinting.h"
#include "fieldsettings.h"
#include "filereason.h"
#include "helpwindow.h"
#include "inplacetarget.h"
#include "picturebox.h"
#include "tform2.h"
#include "tform3.h"
#include "tform4.h"
#include "uiseam.h"

namespace kurvanto {

namespace {

const QString kNoGraph = QStringLiteral("Нет графика на поле!!!");

} // namespace

void TForm1::SpeedButton1Click() {
    RunCommand(this, [this] {
        if (state_.GraphPresent == 0) {
            ShowMessage(this, kNoGraph);
            return;
        }
        if (!SaveDialog1)
            createSaveDialog();
        if (ExecDialog(*SaveDialog1) != QDialog::Accepted)
            return;
        const QStringList chosen = SaveDialog1->selectedFiles();
        if (chosen.isEmpty())
            return;
        SaveDialog1->selectFile(chosen.first()); // offered again next time
        savePicture(chosen.first(), SaveDialog1->selectedNameFilter());
    });
}

// The file is replaced only when the whole picture reached the disk; otherwise the old file
// stays as it was and the message says why.
void TForm1::savePicture(const QString &fileName, const QString &filter) {
    const PictureFormat format = SaveFormatFor(fileName, filter);
    WriteResult written;
    if (IsInPlaceTarget(fileName)) { // a FIFO or a device: made in memory, written in place
        QByteArray bytes;
        written = field_.encode(bytes, format, QFileInfo(fileName).completeBaseName());
        if (written.ok)
            written = WriteInPlaceTarget(this, fileName, bytes);
    } else {
        written = field_.write(fileName, format);
    }
    if (!written.ok) {
        ShowMessage(this,
                    QStringLiteral("Не удалось сохранить график в файл \"%1\":\n%2")
                        .arg(OneLine(QDir::toNativeSeparators(fileName)), written.error),
                    QMessageBox::Critical);
    }
}

void TForm1::SpeedButton2Click() {
    RunCommand(this, [this] {
        if (state_.GraphPresent == 0) {
            ShowMessage(this, kNoGraph);
            return;
        }
        QGuiApplication::clipboard()->setImage(field_.canvas().image());
    });
}

void TForm1::SpeedButton3Click() {
    const ViewRanges before = CurrentView(state_);
    bool applied = false;
    RunCommand(this, [&] {
        TForm2 properties(state_, this);
        properties.setClearCommand([this] { SpeedButton5->click(); });
        ExecDialog(properties);
        applied = properties.result() == QDialog::Accepted;
        FormActivate();
    });
    if (applied) {
        // "OK" sets the view: Home returns here, and a field it did not clear is drawn again
        // on these ranges (when a build could draw on them at all).
        const ViewRanges home = CurrentView(state_);
        field_.setHomeRanges(home);
        if (!(home == before) && !field_.displayList().empty() && ViewUsable(state_, home)) {
            navigator_.showView(home);
        }
    }
    Image1->update();
}

void TForm1::SpeedButton4Click() {
    const QString typed = Edit1->text();
    buildRefused_ = false;
    bool malformedNumber = false;
    RunCommand(this, [&] {
        try {
            field_.build(typed.toUtf8().toStdString());
        } catch (const ConversionError &) {
            malformedNumber = true; // reported as it comes, then pointed at in the box
            throw;
        }
    });
    Image1->update(); // what was drawn before an error stays and is shown
    if (buildRefused_ || malformedNumber)
        RunCommand(this, [&] { formulaFault_.show(typed); });
}

void TForm1::SpeedButton5Click() {
    RunCommand(this, [this] {
        field_.clear();
        setReadoutLabelsVisible(false);
    });
    Image1->update();
}

void TForm1::SpeedButton6Click() {
    RunCommand(this, [this] { showHelp(this); });
}

void TForm1::SpeedButton7Click() {
    RunCommand(this, [&] {
        state_.AnnotationConfirmed = 0;
        if (state_.GraphPresent == 1) {
            TForm4 annotation(state_, this);
            ExecDialog(annotation);
            FormActivate();
        } else {
            ShowMessage(this, kNoGraph);
        }
        field_.applyConfirmedAnnotation();
    });
    Image1->update();
}

void TForm1::printField() {
    PrintFieldWithDialog(this, field_);
}

void TForm1::N4Click() {
    close();
}

void TForm1::N12Click() {
    RunCommand(this, [this] {
        TForm3 about(this);
        ExecDialog(about);
    });
}

void TForm1::N17Click() {
    SpeedButton7->click();
}

void TForm1::N19Click() {
    state_.IntervalMode = state_.IntervalMode ? 0 : 1;
    N19->setChecked(state_.IntervalMode != 0);
}

void TForm1::N22Click() {
    toggleOption(&FieldOptions::grid, N22, kGridKey);
}

void TForm1::N23Click() {
    toggleOption(&FieldOptions::numbers, N23, kNumbersKey);
}

void TForm1::N24Click() {
    toggleOption(&FieldOptions::breaks, N24, kBreaksKey);
}

void TForm1::N25Click() {
    toggleOption(&FieldOptions::legend, N25, kLegendKey);
}

// An option takes effect on the field at once: what is on it is drawn again.
void TForm1::toggleOption(bool FieldOptions::*option, QAction *item, const char *key) {
    FieldOptions options = field_.options();
    options.*option = !(options.*option);
    item->setChecked(options.*option);
    SaveFieldOption(key, options.*option);
    RunCommand(this, [&] { field_.setOptions(options); });
    Image1->update();
}

} // namespace kurvanto
