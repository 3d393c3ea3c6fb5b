// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's own dialogs in Russian in every locale: the words Qt's Russian translation lacks (the
// file chooser's "Folder", "Drive") come from ours, the rest from Qt's, file types are named
// in Russian, and dates keep the system's format. CTest runs this in C.UTF-8 and ru_RU.UTF-8.
#include <QAbstractFileIconProvider>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QMimeDatabase>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "toolkittranslation.h"

using kurvanto::ToolkitTranslation;

class TestTranslation : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<ToolkitTranslation> translation_;
    QTemporaryDir dir_;
    QString systemDecimalPoint_;

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        systemDecimalPoint_ = QLocale::system().decimalPoint();
        translation_ = std::make_unique<ToolkitTranslation>();
        QVERIFY2(translation_->toolkitTranslationLoaded(),
                 "Qt's Russian translation is missing: run scripts/deps.sh");
    }
    void cleanupTestCase() { translation_.reset(); }

    void fileTypes_data() {
        QTest::addColumn<QString>("path"); // inside the temporary folder; empty: the root
        QTest::addColumn<QString>("type");
        QTest::newRow("folder") << "folder"
                                << "Папка";
        QTest::newRow("drive") << ""
                               << "Диск";
        QTest::newRow("broken link") << "link"
                                     << "Ярлык";
    }
    void fileTypes() {
        QFETCH(QString, path);
        QFETCH(QString, type);
        QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("folder")));
        QFile::link(dir_.filePath(QStringLiteral("nowhere")),
                    dir_.filePath(QStringLiteral("link")));
        const QFileInfo info(path.isEmpty() ? QDir::rootPath() : dir_.filePath(path));
        QCOMPARE(QAbstractFileIconProvider().type(info), type);
    }

    // A file's type is its MIME type's comment, in the default locale's language.
    void pictureTypeInRussian() {
        const QString picture = dir_.filePath(QStringLiteral("graph.bmp"));
        QFile file(picture);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write("BM", 2) == 2);
        file.close();
        const QString type = QAbstractFileIconProvider().type(QFileInfo(picture));
        QVERIFY2(type.contains(QRegularExpression(QStringLiteral("[а-яА-Я]"))), qPrintable(type));
        QVERIFY2(type.contains(QStringLiteral("BMP")), qPrintable(type));
    }

    void qtsOwnWordsStay_data() {
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("russian");
        QTest::newRow("save as") << "QFileDialog"
                                 << "Save As"
                                 << "Сохранить как";
        QTest::newRow("column") << "QFileSystemModel"
                                << "Date Modified"
                                << "Дата изменения";
        QTest::newRow("colour chooser") << "QColorDialog"
                                        << "&Basic colors"
                                        << "&Основные цвета";
    }
    void qtsOwnWordsStay() {
        QFETCH(QString, context);
        QFETCH(QString, source);
        QFETCH(QString, russian);
        QCOMPARE(QCoreApplication::translate(context.toLatin1().constData(),
                                             source.toLatin1().constData()),
                 russian);
    }

    // Dates and numbers follow the system's locale, not the language of the words.
    void datesAndNumbersFollowTheSystem() {
        QCOMPARE(QLocale::system().decimalPoint(), systemDecimalPoint_);
        const QString name = dir_.filePath(QStringLiteral("dated.txt"));
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QFileSystemModel model;
        const QModelIndex folder = model.setRootPath(dir_.path());
        QTRY_VERIFY(model.index(name).isValid() && model.rowCount(folder) > 0);
        const QModelIndex modified = model.index(name).siblingAtColumn(3);
        const QString expected =
            QLocale::system().toString(QFileInfo(name).lastModified(), QLocale::ShortFormat);
        QTRY_COMPARE(model.data(modified).toString(), expected);
    }
};

QTEST_MAIN(TestTranslation)
#include "tst_translation.moc"
