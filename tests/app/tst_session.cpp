// SPDX-License-Identifier: GPL-3.0-or-later
// A long randomized session at the main window: thousands of user actions chosen by a seeded
// generator (typing formulas, build, clear, the interval option, the properties, interval and
// annotation dialogs, the mouse on the picture, save and copy), with the promises of the plot
// state checked after every action. KURVANTO_SESSION_STEPS and KURVANTO_SESSION_SEED choose the
// length and the seed; the seed is printed first and with every failure, so that a failed
// session can be replayed exactly.
#include <QAction>
#include <QClipboard>
#include <QColorDialog>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <cmath>
#include <deque>
#include <exception>
#include <map>
#include <memory>
#include <random>
#include <unistd.h>

#include "formula.h"
#include "localesep.h"
#include "randomformula.h"
#include "tform1.h"
#include "tform2.h"
#include "tform3.h"
#include "tform4.h"
#include "tform6.h"
#include "tspinedit.h"
#include "uiseam.h"
#include "windowtest.h"

using namespace kurvanto;

namespace {

constexpr int kDefaultSteps = 2000;
constexpr std::size_t kRecentActions = 15; // shown with a failure

const QString kNoGraph = QStringLiteral("Нет графика на поле!!!");
const QString kSaveFailed = QStringLiteral("Не удалось сохранить график в файл");
const QString kInvalidOperation = QStringLiteral("Invalid floating point operation.");
const QString kOverflow = QStringLiteral("Floating point overflow.");
const QRegularExpression kBadNumber(QStringLiteral("^'.*' is not a valid floating point value\\.$"),
                                    QRegularExpression::DotMatchesEverythingOption);

// What users type into the formula box: good formulas, formulas the checker or the evaluator
// refuses, malformed numbers, huge values and letters outside ASCII.
const char *const kFormulas[] = {
    // good
    "x", "x^2-3", "sin(x)*5", "1/x", "sqrt(x)", "tg(x)", "ctg(x)", "ln(x)", "lg(abs(x))",
    "arcsin(x/10)", "arccos(x)", "arctg(x)", "arcctg(x)", "sc(x)", "csc(x)", "int(x)", "frac(x)",
    "0,1*x^3-x", "2,5*x", "x^0,5", "(-8)^(1/3)", "-x", "abs(x)-5", "SIN(X)", "5000", "-5000", "0",
    "x^x", "2^x", "cos(x)^2+sin(x)^2", "(x+1)*(x-1)", "1/(x^2+1)", "int(x)*frac(x)",
    // huge or failing values
    "10^300", "10^308*x", "x^1000", "2^(2^(2^x))", "1/(x-x)", "1/0", "0^0", "(-1)^0,5", "ln(0)",
    "99999999999999999999999*x", "x*100000000000000000000000000000000000000000", "10^38*x",
    "1,7*10^38", "tg(x)*10^30", "1/(x*10^-300)", "x^-1000", "exp(x)",
    // malformed numbers
    "2,,5", "x+1,2,3", ",5", "5,", "1,,", "x*3,,1", "1,2,3*x", "sin(2,,5)",
    // refused by the checker, or garbage
    "", " ", "((((", "x)", "sin", "sin()", "xx", "2x", "x^", "+", "--x", "*x", "x+-y", "abc",
    "§$%&", "\t", "()", "x,", "x+", "(x", "sin x", "x++1", "1e5", "x**2", "x//2", "sqrt(-x)",
    // outside ASCII
    "синус(x)", "x²", "x·2", "ж", "πx", "sin(х)", "x+ё", "😀", "é*x", "x—1", "sin(x)😀", "Ωx^2"};

// What users write as a label.
const char *const kLabels[] = {"",
                               "A",
                               "max",
                               "Максимум",
                               "y = x²",
                               "😀 точка",
                               "a very long label that runs far beyond the picture's right edge",
                               "  ",
                               "(0;0)",
                               "\t"};

const char *const kSaveNames[] = {
    "graph.bmp", "график.bmp", "a b.bmp", "noext", "no/such/folder/graph.bmp", "graph.bmp/"};

// Qt's warnings during the session: a painter on a null picture, a pixel out of range and the
// like point at a fault. The offscreen platform's own notes are not counted.
QStringList g_warnings;
QtMessageHandler g_previousHandler = nullptr;

void RecordWarnings(QtMsgType type, const QMessageLogContext &context, const QString &text) {
    // What the offscreen platform cannot do for a window (a tool tip raises itself) is no
    // fault of the program.
    if ((type == QtWarningMsg || type == QtCriticalMsg) &&
        !text.contains(QLatin1String("propagateSizeHints")) &&
        !text.contains(QLatin1String("does not support raise()")))
        g_warnings << text;
    if (g_previousHandler)
        g_previousHandler(type, context, text);
}

std::uint32_t SeedFromEnvironment() {
    bool ok = false;
    const uint seed = qEnvironmentVariable("KURVANTO_SESSION_SEED").toUInt(&ok, 0);
    if (ok)
        return seed;
    return static_cast<std::uint32_t>(static_cast<quint64>(QDateTime::currentMSecsSinceEpoch()) ^
                                      (static_cast<quint64>(getpid()) << 16));
}

int StepsFromEnvironment() {
    bool ok = false;
    const int steps = qEnvironmentVariable("KURVANTO_SESSION_STEPS").toInt(&ok);
    return ok && steps >= 0 ? steps : kDefaultSteps;
}

bool SameScale(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

QSize PictureSize(const Canvas &canvas) {
    return canvas.isEmpty() ? QSize() : canvas.image().size();
}

QString Quoted(const QString &text) {
    QString shown = text;
    shown.replace(QLatin1Char('\n'), QLatin1String("\\n")).replace(QLatin1Char('\t'), "\\t");
    return QLatin1Char('\'') + shown + QLatin1Char('\'');
}

// One session: the window, its state, the answers to its dialogs and what has been checked.
class Session {
  public:
    explicit Session(std::uint32_t seed);
    ~Session();
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    bool start();
    void step();
    const QString &failure() const { return failure_; }
    QString recentActions() const;
    QString summary() const;

  private:
    // The generator.
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(rng_); }
    bool chance(int percent) { return pick(100) < percent; }
    double uniform(double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(rng_);
    }
    QString formula();
    QString expression(int depth);
    QString garbage();
    QString numberFor(const TSpinEdit &edit, bool precision);
    QString numberText(double value, int decimals) const;

    // Actions.
    void typeFormula();
    void build();
    void clear();
    void toggleInterval();
    void properties();
    void annotate();
    void moveMouse();
    void clickMouse();
    void save();
    void copy();
    void about();

    // Dialog answers.
    int answer(QDialog &dialog);
    int answerColor(QColorDialog &dialog);
    int answerSave(QFileDialog &dialog);
    int answerProperties(TForm2 &dialog);
    int answerInterval(TForm6 &dialog);
    int answerAnnotation(TForm4 &dialog);
    bool showActive(QDialog &dialog);
    void pressOk(QDialog &dialog);
    void typeNumber(TSpinEdit &edit, bool precision = false);
    int close(QDialog &dialog);

    // Checks.
    void fail(const QString &why);
    void expectMessages(const QStringList &expected);
    void expectNoGraphRefusal(const char *command);
    void checkMessages(bool saving);
    void checkInvariants();
    QPoint picturePoint();
    QWidget *image() const;
    template <typename T> T *child(const char *name) const;
    void note(const QString &what) { action_ += what; }

    std::mt19937 rng_;
    PlotState state_;
    std::unique_ptr<TForm1> form_;
    QTemporaryDir dir_;

    // What the program showed during the current step.
    QStringList messages_;
    QList<QMessageBox::Icon> icons_;
    std::map<QString, int> dialogs_;

    // The model: a graph has been completed since the last clear.
    bool graph_ = false;
    QSize picture_;
    QString saveTarget_; // the file the current save should write, empty if none
    bool saveShouldFail_ = false;

    QString action_;
    std::deque<QString> recent_;
    int stepNumber_ = 0;
    QString failure_;

    // Figures for the summary.
    std::map<QString, int> actionCounts_;
    std::map<QString, int> messageCounts_;
    int completedBuilds_ = 0, refusedBuilds_ = 0;
    int oldSizeBuilds_ = 0; // drawn on a picture kept from before a change of the field size
};

Session::Session(std::uint32_t seed) : rng_(seed) {
    SetMessageHook([this](const QString &text, QMessageBox::Icon icon) {
        messages_ << text;
        icons_ << icon;
    });
    SetDialogHook([this](QDialog &dialog) { return answer(dialog); });
}

Session::~Session() {
    form_.reset();
    SetMessageHook(nullptr);
    SetDialogHook(nullptr);
}

template <typename T> T *Session::child(const char *name) const {
    return form_->findChild<T *>(QLatin1String(name));
}

QWidget *Session::image() const {
    return child<QWidget>("Image1");
}

bool Session::start() {
    if (!dir_.isValid()) {
        fail(QStringLiteral("no temporary folder"));
        return false;
    }
    form_ = std::make_unique<TForm1>(state_, [] { return QSize(1280, 1024); });
    // The dialog's OK clears the field by clicking the clear button.
    QObject::connect(child<QToolButton>("SpeedButton5"), &QToolButton::clicked,
                     [this] { graph_ = false; });
    form_->show();
    if (!QTest::qWaitForWindowActive(form_.get())) {
        fail(QStringLiteral("the main window did not become active"));
        return false;
    }
    picture_ = PictureSize(form_->canvas());
    checkInvariants();
    return failure_.isEmpty();
}

// ---- The generator's texts ----

QString Session::formula() {
    switch (pick(10)) {
    case 0:
    case 1:
        return QString::fromUtf8(kFormulas[pick(int(std::size(kFormulas)))]);
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
        return expression(3);
    case 7:
        return garbage();
    case 8: { // over-long: the box keeps the first 80 characters
        QString text = expression(2);
        while (text.size() <= 80)
            text += QLatin1Char('+') + expression(2);
        return text;
    }
    default: { // a good formula with one character outside ASCII in it
        QString text = expression(2);
        const QString odd = QString::fromUtf8(pick(2) ? "ж" : "²");
        return text.insert(pick(int(text.size()) + 1), odd);
    }
    }
}

QString Session::expression(int depth) {
    return QString::fromUtf8(kurvanto::testing::RandomFormula(rng_, depth));
}

QString Session::garbage() {
    return QString::fromUtf8(kurvanto::testing::RandomPieces(rng_, 40));
}

QString Session::numberText(double value, int decimals) const {
    return QString::number(value, 'f', decimals).replace(QLatin1Char('.'), QLatin1Char(','));
}

// A number inside or outside the box's bounds, or a text that is no number at all. Precision
// stays small most of the time: a build's cost grows with it.
QString Session::numberFor(const TSpinEdit &edit, bool precision) {
    double lo = edit.MinValue(), hi = edit.MaxValue();
    if (lo == hi) {
        lo = -1000;
        hi = 1000;
    }
    switch (std::max(0, pick(16) - 4)) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
        if (precision && chance(60))
            return QString::number(1 + pick(4));
        return numberText(uniform(lo, hi), pick(2) ? 0 : 1 + pick(3));
    case 5:
        return numberText(lo - 1 - pick(1000), pick(2));
    case 6:
        return numberText(hi + 1 + pick(1000), pick(2));
    case 7:
        return (pick(2) ? QStringLiteral("-") : QString()) +
               QString(20 + pick(30), QLatin1Char('9'));
    case 8: {
        static const char *const odd[] = {"",    "-",   "+", ",",  "1,,2", "--3",
                                          "1-2", "+-5", "0", "-0", ",5",   "5,"};
        return QLatin1String(odd[pick(int(std::size(odd)))]);
    }
    case 9:
        return numberText(pick(2) ? lo : hi, 0);
    case 10: // pasted: the typing filter never sees it
    {
        static const char *const pasted[] = {"1e400",   "12abc",  "1E+308",
                                             "-1E+308", "1E-300", "1,7976931348623157E+308",
                                             "nan",     "inf",    " 5 "};
        return QStringLiteral("\x01paste") + QLatin1String(pasted[pick(int(std::size(pasted)))]);
    }
    default:
        return numberText(uniform(lo, hi) * 1e-6, 9);
    }
}

