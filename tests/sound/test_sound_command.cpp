// --sound on the command line: what it accepts, the statuses, and the WAV it
// writes, read back field by field.

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

#include "app/command_line.h"

using namespace orvinda;

namespace {

std::uint32_t u32(const QByteArray& b, int at) {
  return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8 |
         std::uint32_t(std::uint8_t(b[at + 2])) << 16 |
         std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}
std::uint16_t u16(const QByteArray& b, int at) {
  return std::uint16_t(std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8);
}

}  // namespace

class TestSoundCommand : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void parsing_data() {
    QTest::addColumn<QStringList>("arguments");  // after --sound FILE
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("problem");  // the start of it
    QTest::newRow("defaults") << QStringList{} << true << "";
    QTest::newRow("all given") << QStringList{"--wy", "2", "--seconds", "60", "--pitch", "110"}
                               << true << "";
    QTest::newRow("0 s") << QStringList{"--seconds", "0"} << false << "длительность --seconds";
    QTest::newRow("61 s") << QStringList{"--seconds", "61"} << false << "длительность --seconds";
    QTest::newRow("1.5 s") << QStringList{"--seconds", "1.5"} << false << "длительность --seconds";
    QTest::newRow("pitch 300") << QStringList{"--pitch", "300"} << false << "высота --pitch";
    QTest::newRow("pitch A") << QStringList{"--pitch", "ля"} << false << "высота --pitch";
    QTest::newRow("--turns belongs to --export")
        << QStringList{"--turns", "3"} << false << "параметр --turns не действует";
  }

  void parsing() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, accepted);
    QFETCH(QString, problem);
    const CommandLine c =
        parse_command_line(QStringList{"orvinda", "--sound", "звук.wav"} + arguments);
    QCOMPARE(c.mode, accepted ? CommandLine::Mode::Export : CommandLine::Mode::Usage);
    if (problem.isEmpty()) QVERIFY2(c.problem.isEmpty(), qPrintable(c.problem));
    if (!problem.isEmpty()) QVERIFY2(c.problem.startsWith(problem), qPrintable(c.problem));
  }

  void onlyWav() {
    const CommandLine c = parse_command_line({"orvinda", "--sound", "звук.mp3"});
    QCOMPARE(c.mode, CommandLine::Mode::Usage);
    QVERIFY(c.problem.contains(".wav"));
    QVERIFY(parse_command_line({"orvinda", "--seconds", "3"}).problem.contains("--sound"));
    QVERIFY(help_text().contains("--sound ЗВУК.wav"));
  }

  void writes_data() {
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<int>("pitch");
    QTest::addColumn<int>("status");
    QTest::newRow("start values, 1 s") << QStringList{} << 1 << 220 << kStatusDone;
    QTest::newRow("1 : 2, 3 s at 440") << QStringList{"--wy", "2"} << 3 << 440 << kStatusDone;
    QTest::newRow("out of hearing") << QStringList{"--wy", "0.01"} << 1 << 220 << kStatusUsage;
  }

  void writes() {
    QFETCH(QStringList, values);
    QFETCH(int, seconds);
    QFETCH(int, pitch);
    QFETCH(int, status);
    QTemporaryDir dir;
    const QString path = dir.filePath("звук.wav");
    const CommandLine c = parse_command_line(QStringList{"orvinda", "--sound", path, "--seconds",
                                                         QString::number(seconds), "--pitch",
                                                         QString::number(pitch)} +
                                             values);
    QString problem;
    QCOMPARE(run_export(c, &problem), status);
    QCOMPARE(QFile::exists(path), status == kStatusDone);
    if (status != kStatusDone) {
      QVERIFY2(problem.startsWith("звука нет: ") && !problem.endsWith("."), qPrintable(problem));
      return;
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray b = file.readAll();
    QCOMPARE(b.left(4), QByteArray("RIFF"));
    QCOMPARE(u32(b, 4), std::uint32_t(b.size() - 8));
    QCOMPARE(b.mid(8, 8), QByteArray("WAVEfmt "));
    QCOMPARE(u16(b, 20), std::uint16_t(1));  // integer samples
    QCOMPARE(u16(b, 22), std::uint16_t(2));  // channels
    QCOMPARE(u32(b, 24), std::uint32_t(48000));
    QCOMPARE(u16(b, 34), std::uint16_t(16));
    QCOMPARE(b.mid(36, 4), QByteArray("data"));
    QCOMPARE(u32(b, 40), std::uint32_t(seconds * 48000 * 4));
    QCOMPARE(b.size(), 44 + seconds * 48000 * 4);
    int loudest = 0;
    for (int i = 44; i + 1 < b.size(); i += 2)
      loudest = std::max(loudest, std::abs(int(std::int16_t(u16(b, i)))));
    QVERIFY(std::fabs(20 * std::log10(loudest / 32767.0) + 6.02) < 0.05);
  }

  // The program itself: a folder that is not there is status 1.
  void theProgram() {
    QTemporaryDir dir;
    QProcess program;
    const QString path = dir.filePath("нет/звук.wav");
    program.start(ORVINDA_PROGRAM, {"--sound", path, "--seconds", "1"});
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitCode(), kStatusNotWritten);
    QVERIFY2(
        QString::fromUtf8(program.readAllStandardError()).contains("не удалось сохранить звук"),
        "no message");
  }
};

QTEST_MAIN(TestSoundCommand)
#include "test_sound_command.moc"
