#include "app/startup_probe.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <chrono>
#include <cstdio>

namespace orvinda {

namespace {

class FirstPaint : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !reported_) {
      reported_ = true;
      const auto now = std::chrono::system_clock::now().time_since_epoch();
      std::printf("%lld\n", static_cast<long long>(
                                std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
      std::fflush(stdout);
      QMetaObject::invokeMethod(qApp, &QApplication::quit, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool reported_ = false;
};

}  // namespace

void probe_startup_if_asked(QWidget& window) {
  if (qEnvironmentVariableIsEmpty("ORVINDA_STARTUP_PROBE")) return;
  window.installEventFilter(new FirstPaint(&window));
}

}  // namespace orvinda
