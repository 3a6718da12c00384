// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file format: reading, line-preserving writing, location and failure report.
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

#include "engine/basic.h"
#include "settings/ini_text.h"
#include "settings/native_path.h"
#include "settings/settings.h"

#include "support/files.h"
#include <unistd.h>

using namespace vantoro;
using vantoro::test::readAll;
using vantoro::test::writeAll;

namespace {

// The text in UTF-16 behind its byte-order mark, as a Windows editor saves "Unicode".
QByteArray utf16(const char *text, bool bigEndian = false)
{
    QStringEncoder encode(bigEndian ? QStringConverter::Utf16BE : QStringConverter::Utf16LE);
    return QByteArray(bigEndian ? "\xFE\xFF" : "\xFF\xFE") + QByteArray(encode(QString::fromUtf8(text)));
}

} // namespace

class TstSettingsFile : public QObject
{
    Q_OBJECT

private slots:
    void readsValue_data();
    void readsValue();
    void absentFileReadsMinus();
    void writeKeepsOtherLines_data();
    void writeKeepsOtherLines();
    void severalValuesWrittenInOrder();
    void writtenValueReadsBackInAnyText();
    void locationBesideExecutable();
    void locationFallsBackToUserConfig();
    void locationOfRunningProgram();
    void writeFailureReportedOncePerFile();

private:
    QTemporaryDir m_dir;
};

