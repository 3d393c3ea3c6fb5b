// SPDX-License-Identifier: GPL-3.0-or-later
#include "tform1.h"
#include "formstyle.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "acceptance.h"
#include "annotation.h"
#include "errors.h"
#include "fieldexport.h"
#include "helpwindow.h"
#include "imagefile.h"
#include "localesep.h"
#include "nameonlyicons.h"
#include "picturebox.h"
#include "programresources.h"
#include "readout.h"
#include "tform2.h"
#include "tform3.h"
#include "tform4.h"
#include "tform5.h"
#include "tform6.h"
#include "uiseam.h"

namespace kurvanto {

namespace {

const QString kNoGraph = QStringLiteral("Нет графика на поле!!!");
const QString kFormulaHint = QStringLiteral("Введите формулу");
const QString kSmallScreen = QStringLiteral("Разрешение ниже, чем 800х600!");
constexpr int kMinScreenWidth = 800;
constexpr int kMinScreenHeight = 600;
constexpr int kToolbarHeight = 57;
constexpr QPoint kPanel1Position(4, 60);
constexpr QPoint kImage1Position(8, 8);
constexpr int kPanelMargin = 16; // the picture's border inside the drawing panel, both sides

// One notch of the wheel, or one "+", zooms by this factor; an arrow key moves the view by
// this share of the field.
constexpr double kZoomStep = 1.25;
constexpr double kMoveShare = 0.1;

// The options of the field are remembered between runs, by the window only: the tool takes
// its options from its command line. Tests run in Qt's test mode, with settings of their own.
const QString kSettingsOrganization = QStringLiteral("Kurvanto");
const QString kSettingsApplication = QStringLiteral("kurvanto");
constexpr const char *kGridKey = "options/grid";
constexpr const char *kNumbersKey = "options/numbers";
constexpr const char *kBreaksKey = "options/breaks";
constexpr const char *kLegendKey = "options/legend";

} // namespace

QSize TForm1::PrimaryScreenSize() {
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(0, 0);
}

TForm1::TForm1(PlotState &state, ScreenSizeProvider screenSize, QWidget *parent)
    : QMainWindow(parent), state_(state), screen_size_(std::move(screenSize)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Kurvanto(Курванто) Версия 2.0"));
    setWindowIcon(MainWindowIcon());
    resize(800, 600);

    auto *client = new QWidget(this);
    auto *layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    setCentralWidget(client);
    {
        const QSettings settings(kSettingsOrganization, kSettingsApplication);
        options_.grid = settings.value(QLatin1String(kGridKey), false).toBool();
        options_.numbers = settings.value(QLatin1String(kNumbersKey), false).toBool();
        options_.breaks = settings.value(QLatin1String(kBreaksKey), false).toBool();
        options_.legend = settings.value(QLatin1String(kLegendKey), false).toBool();
    }
    createToolbar();
    layout->addWidget(Panel2);
    layout->addStretch();
    createDrawingPanel();
    createMenu();

    FormCreate();
}

void TForm1::createToolbar() {
    Panel2 = new QFrame(centralWidget());
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel2->setFixedHeight(kToolbarHeight);
    Panel2->setFont(PixelFont(QStringLiteral("Times New Roman"), 17, true));

    SpeedButton1 = createButton("SpeedButton1", QRect(6, 3, 51, 51), QStringLiteral("save"),
                                QStringLiteral("Сохранить график на диске"));
    SpeedButton2 = createButton("SpeedButton2", QRect(63, 3, 50, 51), QStringLiteral("copy"),
                                QStringLiteral("Скопировать график в Clipboard"));
    SpeedButton3 = createButton("SpeedButton3", QRect(118, 3, 51, 51), QStringLiteral("props"),
                                QStringLiteral("Свойства графика"));
    SpeedButton7 = createButton("SpeedButton7", QRect(175, 3, 50, 51), QStringLiteral("annotate"),
                                QStringLiteral("Усовершенствование графика"));
    SpeedButton4 = createButton("SpeedButton4", QRect(231, 3, 50, 51), QStringLiteral("build"),
                                QStringLiteral("Построить график"));
    SpeedButton5 = createButton("SpeedButton5", QRect(286, 3, 51, 51), QStringLiteral("clear"),
                                QStringLiteral("Очистить поле для  построения"));
    SpeedButton6 = createButton("SpeedButton6", QRect(343, 3, 50, 51), QStringLiteral("help"),
                                QStringLiteral("Справка"));
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TForm1::SpeedButton3Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &TForm1::SpeedButton4Click);
    connect(SpeedButton5, &QToolButton::clicked, this, &TForm1::SpeedButton5Click);
    connect(SpeedButton6, &QToolButton::clicked, this, &TForm1::SpeedButton6Click);
    connect(SpeedButton7, &QToolButton::clicked, this, &TForm1::SpeedButton7Click);