// ---- Actions ----

void Session::step() {
    ++stepNumber_;
    g_warnings.clear();
    messages_.clear();
    icons_.clear();
    dialogs_.clear();
    action_.clear();
    picture_ = PictureSize(form_->canvas());
    static void (Session::*const actions[])() = {
        &Session::typeFormula, &Session::typeFormula, &Session::typeFormula,
        &Session::build,       &Session::build,       &Session::build,
        &Session::build,       &Session::clear,       &Session::toggleInterval,
        &Session::properties,  &Session::properties,  &Session::annotate,
        &Session::annotate,    &Session::moveMouse,   &Session::moveMouse,
        &Session::clickMouse,  &Session::clickMouse,  &Session::clickMouse,
        &Session::save,        &Session::copy,        &Session::about};
    const int chosen = pick(int(std::size(actions)));
    try {
        (this->*actions[chosen])();
    } catch (const std::exception &error) {
        fail(QStringLiteral("an exception escaped: %1").arg(QString::fromUtf8(error.what())));
    } catch (...) {
        fail(QStringLiteral("an unknown exception escaped"));
    }
    if (!g_warnings.isEmpty())
        fail(QStringLiteral("Qt warned: %1").arg(g_warnings.join('|')));
    const QString kind = action_.section(QLatin1Char(' '), 0, 0);
    ++actionCounts_[kind];
    for (const QString &text : messages_)
        ++messageCounts_[text.startsWith(kSaveFailed) ? kSaveFailed
                         : kBadNumber.match(text).hasMatch()
                             ? QStringLiteral("'...' is not a valid floating point value.")
                             : text];
    recent_.push_back(QStringLiteral("%1: %2").arg(stepNumber_).arg(action_));
    if (recent_.size() > kRecentActions)
        recent_.pop_front();
    checkInvariants();
}