void TstSettingsFile::readsValue_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");

    const QByteArray sample = "[INIT_XY]\nX=1530\nY=2595\n[INIT_MODE]\nHMS=0\nHIS=1\n";
    QTest::newRow("plain") << sample << "INIT_XY"
                           << "Y"
                           << "2595" << 2595.0;
    QTest::newRow("second section") << sample << "INIT_MODE"
                                    << "HIS"
                                    << "1" << 1.0;
    QTest::newRow("absent section") << sample << "OTHER"
                                    << "X"
                                    << "-" << 0.0;
    QTest::newRow("absent key") << sample << "INIT_XY"
                                << "Z"
                                << "-" << 0.0;
    QTest::newRow("key of the other section") << sample << "INIT_XY"
                                              << "HMS"
                                              << "-" << 0.0;
    QTest::newRow("names in any case") << QByteArray("[Init_Xy]\nx=12\n") << "INIT_XY"
                                       << "X"
                                       << "12" << 12.0;
    QTest::newRow("blanks around names and value") << QByteArray("  [ INIT_XY ]  \n\t X  =  12 \t\n") << "INIT_XY"
                                                   << "X"
                                                   << "12" << 12.0;
    QTest::newRow("CRLF") << QByteArray("[INIT_XY]\r\nX=1530\r\nY=2595\r\n") << "INIT_XY"
                          << "X"
                          << "1530" << 1530.0;
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF[INIT_XY]\nX=7\n") << "INIT_XY"
                                     << "X"
                                     << "7" << 7.0;
    QTest::newRow("no final newline") << QByteArray("[INIT_XY]\nX=7") << "INIT_XY"
                                      << "X"
                                      << "7" << 7.0;
    QTest::newRow("cut to 15 characters") << QByteArray("[INIT_XY]\nX=12345678901234567890\n") << "INIT_XY"
                                          << "X"
                                          << "123456789012345" << 123456789012345.0;
    QTest::newRow("number then letters") << QByteArray("[INIT_XY]\nX=1530abc\n") << "INIT_XY"
                                         << "X"
                                         << "1530abc" << 1530.0;
    QTest::newRow("blanks before the number") << QByteArray("[INIT_MODE]\nHMS=  2\n") << "INIT_MODE"
                                              << "HMS"
                                              << "2" << 2.0;
    QTest::newRow("empty value") << QByteArray("[INIT_MODE]\nHMS=\n") << "INIT_MODE"
                                 << "HMS"
                                 << "" << 0.0;
    QTest::newRow("key before any section ignored") << QByteArray("X=9\n[INIT_XY]\nY=1\n") << "INIT_XY"
                                                    << "X"
                                                    << "-" << 0.0;
    QTest::newRow("first of repeated keys") << QByteArray("[INIT_XY]\nX=1\nX=2\n") << "INIT_XY"
                                            << "X"
                                            << "1" << 1.0;
    QTest::newRow("first of repeated sections") << QByteArray("[INIT_XY]\nX=1\n[INIT_XY]\nX=2\n") << "INIT_XY"
                                                << "X"
                                                << "1" << 1.0;
    QTest::newRow("key only in a repeated section")
        << QByteArray("[INIT_XY]\nY=1\n[OTHER]\nX=3\n[init_xy]\nX=2\n") << "INIT_XY"
        << "X"
        << "2" << 2.0;
    QTest::newRow("comment is no key") << QByteArray("[INIT_XY]\n;X=5\n#X=6\nX=7\n") << "INIT_XY"
                                       << "X"
                                       << "7" << 7.0;
    QTest::newRow("section line without bracket is no section") << QByteArray("[INIT_XY\nX=5\n") << "INIT_XY"
                                                                << "X"
                                                                << "-" << 0.0;
    QTest::newRow("NUL bytes") << QByteArrayLiteral("[INIT_XY]\nJUNK=\0\0\nX=4\0 5\n") << "INIT_XY"
                               << "X" << QString::fromUtf8("4\0 5", 4) << 4.0;
    QTest::newRow("huge line before") << (QByteArray("[INIT_XY]\nJUNK=") + QByteArray(4 << 20, 'a') + "\nX=8\n")
                                      << "INIT_XY"
                                      << "X"
                                      << "8" << 8.0;
    QTest::newRow("lone CR at the end") << QByteArray("[INIT_XY]\nX=8\r") << "INIT_XY"
                                        << "X"
                                        << "8" << 8.0;
    QTest::newRow("CR line endings") << QByteArray("[INIT_XY]\rX=1530\rY=2595\r") << "INIT_XY"
                                     << "Y"
                                     << "2595" << 2595.0;
    QTest::newRow("CR line endings behind a byte-order mark")
        << QByteArray("\xEF\xBB\xBF[INIT_MODE]\rHMS=2") << "INIT_MODE"
        << "HMS"
        << "2" << 2.0;
    QTest::newRow("CR inside a line of an LF file stays in it") << QByteArray("[INIT_XY]\nX=8\rY=9\n") << "INIT_XY"
                                                                << "Y"
                                                                << "-" << 0.0;
    QTest::newRow("UTF-16LE") << utf16("[INIT_XY]\r\nX=1530\r\nY=2595\r\n") << "INIT_XY"
                              << "Y"
                              << "2595" << 2595.0;
    QTest::newRow("UTF-16BE") << utf16("[INIT_MODE]\nHMS=2\n", true) << "INIT_MODE"
                              << "HMS"
                              << "2" << 2.0;
    QTest::newRow("UTF-16 with an odd last byte") << (utf16("[INIT_MODE]\nHMS=1\n") + 'x') << "INIT_MODE"
                                                  << "HMS"
                                                  << "1" << 1.0;
}

void TstSettingsFile::readsValue()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(double, number);

    const QString path = m_dir.filePath(QStringLiteral("read.INI"));
    writeAll(path, file);
    const QString value = Ini_Read(section, key, path);
    QCOMPARE(value, text);
    QCOMPARE(Val(value), number);
}

void TstSettingsFile::absentFileReadsMinus()
{
    QCOMPARE(Ini_Read(QStringLiteral("INIT_XY"), QStringLiteral("X"), m_dir.filePath(QStringLiteral("none.INI"))),
             QStringLiteral("-"));
    QCOMPARE(Ini_Read(QStringLiteral("INIT_XY"), QStringLiteral("X"), QString()), QStringLiteral("-"));
}