    Label1 = createLabel(Panel2, "Label1", QStringLiteral("f(x)="), QPoint(426, 12));
    Label1->setFont(PixelFont(QStringLiteral("Times New Roman"), 25, true));
    Label1->adjustSize();

    Edit1 = new QLineEdit(Panel2);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(474, 12, 153, 28);
    Edit1->setMaxLength(80);
    Edit1->setFont(PixelFont(QStringLiteral("MS Serif"), 17));
    Edit1->setToolTip(kFormulaHint);
    QPalette white = Edit1->palette();
    white.setColor(QPalette::Base, Qt::white);
    white.setColor(QPalette::Text, Qt::black);
    Edit1->setPalette(white);
    Edit1->installEventFilter(this); // Ctrl+C: see eventFilter
    connect(Edit1, &QLineEdit::textChanged, this, &TForm1::forgetFormulaFault);

    Label5 = createLabel(Panel2, "Label5", QStringLiteral("X="), QPoint(642, 19));
    Label3 = createLabel(Panel2, "Label3", QStringLiteral("0,00"), QPoint(665, 19));
    Label6 = createLabel(Panel2, "Label6", QStringLiteral("Y="), QPoint(722, 19));
    Label4 = createLabel(Panel2, "Label4", QStringLiteral("0,00"), QPoint(745, 19));
    setReadoutLabelsVisible(false);
}

QToolButton *TForm1::createButton(const char *name, const QRect &geometry, const QString &glyph,
                                  const QString &hint) {
    auto *button = new QToolButton(Panel2);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIcon(QIcon(QPixmap::fromImage(ButtonGlyph(glyph))));
    button->setIconSize(QSize(30, 30));
    button->setToolTip(hint);
    return button;
}

QLabel *TForm1::createLabel(QWidget *parent, const char *name, const QString &text,
                            QPoint position) {
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->move(position);
    label->adjustSize();
    return label;
}

