// "Звук" in the window, on the recording platform: no device is looked for
// at start-up; the sound follows the parameters, not the run; a missing or
// lost device turns the item off with a reason; pitch and volume are
// remembered; a saved WAV holds what was asked for. Nothing sounds.

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

#include "feed/run_feed.h"
#include "support/shown_form.h"
#include "tools/sound/sound_length_dialog.h"
#include "tools/sound/sound_settings_dialog.h"
#include "tools/sound/sound_tool.h"

using namespace orvinda;

namespace {

constexpr long long kRate = 48000;

MotionParameters with_wy(double wy) {
  MotionParameters p{1, 3, 0, wy, 0, static_cast<float>(3 * wy)};
  return p;
}

void open_menu(Form1& form) { Q_EMIT form.mnuExperiment->aboutToShow(); }

// Cycles per frame of one channel (0 left, 1 right), by upward zero crossings.
double frequency(const std::vector<std::int16_t>& s, int channel) {
  double first = -1, last = -1;
  int count = 0;
  for (std::size_t i = channel; i + 2 < s.size(); i += 2) {
    if (s[i] < 0 && s[i + 2] >= 0) {
      const double at = i / 2 + double(s[i]) / (s[i] - s[i + 2]);
      if (first < 0) first = at;
      last = at;
      ++count;
    }
  }
  return count > 1 ? (count - 1) / (last - first) : 0;
}

int loudest(const std::vector<std::int16_t>& s) {
  int most = 0;
  for (const std::int16_t v : s) most = std::max(most, std::abs(int(v)));
  return most;
}

}  // namespace

class TestSoundTool : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void menuPlacesItemsAsDrawn();
  void devicesAreLookedForOnFirstOpening();
  void withoutDeviceTheItemIsOff();
  void followsParametersWithinATenthOfASecond_data();
  void followsParametersWithinATenthOfASecond();
  void lostDeviceTurnsTheItemOff();
  void pitchAndVolumeAreRemembered_data();
  void pitchAndVolumeAreRemembered();
  void savesAWav_data();
  void savesAWav();
};

void TestSoundTool::menuPlacesItemsAsDrawn() {
  ShownForm f;
  QStringList texts;
  for (const QAction* a : f.form.mnuExperiment->actions()) {
    texts << (a->isSeparator() ? QStringLiteral("─") : a->text());
  }
  const auto at = [&](const QString& t) { return texts.indexOf(t); };
  QVERIFY(at("Лист заданий…") >= 0);
  QCOMPARE(at("Лист заданий…"), at("Печать…") + 1);
  QCOMPARE(at("Сохранить звук…"), at("Лист заданий…") + 1);
  QCOMPARE(texts.value(at("Сохранить звук…") + 1), QStringLiteral("─"));
  QCOMPARE(at("Звук"), at("Измерения") + 1);
  QCOMPARE(at("Высота и громкость звука…"), at("Звук") + 1);
  QCOMPARE(texts.value(at("Высота и громкость звука…") + 1), QStringLiteral("─"));
  QVERIFY(f.form.mnuExperimentSound->isCheckable());
  QVERIFY(!f.form.mnuExperimentSound->isChecked());
}

void TestSoundTool::devicesAreLookedForOnFirstOpening() {
  ShownForm f;
  QCOMPARE(f.platform.sound.finds, 0);
  open_menu(f.form);
  open_menu(f.form);
  QCOMPARE(f.platform.sound.finds, 1);
  QVERIFY(f.form.mnuExperimentSound->isEnabled());
  QVERIFY(!f.platform.sound.playing());
}

void TestSoundTool::withoutDeviceTheItemIsOff() {
  ShownForm f;
  f.platform.sound.missing_reason =
      QStringLiteral("Звука нет: не найдено устройство вывода звука.");
  open_menu(f.form);
  QVERIFY(!f.form.mnuExperimentSound->isEnabled());
  QCOMPARE(f.form.mnuExperimentSound->toolTip(), f.platform.sound.missing_reason);
  // Saving a file needs no device.
  QVERIFY(f.form.mnuExperimentSaveSound->isEnabled());
}

