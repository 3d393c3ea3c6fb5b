// SPDX-License-Identifier: GPL-3.0-or-later
// The program's start: the start-up screen check with its refusal dialog, the main window
// closing itself after a refusal, the About box, and the program's pictures and cursor.
#include <QBitmap>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>
#include <memory>

#include "programresources.h"
#include "tform1.h"
#include "tform3.h"
#include "tform5.h"
#include "windowtest.h"

using namespace kurvanto;
using kurvanto::testing::UiRecorder;

class TestStartup : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { kurvanto::testing::UseTestSettings(); }

    void screenCheck_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<bool>("refused");
        QTest::newRow("800 x 600, just enough") << QSize(800, 600) << false;
        QTest::newRow("799 x 600, too narrow") << QSize(799, 600) << true;
        QTest::newRow("800 x 599, too low") << QSize(800, 599) << true;
        QTest::newRow("1280 x 1024") << QSize(1280, 1024) << false;
        QTest::newRow("no screen at all") << QSize(0, 0) << true;
    }
    void screenCheck() {
        QFETCH(QSize, screen);
        QFETCH(bool, refused);
        UiRecorder ui;
        QString shownReason;
        ui.onDialog = [&](QDialog &dialog) {
            if (auto *reason = dialog.findChild<QLabel *>(QStringLiteral("Label3")))
                shownReason = reason->text();
            return int(QDialog::Rejected);
        };
        PlotState state;
        TForm1 form(state, [screen] { return screen; });

        QCOMPARE(state.RefuseStart, std::uint8_t(refused ? 1 : 0));
        QCOMPARE(ui.dialogs, refused ? QStringList{"kurvanto::TForm5"} : QStringList{});
        const QString reason =
            refused ? QStringLiteral("Разрешение ниже, чем 800х600!") : QString();
        QCOMPARE(state.RefuseMessage, reason);
        QCOMPARE(shownReason, reason);
        // The start values are in place whatever the check says.
        QCOMPARE(state.FieldWidth, 640);
        QCOMPARE(state.FieldHeight, 440);
        QCOMPARE(state.ClearPending, std::uint8_t(1));

        form.show();
        if (refused) {
            QTRY_VERIFY(!form.isVisible()); // closes itself at its first activation
        } else {
            QTest::qWait(20);
            QVERIFY(form.isVisible());
        }
    }

    void activation_sizesPanelAndPicture() {
        UiRecorder ui;
        PlotState state;
        TForm1 form(state, [] { return QSize(1024, 768); });
        form.show();
        auto *panel = form.findChild<QFrame *>(QStringLiteral("Panel1"));
        auto *image = form.findChild<QWidget *>(QStringLiteral("Image1"));
        QCOMPARE(panel->geometry(), QRect(4, 60, 656, 456));
        QCOMPARE(image->geometry(), QRect(8, 8, 640, 441));
        state.FieldWidth = 800;
        state.FieldHeight = 40;
        form.FormActivate();
        QCOMPARE(panel->size(), QSize(816, 56));
        QCOMPARE(image->geometry(), QRect(8, 8, 800, 41));
    }

    void refusal_closesByButtonOrCloseBox_data() {
        QTest::addColumn<bool>("byButton");
        QTest::newRow("Выход") << true;
        QTest::newRow("close box") << false;
    }
    void refusal_closesByButtonOrCloseBox() {
        QFETCH(bool, byButton);
        PlotState state;
        state.RefuseMessage = QStringLiteral("Разрешение ниже, чем 800х600!");
        TForm5 refusal(state);
        QCOMPARE(refusal.windowTitle(), QStringLiteral("Привет от Тримпова..."));
        QCOMPARE(refusal.findChild<QLabel *>(QStringLiteral("Label3"))->text(),
                 state.RefuseMessage);
        refusal.show();
        QVERIFY(QTest::qWaitForWindowExposed(&refusal));
        auto *exit = refusal.findChild<QPushButton *>(QStringLiteral("Button1"));
        QCOMPARE(exit->text(), QStringLiteral("Выход"));
        if (byButton)
            QTest::mouseClick(exit, Qt::LeftButton);
        else
            refusal.close();
        QVERIFY(!refusal.isVisible());
        QCOMPARE(refusal.result(), int(QDialog::Rejected));
    }

    void about_okCloses() {
        TForm3 about;
        QCOMPARE(about.windowTitle(), QStringLiteral("О программе"));
        QCOMPARE(about.size(), QSize(516, 246));
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        auto *ok = about.findChild<QPushButton *>(QStringLiteral("Button1"));
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!about.isVisible());
        QCOMPARE(about.result(), int(QDialog::Accepted));
    }

    void about_logo() {
        const QImage logo = TForm3::Logo();
        QCOMPARE(logo.size(), QSize(105, 105));
        QVERIFY(logo.colorCount() > 2 && logo.colorCount() <= 256);
        const QImage rgb = logo.convertToFormat(QImage::Format_RGB32);
        int black = 0, reddish = 0;
        for (int y = 0; y < rgb.height(); ++y) {
            for (int x = 0; x < rgb.width(); ++x) {
                const QColor c = rgb.pixelColor(x, y);
                black += c.value() < 40;
                reddish += c.red() > 150 && c.green() < 80 && c.blue() < 80;
            }
        }
        QVERIFY(black > 150);  // the axes
        QVERIFY(reddish > 80); // the curve
    }

    void glyphs_data() {
        QTest::addColumn<QString>("name");
        for (const char *name : {"save", "copy", "props", "annotate", "build", "clear", "help"})
            QTest::newRow(name) << name;
    }
    void glyphs() {
        QFETCH(QString, name);
        const QImage glyph = ButtonGlyph(name);
        QCOMPARE(glyph.size(), QSize(30, 30));
        QCOMPARE(qAlpha(glyph.pixel(0, 0)), 0); // the grey background is see-through
        QCOMPARE(qAlpha(glyph.pixel(0, 29)), 0);
        int opaque = 0;
        QSet<QRgb> colours;
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 30; ++x) {
                if (qAlpha(glyph.pixel(x, y)) != 0) {
                    ++opaque;
                    colours.insert(glyph.pixel(x, y));
                }
            }
        }
        QVERIFY(opaque > 40);
        QVERIFY(colours.size() <= 15); // 16 colours, the grey among them
    }

    void glyphs_unknownNameIsNull() { QVERIFY(ButtonGlyph(QStringLiteral("nope")).isNull()); }

    void icon() {
        const QImage icon = MainWindowIcon().pixmap(32, 32).toImage();
        QCOMPARE(icon.size(), QSize(32, 32));
        QCOMPARE(icon.pixelColor(0, 0), QColor(Qt::white));
    }

    void crossCursor() {
        const QCursor cursor = LoadProgramCursor(QStringLiteral("mycurs"));
        QCOMPARE(cursor.hotSpot(), QPoint(15, 15));
        const QImage shape = cursor.bitmap().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage mask = cursor.mask().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shape.size(), QSize(32, 32));
        int row = 0, column = 0, elsewhere = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const bool black = qGray(shape.pixel(x, y)) < 128;
                const bool visible = qGray(mask.pixel(x, y)) < 128;
                QCOMPARE(black, visible); // black where shown, transparent elsewhere
                if (!black)
                    continue;
                if (y == 15)
                    ++row;
                if (x == 15)
                    ++column;
                if (x != 15 && y != 15)
                    ++elsewhere;
            }
        }
        QCOMPARE(row, 25);
        QCOMPARE(column, 25);
        QCOMPARE(elsewhere, 0);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
