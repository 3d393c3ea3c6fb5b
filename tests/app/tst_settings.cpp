// SPDX-License-Identifier: GPL-3.0-or-later
// The field's options remembered between runs: read and written only through a regular file,
// and only the values true and false count.
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

#include "fieldsettings.h"

using namespace kurvanto;

class TestSettings : public QObject {
    Q_OBJECT

    QTemporaryDir settingsDir_;

  private slots:
    void initTestCase() {
        QVERIFY(settingsDir_.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
    }

    // The settings file: a value other than true or false is the option's default, and a file
    // that is not a regular one (a FIFO would hold the start) is neither read nor written.
    void settingsOnlyPlainValuesFromAPlainFile() {
        const QString folder = settingsDir_.path() + QStringLiteral("/Kurvanto");
        QVERIFY(QDir().mkpath(folder));
        const QString file = folder + QStringLiteral("/kurvanto.conf");
        const struct {
            const char *text;
            bool grid, legend;
        } cases[] = {// each of its own size: QSettings sees a changed file by size and time
                     {"[options]\ngrid=true\nlegend=no\n", true, false},
                     {"[options]\ngrid=1\nlegend=false\n\n", false, false},
                     {"[options]\ngrid=yes\nlegend=true\n\n\n", false, true}};
        for (const auto &c : cases) {
            QFile conf(file);
            QVERIFY(conf.open(QIODevice::WriteOnly | QIODevice::Truncate));
            conf.write(c.text);
            conf.close();
            const FieldOptions options = LoadFieldOptions();
            QCOMPARE(options.grid, c.grid);
            QCOMPARE(options.legend, c.legend);
        }
        QVERIFY(QFile::remove(file));
        QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        const auto remove = qScopeGuard([&] { QFile::remove(file); });
        QVERIFY(!LoadFieldOptions().grid);
        SaveFieldOption(kGridKey, true);
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(file).constData(), &info), 0);
        QVERIFY(S_ISFIFO(info.st_mode));
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
