// SPDX-License-Identifier: GPL-3.0-or-later
// The main window in the locale the program runs in: CTest runs this in a point locale
// (C.UTF-8) and in a comma locale (ru_RU.UTF-8). A deep zoom goes on without a message, and
// the read-outs of x and y stay apart and in the toolbar however long their values grow.
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>
#include <memory>

#include "localesep.h"
#include "tform1.h"
#include "windowtest.h"

using namespace kurvanto;

class TestWindowLocale : public kurvanto::testing::WindowTest {
    Q_OBJECT

  public:
    TestWindowLocale() : WindowTest(QSize(800, 600)) {}

  private slots:

    // Ctrl++ 90 times on x^2-3: the view shrinks below 1e-7 and no window comes up.
    void deepZoomWithoutMessages() {
        QVERIFY(showAndBuild(QStringLiteral("x^2-3")));
        for (int i = 0; i < 90; ++i)
            QTest::keyClick(child<QLineEdit>("Edit1"), Qt::Key_Plus, Qt::ControlModifier);
        QVERIFY2(ui_->messages.isEmpty(), qPrintable(ui_->messages.join('|')));
        QVERIFY(ui_->dialogs.isEmpty());
        QVERIFY(state_.XMax - state_.XMin < 1e-7 && state_.YMax - state_.YMin < 1e-7);
        QCOMPARE(state_.GraphPresent, std::uint8_t(1));
    }

    void readoutsApart_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::newRow("issue's values") << -1985.07 << 1793.84;
        QTest::newRow("widest values") << -9999.99 << -9999.99;
    }

    // The pointer over the picture's top left pixel reads the ranges' XMin and YMax.
    void readoutsApart() {
        QFETCH(double, x);
        QFETCH(double, y);
        state_.XMin = x;
        state_.XMax = x + 20;
        state_.YMin = y - 20;
        state_.YMax = y;
        QVERIFY(showAndBuild(QStringLiteral("x")));
        form_->Image1MouseMove(Qt::NoModifier, 0, 0);
        const QString sep = LocaleDecimalSeparator();
        QCOMPARE(child<QLabel>("Label3")->text(), QString::number(x, 'f', 2).replace('.', sep));
        QCOMPARE(child<QLabel>("Label4")->text(), QString::number(y, 'f', 2).replace('.', sep));
        const QRect xReadout =
            child<QLabel>("Label5")->geometry().united(child<QLabel>("Label3")->geometry());
        const QRect yReadout =
            child<QLabel>("Label6")->geometry().united(child<QLabel>("Label4")->geometry());
        QVERIFY(!xReadout.intersects(yReadout));
        const QRect toolbar = child<QFrame>("Panel2")->contentsRect();
        QVERIFY(toolbar.contains(xReadout) && toolbar.contains(yReadout));
    }
};

QTEST_MAIN(TestWindowLocale)
#include "tst_windowlocale.moc"