void Session::typeFormula() {
    auto *edit = child<QLineEdit>("Edit1");
    const QString text = formula();
    switch (pick(4)) {
    case 0: // typed key by key: ASCII only reaches the box this way
        if (text.size() <= 30 &&
            std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 128; })) {
            edit->selectAll();
            QTest::keyClicks(edit, text);
            note(QStringLiteral("type %1 (keys)").arg(Quoted(text)));
            break;
        }
        [[fallthrough]];
    case 1:
        edit->setText(text);
        note(QStringLiteral("type %1 (replace)").arg(Quoted(text)));
        break;
    case 2: // pasted where the cursor stands
        edit->setCursorPosition(pick(int(edit->text().size()) + 1));
        edit->insert(text);
        note(QStringLiteral("type %1 (insert)").arg(Quoted(text)));
        break;
    default: {
        const int count = 1 + pick(5);
        for (int i = 0; i < count; ++i)
            QTest::keyClick(edit, Qt::Key_Backspace);
        note(QStringLiteral("type %1 backspaces").arg(count));
        break;
    }
    }
    if (edit->text().size() > kFormulaMaxLength)
        fail(QStringLiteral("the formula box holds %1 characters").arg(edit->text().size()));
}

void Session::build() {
    const bool wasPending = state_.ClearPending != 0;
    const bool wasEmpty = form_->canvas().isEmpty();
    const bool interval = state_.IntervalMode != 0;
    const bool byMenu = pick(2);
    note(QStringLiteral("build %1 %2")
             .arg(byMenu ? "N14" : "SpeedButton4", Quoted(child<QLineEdit>("Edit1")->text())));
    if (byMenu)
        child<QAction>("N14")->trigger();
    else
        QTest::mouseClick(child<QToolButton>("SpeedButton4"), Qt::LeftButton);

    if (dialogs_[QStringLiteral("TForm6")] != (interval ? 1 : 0))
        fail(QStringLiteral("the interval dialog ran %1 times").arg(dialogs_["TForm6"]));
    const bool refused = !child<QLabel>("Label2")->isHidden();
    if (!messages_.isEmpty()) {
        note(QStringLiteral(" -> error"));
        return;
    }
    if (refused) {
        ++refusedBuilds_;
        note(QStringLiteral(" -> refused"));
        return;
    }
    ++completedBuilds_;
    graph_ = true;
    note(QStringLiteral(" -> drawn"));
    if (state_.ClearPending != 0)
        fail(QStringLiteral("a completed build left the field marked for clearing"));
    const QSize field(state_.FieldWidth, state_.FieldHeight + 1);
    if (PictureSize(form_->canvas()) != field)
        ++oldSizeBuilds_;
    if ((wasPending || wasEmpty) && PictureSize(form_->canvas()) != field)
        fail(QStringLiteral("a fresh picture of %1 x %2 for a field of %3 x %4")
                 .arg(form_->canvas().image().width())
                 .arg(form_->canvas().image().height())
                 .arg(field.width())
                 .arg(field.height()));
}

