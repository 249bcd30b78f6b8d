#include "tools/export/picture_settings.h"

#include "platform/platform.h"

namespace orvinda {

namespace {

struct Flag {
  const char* key;
  bool PictureOptions::*field;
};

const Flag kFlags[] = {
    {"picture/device", &PictureOptions::device},
    {"picture/values", &PictureOptions::values},
    {"picture/arrow", &PictureOptions::arrow},
    {"picture/title", &PictureOptions::title},
};

}  // namespace

PictureOptions remembered_picture_options(const Platform& platform) {
  PictureOptions options;
  for (const Flag& flag : kFlags) {
    const QVariant value = platform.setting(QString::fromLatin1(flag.key));
    // Anything but a yes or no keeps the default.
    if (value.isValid() && value.canConvert<bool>()) {
      const QString text = value.toString();
      if (text == QLatin1String("true") || text == QLatin1String("false")) {
        options.*(flag.field) = value.toBool();
      }
    }
  }
  return options;
}

void remember_picture_options(Platform& platform, const PictureOptions& options) {
  for (const Flag& flag : kFlags) {
    platform.set_setting(QString::fromLatin1(flag.key), options.*(flag.field));
  }
}

}  // namespace orvinda
