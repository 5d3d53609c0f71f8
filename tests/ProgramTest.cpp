#include <QProcess>
#include <QTest>

#include <csignal>
#include <fstream>
#include <string>

namespace {

constexpr int kStartTimeoutMs = 30'000;
constexpr int kEndTimeoutMs = 10'000;

// True once the process `pid` catches `signalNumber`: its handler is in place.
bool catches(qint64 pid, int signalNumber)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string field;
    while (status >> field) {
        if (field == "SigCgt:") {
            std::string mask;
            status >> mask;
            return (std::stoull(mask, nullptr, 16) >> (signalNumber - 1) & 1) != 0;
        }
    }
    return false;
}

} // namespace

// The program itself, started as a desktop session or a terminal would.
class ProgramTest : public QObject {
    Q_OBJECT

private slots:
    void aTerminationSignalEndsTheProgramCleanly_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }

    void aTerminationSignalEndsTheProgramCleanly()
    {
        QFETCH(int, signalNumber);
        QProcess program;
        program.start(QStringLiteral(TARNELBY_PROGRAM), {});
        QVERIFY(program.waitForStarted());
        QVERIFY(QTest::qWaitFor([&] { return catches(program.processId(), signalNumber); }, kStartTimeoutMs));

        ::kill(static_cast<pid_t>(program.processId()), signalNumber);

        QVERIFY(program.waitForFinished(kEndTimeoutMs));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }

    void withoutADisplayItSaysSoAndEnds()
    {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(variable));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(TARNELBY_PROGRAM), {});

        QVERIFY(program.waitForFinished(kEndTimeoutMs));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 1);
        const QByteArray said = program.readAllStandardError();
        QCOMPARE(said.count('\n'), 1);
        QVERIFY2(said.contains("needs a graphical display"), said.constData());
    }
};

QTEST_GUILESS_MAIN(ProgramTest)
#include "ProgramTest.moc"