void TstSettingsFile::writeKeepsOtherLines_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("new file") << QByteArray() << "INIT_XY"
                              << "X"
                              << "1530" << QByteArray("[INIT_XY]\nX=1530\n");
    QTest::newRow("value replaced in place, other lines kept")
        << QByteArray("; mine\n[INIT_XY]\nX=1\nY=2\n\n[OTHER]\nZ=3\n") << "INIT_XY"
        << "X"
        << "-120" << QByteArray("; mine\n[INIT_XY]\nX=-120\nY=2\n\n[OTHER]\nZ=3\n");
    QTest::newRow("names matched in any case, their spelling kept") << QByteArray("[init_xy]\nx=1\n") << "INIT_XY"
                                                                    << "X"
                                                                    << "9" << QByteArray("[init_xy]\nx=9\n");
    QTest::newRow("blanks around the old value kept") << QByteArray("[INIT_XY]\nX =  1 \t\nY=2\n") << "INIT_XY"
                                                      << "X"
                                                      << "9" << QByteArray("[INIT_XY]\nX =  9 \t\nY=2\n");
    QTest::newRow("repair keeps its blank") << QByteArray("[INIT_XY]\nX=-255\n") << "INIT_XY"
                                            << "X"
                                            << " 0" << QByteArray("[INIT_XY]\nX= 0\n");
    QTest::newRow("new key at the end of its section")
        << QByteArray("[INIT_XY]\nX=1\n; about mode\n[INIT_MODE]\nHMS=0\n") << "INIT_XY"
        << "Y"
        << "2" << QByteArray("[INIT_XY]\nX=1\nY=2\n; about mode\n[INIT_MODE]\nHMS=0\n");
    QTest::newRow("new key in an empty section") << QByteArray("[INIT_MODE]\n[INIT_XY]\nX=1\n") << "INIT_MODE"
                                                 << "HIS"
                                                 << "1" << QByteArray("[INIT_MODE]\nHIS=1\n[INIT_XY]\nX=1\n");
    QTest::newRow("new section at the end") << QByteArray("[INIT_XY]\nX=1\n") << "INIT_MODE"
                                            << "HMS"
                                            << "2" << QByteArray("[INIT_XY]\nX=1\n[INIT_MODE]\nHMS=2\n");
    QTest::newRow("CRLF kept and used for new lines")
        << QByteArray("[INIT_XY]\r\nX=1\r\n") << "INIT_MODE"
        << "HMS"
        << "2" << QByteArray("[INIT_XY]\r\nX=1\r\n[INIT_MODE]\r\nHMS=2\r\n");
    QTest::newRow("CRLF replaced in place") << QByteArray("[INIT_XY]\r\nX=1\r\nY=2\r\n") << "INIT_XY"
                                            << "X"
                                            << "5" << QByteArray("[INIT_XY]\r\nX=5\r\nY=2\r\n");
    QTest::newRow("byte-order mark kept") << QByteArray("\xEF\xBB\xBF[INIT_XY]\nX=1\n") << "INIT_XY"
                                          << "X"
                                          << "2" << QByteArray("\xEF\xBB\xBF[INIT_XY]\nX=2\n");
    QTest::newRow("byte-order mark alone") << QByteArray("\xEF\xBB\xBF") << "INIT_XY"
                                           << "X"
                                           << "2" << QByteArray("\xEF\xBB\xBF[INIT_XY]\nX=2\n");
    QTest::newRow("no final newline, value replaced") << QByteArray("[INIT_XY]\nX=1") << "INIT_XY"
                                                      << "X"
                                                      << "2" << QByteArray("[INIT_XY]\nX=2");
    QTest::newRow("no final newline, key added") << QByteArray("[INIT_XY]\nX=1") << "INIT_XY"
                                                 << "Y"
                                                 << "2" << QByteArray("[INIT_XY]\nX=1\nY=2\n");
    QTest::newRow("no final newline, section added") << QByteArray("; only a comment") << "INIT_XY"
                                                     << "X"
                                                     << "2" << QByteArray("; only a comment\n[INIT_XY]\nX=2\n");
    QTest::newRow("first of repeated keys replaced") << QByteArray("[INIT_XY]\nX=1\nX=2\n") << "INIT_XY"
                                                     << "X"
                                                     << "3" << QByteArray("[INIT_XY]\nX=3\nX=2\n");
    QTest::newRow("new key into the first of repeated sections")
        << QByteArray("[INIT_XY]\nX=1\n[INIT_XY]\nZ=1\n") << "INIT_XY"
        << "Y"
        << "2" << QByteArray("[INIT_XY]\nX=1\nY=2\n[INIT_XY]\nZ=1\n");
    QTest::newRow("key before any section left alone") << QByteArray("X=9\n") << "INIT_XY"
                                                       << "X"
                                                       << "1" << QByteArray("X=9\n[INIT_XY]\nX=1\n");
    QTest::newRow("NUL bytes kept") << QByteArrayLiteral("\0junk\0\n[INIT_XY]\nX=1\n") << "INIT_XY"
                                    << "X"
                                    << "2" << QByteArrayLiteral("\0junk\0\n[INIT_XY]\nX=2\n");
    QTest::newRow("CR endings kept and used for new lines")
        << QByteArray("[INIT_XY]\rX=1\r") << "INIT_MODE"
        << "HMS"
        << "2" << QByteArray("[INIT_XY]\rX=1\r[INIT_MODE]\rHMS=2\r");
    QTest::newRow("CR endings, value replaced") << QByteArray("[INIT_XY]\rX=1\rY=2\r") << "INIT_XY"
                                                << "X"
                                                << "5" << QByteArray("[INIT_XY]\rX=5\rY=2\r");
    QTest::newRow("CR endings, no final one, key added") << QByteArray("[INIT_XY]\rX=1") << "INIT_XY"
                                                         << "Y"
                                                         << "2" << QByteArray("[INIT_XY]\rX=1\rY=2\r");
    QTest::newRow("UTF-16LE written back in UTF-16LE") << utf16("; mine\r\n[INIT_XY]\r\nX=1\r\n") << "INIT_XY"
                                                       << "X"
                                                       << "-120" << utf16("; mine\r\n[INIT_XY]\r\nX=-120\r\n");
    QTest::newRow("UTF-16BE, section added in UTF-16BE") << utf16("[INIT_XY]\nX=1\n", true) << "INIT_MODE"
                                                         << "HIS"
                                                         << "1" << utf16("[INIT_XY]\nX=1\n[INIT_MODE]\nHIS=1\n", true);
}

