// The desktop program's arguments: help, version, one base file, "--", and clear refusals.
#include <QtTest>
#include <string>
#include <vector>

#include "TempDir.h"
#include "qt/CommandLine.h"

using plinvaro::qt::LaunchAction;
using plinvaro::qt::ParseCommandLine;

Q_DECLARE_METATYPE(plinvaro::qt::LaunchAction)

class CommandLineTest : public QObject {
  Q_OBJECT

 private slots:
  void parsesEachForm_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<LaunchAction>("action");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("toolkitMayKnow");
    QTest::newRow("nothing") << QStringList{} << LaunchAction::OpenWindow << "" << false;
    QTest::newRow("a file") << QStringList{"notes.txt"} << LaunchAction::OpenWindow << "notes.txt"
                            << false;
    QTest::newRow("help") << QStringList{"--help"} << LaunchAction::ShowHelp << "" << false;
    QTest::newRow("short help") << QStringList{"-h"} << LaunchAction::ShowHelp << "" << false;
    QTest::newRow("version after a file")
        << QStringList{"a.txt", "--version"} << LaunchAction::ShowVersion << "" << false;
    QTest::newRow("dash file after --") << QStringList{"--", "-odd.txt"} << LaunchAction::OpenWindow
                                        << "-odd.txt" << false;
    QTest::newRow("unknown long option")
        << QStringList{"--fast"} << LaunchAction::Usage << "" << false;
    QTest::newRow("maybe a toolkit option")
        << QStringList{"-style"} << LaunchAction::Usage << "" << true;
    QTest::newRow("two files") << QStringList{"a.txt", "b.txt"} << LaunchAction::Usage << ""
                               << false;
    QTest::newRow("empty name") << QStringList{""} << LaunchAction::Usage << "" << false;
  }
  void parsesEachForm() {
    QFETCH(QStringList, args);
    QFETCH(LaunchAction, action);
    QFETCH(QString, file);
    QFETCH(bool, toolkitMayKnow);
    std::vector<std::string> list;
    for (const QString& arg : args) list.push_back(arg.toStdString());
    const auto request = ParseCommandLine(list);
    QCOMPARE(request.action, action);
    QCOMPARE(QString::fromStdString(request.baseFile), file);
    QCOMPARE(request.toolkitMayKnow, toolkitMayKnow);
    QCOMPARE(request.error.empty(), action != LaunchAction::Usage);
  }

  void refusesWhatCannotBeABaseFile() {
    plinvaro::testing::TempDir dir;
    QVERIFY(plinvaro::qt::BaseFileProblem(dir.Write("ok.txt", "text")).empty());
    QVERIFY(!plinvaro::qt::BaseFileProblem(dir.Join("missing.txt")).empty());
    QCOMPARE(QString::fromStdString(plinvaro::qt::BaseFileProblem(dir.path())),
             QString("is a directory"));
  }

  // Without any display the program answers and refuses on its own, exit 2, never the toolkit's abort.
  void answersWithoutADisplay_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("stdoutStart");
    QTest::addColumn<QString>("stderrStart");
    QTest::newRow("version") << QStringList{"--version"} << 0 << "plinvaro " PLINVARO_VERSION << "";
    QTest::newRow("help") << QStringList{"--help"} << 0 << "Usage: plinvaro" << "";
    QTest::newRow("missing file") << QStringList{"/nonexistent/x.txt"} << 2 << ""
                                  << "plinvaro: cannot open '/nonexistent/x.txt': ";
    QTest::newRow("missing dir") << QStringList{"--dir", "/nonexistent/d"} << 2 << ""
                                 << "plinvaro: cannot search '/nonexistent/d': ";
    QTest::newRow("no display") << QStringList{} << 2 << "" << "plinvaro: no display";
  }
  void answersWithoutADisplay() {
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, stdoutStart);
    QFETCH(QString, stderrStart);
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
    program.setProcessEnvironment(env);
    program.start(PLINVARO_GUI_PATH, args);
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), status);
    const QString out = program.readAllStandardOutput();
    const QString err = program.readAllStandardError();
    QVERIFY2(stdoutStart.isEmpty() || out.startsWith(stdoutStart), qPrintable(out));
    QVERIFY2(stderrStart.isEmpty() ? err.isEmpty() : err.startsWith(stderrStart), qPrintable(err));
  }

  void versionComesFromTheProject() {
    QCOMPARE(QString(plinvaro::qt::VersionText()), QString("plinvaro " PLINVARO_VERSION "\n"));
    QVERIFY(QString(plinvaro::qt::HelpText()).startsWith("Usage: plinvaro [FILE]"));
  }
};

QTEST_MAIN(CommandLineTest)
#include "CommandLineTest.moc"
