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

  void versionComesFromTheProject() {
    QCOMPARE(QString(plinvaro::qt::VersionText()), QString("plinvaro " PLINVARO_VERSION "\n"));
    QVERIFY(QString(plinvaro::qt::HelpText()).startsWith("Usage: plinvaro [FILE]"));
  }
};

QTEST_MAIN(CommandLineTest)
#include "CommandLineTest.moc"