void TstSettingsFile::writeKeepsOtherLines()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);

    const QString path = m_dir.filePath(QStringLiteral("write.INI"));
    QFile::remove(path);
    if (!before.isEmpty())
        writeAll(path, before);
    QVERIFY(Ini_Write(section, key, value, path));
    QCOMPARE(readAll(path), after);
}

void TstSettingsFile::severalValuesWrittenInOrder()
{
    const QString path = m_dir.filePath(QStringLiteral("exit.INI"));
    QVERIFY(Ini_Write({{QStringLiteral("INIT_XY"), QStringLiteral("X"), QStringLiteral("1530")},
                       {QStringLiteral("INIT_XY"), QStringLiteral("Y"), QStringLiteral("2595")},
                       {QStringLiteral("INIT_MODE"), QStringLiteral("HMS"), QStringLiteral("0")},
                       {QStringLiteral("INIT_MODE"), QStringLiteral("HIS"), QStringLiteral("1")}},
                      path));
    QCOMPARE(readAll(path), QByteArray("[INIT_XY]\nX=1530\nY=2595\n[INIT_MODE]\nHMS=0\nHIS=1\n"));
    // No lock file is left behind.
    QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("exit.INI*")}, QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("exit.INI")});
}

// Whatever a file holds, a written key reads back as written and every other key keeps
// the value it had.
void TstSettingsFile::writtenValueReadsBackInAnyText()
{
    const QList<QByteArray> pieces = {"[INIT_XY]", "[init_mode]", "[",  "]",  "X=1",  "x = 2", "HMS=7", "HIS",
                                      "=",         ";c",          "\r", "\n", "\r\n", " ",     "\0",    "\xEF\xBB\xBF",
                                      "[OTHER]"};
    const QList<QByteArray> sections = {"INIT_XY", "INIT_MODE", "OTHER"};
    const QList<QByteArray> keys = {"X", "HMS", "HIS", "Y"};
    QRandomGenerator rng(20240601);
    for (int round = 0; round < 2000; ++round) {
        QByteArray text;
        const int n = rng.bounded(12);
        for (int i = 0; i < n; ++i)
            text += pieces.at(rng.bounded(pieces.size()));
        const QByteArray section = sections.at(rng.bounded(sections.size()));
        const QByteArray key = keys.at(rng.bounded(keys.size()));

        IniText ini(text);
        QList<std::optional<QByteArray>> others;
        for (const QByteArray &s : sections)
            for (const QByteArray &k : keys)
                others << ini.value(s, k);
        ini.setValue(section, key, "42");

        QVERIFY2(ini.value(section, key) == QByteArray("42"), text.toPercentEncoding().constData());
        int i = 0;
        for (const QByteArray &s : sections) {
            for (const QByteArray &k : keys) {
                if (!(s == section && k == key))
                    QVERIFY2(ini.value(s, k) == others.at(i), text.toPercentEncoding().constData());
                ++i;
            }
        }
        QVERIFY2(ini.bytes().startsWith(text.left(text.indexOf('\n') < 0 ? 0 : text.indexOf('\n'))),
                 text.toPercentEncoding().constData());
    }
}

