// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's save in four formats and its printing: BMP and PNG as shown, SVG, PDF and
// the printer as vectors through the points the shown picture was drawn from.
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>
#include <memory>

#include "field.h"
#include "fieldprinting.h"
#include "files.h"
#include "recordinghost.h"
#include "tform1.h"
#include "windowtest.h"

using namespace kurvanto;
using kurvanto::testing::ReadAll;
using kurvanto::testing::WriteRaw;

namespace {

// The points of the SVG's polylines drawn in `stroke`.
QList<QPolygonF> Polylines(const QByteArray &svg, const QString &stroke, bool *wellFormed) {
    QList<QPolygonF> lines;
    QXmlStreamReader xml(svg);
    QStringList strokes{QString()};
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto attributes = xml.attributes();
            strokes << (attributes.hasAttribute("stroke") ? attributes.value("stroke").toString()
                                                          : strokes.last());
            if (xml.name() == QLatin1String("polyline") && strokes.last() == stroke) {
                QPolygonF line;
                for (const QString &pair :
                     attributes.value("points").toString().split(' ', Qt::SkipEmptyParts))
                    line << QPointF(pair.section(',', 0, 0).toDouble(),
                                    pair.section(',', 1, 1).toDouble());
                lines << line;
            }
        } else if (xml.isEndElement()) {
            strokes.removeLast();
        }
    }
    *wellFormed = !xml.hasError();
    return lines;
}

// Checks a PDF file with pdfinfo where it is installed; always its first and last bytes.
void CheckPdf(const QString &path) {
    const QByteArray bytes = ReadAll(path);
    QVERIFY2(bytes.startsWith("%PDF-"), qPrintable(path));
    QVERIFY(bytes.trimmed().endsWith("%%EOF"));
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (pdfinfo.isEmpty())
        return;
    QProcess info;
    info.start(pdfinfo, {path});
    QVERIFY(info.waitForFinished(30000));
    QCOMPARE(info.exitCode(), 0);
    QVERIFY(QString::fromUtf8(info.readAllStandardOutput())
                .contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
}

} // namespace

class TestExport : public kurvanto::testing::WindowTest {
    Q_OBJECT

  private:
    // Saves through the dialog: the name typed, the filter chosen as a person chooses it.
    void saveAs(const QString &typed, const QString &filter) {
        ui_->onDialog = [typed, filter](QDialog &dialog) {
            auto &save = dynamic_cast<QFileDialog &>(dialog);
            if (!filter.isEmpty()) {
                save.selectNameFilter(filter);
                // The dialog names the chosen filter as it shows it, without its pattern.
                emit save.filterSelected(save.selectedNameFilter());
            }
            save.selectFile(typed);
            return int(QDialog::Accepted);
        };
        form_->SpeedButton1Click();
    }

  private slots:

