#include <QDir>
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

// The program's environment less everything that names a display or where Qt
// finds its plugins, plus `variables` ("DISPLAY=:55").
QProcessEnvironment environmentWith(const QStringList& variables)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE",
                                 "XDG_RUNTIME_DIR", "XAUTHORITY", "QT_PLUGIN_PATH", "QT_QPA_PLATFORM_PLUGIN_PATH"})
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

// A unix socket bound at `path`, listening as a compositor does; -1 where it
// cannot be had. Once closed, it leaves the socket file that a compositor that
// died leaves.
int bindSocket(const QString& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    if (static_cast<std::size_t>(name.size()) >= sizeof address.sun_path)
        return -1;
    std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || ::listen(socket, 1) != 0) {
        ::close(socket);
        return -1;
    }
    return socket;
}

// Writes to `file` the cookie that lets a client onto the X display `display`.
void addCookie(const QString& file, const QString& display)
{
    QProcess xauth;
    xauth.setStandardErrorFile(QProcess::nullDevice());
    xauth.start("xauth", {"-f", file, "add", display, ".", "0123456789abcdef0123456789abcdef"});
    QVERIFY(xauth.waitForFinished(kEndTimeoutMs));
    QCOMPARE(xauth.exitCode(), 0);
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
        const int deadSocket = bindSocket(deadSocket_);
        QVERIFY(deadSocket >= 0);
        ::close(deadSocket);
        answeringSocket_ = bindSocket(directory_.filePath("wayland-answering"));
        QVERIFY(answeringSocket_ >= 0);
        startRefusingServer();
        hidePlugins();
    }

    // Also where another platform is chosen despite a display it cannot use.
    void aTerminationSignalEndsTheProgramCleanly_data()
    {
        QTest::addColumn<QStringList>("variables");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("signalNumber");
        const QStringList offscreen{"QT_QPA_PLATFORM=offscreen"};
        QTest::newRow("SIGTERM") << offscreen << QStringList{} << SIGTERM;
        QTest::newRow("SIGINT") << offscreen << QStringList{} << SIGINT;
        QTest::newRow("SIGHUP") << offscreen << QStringList{} << SIGHUP;
        QTest::newRow("-platform offscreen, no X server")
            << QStringList{"DISPLAY=" + freeDisplay_} << QStringList{"-platform", "offscreen"} << SIGTERM;
        QTest::newRow("offscreen after xcb, no X server")
            << QStringList{"DISPLAY=" + freeDisplay_, "QT_QPA_PLATFORM=xcb;offscreen"} << QStringList{} << SIGTERM;
    }

    void aTerminationSignalEndsTheProgramCleanly()
    {
        QFETCH(QStringList, variables);
        QFETCH(QStringList, arguments);
        QFETCH(int, signalNumber);
        QProcess program;
        program.setProcessEnvironment(environmentWith(variables));
        program.start(QStringLiteral(TARNELBY_PROGRAM), arguments);
        QVERIFY(program.waitForStarted());
        // The handler is in place once the application exists.
        QVERIFY(QTest::qWaitFor(
            [&] { return program.state() != QProcess::Running || catches(program.processId(), signalNumber); },
            kStartTimeoutMs));
        QCOMPARE(program.state(), QProcess::Running);

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
        QTest::addColumn<bool>("withoutPlugins");
        const QString waylandDirectory = directory_.path();
        QTest::newRow("no display named") << QStringList{} << QStringList{} << "none is set"
                                          << "needs a graphical display" << false;
        QTest::newRow("X chosen, no display named") << QStringList{"QT_QPA_PLATFORM=xcb"} << QStringList{}
                                                    << "needs an X display" << "none is named" << false;
        QTest::newRow("no X server") << QStringList{"DISPLAY=" + freeDisplay_} << QStringList{}
                                     << "X display " + freeDisplay_ + ':' << "no X server answers there" << false;
        QTest::newRow("no X server at -display") << QStringList{} << QStringList{"-display", freeDisplay_}
                                                 << "X display " + freeDisplay_ + ':' << "no X server answers there"
                                                 << false;
        QTest::newRow("X server refuses")
            << QStringList{"DISPLAY=" + refusingDisplay_, "XAUTHORITY=" + directory_.filePath("no-cookies")}
            << QStringList{} << "X display " + refusingDisplay_ + ':'
            << "the X server refused the connection: Authorization required" << false;
        QTest::newRow("no Wayland socket")
            << QStringList{"WAYLAND_DISPLAY=nowhere-0", "XDG_RUNTIME_DIR=" + waylandDirectory} << QStringList{}
            << "Wayland display " + waylandDirectory + "/nowhere-0:" << "no Wayland compositor answers there" << false;
        QTest::newRow("Wayland chosen, no socket")
            << QStringList{"QT_QPA_PLATFORM=wayland", "XDG_RUNTIME_DIR=" + waylandDirectory} << QStringList{}
            << "Wayland display " + waylandDirectory + "/wayland-0:" << "no Wayland compositor answers there" << false;
        QTest::newRow("no Wayland compositor") << QStringList{"WAYLAND_DISPLAY=" + deadSocket_} << QStringList{}
                                               << "Wayland display " + deadSocket_ + ':'
                                               << "no Wayland compositor answers there" << false;
        QTest::newRow("X server, no X plugin")
            << QStringList{"DISPLAY=" + refusingDisplay_, "XAUTHORITY=" + directory_.filePath("client-cookies")}
            << QStringList{} << "cannot use the X display " + refusingDisplay_ + ':'
            << "Qt's X11 support (package qt6-qpa-plugins) is not installed" << true;
        QTest::newRow("Wayland compositor, no Wayland plugin")
            << QStringList{"WAYLAND_DISPLAY=wayland-answering", "XDG_RUNTIME_DIR=" + waylandDirectory}
            << QStringList{} << "cannot use the Wayland display " + waylandDirectory + "/wayland-answering:"
            << "Qt's Wayland support (package qt6-wayland) is not installed" << true;
    }

    void aDisplayThatCannotBeUsedIsNamedInOneLine()
    {
        QFETCH(QStringList, variables);
        QFETCH(QStringList, arguments);
        QFETCH(QString, named);
        QFETCH(QString, why);
        QFETCH(bool, withoutPlugins);
        // The rows of the private X server, where no such server could be had.
        if (variables.contains("DISPLAY="))
            QSKIP("Xvfb or xauth is not installed");
        QProcess program;
        program.setProcessEnvironment(environmentWith(variables));
        program.start(withoutPlugins ? programWithoutPlugins_ : QStringLiteral(TARNELBY_PROGRAM), arguments);

        QVERIFY(program.waitForFinished(kEndTimeoutMs));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 1);
        const QString said = QString::fromLocal8Bit(program.readAllStandardError());
        QVERIFY2(said.count(u'\n') == 1 && said.endsWith(u'\n'), qPrintable(said));
        QVERIFY2(said.startsWith("tarnelby: ") && said.contains(named) && said.contains(why), qPrintable(said));
    }

    void cleanupTestCase()
    {
        ::close(answeringSocket_);
        refusingServer_.terminate();
        refusingServer_.waitForFinished(kEndTimeoutMs);
    }