void TestSoundTool::followsParametersWithinATenthOfASecond_data() {
  QTest::addColumn<double>("before");
  QTest::addColumn<double>("after");
  QTest::addColumn<bool>("audible");
  QTest::newRow("1 : 2 to 2 : 3") << 2.0 << 1.5 << true;
  QTest::newRow("octave to unison") << 2.0 << 1.0 << true;
  QTest::newRow("out of hearing") << 1.8 << 0.05 << false;
}

void TestSoundTool::followsParametersWithinATenthOfASecond() {
  QFETCH(double, before);
  QFETCH(double, after);
  QFETCH(bool, audible);
  ShownForm f;
  f.form.feed().requestParameters(with_wy(before));
  open_menu(f.form);
  f.form.mnuExperimentSound->trigger();
  QVERIFY(f.platform.sound.playing());
  const std::vector<std::int16_t> first = f.platform.sound.pull(kRate / 2);
  QVERIFY(std::fabs(frequency(first, 0) * kRate - 220) < 0.05);
  QVERIFY(std::fabs(frequency(first, 1) / frequency(first, 0) - before) < 1e-3);
  QVERIFY(loudest(first) < 32767);

  f.form.feed().requestParameters(with_wy(after));
  f.platform.sound.pull(kRate / 10);  // the change is heard within this
  const std::vector<std::int16_t> later = f.platform.sound.pull(kRate / 2);
  if (audible) {
    QVERIFY(std::fabs(frequency(later, 1) / frequency(later, 0) - after) < 1e-3);
    QVERIFY(f.form.mnuExperimentSound->toolTip().contains(QStringLiteral("Гц")));
  } else {
    QCOMPARE(loudest(later), 0);
    QVERIFY2(f.form.mnuExperimentSound->toolTip().contains(QStringLiteral("ниже 20 Гц")),
             qPrintable(f.form.mnuExperimentSound->toolTip()));
  }
  QVERIFY(f.form.mnuExperimentSound->isChecked());

  f.form.mnuExperimentSound->trigger();
  QVERIFY(!f.platform.sound.playing());
  QVERIFY(f.platform.messages.empty());
}

void TestSoundTool::lostDeviceTurnsTheItemOff() {
  ShownForm f;
  open_menu(f.form);
  f.form.mnuExperimentSound->trigger();
  QVERIFY(f.platform.sound.playing());
  f.platform.sound.pull(1000);
  f.platform.sound.loseDevice();
  QVERIFY(!f.form.mnuExperimentSound->isChecked());
  QVERIFY(!f.platform.sound.playing());
  QCOMPARE(f.platform.messages.size(), std::size_t(1));
  QVERIFY(f.platform.messages[0].text.startsWith(QStringLiteral("Звук выключен")));
  // Turning it on again fails with the reason, and stays off.
  f.form.mnuExperimentSound->trigger();
  QVERIFY(!f.form.mnuExperimentSound->isChecked());
  QCOMPARE(f.platform.messages.size(), std::size_t(2));
  QVERIFY(!f.platform.sound.playing());
}

void TestSoundTool::pitchAndVolumeAreRemembered_data() {
  QTest::addColumn<QVariant>("stored_pitch");
  QTest::addColumn<QVariant>("stored_volume");
  QTest::addColumn<int>("pitch");  // what the tool starts with
  QTest::addColumn<int>("volume");
  QTest::newRow("nothing stored") << QVariant() << QVariant() << 220 << 80;
  QTest::newRow("stored") << QVariant(110) << QVariant(35) << 110 << 35;
  QTest::newRow("not offered") << QVariant(300) << QVariant(250) << 220 << 80;
  QTest::newRow("not numbers") << QVariant("ля") << QVariant("громко") << 220 << 80;
}

