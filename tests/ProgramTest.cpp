#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

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

// The program's environment less everything that names a display, plus
// `variables` ("DISPLAY=:55").
QProcessEnvironment environmentWith(const QStringList& variables)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET", "QT_QPA_PLATFORM",
                                 "XDG_SESSION_TYPE", "XDG_RUNTIME_DIR", "XAUTHORITY"})
        environment.remove(QString::fromLatin1(variable));
    for (const QString& variable : variables)
        environment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
    return environment;
}

// An X display that no server on this machine holds: neither its socket nor
// its lock file exists.
QString freeDisplay()
{
    for (int number = 55;; ++number) {
        if (!QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number))
            && !QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
            return QStringLiteral(":%1").arg(number);
    }
}

// Leaves a socket file at `path` that nobody listens on, as a compositor that
// died does.
bool leaveDeadSocket(const QString& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    if (static_cast<std::size_t>(name.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound = ::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(socket);
    return bound;
}

} // namespace

// The program itself, started as a desktop session or a terminal would.
class ProgramTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(directory_.isValid());
        deadSocket_ = directory_.filePath("wayland-dead");
        QVERIFY(leaveDeadSocket(deadSocket_));
        startRefusingServer();
    }

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

    void aDisplayThatCannotBeUsedIsNamedInOneLine_data()
    {
        QTest::addColumn<QStringList>("variables");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("named");
        QTest::addColumn<QString>("why");
        const QString waylandDirectory = directory_.path();
        QTest::newRow("no display named") << QStringList{} << QStringList{} << "none is set"
                                          << "needs a graphical display";
        QTest::newRow("no X server") << QStringList{"DISPLAY=" + freeDisplay_} << QStringList{}
                                     << "X display " + freeDisplay_ + ':' << "no X server answers there";
        QTest::newRow("no X server at -display") << QStringList{} << QStringList{"-display", freeDisplay_}
                                                 << "X display " + freeDisplay_ + ':' << "no X server answers there";
        QTest::newRow("X server refuses")
            << QStringList{"DISPLAY=" + refusingDisplay_, "XAUTHORITY=" + directory_.filePath("no-cookies")}
            << QStringList{} << "X display " + refusingDisplay_ + ':'
            << "the X server refused the connection: Authorization required";
        QTest::newRow("no Wayland socket")
            << QStringList{"WAYLAND_DISPLAY=nowhere-0", "XDG_RUNTIME_DIR=" + waylandDirectory} << QStringList{}
            << "Wayland display " + waylandDirectory + "/nowhere-0:" << "no Wayland compositor answers there";
        QTest::newRow("no Wayland compositor") << QStringList{"WAYLAND_DISPLAY=" + deadSocket_} << QStringList{}
                                               << "Wayland display " + deadSocket_ + ':'
                                               << "no Wayland compositor answers there";
    }

    void aDisplayThatCannotBeUsedIsNamedInOneLine()
    {
        QFETCH(QStringList, variables);
        QFETCH(QStringList, arguments);
        QFETCH(QString, named);
        QFETCH(QString, why);
        // The refusing server's row, where no such server could be had.
        if (variables.contains("DISPLAY="))
            QSKIP("Xvfb or xauth is not installed");
        QProcess program;
        program.setProcessEnvironment(environmentWith(variables));
        program.start(QStringLiteral(TARNELBY_PROGRAM), arguments);

        QVERIFY(program.waitForFinished(kEndTimeoutMs));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 1);
        const QString said = QString::fromLocal8Bit(program.readAllStandardError());
        QVERIFY2(said.count(u'\n') == 1 && said.endsWith(u'\n'), qPrintable(said));
        QVERIFY2(said.startsWith("tarnelby: ") && said.contains(named) && said.contains(why), qPrintable(said));
    }

    void anotherPlatformOpensDespiteABadDisplay_data()
    {
        QTest::addColumn<QStringList>("variables");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("-platform offscreen") << QStringList{"DISPLAY=" + freeDisplay_}
                                             << QStringList{"-platform", "offscreen"};
        QTest::newRow("offscreen after xcb") << QStringList{"DISPLAY=" + freeDisplay_, "QT_QPA_PLATFORM=xcb;offscreen"}
                                             << QStringList{};
    }

    void anotherPlatformOpensDespiteABadDisplay()
    {
        QFETCH(QStringList, variables);
        QFETCH(QStringList, arguments);
        QProcess program;
        program.setProcessEnvironment(environmentWith(variables));
        program.start(QStringLiteral(TARNELBY_PROGRAM), arguments);
        QVERIFY(program.waitForStarted());

        // The handler for SIGTERM is in place once the application exists.
        QVERIFY(QTest::qWaitFor(
            [&] { return program.state() != QProcess::Running || catches(program.processId(), SIGTERM); },
            kStartTimeoutMs));
        QCOMPARE(program.state(), QProcess::Running);
        program.terminate();
        QVERIFY(program.waitForFinished(kEndTimeoutMs));
    }

    void cleanupTestCase()
    {
        refusingServer_.terminate();
        refusingServer_.waitForFinished(kEndTimeoutMs);
    }

private:
    // An X server that turns away whoever lacks a cookie of its own, on a
    // display that Xvfb picks; stays empty where Xvfb or xauth is missing.
    void startRefusingServer()
    {
        if (QStandardPaths::findExecutable("Xvfb").isEmpty() || QStandardPaths::findExecutable("xauth").isEmpty())
            return;
        const QString cookies = directory_.filePath("server-cookies");
        QProcess xauth;
        xauth.setStandardErrorFile(QProcess::nullDevice());
        xauth.start("xauth", {"-f", cookies, "add", ":0", ".", "0123456789abcdef0123456789abcdef"});
        QVERIFY(xauth.waitForFinished(kEndTimeoutMs));
        QCOMPARE(xauth.exitCode(), 0);
        refusingServer_.setStandardErrorFile(QProcess::nullDevice());
        refusingServer_.start("Xvfb", {"-displayfd", "1", "-auth", cookies, "-nolisten", "tcp"});
        QVERIFY(QTest::qWaitFor([&] { return refusingServer_.canReadLine(); }, kStartTimeoutMs));
        refusingDisplay_ = ':' + QString::fromLatin1(refusingServer_.readLine().trimmed());
    }

    QTemporaryDir directory_;
    QString freeDisplay_ = freeDisplay();
    QString deadSocket_;
    QProcess refusingServer_;
    QString refusingDisplay_;
};

QTEST_GUILESS_MAIN(ProgramTest)
#include "ProgramTest.moc"
