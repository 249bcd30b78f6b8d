#pragma once
// "Звук": while the item is checked, the figure of the current parameters
// plays as stereo sound, x on the left and y on the right. The tool keeps
// the item's state and tooltip: disabled without a sound device, saying why
// when the pitch falls out of hearing, turned off with a message when the
// device goes away. It follows the parameters, not the run.

#include <QObject>
#include <mutex>

#include "tools/sound/model/sound_generator.h"
#include "tools/sound/model/sound_plan.h"

class QAction;
class QWidget;

namespace orvinda {

class Platform;
class RunFeed;

inline constexpr int kDefaultSoundVolume = 80;  // percent
inline constexpr int kDefaultSoundSeconds = 10;

class SoundTool : public QObject {
  Q_OBJECT

 public:
  // item: the checkable "Звук"; window: the parent of boxes and dialogs.
  SoundTool(RunFeed& feed, Platform& platform, QAction& item, QWidget& window);
  ~SoundTool() override;

  // The menu opens: the first time, look for a sound device.
  void menuOpening();
  // "Высота и громкость звука…" and "Сохранить звук…".
  void editSettings();
  void saveSound();

  int pitch() const { return pitch_; }
  int volume() const { return volume_; }

 private:
  void itemToggled(bool on);
  void parametersChanged();
  void deviceLost();
  void turnOff(const QString& message);
  void updateTooltip();
  void fill(std::int16_t* interleaved, long long frames);

  RunFeed& feed_;
  Platform& platform_;
  QAction& item_;
  QWidget& window_;
  int pitch_ = kDefaultSoundPitch;
  int volume_ = kDefaultSoundVolume;
  int seconds_ = kDefaultSoundSeconds;
  QString missing_;  // why there is no device; empty when there is one
  bool looked_ = false;
  SoundPlan plan_;
  std::mutex generator_mutex_;  // the output may pull from its own thread
  SoundGenerator generator_;
};

}  // namespace orvinda
