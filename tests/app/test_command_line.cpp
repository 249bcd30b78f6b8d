// The command line with experiment files: a file to open at start, and
// --export --from, whose refused files are usage errors (status 2).

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "app/command_line.h"
#include "tools/experiment/experiment_file.h"

using namespace orvinda;

Q_DECLARE_METATYPE(orvinda::CommandLine::Mode)

namespace {

void write_file(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QByteArray kExperiment =
    "{\"format\": \"orvinda-experiment\", \"version\": 1, \"wx\": 1, \"x0\": 4, \"vx0\": 0, "
    "\"wy\": 2, \"y0\": 0, \"vy0\": 8, \"zam\": 3, \"comment\": \"восьмёрка\"}";

}  // namespace

class TestCommandLine : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void parsing_data() {
    QTest::addColumn<QStringList>("arguments");  // after the program's name
    QTest::addColumn<CommandLine::Mode>("mode");
    QTest::addColumn<QString>("file");  // experiment_file
    using M = CommandLine::Mode;
    // clang-format off
    QTest::newRow("a file") << QStringList{"урок.orv"} << M::Window << "урок.orv";
    QTest::newRow("export from a file") << QStringList{"--export", "p.png", "--from", "a.orv"}
                                        << M::Export << "a.orv";
    QTest::newRow("--from and values") << QStringList{"--export", "p.png", "--from", "a.orv",
                                                      "--wy", "2"}
                                       << M::Usage << "";
    // clang-format on
  }

  void parsing() {
    QFETCH(QStringList, arguments);
    QFETCH(CommandLine::Mode, mode);
    QFETCH(QString, file);
    const CommandLine c = parse_command_line(QStringList{"orvinda"} + arguments);
    QCOMPARE(c.mode, mode);
    QCOMPARE(c.experiment_file, file);
    QCOMPARE(c.problem.isEmpty(), mode != CommandLine::Mode::Usage);
  }

  // The picture of a file is the picture of its values given one by one.
  void export_from_a_file() {
    QTemporaryDir dir;
    write_file(dir.filePath("восьмёрка.orv"), kExperiment);
    CommandLine from = parse_command_line(
        {"orvinda", "--export", dir.filePath("a.svg"), "--from", dir.filePath("восьмёрка.orv")});
    CommandLine values =
        parse_command_line({"orvinda", "--export", dir.filePath("b.svg"), "--x0", "4", "--vx0", "0",
                            "--wy", "2", "--y0", "0", "--vy0", "8"});
    QString problem;
    QCOMPARE(run_export(from, &problem), kStatusDone);
    QVERIFY(problem.isEmpty());
    QCOMPARE(run_export(values, &problem), kStatusDone);
    const QByteArray a = contents(dir.filePath("a.svg"));
    QVERIFY(!a.isEmpty());
    QCOMPARE(a, contents(dir.filePath("b.svg")));
  }

  void export_from_a_refused_file_data() {
    QTest::addColumn<QByteArray>("bytes");  // empty: no file
    // clang-format off
    QTest::newRow("no such file") << QByteArray();
    QTest::newRow("not JSON") << QByteArray("wy = 2");
    QTest::newRow("Wy 0") << QByteArray(kExperiment).replace("\"wy\": 2", "\"wy\": 0");
    QTest::newRow("zam 0") << QByteArray(kExperiment).replace("\"zam\": 3", "\"zam\": 0");
    // clang-format on
  }

  // A bad value, as a bad option would be: status 2, the file and its
  // problem named, no picture written.
  void export_from_a_refused_file() {
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString file = dir.filePath("опыт.orv");
    if (!bytes.isEmpty()) write_file(file, bytes);
    const CommandLine c =
        parse_command_line({"orvinda", "--export", dir.filePath("p.png"), "--from", file});
    QCOMPARE(c.mode, CommandLine::Mode::Export);
    QString problem;
    QCOMPARE(run_export(c, &problem), kStatusUsage);
    QVERIFY2(problem.startsWith("не удалось открыть опыт из файла «" + file + "»: "),
             qPrintable(problem));
    QString why = read_experiment_file(file).problem;
    why[0] = why[0].toLower();
    QVERIFY2(problem.endsWith(why), qPrintable(problem));
    QVERIFY(!QFile::exists(dir.filePath("p.png")));
  }

  // The program itself: the statuses and the message on stderr.
  void the_program_data() {
    QTest::addColumn<bool>("good_file");
    QTest::addColumn<int>("status");
    QTest::newRow("a good file") << true << kStatusDone;
    QTest::newRow("a refused file") << false << kStatusUsage;
  }

  void the_program() {
    QFETCH(bool, good_file);
    QFETCH(int, status);
    QTemporaryDir dir;
    const QString file = dir.filePath("опыт.orv");
    write_file(file, good_file ? kExperiment : QByteArray("{}"));
    QProcess program;
    program.start(ORVINDA_PROGRAM, {"--export", dir.filePath("p.png"), "--from", file});
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), status);
    const QString err = QString::fromUtf8(program.readAllStandardError());
    QCOMPARE(QFile::exists(dir.filePath("p.png")), good_file);
    if (!good_file) {
      // Qt may have warned on the lines before.
      QVERIFY2(err.contains("orvinda: не удалось открыть опыт из файла «" + file +
                            "»: это не файл опыта: нет поля «format».\n"),
               qPrintable(err));
    }
  }
};

QTEST_MAIN(TestCommandLine)
#include "test_command_line.moc"