void TestSoundTool::pitchAndVolumeAreRemembered() {
  QFETCH(QVariant, stored_pitch);
  QFETCH(QVariant, stored_volume);
  QFETCH(int, pitch);
  QFETCH(int, volume);
  FakePlatform platform;
  if (stored_pitch.isValid()) platform.settings["sound/pitch"] = stored_pitch;
  if (stored_volume.isValid()) platform.settings["sound/volume"] = stored_volume;
  {
    Form1 form(platform);
    form.show();
    QCOMPARE(form.soundTool().pitch(), pitch);
    QCOMPARE(form.soundTool().volume(), volume);
    open_menu(form);
    form.mnuExperimentSound->trigger();
    QCOMPARE(platform.sound.volume, volume / 100.0);
    platform.while_dialog_open = [](QDialog& d) {
      auto& dialog = dynamic_cast<SoundSettingsDialog&>(d);
      dialog.pitchBox->setCurrentIndex(dialog.pitchBox->findData(440));
      dialog.volumeSlider->setValue(60);
      dialog.okButton->click();
    };
    form.mnuExperimentSoundSettings->trigger();
    QCOMPARE(platform.dialog_titles, QStringList{"Высота и громкость звука"});
    QCOMPARE(platform.sound.volume, 0.6);
    const std::vector<std::int16_t> s = platform.sound.pull(kRate);
    // After the change, ωx sounds at 440 Hz.
    const std::vector<std::int16_t> tail(s.begin() + kRate, s.end());
    QVERIFY(std::fabs(frequency(tail, 0) * kRate - 440) < 0.5);
  }
  Form1 again(platform);
  QCOMPARE(again.soundTool().pitch(), 440);
  QCOMPARE(again.soundTool().volume(), 60);
}

void TestSoundTool::savesAWav_data() {
  QTest::addColumn<int>("seconds");
  QTest::addColumn<bool>("folder_exists");
  QTest::addColumn<double>("wy");
  QTest::newRow("2 s") << 2 << true << 1.5;
  QTest::newRow("1 s") << 1 << true << 2.0;
  QTest::newRow("no such folder") << 2 << false << 1.5;
  QTest::newRow("out of hearing") << 2 << true << 0.01;
}

void TestSoundTool::savesAWav() {
  QFETCH(int, seconds);
  QFETCH(bool, folder_exists);
  QFETCH(double, wy);
  ShownForm f;
  f.form.feed().requestParameters(with_wy(wy));
  QTemporaryDir dir;
  const QString path = folder_exists ? dir.filePath("фигура.wav") : dir.filePath("нет/фигура.wav");
  f.platform.file_answers << path;
  f.platform.while_dialog_open = [seconds](QDialog& d) {
    auto& dialog = dynamic_cast<SoundLengthDialog&>(d);
    dialog.secondsBox->setValue(seconds);
    dialog.okButton->click();
  };
  f.form.mnuExperimentSaveSound->trigger();
  const bool audible = wy > 0.1;
  if (!audible) {
    QVERIFY(f.platform.file_dialogs.empty());
    QCOMPARE(f.platform.messages.size(), std::size_t(1));
    QVERIFY(f.platform.messages[0].text.contains(QStringLiteral("ниже 20 Гц")));
    return;
  }
  QCOMPARE(f.platform.file_dialogs.size(), std::size_t(1));
  QCOMPARE(f.platform.file_dialogs[0].filters, QStringList{"Звук WAV (*.wav)"});
  if (!folder_exists) {
    QCOMPARE(f.platform.messages.size(), std::size_t(1));
    QCOMPARE(f.platform.messages[0].title, QStringLiteral("Ошибка"));
    QVERIFY(!QFile::exists(path));
    return;
  }
  QVERIFY(f.platform.messages.empty());
  QFile file(path);
  QVERIFY(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  QCOMPARE(bytes.size(), 44 + seconds * kRate * 4);
  QCOMPARE(bytes.left(4), QByteArray("RIFF"));
  const auto* samples = reinterpret_cast<const std::int16_t*>(bytes.constData() + 44);
  const std::vector<std::int16_t> s(samples, samples + 2 * seconds * kRate);
  QVERIFY(std::fabs(frequency(s, 1) / frequency(s, 0) - wy) < 1e-3);
}

QTEST_MAIN(TestSoundTool)
#include "test_sound_tool.moc"
