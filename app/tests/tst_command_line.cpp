// Runs the real program with its own options, as a user at a terminal would, without any display: --help
// and --version must answer before the window system is started.
#include <QProcess>
#include <QtTest>

class TestCommandLine : public QObject {
    Q_OBJECT

private:
    QTemporaryDir runtimeDir;

    struct Run {
        int exitCode;
        QString out;
        QString err;
    };

    // With no display: X11 forced and nowhere to connect to, so any start of the window system fails.
    Run run(const QStringList& arguments, const QString& platform = QStringLiteral("xcb"))
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir.path()); // as in a desktop session
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(FLOWCALC_EXE), arguments);
        if (!process.waitForFinished(30000))
            process.kill();
        return { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError()) };
    }

private slots:
    void versionIsAnsweredWithoutADisplay_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("--version") << QStringList { "--version" };
        QTest::newRow("-v") << QStringList { "-v" };
        QTest::newRow("after a Qt option") << QStringList { "-platform", "xcb", "--version" };
    }
    void versionIsAnsweredWithoutADisplay()
    {
        QFETCH(QStringList, arguments);
        const Run result = run(arguments);
        QCOMPARE(result.err, QString());
        QCOMPARE(result.out, QStringLiteral("flowcalc 1.1.0\n"));
        QCOMPARE(result.exitCode, 0);
    }

    void helpIsAnsweredWithoutADisplay_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("--help") << QStringList { "--help" };
        QTest::newRow("-h") << QStringList { "-h" };
        QTest::newRow("--help-all") << QStringList { "--help-all" };
        QTest::newRow("before an unknown option") << QStringList { "--help", "--frobnicate" };
        QTest::newRow("Qt's -stylesheet is not -h") << QStringList { "-stylesheet", "x.qss", "--help" };
    }
    void helpIsAnsweredWithoutADisplay()
    {
        QFETCH(QStringList, arguments);
        const Run result = run(arguments);
        QCOMPARE(result.err, QString());
        QVERIFY2(result.out.startsWith(QStringLiteral("Usage: flowcalc [options]\nCompressible Flow Calculator: ")),
            qPrintable(result.out));
        QVERIFY(result.out.contains(QStringLiteral("  -v, --version ")));
        QVERIFY(result.out.contains(QStringLiteral("  -h, --help ")));
        QCOMPARE(result.exitCode, 0);
    }

    void usageErrorsAreRefusedWithStatus2_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown option") << QStringList { "--frobnicate" }
                                        << "flowcalc: Unknown option 'frobnicate'.\nTry 'flowcalc --help'.\n";
        QTest::newRow("unknown option beside Qt's") << QStringList { "-style", "fusion", "--bogus" }
                                                    << "flowcalc: Unknown option 'bogus'.\nTry 'flowcalc --help'.\n";
        QTest::newRow("argument") << QStringList { "results.txt" }
                                  << "flowcalc: unexpected argument 'results.txt'\nTry 'flowcalc --help'.\n";
    }
    void usageErrorsAreRefusedWithStatus2()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        // Refused before the window system starts: the same with no display at all as offscreen.
        for (const QString& platform : { QStringLiteral("offscreen"), QStringLiteral("xcb") }) {
            const Run result = run(arguments, platform);
            QCOMPARE(result.err, message);
            QCOMPARE(result.out, QString());
            QCOMPARE(result.exitCode, 2);
        }
    }

    void qtOptionsAreNotRefused()
    {
        const Run result = run({ "-platform", "offscreen", "--frobnicate" }, QStringLiteral("xcb"));
        QCOMPARE(result.err, QStringLiteral("flowcalc: Unknown option 'frobnicate'.\nTry 'flowcalc --help'.\n"));
        QCOMPARE(result.exitCode, 2);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_command_line.moc"
