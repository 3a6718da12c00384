// SPDX-License-Identifier: GPL-3.0-or-later
// vantoro-calc as scripts use it: arguments, standard input, output and exit status.
#include <QProcess>
#include <QtTest>

class TstCli : public QObject
{
    Q_OBJECT
private slots:
    void run_data();
    void run();
    void readsStandardInput();
    void badCharacter();
    void help();
    void usageErrors_data();
    void usageErrors();
    void version();
    void unavailableKey_data();
    void unavailableKey();
    void standardInput_data();
    void standardInput();
    void unusableStreams_data();
    void unusableStreams();
    void outputStartsBeforeTheInputEnds();

private:
    struct Result {
        int code;
        QString out, err;
    };
    Result calc(const QStringList &args, const QByteArray &input = {})
    {
        QProcess p;
        p.start(QStringLiteral(VANTORO_CALC), args);
        p.write(input);
        p.closeWriteChannel();
        p.waitForFinished(10000);
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }
    // The status and output, and on standard error the message or nothing.
    static void expect(const Result &r, int code, const QString &out, const QString &message)
    {
        QCOMPARE(r.code, code);
        QCOMPARE(r.out, out);
        if (message.isEmpty())
            QCOMPARE(r.err, QString());
        else
            QVERIFY2(r.err.contains(message), qPrintable(r.err));
    }
};

void TstCli::run_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("out");
    QTest::newRow("unit example") << QStringList{"--mode", "unit", "1h30m+45m="}
                                  << QStringLiteral(" \t    2°15’00.00”\t＝\tH:M:S-Unit\n");
    QTest::newRow("thirds") << QStringList{"--mode", "seconds", "1/3="} << QStringLiteral(" \t.3333333333333 \t＝\t\n");
    QTest::newRow("division by zero") << QStringList{"--mode", "seconds", "5/0="}
                                      << QStringLiteral(
                                             "!\tゼロによる割り算が実行されました\n \t             0 \t＝\t\n");
    QTest::newRow("arguments joined, blanks ignored, letters either case")
        << QStringList{"--mode", "UNIT", "1 H", "30M"} << QString(); // bad mode
    QTest::newRow("default mode is auto")
        << QStringList{"12345"} << QStringLiteral(" \t    1°23’45.00”\t　\tH:M:S-Auto\n");
    QTest::newRow("trace") << QStringList{"--trace", "--mode", "seconds", "2-"}
                           << QStringLiteral("2\t \t             2 \t　\t\n-\t \t             2 \t－\t\n");
    QTest::newRow("history") << QStringList{"--history", "--mode", "seconds", "1+2="}
                             << QStringLiteral(" \t             3 \t＝\t\n#\t　                   1\n"
                                               "#\t＋                   2\n#\t＝                   3\n"
                                               "#\t────────────────────　\n");
    QTest::newRow("keys beginning with a minus")
        << QStringList{"--mode", "seconds", "-5+3="} << QStringLiteral("-\t             2 \t＝\t\n");
    QTest::newRow("options before keys only")
        << QStringList{"--mode", "seconds", "2", "--trace"} << QString(); // "--trace" read as keys: bad character
    QTest::newRow("letters either case") << QStringList{"--mode", "unit", "1 H", "30M"}
                                         << QStringLiteral(" \t    1°30’00.00”\t　\tH:M:S-Unit\n");
    QTest::newRow("short mode option") << QStringList{"-m", "seconds", "1+2="}
                                       << QStringLiteral(" \t             3 \t＝\t\n");
    QTest::newRow("mode with =") << QStringList{"--mode=seconds", "-5+3="}
                                 << QStringLiteral("-\t             2 \t＝\t\n");
    QTest::newRow("keys after --") << QStringList{"--mode", "seconds", "--", "-5+3="}
                                   << QStringLiteral("-\t             2 \t＝\t\n");
}