    void save_formatFollowsNameOrFilter_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("filter"); // empty: the dialog's first
        QTest::addColumn<QString>("written");
        QTest::addColumn<QByteArray>("magic");
        QTest::newRow("bare name, bitmap first") << "g"
                                                 << ""
                                                 << "g.bmp" << QByteArray("BM");
        QTest::newRow("bare name, PNG chosen") << "g"
                                               << "PNG (*.png)"
                                               << "g.png" << QByteArray("\x89PNG");
        QTest::newRow("bare name, SVG chosen") << "g"
                                               << "SVG (*.svg)"
                                               << "g.svg" << QByteArray("<?xml");
        QTest::newRow("bare name, PDF chosen") << "g"
                                               << "PDF (*.pdf)"
                                               << "g.pdf" << QByteArray("%PDF-");
        QTest::newRow("typed .svg under bitmap") << "g.svg"
                                                 << ""
                                                 << "g.svg" << QByteArray("<?xml");
        QTest::newRow("typed .PDF, capitals") << "g.PDF"
                                              << ""
                                              << "g.PDF" << QByteArray("%PDF-");
        QTest::newRow("typed .png under PDF") << "g.png"
                                              << "PDF (*.pdf)"
                                              << "g.png" << QByteArray("\x89PNG");
        QTest::newRow("typed .bmp under SVG") << "g.bmp"
                                              << "SVG (*.svg)"
                                              << "g.bmp" << QByteArray("BM");
    }
    void save_formatFollowsNameOrFilter() {
        QFETCH(QString, typed);
        QFETCH(QString, filter);
        QFETCH(QString, written);
        QFETCH(QByteArray, magic);
        QTemporaryDir dir;
        QVERIFY(build(QStringLiteral("x^2-3")));
        saveAs(dir.filePath(typed), filter);
        QVERIFY2(ui_->messages.isEmpty(), qPrintable(ui_->messages.join('\n')));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{written});
        const QByteArray bytes = ReadAll(dir.filePath(written));
        QVERIFY(bytes.startsWith(magic));
        if (magic == "\x89PNG" || magic == "BM") // the picture as shown
            QCOMPARE(QImage(dir.filePath(written)).convertToFormat(QImage::Format_RGB32),
                     form_->canvas().image().convertToFormat(QImage::Format_RGB32));
        if (magic == "%PDF-")
            CheckPdf(dir.filePath(written));
    }

    // A vector file that cannot be written whole leaves the old file as it was.
    void save_failedVectorWriteKeepsTheOldFile_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("svg") << "old.svg";
        QTest::newRow("pdf") << "old.pdf";
    }
    void save_failedVectorWriteKeepsTheOldFile() {
        QFETCH(QString, name);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("the old picture");
        old.close();
        QVERIFY(build(QStringLiteral("x")));
        SetWriteFailureAfterBytes(100);
        saveAs(path, QString());
        SetWriteFailureAfterBytes(-1);
        QCOMPARE(ReadAll(path), QByteArray("the old picture"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{name});
        QCOMPARE(ui_->messages.size(), 1);
        QVERIFY(ui_->messages.at(0).startsWith(QStringLiteral("Не удалось сохранить график")));
    }

    void save_dialogOffersBitmapFirst() {
        QVERIFY(build(QStringLiteral("x")));
        QFileDialog *seen = nullptr;
        ui_->onDialog = [&](QDialog &dialog) {
            seen = &dynamic_cast<QFileDialog &>(dialog);
            return int(QDialog::Rejected);
        };
        form_->SpeedButton1Click();
        QVERIFY(seen);
        QCOMPARE(seen->nameFilters(),
                 QStringList({"Bitmap (*.bmp)", "PNG (*.png)", "SVG (*.svg)", "PDF (*.pdf)"}));
        QCOMPARE(seen->selectedNameFilter(), QStringLiteral("Bitmap"));
        QCOMPARE(seen->defaultSuffix(), QStringLiteral("bmp"));
    }

    // Every point of the saved curve but the last of each line lies on a pixel the shown
    // picture has in the graph's colour; the lines sit on the pixels' centres.
    void save_svgCurveFollowsTheShownPixels() {
        QTemporaryDir dir;
        state_.GraphColor = 0x0000FF; // red
        QVERIFY(build(QStringLiteral("sin(x)*4")));
        const QString path = dir.filePath(QStringLiteral("s.svg"));
        saveAs(path, QString());
        bool wellFormed = false;
        const QList<QPolygonF> lines = Polylines(ReadAll(path), "#ff0000", &wellFormed);
        QVERIFY(wellFormed);
        QCOMPARE(lines.size(), 1);
        const QImage &shown = form_->canvas().image();
        int inside = 0;
        for (const QPolygonF &line : lines)
            for (int i = 0; i + 1 < line.size(); ++i) {
                const QPoint p = line[i].toPoint();
                if (!shown.rect().contains(p) || p.x() == 320 || p.y() == 220)
                    continue; // off the picture, or under an axis drawn later
                ++inside;
                QCOMPARE(shown.pixel(p), qRgb(255, 0, 0));
            }
        QVERIFY(inside > 600);
    }

    // With no list to draw from, the vector files carry the picture as it is.
    void record_emptyListKeepsThePicture() {
        kurvanto::testing::RecordingHost host;
        PlotState state;
        Field empty(state, host);
        empty.canvas().ensure(30, 20);
        empty.canvas().setBrushColor(0x00ff00);
        empty.canvas().fillRect(QRect(0, 0, 30, 20));
        const QImage shown = empty.canvas().image();
        VectorRecorder field;
        empty.recordVectors(field);
        QCOMPARE(field.size(), QSize(30, 20));
        QCOMPARE(int(field.ops().size()), 1);
        QCOMPARE(field.ops().front().kind, VectorOp::Image);
        QCOMPARE(field.ops().front().image, shown);
    }

    // The print path with a PDF file for a printer, no dialog shown.
    void print_toPdfFile() {
        QTemporaryDir dir;
        QVERIFY(build(QStringLiteral("x^2")));
        const QString path = dir.filePath(QStringLiteral("p.pdf"));
        VectorRecorder field;
        FieldOptions legend;
        legend.legend = true;
        form_->field().setOptions(legend);
        form_->field().recordVectors(field);
        QCOMPARE(field.size(), QSize(640, 441));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        QVERIFY(PrintField(printer, field));
        CheckPdf(path);
        // The page carries the field's text as text.
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            return;
        QProcess text;
        text.start(pdftotext, {path, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(30000));
        QVERIFY(text.readAllStandardOutput().contains("x^2"));
    }

    // "Печать..." through its dialog, the dialog's printer set to a PDF file.
    void print_throughTheMenu() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("m.pdf"));
        ui_->onDialog = [](QDialog &) { return int(QDialog::Rejected); };
        form_->printField();
        QCOMPARE(ui_->messages.size(), 1); // no graph yet
        QVERIFY(build(QStringLiteral("x")));
        QString document;
        ui_->onDialog = [path, &document](QDialog &dialog) {
            QPrinter *printer = dynamic_cast<QPrintDialog &>(dialog).printer();
            document = printer->docName(); // the dialog offers the file kurvanto.pdf
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(path);
            return int(QDialog::Accepted);
        };
        auto *item = form_->findChild<QAction *>(QStringLiteral("N26"));
        QVERIFY(item);
        QCOMPARE(item->text(), QStringLiteral("Печать..."));
        QCOMPARE(item->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
        item->trigger();
        QCOMPARE(ui_->messages.size(), 1);
        CheckPdf(path);
        QCOMPARE(document, QStringLiteral("kurvanto"));
    }

    void print_onWhitePaper_data() {
        QTest::addColumn<uint>("background");
        QTest::addColumn<QColor>("paper");
        QTest::newRow("button colour") << uint(kButtonFaceColor) << QColor(Qt::white);
        QTest::newRow("chosen green") << uint(0x00FF00) << QColor(Qt::green);
    }
    // A field on the default button colour is printed on white; a chosen colour stays.
    void print_onWhitePaper() {
        QFETCH(uint, background);
        QFETCH(QColor, paper);
        state_.BackgroundColor = background;
        QVERIFY(build(QStringLiteral("x^2-3")));
        VectorRecorder shown;
        form_->field().recordVectors(shown);
        const VectorRecorder printed = FieldOnPaper(form_->field());
        int fills = 0;
        for (const VectorOp &op : printed.ops())
            if (op.kind == VectorOp::Fill && ++fills)
                QCOMPARE(op.color, paper);
        QVERIFY(fills > 0);
        QCOMPARE(printed.polylines(Qt::black), shown.polylines(Qt::black));
    }

    // Printing to a PDF file over an old one on a disk that fills up: the old file whole, the
    // reason shown.
    void print_toAFullDiskKeepsTheOldFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.pdf"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        QVERIFY(build(QStringLiteral("x")));
        ui_->onDialog = [path](QDialog &dialog) {
            QPrinter *printer = dynamic_cast<QPrintDialog &>(dialog).printer();
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(path);
            return int(QDialog::Accepted);
        };
        SetWriteFailureAfterBytes(1000);
        form_->printField();
        SetWriteFailureAfterBytes(-1);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old"));
        QCOMPARE(ui_->messages.size(), 1);
        QVERIFY2(ui_->messages.at(0).contains(QStringLiteral("на диске нет места")),
                 qPrintable(ui_->messages.at(0)));
    }
};

QTEST_MAIN(TestExport)
#include "tst_export.moc"
