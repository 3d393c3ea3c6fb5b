// SPDX-License-Identifier: GPL-3.0-or-later
#include "valuetabledialog.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "filereason.h"
#include "generalformat.h"
#include "inplacetarget.h"
#include "localesep.h"
#include "nameonlyicons.h"
#include "tspinedit.h"
#include "uiseam.h"

namespace kurvanto {

namespace {

const QString kNoValue = QStringLiteral("нет значения");
constexpr int kStartRows = 21; // the field's x range in 20 steps

TSpinEdit *NumberBox(QWidget *parent, const char *name, double value, double increment) {
    auto *box = new TSpinEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setIncrement(increment);
    box->setValue(value);
    return box;
}

QString Shown(double value) {
    return QString::fromStdString(FormatGeneral(value, LocaleDecimalSeparator().toLatin1()));
}

} // namespace

ValueTableDialog::ValueTableDialog(const PlotState &state, std::vector<std::string> formulas,
                                   std::vector<ParameterValues> values, QWidget *parent)
    : QDialog(parent), formulas_(std::move(formulas)), values_(std::move(values)) {
    setObjectName(QStringLiteral("ValueTableDialog"));
    setWindowTitle(QStringLiteral("Таблица значений"));
    createControls(state);
    fill();
}

void ValueTableDialog::createControls(const PlotState &state) {
    auto *form = new QFormLayout;
    from_ = NumberBox(this, "SpinEditFrom", state.XMin, 1);
    step_ = NumberBox(this, "SpinEditStep", (state.XMax - state.XMin) / (kStartRows - 1), 0.1);
    count_ = NumberBox(this, "SpinEditCount", kStartRows, 1);
    count_->setMinValue(1);
    count_->setMaxValue(kTableMaxRows);
    form->addRow(QStringLiteral("От x:"), from_);
    form->addRow(QStringLiteral("Шаг:"), step_);
    form->addRow(QStringLiteral("Строк (1 - 10000):"), count_);
    for (TSpinEdit *box : {from_, step_, count_})
        connect(box, &TSpinEdit::OnChange, this, [this] { RunCommand(this, [this] { fill(); }); });
    grid_ = new QTableWidget(this);
    grid_->setObjectName(QStringLiteral("ValueGrid"));
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->hide();
    grid_->setWordWrap(false); // a number of 15 digits on one line
    grid_->horizontalHeader()->setDefaultSectionSize(150);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->installEventFilter(this); // Ctrl+C: the whole table, not the current cell
    auto *copyAction = new QAction(this);
    copyAction->setShortcut(QKeySequence::Copy);
    connect(copyAction, &QAction::triggered, this, &ValueTableDialog::copy);
    addAction(copyAction);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Закрыть"), QDialogButtonBox::RejectRole);
    QPushButton *saveButton =
        buttons->addButton(QStringLiteral("Сохранить..."), QDialogButtonBox::ActionRole);
    saveButton->setObjectName(QStringLiteral("SaveButton"));
    connect(saveButton, &QPushButton::clicked, this,
            [this] { RunCommand(this, [this] { save(); }); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(grid_);
    layout->addWidget(buttons);
    resize(520, 480);
}

// The table again from the boxes; a count outside 1 .. 10000 is taken at the nearest end.
void ValueTableDialog::fill() {
    const long double count = count_->Value();
    const int rows =
        std::isfinite(static_cast<double>(count))
            ? static_cast<int>(std::clamp<long double>(std::round(count), 1, kTableMaxRows))
            : 1;
    table_ = ComputeValueTable(formulas_, static_cast<double>(from_->Value()),
                               static_cast<double>(step_->Value()), rows, values_);
    QStringList header{QStringLiteral("x")};
    for (const std::string &formula : formulas_)
        header << QString::fromStdString(formula);
    grid_->clear();
    grid_->setColumnCount(static_cast<int>(header.size()));
    grid_->setRowCount(rows);
    grid_->setHorizontalHeaderLabels(header);
    for (int i = 0; i < rows; ++i) {
        grid_->setItem(i, 0, new QTableWidgetItem(Shown(table_.xs[i])));
        for (std::size_t c = 0; c < formulas_.size(); ++c) {
            const std::optional<double> &value = table_.rows[i][c];
            grid_->setItem(i, static_cast<int>(c) + 1,
                           new QTableWidgetItem(value ? Shown(*value) : kNoValue));
        }
    }
}

QString ValueTableDialog::shownText() const {
    QStringList lines;
    QStringList cells;
    for (int c = 0; c < grid_->columnCount(); ++c)
        cells << grid_->horizontalHeaderItem(c)->text();
    lines << cells.join(QLatin1Char('\t'));
    for (int r = 0; r < grid_->rowCount(); ++r) {
        cells.clear();
        for (int c = 0; c < grid_->columnCount(); ++c)
            cells << grid_->item(r, c)->text();
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QByteArray ValueTableDialog::csv() const {
    return QByteArray::fromStdString(TableText(table_, ',', kNoValue.toStdString(), true));
}

bool ValueTableDialog::eventFilter(QObject *watched, QEvent *event) {
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    if (watched == grid_ && key && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)) {
        event->accept();
        if (event->type() == QEvent::KeyPress)
            copy();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void ValueTableDialog::copy() {
    QApplication::clipboard()->setText(shownText());
}

void ValueTableDialog::save() {
    QFileDialog dialog(this, QStringLiteral("Сохранение таблицы"), QString(),
                       QStringLiteral("Таблица CSV (*.csv)"));
    dialog.setObjectName(QStringLiteral("TableSaveDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave); // asks before overwriting
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    UseNameOnlyIcons(dialog);
    if (ExecDialog(dialog) == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        saveTo(dialog.selectedFiles().constFirst());
}

// Replaced only when the whole table reached the disk; a FIFO or a device written in place.
bool ValueTableDialog::saveTo(const QString &fileName) {
    const QByteArray bytes = csv();
    const WriteResult written = IsInPlaceTarget(fileName)
                                    ? WriteInPlaceTarget(this, fileName, bytes)
                                    : WriteFileWhole(fileName, [&](QIODevice &out) {
                                          return out.write(bytes) == bytes.size();
                                      });
    if (!written.ok)
        ShowMessage(this,
                    QStringLiteral("Не удалось сохранить таблицу в файл \"%1\":\n%2")
                        .arg(OneLine(QDir::toNativeSeparators(fileName)), written.error),
                    QMessageBox::Critical);
    return written.ok;
}

} // namespace kurvanto