void TForm1::createDrawingPanel() {
    Panel1 = new QFrame(centralWidget());
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Panel1->setLineWidth(1);
    Panel1->setGeometry(QRect(kPanel1Position, QSize(kPanelWidth, kPanelHeight)));

    Image1 = new PictureBox(canvas_, Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(
        QRect(kImage1Position, QSize(kPanelWidth - kPanelMargin, kPanelHeight - kPanelMargin)));
    connect(Image1, &PictureBox::mouseMoved, this, &TForm1::Image1MouseMove);
    connect(Image1, &PictureBox::mousePressed, this, &TForm1::Image1MouseDown);
    connect(Image1, &PictureBox::mouseReleased, this, &TForm1::Image1MouseUp);
    connect(Image1, &PictureBox::mouseDragged, this, &TForm1::Image1Drag);
    connect(Image1, &PictureBox::wheelTurned, this, &TForm1::Image1Wheel);
    connect(Image1, &PictureBox::viewKeyPressed, this, &TForm1::Image1ViewKey);
    connect(Image1, &PictureBox::mouseLeft, this, [this] { pointerOver_ = false; });

    Label2 = createLabel(Panel1, "Label2", QStringLiteral("Ошибка в функции !!!"), QPoint(9, 9));
    Label2->setFont(PixelFont(QStringLiteral("Times New Roman"), 17));
    QPalette black = Label2->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    Label2->setPalette(black);
    Label2->adjustSize();
    Label2->raise();
    Label2->hide();
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
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    auto addMenu = [bar](const char *name, const QString &title) {
        QMenu *menu = bar->addMenu(title);
        menu->setObjectName(QLatin1String(name));
        return menu;
    };

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

    QMenu *edit = addMenu("N5", QStringLiteral("&Редактирование"));
    QAction *copy = addItem(edit, "N6", QStringLiteral("&Копировать в буфер"));
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    connect(copy, &QAction::triggered, this, &TForm1::N6Click);
    addSeparator(edit, "N7");
    connect(addItem(edit, "N17", QStringLiteral("Усовершенствование графика...")),
            &QAction::triggered, this, &TForm1::N17Click);

    QMenu *options = addMenu("N18", QStringLiteral("&Опции"));
    N19 = addItem(options, "N19", QStringLiteral("Построение на промежутке"));
    N19->setCheckable(true);
    connect(N19, &QAction::triggered, this, &TForm1::N19Click);
    addSeparator(options, "N20");
    connect(addItem(options, "N8", QStringLiteral("&Свойства графика...")), &QAction::triggered,
            this, &TForm1::N8Click);
    addSeparator(options, "N21");
    N22 = addOption(options, "N22", QStringLiteral("С&етка"), options_.grid, &TForm1::N22Click);
    N23 = addOption(options, "N23", QStringLiteral("&Числа на осях"), options_.numbers,
                    &TForm1::N23Click);
    N24 = addOption(options, "N24", QStringLiteral("&Разрывы"), options_.breaks, &TForm1::N24Click);
    N25 = addOption(options, "N25", QStringLiteral("&Легенда"), options_.legend, &TForm1::N25Click);

    // The view's keys anywhere in the window, the formula box included; "+", "-", the arrows
    // and Home alone work while the picture has the focus (see PictureBox).
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

    QMenu *graph = addMenu("N13", QStringLiteral("&График"));
    // Enter builds where the formula is typed: the item's keys work in the formula box only.
    QAction *build = addItem(graph, "N14", QStringLiteral("&Построить"));
    build->setShortcuts({QKeySequence(Qt::Key_Enter), QKeySequence(Qt::Key_Return)});
    build->setShortcutContext(Qt::WidgetShortcut);
    Edit1->QWidget::addAction(build);
    connect(build, &QAction::triggered, this, &TForm1::N14Click);
    addSeparator(graph, "N15");
    connect(addItem(graph, "N16", QStringLiteral("&Очистсть поле")), &QAction::triggered, this,
            &TForm1::N16Click);

    QMenu *help = addMenu("N9", QStringLiteral("&Справка"));
    QAction *helpItem = addItem(help, "N10", QStringLiteral("&Вызов справки"));
    helpItem->setShortcut(QKeySequence(Qt::Key_F1));
    connect(helpItem, &QAction::triggered, this, &TForm1::N10Click);
    addSeparator(help, "N11");
    connect(addItem(help, "N12", QStringLiteral("&О программе...")), &QAction::triggered, this,
            &TForm1::N12Click);
}

void TForm1::createSaveDialog() {
    SaveDialog1 = new QFileDialog(this, QStringLiteral("Сохранение графика"));
    SaveDialog1->setObjectName(QStringLiteral("SaveDialog1"));
    SaveDialog1->setOption(QFileDialog::DontUseNativeDialog);
    SaveDialog1->setOption(QFileDialog::HideNameFilterDetails);
    SaveDialog1->setAcceptMode(QFileDialog::AcceptSave); // asks before overwriting
    SaveDialog1->setFileMode(QFileDialog::AnyFile);
    SaveDialog1->setNameFilters(SaveFilters());
    SaveDialog1->setDefaultSuffix(QStringLiteral("bmp"));
    // A bare name gets the suffix of the chosen format.
    connect(SaveDialog1, &QFileDialog::filterSelected, SaveDialog1,
            [dialog = SaveDialog1](const QString &filter) {
                dialog->setDefaultSuffix(FilterSuffix(filter));
            });
    // Whatever folder the dialog shows (/proc, for one), it must not read a file to pick its
    // icon or type: some files never answer.
    UseNameOnlyIcons(*SaveDialog1);
}

// ---- Creation and activation ----

void TForm1::FormCreate() {
    Image1->setCursor(LoadProgramCursor(QStringLiteral("mycurs")));
    Image1->move(kImage1Position);
    SetStartValues(state_, Panel1->width(), Panel1->height());
    home_ = CurrentView(state_);
    check(screen_size_ ? screen_size_() : QSize(0, 0));
}

void TForm1::check(QSize screen) {
    if (screen.width() < kMinScreenWidth || screen.height() < kMinScreenHeight) {
        state_.RefuseStart = 1;
        state_.RefuseMessage = kSmallScreen;
    }
    if (state_.RefuseStart) {
        TForm5 refusal(state_, this);
        ExecDialog(refusal);
    }
}

void TForm1::FormActivate() {
    Panel1->resize(state_.FieldWidth + kPanelMargin, state_.FieldHeight + kPanelMargin);
    Image1->setGeometry(QRect(kImage1Position, QSize(state_.FieldWidth, state_.FieldHeight + 1)));
    if (state_.RefuseStart)
        QTimer::singleShot(0, this, &QWidget::close); // once the window is up, it goes
}

bool TForm1::event(QEvent *event) {
    if (event->type() == QEvent::WindowActivate)
        RunCommand(this, [this] { FormActivate(); });
    return QMainWindow::event(event);
}

// The formula box is where the keyboard focus stays, so it must not swallow the window's Ctrl+C:
// the box copies only a selection of its own, otherwise the key copies the picture.
bool TForm1::eventFilter(QObject *watched, QEvent *event) {
    if (watched == Edit1 && event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Copy) && !Edit1->hasSelectedText()) {
            event->ignore();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::showEvent(QShowEvent *event) {
    QMainWindow::showEvent(event);
    // Not every window system activates a new window: the first showing counts as activation.
    if (!shown_) {
        shown_ = true;
        RunCommand(this, [this] { FormActivate(); });
    }
}

// ---- Toolbar commands ----

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
    const WriteResult written = SaveField(fileName, SaveFormatFor(fileName, filter),
                                          canvas_.image(), state_, displayList_, options_);
    if (!written.ok) {
        ShowMessage(this,
                    QStringLiteral("Не удалось сохранить график в файл \"%1\":\n%2")
                        .arg(QDir::toNativeSeparators(fileName), written.error),
                    QMessageBox::Critical);
    }
}

void TForm1::SpeedButton2Click() {
    RunCommand(this, [this] {
        if (state_.GraphPresent == 0) {
            ShowMessage(this, kNoGraph);
            return;
        }
        QGuiApplication::clipboard()->setImage(canvas_.image());
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
        home_ = CurrentView(state_);
        if (!(home_ == before) && !displayList_.empty() && ViewUsable(state_, home_)) {
            ApplyView(state_, home_);
            viewChanged();
        }
    }
    Image1->update();
}

void TForm1::SpeedButton4Click() {
    const QString typed = Edit1->text();
    buildRefused_ = false;
    bool malformedNumber = false;
    bool overlaysStale = false;
    RunCommand(this, [&] {
        try {
            const std::string formula = typed.toUtf8().toStdString();
            const bool fresh = state_.ClearPending != 0;
            BuildGraph(state_, canvas_, formula, *this, options_);
            if (!buildRefused_ && state_.GraphPresent) {
                if (fresh) // the build began on a new field
                    displayList_.clear();
                displayList_.recordBuild(state_, formula);
                // A build on a field already drawn puts its curve over the numbers and leaves
                // the legend without its formula: the field is drawn again with everything.
                overlaysStale = !fresh && overlaysOn();
            }
        } catch (const ConversionError &) {
            malformedNumber = true; // reported as it comes, then pointed at in the box
            throw;
        }
    });
    if (overlaysStale)
        redrawField();
    Image1->update(); // what was drawn before an error stays and is shown
    if (buildRefused_ || malformedNumber)
        RunCommand(this, [&] { pointAtFormulaFault(typed); });
}

namespace {

// The index in a QString (UTF-16 units) of the character counted `characters` code points
// from its start.
int Utf16Index(const QString &text, int characters) {
    int index = 0;
    for (int i = 0; i < characters && index < text.size(); ++i)
        index += text.at(index).isHighSurrogate() && index + 1 < text.size() ? 2 : 1;
    return index;
}

} // namespace

// After a refused build: the fault's span selected in the formula box, which takes the focus,
// and its reason shown under the box, and kept as the box's tool tip until the text changes.
void TForm1::pointAtFormulaFault(const QString &typed) {
    const std::optional<FormulaFault> fault = FindFormulaFault(typed.toUtf8().toStdString());
    if (!fault)
        return;
    const int start = Utf16Index(typed, std::max(0, fault->position - 1));
    const int end = Utf16Index(typed, std::max(0, fault->position - 1 + fault->length));
    Edit1->setFocus(Qt::OtherFocusReason);
    Edit1->setSelection(start, end - start);
    const QString reason = QString::fromStdString(fault->reason);
    Edit1->setToolTip(reason);
    faultShown_ = true;
    QToolTip::showText(Edit1->mapToGlobal(QPoint(0, Edit1->height())), reason, Edit1);
}

void TForm1::forgetFormulaFault() {
    if (!faultShown_)
        return;
    faultShown_ = false;
    Edit1->setToolTip(kFormulaHint);
    QToolTip::hideText();
}

void TForm1::SpeedButton5Click() {
    RunCommand(this, [this] {
        canvas_.clear();
        displayList_.clear();
        setReadoutLabelsVisible(false);
        state_.GraphPresent = 0;
        state_.ClearPending = 1;
    });
    Image1->update();
}

void TForm1::SpeedButton6Click() {
    RunCommand(this, [this] { showHelp(this); });
}

void TForm1::SpeedButton7Click() {
    bool marked = false;
    RunCommand(this, [&] {
        state_.AnnotationConfirmed = 0;
        if (state_.GraphPresent == 1) {
            TForm4 annotation(state_, this);
            ExecDialog(annotation);
            FormActivate();
        } else {
            ShowMessage(this, kNoGraph);
        }
        ApplyConfirmedAnnotation(state_, canvas_);
        if (state_.AnnotationConfirmed && state_.TickMode) {
            displayList_.recordTicks(state_);
            marked = true;
        } else if (state_.AnnotationConfirmed && state_.CornerMode) {
            displayList_.recordCorner(state_);
            marked = true;
        }
    });
    if (marked && overlaysOn()) // the mark goes under the numbers and the legend
        redrawField();
    Image1->update();
}

// ---- Menu commands ----

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
    options_.*option = !(options_.*option);
    item->setChecked(options_.*option);
    QSettings settings(kSettingsOrganization, kSettingsApplication);
    settings.setValue(QLatin1String(key), options_.*option);
    redrawField();
}

// ---- The picture under the mouse ----

void TForm1::Image1MouseMove(Qt::KeyboardModifiers, int x, int y) {
    pointer_ = QPoint(x, y);
    pointerOver_ = true;
    RunCommand(this, [&] {
        const long double xValue =
            static_cast<long double>(x) * state_.ReadoutXUnitsPerPixel + state_.XMin;
        const long double yValue =
            state_.YMax - static_cast<long double>(y) * state_.ReadoutYUnitsPerPixel;
        const QChar separator = LocaleDecimalSeparator();
        Label3->setText(ReadoutText(xValue, separator));
        Label3->adjustSize();
        Label4->setText(ReadoutText(yValue, separator));
        Label4->adjustSize();
    });
}

void TForm1::Image1MouseDown(Qt::MouseButton button, int x, int y) {
    if (button == Qt::LeftButton && !state_.LabelArmed) { // the label's clicks keep the button
        leftDown_ = true;
        dragging_ = false;
        pressedAt_ = QPoint(x, y);
        dragFrom_ = CurrentView(state_);
    }
    const PlotState before = state_;
    bool marked = false;
    RunCommand(this, [&] {
        LabelMouseDown(state_, canvas_, button, x, y);
        marked = recordLabelClick(button, x, y, before);
    });
    // A label goes under the numbers and the legend, and an erased one takes no grid with it.
    if (marked && overlaysOn())
        redrawField();
    Image1->update();
}

// What a click of the label's state machine drew or erased goes into the display list.
bool TForm1::recordLabelClick(Qt::MouseButton button, int x, int y, const PlotState &before) {
    if (!before.LabelArmed)
        return false;
    if (button == Qt::LeftButton && before.LabelClickCount + 1 != 2) {
        displayList_.recordLabel(state_, x, y);
        return true;
    }
    if (button == Qt::RightButton || button == Qt::MiddleButton) {
        displayList_.eraseLabelAt(state_, before.LastClickX, before.LastClickY);
        return true;
    }
    return false;
}

void TForm1::Image1MouseUp(Qt::MouseButton button, int, int) {
    if (button == Qt::LeftButton)
        leftDown_ = dragging_ = false;
}

// Dragging moves the content with the pointer; each position is taken from where the drag
// began, so the view ends exactly as far as the pointer went.
void TForm1::Image1Drag(int x, int y) {
    if (!leftDown_ || (!dragging_ && QPoint(x, y) == pressedAt_))
        return;
    dragging_ = true;
    const ViewRanges to = Panned(state_, dragFrom_, x - pressedAt_.x(), y - pressedAt_.y());
    if (to == CurrentView(state_) || !ViewUsable(state_, to))
        return;
    ApplyView(state_, to);
    redrawField();
    Image1MouseMove(Qt::NoModifier, x, y);
}

void TForm1::Image1Wheel(double x, double y, int eighths) {
    pointer_ = QPoint(static_cast<int>(std::clamp(std::floor(x), -1e6, 1e6)),
                      static_cast<int>(std::clamp(std::floor(y), -1e6, 1e6)));
    pointerOver_ = true;
    zoomAbout(x, y, std::pow(kZoomStep, eighths / 120.0));
}

void TForm1::Image1ViewKey(int key) {
    const double across = (state_.FieldWidth + 1.0) * kMoveShare;
    const double down = (state_.FieldHeight + 1.0) * kMoveShare;
    switch (key) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoomIn();
        break;
    case Qt::Key_Minus:
        zoomOut();
        break;
    case Qt::Key_Left: // the view moves left: the content right
        moveView(across, 0);
        break;
    case Qt::Key_Right:
        moveView(-across, 0);
        break;
    case Qt::Key_Up:
        moveView(0, down);
        break;
    case Qt::Key_Down:
        moveView(0, -down);
        break;
    case Qt::Key_Home:
        homeView();
        break;
    default:
        break;
    }
}

