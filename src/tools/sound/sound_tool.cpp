#include "tools/sound/sound_tool.h"

#include <QAction>
#include <QSignalBlocker>
#include <QWidget>

#include "feed/run_feed.h"
#include "platform/platform.h"
#include "platform/save_failure.h"
#include "platform/sound_output.h"
#include "tools/sound/sound_file.h"
#include "tools/sound/sound_length_dialog.h"
#include "tools/sound/sound_settings_dialog.h"

namespace orvinda {

namespace {

const QString kPitchKey = QStringLiteral("sound/pitch");
const QString kVolumeKey = QStringLiteral("sound/volume");

// A remembered value is used only when it is one the dialog offers.
int remembered_pitch(Platform& platform) {
  bool ok = false;
  const int hz = platform.setting(kPitchKey).toInt(&ok);
  return ok && is_sound_pitch(hz) ? hz : kDefaultSoundPitch;
}

int remembered_volume(Platform& platform) {
  bool ok = false;
  const int percent = platform.setting(kVolumeKey).toInt(&ok);
  return ok && percent >= 0 && percent <= 100 ? percent : kDefaultSoundVolume;
}

}  // namespace

SoundTool::SoundTool(RunFeed& feed, Platform& platform, QAction& item, QWidget& window)
    : QObject(&window), feed_(feed), platform_(platform), item_(item), window_(window),
      pitch_(remembered_pitch(platform)), volume_(remembered_volume(platform)) {
  item_.setCheckable(true);
  item_.setChecked(false);
  connect(&item_, &QAction::toggled, this, &SoundTool::itemToggled);
  connect(&feed_, &RunFeed::redrawn, this, &SoundTool::parametersChanged);
  plan_ = plan_sound(feed_.parameters(), pitch_);
  updateTooltip();
}

SoundTool::~SoundTool() {
  if (platform_.sound_output().playing()) platform_.sound_output().stop();
}

void SoundTool::menuOpening() {
  if (looked_) return;
  looked_ = true;
  missing_ = platform_.sound_output().findDevice();
  item_.setEnabled(missing_.isEmpty());
  updateTooltip();
}

void SoundTool::itemToggled(bool on) {
  SoundOutput& output = platform_.sound_output();
  if (!on) {
    output.stop();
    return;
  }
  menuOpening();
  plan_ = plan_sound(feed_.parameters(), pitch_);
  {
    const std::lock_guard lock(generator_mutex_);
    generator_ = SoundGenerator();  // fades in from silence
    generator_.setPlan(plan_);
  }
  QString why;
  const bool started = output.start(
      [this](std::int16_t* interleaved, long long frames) { fill(interleaved, frames); },
      volume_ / 100.0, [this] { deviceLost(); }, &why);
  if (!started) turnOff(why);
  updateTooltip();
}

void SoundTool::parametersChanged() {
  const SoundPlan next = plan_sound(feed_.parameters(), pitch_);
  const bool same = next.y_hz == plan_.y_hz && next.x_peak == plan_.x_peak &&
                    next.y_peak == plan_.y_peak && next.fix == plan_.fix && next.fiy == plan_.fiy &&
                    next.pitch_hz == plan_.pitch_hz && next.audibility == plan_.audibility;
  plan_ = next;
  if (!same) {
    const std::lock_guard lock(generator_mutex_);
    generator_.setPlan(plan_);
  }
  updateTooltip();
}

void SoundTool::deviceLost() {
  missing_ = QStringLiteral("Звука нет: устройство вывода звука пропало.");
  turnOff(QStringLiteral("Звук выключен: устройство вывода звука пропало."));
}

void SoundTool::turnOff(const QString& message) {
  {
    const QSignalBlocker quiet(&item_);
    item_.setChecked(false);
  }
  platform_.sound_output().stop();
  updateTooltip();
  platform_.message_box(&window_, message, QStringLiteral("Звук"), MessageButtons::Ok);
}

void SoundTool::updateTooltip() {
  if (!missing_.isEmpty()) {
    item_.setToolTip(missing_);
    return;
  }
  const QString silent = silence_reason(plan_);
  if (!silent.isEmpty()) {
    item_.setToolTip(silent);
    return;
  }
  item_.setToolTip(
      QStringLiteral("Левый канал — x(t), %1 Гц; правый — y(t), %2 Гц")
          .arg(plan_.pitch_hz)
          .arg(QString::number(plan_.y_hz, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(','))));
}

void SoundTool::fill(std::int16_t* interleaved, long long frames) {
  const std::lock_guard lock(generator_mutex_);
  generator_.fill(interleaved, frames);
}

void SoundTool::editSettings() {
  SoundSettingsDialog dialog(pitch_, volume_, &window_);
  if (!platform_.run_dialog(dialog)) return;
  volume_ = dialog.volume();
  platform_.set_setting(kVolumeKey, volume_);
  platform_.sound_output().setVolume(volume_ / 100.0);
  if (dialog.pitch() != pitch_ && is_sound_pitch(dialog.pitch())) {
    pitch_ = dialog.pitch();
    platform_.set_setting(kPitchKey, pitch_);
    parametersChanged();
  }
}

void SoundTool::saveSound() {
  const QString title = QStringLiteral("Сохранить звук");
  const SoundPlan plan = plan_sound(feed_.parameters(), pitch_);
  if (!plan.audible()) {
    platform_.message_box(&window_, silence_reason(plan), title, MessageButtons::Ok);
    return;
  }
  SoundLengthDialog length(seconds_, &window_);
  if (!platform_.run_dialog(length)) return;
  seconds_ = length.seconds();
  const QString path = platform_.save_file_name(
      &window_, title, {QStringLiteral("Звук WAV (*.wav)")}, QStringLiteral("фигура.wav"), nullptr);
  if (path.isEmpty()) return;
  const QString reason = write_sound_file(path, plan, seconds_);
  if (!reason.isEmpty()) {
    platform_.message_box(&window_, save_failure_message(QStringLiteral("звук"), path, reason),
                          QStringLiteral("Ошибка"), MessageButtons::Ok);
  }
}

}  // namespace orvinda
