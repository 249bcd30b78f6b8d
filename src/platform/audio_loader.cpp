#include "platform/audio_loader.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QLibrary>
#include <QTimer>

#include "platform/audio/audio_module.h"

namespace orvinda {

namespace {

class SilentOutput : public SoundOutput {
 public:
  QString findDevice() override {
    return QStringLiteral("Звука нет: не найден модуль звука программы.");
  }
  bool start(Fill, double, std::function<void()>, QString* why) override {
    if (why) *why = findDevice();
    return false;
  }
  void setVolume(double) override {}
  void stop() override {}
  bool playing() const override { return false; }
};

}  // namespace

QStringList default_audio_module_folders() {
  QStringList folders;
  const QString exe_dir = QCoreApplication::applicationDirPath();
  if (!exe_dir.isEmpty()) {
    folders << exe_dir << QDir::cleanPath(exe_dir + QStringLiteral("/../" ORVINDA_LIB_SUBDIR));
  }
  folders << QStringLiteral(ORVINDA_MODULE_DIR);
  folders.removeDuplicates();
  return folders;
}

const AudioModule* load_audio_module(const QStringList& folders) {
  for (const QString& folder : folders) {
    // Never the current folder or the loader's search path: only these.
    QLibrary library(QDir(folder).absoluteFilePath(QString::fromLatin1(kAudioModuleName)));
    if (!library.load()) continue;
    const auto entry = reinterpret_cast<AudioModuleEntry>(library.resolve(kAudioModuleEntry));
    const AudioModule* module = entry ? entry() : nullptr;
    if (module && module->version == kAudioModuleVersion) return module;
    library.unload();
  }
  return nullptr;
}

std::unique_ptr<SoundOutput> make_sound_output(const AudioModule* module) {
  if (module) return std::unique_ptr<SoundOutput>(module->make_sound_output());
  return std::make_unique<SilentOutput>();
}

void play_tone(const AudioModule* module, int frequency_hz, int duration_ms) {
  if (duration_ms <= 0) return;
  if (module && module->play_tone(frequency_hz, duration_ms)) return;
  QEventLoop loop;
  QTimer::singleShot(duration_ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace orvinda