void Session::clear() {
    const bool byMenu = pick(2);
    note(QStringLiteral("clear %1").arg(byMenu ? "N16" : "SpeedButton5"));
    if (byMenu)
        child<QAction>("N16")->trigger();
    else
        QTest::mouseClick(child<QToolButton>("SpeedButton5"), Qt::LeftButton);
    graph_ = false;
    if (!form_->canvas().isEmpty() || state_.ClearPending != 1)
        fail(QStringLiteral("the clear left a picture or no pending clear"));
    expectMessages({});
}

void Session::toggleInterval() {
    const std::uint8_t before = state_.IntervalMode;
    note(QStringLiteral("interval toggle"));
    if (pick(2))
        child<QAction>("N19")->trigger();
    else
        form_->N19Click();
    if (state_.IntervalMode != (before ? 0 : 1))
        fail(QStringLiteral("the interval option did not change"));
    expectMessages({});
}

void Session::properties() {
    note(QStringLiteral("properties"));
    if (pick(2))
        child<QAction>("N8")->trigger();
    else
        QTest::mouseClick(child<QToolButton>("SpeedButton3"), Qt::LeftButton);
    if (dialogs_[QStringLiteral("TForm2")] != 1)
        fail(QStringLiteral("the properties dialog ran %1 times").arg(dialogs_["TForm2"]));
}

void Session::annotate() {
    const bool hadGraph = graph_;
    note(QStringLiteral("annotate"));
    if (pick(2))
        child<QAction>("N17")->trigger();
    else
        QTest::mouseClick(child<QToolButton>("SpeedButton7"), Qt::LeftButton);
    if (!hadGraph) {
        expectNoGraphRefusal("annotation");
        return;
    }
    if (dialogs_[QStringLiteral("TForm4")] != 1)
        fail(QStringLiteral("the annotation dialog ran %1 times").arg(dialogs_["TForm4"]));
    if (messages_.contains(kNoGraph))
        fail(QStringLiteral("annotation refused with a graph present"));
}