// ---- The view ----

void TForm1::zoomAbout(double pixelX, double pixelY, double factor) {
    if (ZoomAbout(state_, pixelX, pixelY, factor))
        viewChanged();
}

void TForm1::zoomIn() {
    if (ZoomAtCentre(state_, kZoomStep))
        viewChanged();
}

void TForm1::zoomOut() {
    if (ZoomAtCentre(state_, 1 / kZoomStep))
        viewChanged();
}

void TForm1::moveView(double dxPixels, double dyPixels) {
    if (Pan(state_, dxPixels, dyPixels))
        viewChanged();
}

void TForm1::homeView() {
    if (CurrentView(state_) == home_)
        return;
    ApplyView(state_, home_);
    viewChanged();
}

// After a step: the field drawn again on the new ranges, and the read-out at the pointer. A
// drag under way goes on from the new view (a wheel turned while dragging).
void TForm1::viewChanged() {
    if (leftDown_) {
        dragFrom_ = CurrentView(state_);
        pressedAt_ = pointer_;
    }
    redrawField();
    if (pointerOver_) // a key's step with the pointer elsewhere leaves the read-out as it is
        Image1MouseMove(Qt::NoModifier, pointer_.x(), pointer_.y());
}

void TForm1::redrawField() {
    if (displayList_.empty())
        return; // nothing to draw again: the next build draws on the new ranges
    RunCommand(this, [this] { RedrawField(state_, canvas_, displayList_, options_, *this); });
    Image1->update();
}

// ---- Annotation ----

void TForm1::nasec() {
    kurvanto::nasec(state_, canvas_);
    Image1->update();
}

void TForm1::ugolok() {
    kurvanto::ugolok(state_, canvas_);
    Image1->update();
}

void TForm1::nadpis() {
    kurvanto::nadpis(state_);
}

// ---- What the build run asks of the window ----

void TForm1::askInterval() {
    {
        TForm6 interval(state_, this);
        ExecDialog(interval);
    }
    FormActivate();
}

void TForm1::setErrorLabelVisible(bool visible) {
    Label2->setVisible(visible);
    buildRefused_ = visible;
}

void TForm1::showReadoutLabels() {
    setReadoutLabelsVisible(true);
}

void TForm1::setReadoutLabelsVisible(bool visible) {
    for (QLabel *label : {Label3, Label4, Label5, Label6})
        label->setVisible(visible);
}

} // namespace kurvanto