void TstSettingsFile::locationBesideExecutable()
{
    const QString config = m_dir.filePath(QStringLiteral("config"));
    const QString app = m_dir.filePath(QStringLiteral("Calc"));
    QCOMPARE(settingsFilePathFor(app, config), app + QStringLiteral(".INI"));
}

void TstSettingsFile::locationFallsBackToUserConfig()
{
    const QString config = m_dir.filePath(QStringLiteral("config"));
    // A directory that cannot take the file: here one that does not exist.
    const QString app = m_dir.filePath(QStringLiteral("missing/bin/Calc"));
    QCOMPARE(settingsFilePathFor(app, config), config + QStringLiteral("/vantoro/Calc.INI"));
    // Without a user configuration directory the file stays beside the executable.
    QCOMPARE(settingsFilePathFor(app, QString()), app + QStringLiteral(".INI"));
    // Writing creates the folder.
    QVERIFY(Ini_Write(QStringLiteral("INIT_MODE"), QStringLiteral("HMS"), QStringLiteral("1"),
                      settingsFilePathFor(app, config)));
    QCOMPARE(Ini_Read(QStringLiteral("INIT_MODE"), QStringLiteral("HMS"), config + QStringLiteral("/vantoro/Calc.INI")),
             QStringLiteral("1"));
}

void TstSettingsFile::locationOfRunningProgram()
{
    // The path as the file system has it, whatever its bytes (a copy of this program is run
    // from a directory whose name is not UTF-8 by the fault tests).
    QByteArray exe(4096, '\0');
    const ssize_t n = readlink("/proc/self/exe", exe.data(), size_t(exe.size()));
    QVERIFY(n > 0);
    exe.truncate(n);
    QCOMPARE(nativePath(App_Path()), exe);
    QVERIFY(App_Path().endsWith(QStringLiteral("/tst_settings_file")));
    // The build directory can be written, so the file belongs beside the test program.
    QCOMPARE(settingsFilePath(), App_Path() + QStringLiteral(".INI"));
}

void TstSettingsFile::writeFailureReportedOncePerFile()
{
    // A directory where the file should be: nothing can be written there.
    const QString path = m_dir.filePath(QStringLiteral("taken.INI"));
    QVERIFY(QDir().mkpath(path));
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("settings file .*taken\\.INI cannot be written")));
    QVERIFY(!Ini_Write(QStringLiteral("INIT_XY"), QStringLiteral("X"), QStringLiteral("1"), path));
    QTest::failOnWarning(QRegularExpression(QStringLiteral("taken\\.INI")));
    QVERIFY(!Ini_Write(QStringLiteral("INIT_XY"), QStringLiteral("Y"), QStringLiteral("1"), path));
    QVERIFY(QFileInfo(path).isDir());
}

QTEST_GUILESS_MAIN(TstSettingsFile)
#include "tst_settings_file.moc"