QPoint Session::picturePoint() {
    const QSize size = image()->size();
    switch (pick(10)) {
    case 0:
        return QPoint(-1 - pick(50), pick(size.height()));
    case 1:
        return QPoint(size.width() + pick(50), pick(size.height()));
    case 2:
        return QPoint(pick(size.width()), pick(2) ? -1 - pick(50) : size.height() + pick(50));
    case 3:
        return QPoint(pick(2) ? 0 : size.width() - 1, pick(2) ? 0 : size.height() - 1);
    case 4: // far away: only a grabbed mouse reports such a position
        return QPoint(pick(2) ? -100000 - pick(1000) : 100000 + pick(1000),
                      pick(2) ? -100000 - pick(1000) : 100000 + pick(1000));
    default:
        return QPoint(pick(size.width()), pick(size.height()));
    }
}

void Session::moveMouse() {
    const QPoint at = picturePoint();
    note(QStringLiteral("move %1,%2").arg(at.x()).arg(at.y()));
    QMouseEvent move(QEvent::MouseMove, QPointF(at) + QPointF(0.5, 0.5),
                     image()->mapToGlobal(QPointF(at) + QPointF(0.5, 0.5)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(image(), &move);
    expectMessages({});
    for (const char *name : {"Label3", "Label4"}) {
        const QString text = child<QLabel>(name)->text();
        const int comma = int(text.indexOf(QLatin1Char(',')));
        if (text.isEmpty() || (comma >= 0 && text.size() - comma - 1 > 2))
            fail(QStringLiteral("the read-out shows %1").arg(Quoted(text)));
    }
}

void Session::clickMouse() {
    static const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::LeftButton, Qt::RightButton,
                                              Qt::MiddleButton, Qt::BackButton};
    const Qt::MouseButton button = buttons[pick(int(std::size(buttons)))];
    const QPoint at = picturePoint();
    const bool twice = chance(10);
    note(QStringLiteral("click %1 button %2 at %3,%4%5")
             .arg(state_.LabelArmed ? "armed" : "idle")
             .arg(int(button))
             .arg(at.x())
             .arg(at.y())
             .arg(twice ? " double" : ""));
    if (twice)
        QTest::mouseDClick(image(), button, Qt::NoModifier, at);
    else
        QTest::mouseClick(image(), button, Qt::NoModifier, at);
    expectMessages({});
}

void Session::save() {
    const bool hadGraph = graph_;
    saveTarget_.clear();
    saveShouldFail_ = false;
    note(QStringLiteral("save"));
    if (pick(2))
        child<QAction>("N2")->trigger();
    else
        QTest::mouseClick(child<QToolButton>("SpeedButton1"), Qt::LeftButton);
    if (!hadGraph) {
        expectNoGraphRefusal("save");
        return;
    }
    if (saveShouldFail_) {
        if (messages_.size() != 1 || !messages_.at(0).startsWith(kSaveFailed) ||
            icons_.value(0) != QMessageBox::Critical)
            fail(QStringLiteral("a failed save reported %1").arg(messages_.join('|')));
        return;
    }
    expectMessages({});
    if (saveTarget_.isEmpty())
        return;
    QFile file(saveTarget_);
    if (!file.open(QIODevice::ReadOnly) || file.read(2) != "BM") {
        fail(QStringLiteral("no bitmap in %1").arg(saveTarget_));
        return;
    }
    file.close();
    const QImage written(saveTarget_, "BMP");
    if (written.convertToFormat(QImage::Format_RGB32) !=
        form_->canvas().image().convertToFormat(QImage::Format_RGB32))
        fail(QStringLiteral("the saved picture is not the picture"));
}

void Session::copy() {
    const bool hadGraph = graph_;
    const bool byMenu = pick(2);
    note(QStringLiteral("copy %1").arg(byMenu ? "N6" : "SpeedButton2"));
    QGuiApplication::clipboard()->setText(QStringLiteral("before the copy"));
    if (byMenu)
        child<QAction>("N6")->trigger();
    else
        QTest::mouseClick(child<QToolButton>("SpeedButton2"), Qt::LeftButton);
    if (!hadGraph) {
        expectNoGraphRefusal("copy");
        if (QGuiApplication::clipboard()->text() != QLatin1String("before the copy"))
            fail(QStringLiteral("a refused copy changed the clipboard"));
        return;
    }
    expectMessages({});
    const QImage copied = QGuiApplication::clipboard()->image();
    if (copied.convertToFormat(QImage::Format_RGB32) !=
        form_->canvas().image().convertToFormat(QImage::Format_RGB32))
        fail(QStringLiteral("the clipboard holds another picture"));
}

void Session::about() {
    note(QStringLiteral("about N12"));
    child<QAction>("N12")->trigger();
    expectMessages({});
}

// ---- Dialog answers ----

int Session::answer(QDialog &dialog) {
    QString name = QString::fromLatin1(dialog.metaObject()->className());
    name = name.section(QStringLiteral("::"), -1);
    ++dialogs_[name];
    if (auto *chooser = qobject_cast<QColorDialog *>(&dialog))
        return answerColor(*chooser);
    if (auto *saving = qobject_cast<QFileDialog *>(&dialog))
        return answerSave(*saving);
    if (auto *props = qobject_cast<TForm2 *>(&dialog))
        return answerProperties(*props);
    if (auto *interval = qobject_cast<TForm6 *>(&dialog))
        return answerInterval(*interval);
    if (auto *marks = qobject_cast<TForm4 *>(&dialog))
        return answerAnnotation(*marks);
    if (qobject_cast<TForm3 *>(&dialog))
        return QDialog::Rejected;
    fail(QStringLiteral("an unexpected dialog %1").arg(name));
    return QDialog::Rejected;
}

int Session::answerColor(QColorDialog &dialog) {
    const QColor color(pick(256), pick(256), pick(256));
    dialog.setCurrentColor(color);
    const bool ok = chance(75);
    note(QStringLiteral(" colour %1 %2").arg(color.name(), ok ? "chosen" : "cancelled"));
    return ok ? QDialog::Accepted : QDialog::Rejected;
}

int Session::answerSave(QFileDialog &dialog) {
    const QString name = QString::fromUtf8(kSaveNames[pick(int(std::size(kSaveNames)))]);
    const QString path = dir_.filePath(name);
    dialog.selectFile(path);
    if (chance(20)) {
        note(QStringLiteral(" %1 cancelled").arg(name));
        return QDialog::Rejected;
    }
    note(QStringLiteral(" %1").arg(name));
    saveShouldFail_ = name.contains(QLatin1String("no/such")) || name.endsWith(QLatin1Char('/'));
    if (!saveShouldFail_)
        saveTarget_ = name.endsWith(QLatin1String(".bmp")) ? path : path + QLatin1String(".bmp");
    return QDialog::Accepted;
}

bool Session::showActive(QDialog &dialog) {
    // A window manager activates a modal dialog when it appears; the offscreen platform is told.
    dialog.show();
    dialog.activateWindow();
    if (QTest::qWaitFor([&dialog] { return dialog.isActiveWindow(); }))
        return true;
    fail(QStringLiteral("%1 did not become active").arg(dialog.objectName()));
    dialog.hide();
    return false;
}

// Types into a box as a user does: focus, select all, keys; or pastes past the typing filter.
void Session::typeNumber(TSpinEdit &edit, bool precision) {
    QString text = numberFor(edit, precision);
    edit.setFocus(Qt::TabFocusReason);
    edit.selectAll();
    if (text.startsWith(QLatin1Char('\x01'))) {
        text = text.mid(6);
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
        note(QStringLiteral(" %1 pasted %2").arg(edit.objectName(), Quoted(text)));
    } else {
        QTest::keyClicks(&edit, text);
        note(QStringLiteral(" %1=%2").arg(edit.objectName(), Quoted(text)));
    }
    if (chance(15)) {
        const bool up = pick(2);
        const int times = 1 + pick(3);
        for (int i = 0; i < times; ++i)
            QTest::keyClick(&edit, up ? Qt::Key_Up : Qt::Key_Down);
        note(QStringLiteral(" %1 x%2").arg(up ? "up" : "down").arg(times));
    }
}

// "OK" with the mouse, or activated without it (a shortcut, an accessibility tool), when the
// button does not take the focus on its own.
void Session::pressOk(QDialog &dialog) {
    auto *button = dialog.findChild<QPushButton *>(QStringLiteral("Button1"));
    if (chance(70)) {
        note(QStringLiteral(" OK"));
        QTest::mouseClick(button, Qt::LeftButton);
    } else {
        note(QStringLiteral(" OK (no mouse)"));
        button->click();
    }
}

// Ends a dialog that is still open: Escape, or the window's close box.
int Session::close(QDialog &dialog) {
    if (dialog.isVisible()) {
        if (pick(2)) {
            QTest::keyClick(&dialog, Qt::Key_Escape);
            note(QStringLiteral(" escape"));
        } else {
            dialog.close();
            note(QStringLiteral(" closed"));
        }
    }
    if (dialog.isVisible()) {
        dialog.reject();
        note(QStringLiteral(" (still open: rejected)"));
    }
    return dialog.result();
}

int Session::answerProperties(TForm2 &dialog) {
    if (!showActive(dialog))
        return QDialog::Rejected;
    const int changes = pick(5);
    for (int i = 0; i < changes; ++i) {
        const int box = 1 + pick(7);
        auto *edit = dialog.findChild<TSpinEdit *>(QStringLiteral("SpinEdit%1").arg(box));
        typeNumber(*edit, box == 7);
    }
    if (chance(25)) {
        const QString button = QStringLiteral("SpeedButton%1").arg(1 + pick(3));
        note(QLatin1Char(' ') + button);
        QTest::mouseClick(dialog.findChild<QToolButton *>(button), Qt::LeftButton);
    }
    if (chance(70)) {
        pressOk(dialog);
    }
    return close(dialog);
}

int Session::answerInterval(TForm6 &dialog) {
    if (!showActive(dialog))
        return QDialog::Rejected;
    for (const char *name : {"SpinEdit1", "SpinEdit2"}) {
        if (chance(70))
            typeNumber(*dialog.findChild<TSpinEdit *>(QLatin1String(name)));
    }
    if (chance(80)) {
        pressOk(dialog);
    }
    return close(dialog);
}

int Session::answerAnnotation(TForm4 &dialog) {
    if (!showActive(dialog))
        return QDialog::Rejected;
    const int kind = 1 + pick(3);
    note(QStringLiteral(" RadioButton%1").arg(kind));
    QTest::mouseClick(dialog.findChild<QRadioButton *>(QStringLiteral("RadioButton%1").arg(kind)),
                      Qt::LeftButton, Qt::NoModifier, QPoint(6, 6));
    for (const char *name : {"SpinEdit1", "SpinEdit2"}) {
        auto *edit = dialog.findChild<TSpinEdit *>(QLatin1String(name));
        if (edit->isEnabled() && chance(80))
            typeNumber(*edit);
    }
    auto *label = dialog.findChild<QLineEdit *>(QStringLiteral("Edit1"));
    if (label->isEnabled()) {
        const QString text = QString::fromUtf8(kLabels[pick(int(std::size(kLabels)))]);
        label->setText(text);
        note(QStringLiteral(" label %1").arg(Quoted(text)));
        if (chance(30)) {
            note(QStringLiteral(" colour"));
            QTest::mouseClick(dialog.findChild<QToolButton *>(QStringLiteral("SpeedButton3")),
                              Qt::LeftButton);
        }
    }
    const int end = pick(10);
    if (end < 7) {
        note(QStringLiteral(" Делать"));
        QTest::mouseClick(dialog.findChild<QToolButton *>(QStringLiteral("SpeedButton1")),
                          Qt::LeftButton);
    } else if (end < 9) {
        note(QStringLiteral(" Не делать"));
        QTest::mouseClick(dialog.findChild<QToolButton *>(QStringLiteral("SpeedButton2")),
                          Qt::LeftButton);
    }
    return close(dialog);
}

// ---- Checks ----

void Session::fail(const QString &why) {
    if (failure_.isEmpty())
        failure_ = why;
}

void Session::expectMessages(const QStringList &expected) {
    // General error reports may come from any command; they are checked in checkMessages.
    QStringList shown = messages_;
    shown.removeIf([](const QString &text) {
        return text == kInvalidOperation || text == kOverflow || kBadNumber.match(text).hasMatch();
    });
    if (shown != expected)
        fail(QStringLiteral("messages %1, expected %2").arg(shown.join('|'), expected.join('|')));
}

void Session::expectNoGraphRefusal(const char *command) {
    if (messages_ != QStringList{kNoGraph})
        fail(QStringLiteral("%1 without a graph showed %2").arg(command, messages_.join('|')));
    if (!dialogs_.empty())
        fail(QStringLiteral("%1 without a graph opened a dialog").arg(command));
}

void Session::checkMessages(bool saving) {
    for (int i = 0; i < messages_.size(); ++i) {
        const QString &text = messages_.at(i);
        const bool general =
            text == kInvalidOperation || text == kOverflow || kBadNumber.match(text).hasMatch();
        if (general && icons_.at(i) != QMessageBox::Critical)
            fail(QStringLiteral("the error report %1 without the error icon").arg(Quoted(text)));
        if (!general && text != kNoGraph && !(saving && text.startsWith(kSaveFailed)))
            fail(QStringLiteral("an unexpected message %1").arg(Quoted(text)));
    }
}

void Session::checkInvariants() {
    const PlotState &s = state_;
    checkMessages(action_.startsWith(QLatin1String("save")));
    if (!SameScale(s.XUnitsPerPixel, s.ReadoutXUnitsPerPixel) ||
        !SameScale(s.YUnitsPerPixel, s.ReadoutYUnitsPerPixel))
        fail(QStringLiteral("the scales differ: %1/%2 and %3/%4")
                 .arg(s.XUnitsPerPixel, 0, 'g', 17)
                 .arg(s.ReadoutXUnitsPerPixel, 0, 'g', 17)
                 .arg(s.YUnitsPerPixel, 0, 'g', 17)
                 .arg(s.ReadoutYUnitsPerPixel, 0, 'g', 17));
    if (s.FieldWidth <= 0 || s.FieldHeight <= 0)
        fail(QStringLiteral("the field is %1 x %2").arg(s.FieldWidth).arg(s.FieldHeight));
    if (s.Precision < 1)
        fail(QStringLiteral("the precision is %1").arg(s.Precision));
    for (std::uint8_t flag : {s.ClearPending, s.GraphPresent, s.IntervalMode, s.LabelArmed})
        if (flag > 1)
            fail(QStringLiteral("a flag holds %1").arg(flag));
    if ((s.GraphPresent != 0) != graph_)
        fail(QStringLiteral("GraphPresent is %1 where the session expects %2")
                 .arg(s.GraphPresent)
                 .arg(graph_ ? 1 : 0));
    for (const char *name : {"Label3", "Label4", "Label5", "Label6"})
        if (child<QLabel>(name)->isHidden() == (s.GraphPresent != 0))
            fail(QStringLiteral("%1 is %2 with GraphPresent %3")
                     .arg(name, child<QLabel>(name)->isHidden() ? "hidden" : "shown")
                     .arg(s.GraphPresent));
    if (child<QAction>("N19")->isChecked() != (s.IntervalMode != 0))
        fail(QStringLiteral("the interval menu item disagrees with IntervalMode"));

    const QSize field(s.FieldWidth, s.FieldHeight + 1);
    if (image()->size() != field)
        fail(QStringLiteral("Image1 is %1 x %2 for a field of %3 x %4")
                 .arg(image()->width())
                 .arg(image()->height())
                 .arg(field.width())
                 .arg(field.height()));
    // A picture keeps its size; a new one is made at the field's size.
    const QSize picture = PictureSize(form_->canvas());
    if (picture.isValid() && picture != picture_ && picture != field)
        fail(QStringLiteral("a new picture of %1 x %2 for a field of %3 x %4")
                 .arg(picture.width())
                 .arg(picture.height())
                 .arg(field.width())
                 .arg(field.height()));

    // Every dialog is gone when its command ends.
    for (QWidget *top : QApplication::topLevelWidgets()) {
        auto *dialog = qobject_cast<QDialog *>(top);
        if (dialog && dialog->isVisible())
            fail(QStringLiteral("a dialog %1 is still open").arg(dialog->objectName()));
    }
    for (QDialog *dialog : form_->findChildren<QDialog *>(Qt::FindDirectChildrenOnly))
        if (!qobject_cast<QFileDialog *>(dialog))
            fail(QStringLiteral("a dialog %1 was not destroyed").arg(dialog->objectName()));
}

QString Session::recentActions() const {
    QStringList lines;
    for (const QString &line : recent_)
        lines << QStringLiteral("  ") + line;
    return lines.join(QLatin1Char('\n'));
}

QString Session::summary() const {
    QStringList parts;
    parts << QStringLiteral(
                 "%1 builds drawn (%2 on a picture of an earlier field size), %3 refused")
                 .arg(completedBuilds_)
                 .arg(oldSizeBuilds_)
                 .arg(refusedBuilds_);
    for (const auto &[kind, count] : actionCounts_)
        parts << QStringLiteral("%1 %2").arg(kind).arg(count);
    for (const auto &[text, count] : messageCounts_)
        parts << QStringLiteral("message %1 x%2").arg(Quoted(text)).arg(count);
    return parts.join(QStringLiteral("; "));
}

} // namespace

