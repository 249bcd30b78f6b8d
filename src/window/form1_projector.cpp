// "Крупно (для проектора)": the main window's texts, lines, trace and device
// drawn larger by a factor, with the layout rule applied in units as large.
// Off, nothing differs from the window without it.

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <cmath>

#include "platform/platform.h"
#include "plot/device.h"
#include "plot/plot_surface.h"
#include "tools/experiment/description_window.h"
#include "window/form1.h"
#include "window/layout_geometry.h"

namespace orvinda {

namespace {
const QString kProjectorKey = QStringLiteral("view/projector");
const QString kDoubleKey = QStringLiteral("view/projector_double");
}  // namespace

void Form1::createProjectorItems() {
  mnuExperiment->addSeparator()->setObjectName(QStringLiteral("mnuExperimentSep5"));
  mnuExperimentProjector = mnuExperiment->addAction(QStringLiteral("Крупно (для проектора)"));
  mnuExperimentProjector->setObjectName(QStringLiteral("mnuExperimentProjector"));
  mnuExperimentProjector->setCheckable(true);
  mnuExperimentProjectorDouble = mnuExperiment->addAction(QStringLiteral("Крупно: в 2 раза"));
  mnuExperimentProjectorDouble->setObjectName(QStringLiteral("mnuExperimentProjectorDouble"));
  mnuExperimentProjectorDouble->setCheckable(true);
  mnuExperimentProjector->setChecked(platform_.setting(kProjectorKey, false).toBool());
  mnuExperimentProjectorDouble->setChecked(platform_.setting(kDoubleKey, false).toBool());
  connect(mnuExperimentProjector, &QAction::toggled, this,
          [this] { mnuExperimentProjector_Click(); });
  connect(mnuExperimentProjectorDouble, &QAction::toggled, this,
          [this] { mnuExperimentProjector_Click(); });
  // The size is fixed while a run goes on, so the view waits for its end.
  connect(this, &Form1::runStarted, this, [this] { enableProjectorItems(); });
  connect(this, &Form1::runEnded, this, [this] { enableProjectorItems(); });
}

void Form1::enableProjectorItems() {
  mnuExperimentProjector->setEnabled(!running());
  mnuExperimentProjectorDouble->setEnabled(!running());
}

void Form1::mnuExperimentProjector_Click() {
  platform_.set_setting(kProjectorKey, mnuExperimentProjector->isChecked());
  platform_.set_setting(kDoubleKey, mnuExperimentProjectorDouble->isChecked());
  applyProjectorView();
}

double Form1::wantedViewFactor() const {
  if (!mnuExperimentProjector->isChecked()) return 1;
  return mnuExperimentProjectorDouble->isChecked() ? kDoubleViewFactor : kViewFactor;
}

ClientSize Form1::roomOnScreen() const {
  const QScreen* shown_on = screen() ? screen() : QGuiApplication::primaryScreen();
  if (!shown_on) return {0, 0};
  const QSize free = shown_on->availableGeometry().size();
  const QSize frame = frameGeometry().size() - geometry().size();
  return {free.width() - frame.width(),
          free.height() - frame.height() - menuBar()->sizeHint().height()};
}

void Form1::applyProjectorView() {
  if (running()) return;
  const double wanted = wantedViewFactor();
  setViewFactor(wanted > 1 ? fitting_factor(wanted, roomOnScreen()) : 1);
}

void Form1::setViewFactor(double factor) {
  if (running() || !(factor >= 1) || factor == view_factor_) return;
  view_factor_ = factor;
  if (base_fonts_.empty()) {
    for (QWidget* w : client_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (w != Picture1) base_fonts_.push_back({w, w->font()});
    }
  }
  for (const auto& [widget, base] : base_fonts_) {
    if (!widget) continue;
    QFont font = base;
    if (factor != 1) {
      if (base.pointSizeF() > 0) {
        font.setPointSizeF(base.pointSizeF() * factor);
      } else {
        font.setPixelSize(static_cast<int>(std::lround(base.pixelSize() * factor)));
      }
    }
    widget->setFont(font);
  }
  Picture1->setViewScale(factor);
  if (description_) description_->setTextScale(factor);
  const ClientSize least = minimum_client_size(factor);
  client_->setMinimumSize(least.width, least.height);
  device_->refit();
  // A window too small for the new least size grows; otherwise its size stays.
  QMainWindow::layout()->activate();  // the client's size, also before the first showing
  const QSize need(std::max(client_->width(), least.width),
                   std::max(client_->height(), least.height));
  if (need != client_->size() && !isMaximized() && !isFullScreen()) {
    resize(size() + need - client_->size());
  }
  redrawForResize();
}

}  // namespace orvinda
