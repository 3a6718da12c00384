// vantoro-calc as scripts use it: arguments, standard input, output and exit status.
#include <QProcess>
#include <QtTest>

class TstCli : public QObject {
    Q_OBJECT
private slots:
    void run_data();
    void run();
    void readsStandardInput();
    void badCharacter();
    void help();

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
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }
};

void TstCli::run_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("out");
    QTest::newRow("unit example") << QStringList{"--mode", "unit", "1h30m+45m="}
                                  << QStringLiteral(" \t    2°15’00.00”\t＝\tH:M:S-Unit\n");
    QTest::newRow("thirds") << QStringList{"--mode", "seconds", "1/3="}
                            << QStringLiteral(" \t.3333333333333 \t＝\t\n");
    QTest::newRow("division by zero") << QStringList{"--mode", "seconds", "5/0="}
                                      << QStringLiteral("!\tゼロによる割り算が実行されました\n \t             0 \t＝\t\n");
    QTest::newRow("arguments joined, blanks ignored, letters either case")
        << QStringList{"--mode", "UNIT", "1 H", "30M"} << QString(); // bad mode
    QTest::newRow("default mode is auto") << QStringList{"12345"}
                                          << QStringLiteral(" \t    1°23’45.00”\t　\tH:M:S-Auto\n");
    QTest::newRow("trace") << QStringList{"--trace", "--mode", "seconds", "2-"}
                           << QStringLiteral("2\t \t             2 \t　\t\n-\t \t             2 \t－\t\n");
    QTest::newRow("history") << QStringList{"--history", "--mode", "seconds", "1+2="}
                             << QStringLiteral(" \t             3 \t＝\t\n#\t　                   1\n"
                                               "#\t＋                   2\n#\t＝                   3\n"
                                               "#\t────────────────────　\n");
    QTest::newRow("keys beginning with a minus") << QStringList{"--mode", "seconds", "-5+3="}
                                                 << QStringLiteral("-\t             2 \t＝\t\n");
    QTest::newRow("options before keys only") << QStringList{"--mode", "seconds", "2", "--trace"}
                                              << QString(); // "--trace" read as keys: bad character
    QTest::newRow("letters either case") << QStringList{"--mode", "unit", "1 H", "30M"}
                                         << QStringLiteral(" \t    1°30’00.00”\t　\tH:M:S-Unit\n");
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
    const Result r = calc({"--help"});
    QCOMPARE(r.code, 0);
    QVERIFY(r.out.contains(QStringLiteral("--mode")));
    QVERIFY(r.out.contains(QStringLiteral("square root")));
}

QTEST_GUILESS_MAIN(TstCli)
#include "tst_cli.moc"
