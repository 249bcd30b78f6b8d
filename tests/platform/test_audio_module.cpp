#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/audio/audio_module.h"
#include "platform/audio_loader.h"
#include "platform/sound_output.h"

using namespace orvinda;

class TestAudioModule : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() {
    QVERIFY(junk_.isValid());
    QFile junk(junk_.filePath(QStringLiteral("orvinda_audio.so")));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("not a library");
  }

  void findsTheModuleOfThisBuild_data() {
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<bool>("found");
    const QString real = QStringLiteral(ORVINDA_AUDIO_DIR);
    const QString other = QStringLiteral(ORVINDA_OTHER_AUDIO_DIR);
    const QString junk = junk_.path();
    const QString nowhere = junk_.filePath(QStringLiteral("nowhere"));
    QTest::newRow("no folders") << QStringList() << false;
    QTest::newRow("a missing folder") << QStringList{nowhere} << false;
    QTest::newRow("a file that is no library") << QStringList{junk} << false;
    QTest::newRow("a module of another build") << QStringList{other} << false;
    QTest::newRow("the module") << QStringList{real} << true;
    QTest::newRow("past the misses to the module")
        << QStringList{nowhere, junk, other, real} << true;
  }

  void findsTheModuleOfThisBuild() {
    QFETCH(QStringList, folders);
    QFETCH(bool, found);
    const AudioModule* module = load_audio_module(folders);
    QCOMPARE(module != nullptr, found);
    if (module) QCOMPARE(module->version, kAudioModuleVersion);
  }

  void theModulesOutputStartsSilent() {
    const AudioModule* module = load_audio_module({QStringLiteral(ORVINDA_AUDIO_DIR)});
    QVERIFY(module);
    // Made and dropped without asking for a device: nothing is played.
    const std::unique_ptr<SoundOutput> output = make_sound_output(module);
    QVERIFY(output);
    QVERIFY(!output->playing());
  }

  void withoutTheModuleTheOutputSaysWhy() {
    const std::unique_ptr<SoundOutput> output = make_sound_output(nullptr);
    const QString reason = output->findDevice();
    QVERIFY(reason.startsWith(QStringLiteral("Звука нет")));
    QString why;
    bool called = false;
    QVERIFY(!output->start([&](std::int16_t*, long long) { called = true; }, 1.0, {}, &why));
    QCOMPARE(why, reason);
    QVERIFY(!output->playing());
    QVERIFY(!called);
  }

  void withoutTheModuleATonePausesAsLongAsIt() {
    // The callers' timing (the beep before a message) holds without sound.
    for (const int ms : {0, 1, 15}) {
      QElapsedTimer clock;
      clock.start();
      play_tone(nullptr, 440, ms);
      QVERIFY2(clock.elapsed() >= ms, qPrintable(QString::number(ms)));
    }
  }

 private:
  QTemporaryDir junk_;
};

QTEST_MAIN(TestAudioModule)
#include "test_audio_module.moc"