private:
    // An X server that turns away whoever lacks its cookie, on a display that
    // Xvfb picks, and the client's cookies that let it on; stays empty where
    // Xvfb or xauth is missing.
    void startRefusingServer()
    {
        if (QStandardPaths::findExecutable("Xvfb").isEmpty() || QStandardPaths::findExecutable("xauth").isEmpty())
            return;
        const QString cookies = directory_.filePath("server-cookies");
        addCookie(cookies, ":0");
        refusingServer_.setStandardErrorFile(QProcess::nullDevice());
        refusingServer_.start("Xvfb", {"-displayfd", "1", "-auth", cookies, "-nolisten", "tcp"});
        QVERIFY(QTest::qWaitFor([&] { return refusingServer_.canReadLine(); }, kStartTimeoutMs));
        refusingDisplay_ = ':' + QString::fromLatin1(refusingServer_.readLine().trimmed());
        addCookie(directory_.filePath("client-cookies"), refusingDisplay_);
    }

    // A copy of the program beside a qt.conf that sends Qt to an empty folder
    // for its plugins, as on a system without them.
    void hidePlugins()
    {
        QDir directory(directory_.path());
        QVERIFY(directory.mkdir("no-plugins") && directory.mkdir("without-plugins"));
        programWithoutPlugins_ = directory.filePath("without-plugins/tarnelby");
        QVERIFY(QFile::copy(QStringLiteral(TARNELBY_PROGRAM), programWithoutPlugins_));
        QFile settings(directory.filePath("without-plugins/qt.conf"));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write("[Paths]\nPlugins=" + QFile::encodeName(directory.filePath("no-plugins")) + '\n');
    }

    QTemporaryDir directory_;
    QString freeDisplay_ = freeDisplay();
    QString deadSocket_;
    int answeringSocket_ = -1;
    QString programWithoutPlugins_;
    QProcess refusingServer_;
    QString refusingDisplay_;
};

QTEST_GUILESS_MAIN(ProgramTest)
#include "ProgramTest.moc"
