#include "window/open_at_start.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWindow>

#include "window/form1.h"

namespace orvinda {

namespace {

// Waits for the window's first exposure, then opens the file once.
class OpenWhenExposed : public QObject {
 public:
  OpenWhenExposed(Form1& form, const QString& path) : QObject(&form), form_(&form), path_(path) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* window = qobject_cast<QWindow*>(watched);
    if (event->type() == QEvent::Expose && window && window->isExposed()) {
      window->removeEventFilter(this);
      // After the exposure has been painted, from the event loop.
      QTimer::singleShot(0, form_, [form = form_, path = path_] {
        if (form) form->openExperiment(path);
      });
      deleteLater();
    }
    return false;
  }

 private:
  QPointer<Form1> form_;
  QString path_;
};

}  // namespace

void open_experiment_when_shown(Form1& form, const QString& path) {
  QWindow* window = form.windowHandle();
  if (!window || window->isExposed()) {
    QTimer::singleShot(0, &form, [&form, path] { form.openExperiment(path); });
    return;
  }
  window->installEventFilter(new OpenWhenExposed(form, path));
}

}  // namespace orvinda