class TestSession : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        kurvanto::testing::UseTestSettings();
        SetLocaleDecimalSeparator(QLatin1Char(','));
    }

    void randomSession() {
        const std::uint32_t seed = SeedFromEnvironment();
        const int steps = StepsFromEnvironment();
        qInfo("session seed %u, %d steps (replay: KURVANTO_SESSION_SEED=%u)", seed, steps, seed);
        QElapsedTimer clock;
        clock.start();
        Session session(seed);
        QVERIFY2(session.start(), qPrintable(session.failure()));
        g_previousHandler = qInstallMessageHandler(RecordWarnings);
        const auto restore = qScopeGuard([] { qInstallMessageHandler(g_previousHandler); });
        for (int i = 1; i <= steps; ++i) {
            session.step();
            if (!session.failure().isEmpty()) {
                const QString report =
                    QStringLiteral("seed %1, step %2 of %3: %4\nrecent actions:\n%5\nreplay with "
                                   "KURVANTO_SESSION_SEED=%1 KURVANTO_SESSION_STEPS=%2")
                        .arg(seed)
                        .arg(i)
                        .arg(steps)
                        .arg(session.failure(), session.recentActions());
                QFAIL(qPrintable(report));
            }
        }
        qInfo("seed %u: %d steps in %lld ms; %s", seed, steps,
              static_cast<long long>(clock.elapsed()), qPrintable(session.summary()));
    }
};

QTEST_MAIN(TestSession)
#include "tst_session.moc"