void TstCli::run()
{
    QFETCH(QStringList, args);
    QFETCH(QString, out);
    const Result r = calc(args);
    if (out.isEmpty()) {
        QCOMPARE(r.code, 2);
        QVERIFY(r.out.isEmpty());
        QVERIFY(!r.err.isEmpty());
        return;
    }
    QCOMPARE(r.out, out);
    QCOMPARE(r.code, 0);
}

void TstCli::readsStandardInput()
{
    const Result r = calc({"--mode", "seconds"}, "16\nr\n");
    QCOMPARE(r.out, QStringLiteral(" \t             4 \t√\t\n"));
}

void TstCli::badCharacter()
{
    const Result r = calc({"--mode", "seconds", "12+x="});
    QCOMPARE(r.code, 2);
    QVERIFY(r.out.isEmpty());
    QVERIFY(r.err.contains(QStringLiteral("'x'")));
    QVERIFY(r.err.contains(QStringLiteral("position 4")));
}

void TstCli::help()
{
    const Result all = calc({"--help-all"});
    QCOMPARE(all.code, 0);
    QVERIFY(all.out.contains(QStringLiteral("--strict")));
    const Result r = calc({"--help"});
    QCOMPARE(r.code, 0);
    QVERIFY(r.out.contains(QStringLiteral("--mode")));
    QVERIFY(r.out.contains(QStringLiteral("square root")));
}

void TstCli::usageErrors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown long option") << QStringList{"--foo", "1+2="} << "Unknown option 'foo'";
    QTest::newRow("unknown short option") << QStringList{"-x"} << "Unknown option 'x'";
    QTest::newRow("mode without its value") << QStringList{"--mode"} << "Missing value after '--mode'";
    QTest::newRow("unknown mode") << QStringList{"--mode", "hours", "1"} << "unknown mode 'hours'";
    QTest::newRow("control bytes of a mode escaped") << QStringList{"--mode", "\x1b[2J"} << "unknown mode '\\x1B[2J'";
    QTest::newRow("control bytes of a key escaped") << QStringList{"1\x1b[2J"} << "no key for '\\x1B' at position 2";
    QTest::newRow("character with no key")
        << QStringList{"--mode", "seconds", "12+x="} << "no key for 'x' at position 4";
}

// Status 2, a message naming what was wrong, nothing on standard output, no raw control byte.
void TstCli::usageErrors()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    const Result r = calc(args);
    QCOMPARE(r.code, 2);
    QCOMPARE(r.out, QString());
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QVERIFY(!r.err.contains(QChar(0x1b)));
}

void TstCli::version()
{
    const Result r = calc({"--version"});
    QCOMPARE(r.code, 0);
    QVERIFY2(QRegularExpression(QStringLiteral("^vantoro-calc \\d+\\.\\d+")).match(r.out).hasMatch(),
             qPrintable(r.out));
}

void TstCli::unavailableKey_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("message");
    QTest::newRow("point in H:M:S-Unit, result as the window gives it")
        << QStringList{"--mode", "unit", "1.5h="} << 0 << QStringLiteral(" \t   15°00’00.00”\t＝\tH:M:S-Unit\n")
        << "'.' at position 2 ignored: the key is unavailable at that point in H:M:S-Unit mode";
    QTest::newRow("percent in H:M:S-Auto")
        << QStringList{"5%"} << 0 << QStringLiteral(" \t     °  ’ 5.00”\t　\tH:M:S-Auto\n")
        << "'%' at position 2 ignored";
    QTest::newRow("strict") << QStringList{"--strict", "--mode", "unit", "1.5h="} << 3 << QString()
                            << "'.' at position 2: the key is unavailable";
    QTest::newRow("strict, every key available") << QStringList{"--strict", "--mode", "unit", "1h30m="} << 0
                                                 << QStringLiteral(" \t    1°30’00.00”\t＝\tH:M:S-Unit\n") << "";
}

void TstCli::unavailableKey()
{
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QString, out);
    QFETCH(QString, message);
    const Result r = calc(args);
    expect(r, code, out, message);
}

