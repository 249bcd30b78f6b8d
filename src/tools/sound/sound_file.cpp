#include "tools/sound/sound_file.h"

#include <QSaveFile>
#include <cmath>

#include "platform/safe_save.h"
#include "tools/sound/model/wav_file.h"

namespace orvinda {

QString write_sound_file(const QString& path, const SoundPlan& plan, int seconds) {
  const std::string bytes = wav_file(plan, seconds);
  return save_safely(path, [&bytes](QSaveFile& file) {
    return file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
           static_cast<qint64>(bytes.size());
  });
}

QString silence_reason(const SoundPlan& plan) {
  switch (plan.audibility) {
    case SoundAudibility::Audible: return QString();
    case SoundAudibility::TooLow:
      return QStringLiteral(
                 "Звука нет: колебание y звучало бы на %1 Гц, ниже 20 Гц — "
                 "этого не слышно.")
          .arg(QString::number(plan.y_hz, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(',')));
    case SoundAudibility::TooHigh:
      if (!(plan.y_hz < 1e6)) {
        return QStringLiteral(
            "Звука нет: колебание y звучало бы много выше 20 кГц — "
            "звук исказился бы.");
      }
      return QStringLiteral(
                 "Звука нет: колебание y звучало бы на %1 Гц, выше 20 кГц — "
                 "звук исказился бы.")
          .arg(std::lround(plan.y_hz));
  }
  return QString();
}

}  // namespace orvinda