void TstCli::standardInput_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("message");
    const QString three = QStringLiteral(" \t             3 \t＝\t\n");
    QTest::newRow("UTF-8 byte-order mark skipped") << QByteArray("\xEF\xBB\xBF"
                                                                 "1+2=")
                                                   << 0 << three << "";
    QTest::newRow("UTF-16 byte-order mark refused") << QByteArray("\xFF\xFE"
                                                                  "1\0+\0"
                                                                  "2\0=\0",
                                                                  10)
                                                    << 2 << QString() << "UTF-16";
    QTest::newRow("UTF-16 big-endian refused") << QByteArray("\xFE\xFF\0"
                                                             "1",
                                                             4)
                                               << 2 << QString() << "UTF-16";
    QTest::newRow("not UTF-8") << QByteArray("1+\xE9") << 2 << QString() << "not UTF-8 at position 3";
    QTest::newRow("NUL escaped") << QByteArray("1+\0=", 4) << 2 << QString() << "no key for '\\x00' at position 3";
    QTest::newRow("ESC escaped") << QByteArray("\x1b]0;title\a") << 2 << QString()
                                 << "no key for '\\x1B' at position 1";
    QTest::newRow("a character of two bytes counts once")
        << QByteArray("\xC3\xA9x") << 2 << QString() << "no key for 'é' at position 1";
    QTest::newRow("lines and blanks") << QByteArray("1 +\r\n2\n=\n") << 0 << three << "";
    QTest::newRow("empty") << QByteArray() << 0 << QStringLiteral(" \t     °  ’    0”\t　\tH:M:S-Auto\n") << "";
}

void TstCli::standardInput()
{
    QFETCH(QByteArray, input);
    QFETCH(int, code);
    QFETCH(QString, out);
    QFETCH(QString, message);
    const Result r = calc({"--mode", input.isEmpty() ? "auto" : "seconds"}, input);
    expect(r, code, out, message);
    QVERIFY(!r.err.contains(QChar(0x1b)) && !r.err.contains(QChar(0)));
}

// Run through the shell, which can hand the program closed or odd streams.
void TstCli::unusableStreams_data()
{
    QTest::addColumn<QString>("redirect");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::newRow("standard output full") << "1+2= >/dev/full" << 1 << "cannot write standard output";
    QTest::newRow("standard output closed") << "1+2= >&-" << 1 << "standard output is closed";
    QTest::newRow("trace into a full device") << "--trace 1+2= >/dev/full" << 1 << "cannot write standard output";
    QTest::newRow("standard input closed") << "<&-" << 2 << "standard input is closed";
    QTest::newRow("standard input a directory") << "</" << 2 << "standard input is a directory";
}

void TstCli::unusableStreams()
{
    QFETCH(QString, redirect);
    QFETCH(int, code);
    QFETCH(QString, message);
    QProcess p;
    p.start(QStringLiteral("/bin/sh"),
            {QStringLiteral("-c"), QStringLiteral("exec \"$0\" ") + redirect, QStringLiteral(VANTORO_CALC)});
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), code);
    QVERIFY2(QString::fromUtf8(p.readAllStandardError()).contains(message), qPrintable(redirect));
}

// The trace of the first keys comes while standard input is still open: nothing waits for
// the whole script.
void TstCli::outputStartsBeforeTheInputEnds()
{
    QProcess p;
    p.start(QStringLiteral(VANTORO_CALC),
            {QStringLiteral("--trace"), QStringLiteral("--mode"), QStringLiteral("seconds")});
    QVERIFY(p.waitForStarted());
    p.write("12\n");
    QByteArray out;
    while (out.count('\n') < 2 && p.waitForReadyRead(10000))
        out += p.readAllStandardOutput();
    QCOMPARE(out, QStringLiteral("1\t \t             1 \t　\t\n2\t \t            12 \t　\t\n").toUtf8());
    QCOMPARE(p.state(), QProcess::Running);
    p.closeWriteChannel();
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TstCli)
#include "tst_cli.moc"
