// "Крупно (для проектора)": the main window drawn larger by a factor, laid
// out by its own rule in units as large, fitted to the screen, remembered,
// and with the view off exactly the window without it.

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>
#include <cmath>

#include "plot/device.h"
#include "plot/device_piece.h"
#include "plot/plot_surface.h"
#include "support/shown_form.h"
#include "tools/measure/measure_overlay.h"
#include "window/layout_geometry.h"

using namespace orvinda;

namespace {

QList<QWidget*> controls(Form1& form) {
  QList<QWidget*> list;
  for (QObject* child : form.centralWidget()->children()) {
    if (auto* widget = qobject_cast<QWidget*>(child); widget && widget->isVisible()) list << widget;
  }
  return list;
}

// Gives the client area this size, whatever the menu bar takes.
void resize_client(Form1& form, QSize client) {
  form.resize(form.size() + client - form.centralWidget()->size());
}

}  // namespace

class TestProjectorView : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void factor_fits_the_room_data() {
    QTest::addColumn<double>("wanted");
    QTest::addColumn<int>("width");  // room for the client area
    QTest::addColumn<int>("height");
    QTest::addColumn<double>("expected");  // negative: just the largest that fits
    // clang-format off
    QTest::newRow("1920x1080, 2") << 2.0 << 1920 << 1050 << 2.0;
    QTest::newRow("1920x1080, 1.5") << 1.5 << 1920 << 1050 << 1.5;
    QTest::newRow("1366x768, 2") << 2.0 << 1366 << 740 << -1.0;
    QTest::newRow("1024x768, 2") << 2.0 << 1024 << 740 << -1.0;
    QTest::newRow("1024x768, 1.5") << 1.5 << 1024 << 740 << 1.5;
    QTest::newRow("too small for any") << 2.0 << 500 << 470 << 1.0;
    QTest::newRow("off") << 1.0 << 1920 << 1050 << 1.0;
    QTest::newRow("no screen") << 2.0 << 0 << 0 << 1.0;
    // clang-format on
  }

  // Never more than fits, never less than 1, and the next step would not fit.
  void factor_fits_the_room() {
    QFETCH(double, wanted);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(double, expected);
    const double factor = fitting_factor(wanted, {width, height});
    if (expected > 0) QCOMPARE(factor, expected);
    QVERIFY(factor >= 1 && factor <= wanted);
    if (factor > 1) {
      const ClientSize need = minimum_client_size(factor);
      QVERIFY(need.width <= width && need.height <= height);
    }
    if (factor < wanted) {
      const ClientSize more = minimum_client_size(factor + 0.05);
      QVERIFY(more.width > width || more.height > height);
    }
  }

  void scaled_layout_data() {
    QTest::addColumn<double>("factor");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    // clang-format off
    QTest::newRow("1.5 at the opening size") << 1.5 << 960 << 795;
    QTest::newRow("2 at the opening size") << 2.0 << 1280 << 1060;
    QTest::newRow("2, wide and low") << 2.0 << 2400 << 980;
    QTest::newRow("1.5, tall and narrow") << 1.5 << 700 << 1400;
    QTest::newRow("1.35 at 1024x740") << 1.35 << 1024 << 740;
    // clang-format on
  }

  // The rule is the window's own in units `factor` pixels large: the plot
  // stays above the scroll bar, and the opening size grown by the factor
  // gives the opening layout grown by it.
  void scaled_layout() {
    QFETCH(double, factor);
    QFETCH(int, width);
    QFETCH(int, height);
    const WindowLayout l = compute_layout(width, height, factor);
    QVERIFY(layout_fits(width, height, factor));
    QVERIFY(l.plot.top + l.plot.height <= l.scroll_bar.top);
    QCOMPARE(l.start_button.width, 70 * factor);
    QCOMPARE(l.start_button.left + l.start_button.width, width - 5 * factor);
    if (std::abs(width - 640 * factor) < 1e-9 && std::abs(height - 530 * factor) < 1e-9) {
      QCOMPARE(l.plot.width, 485 * factor);
      QCOMPARE(l.scroll_value.left, 238.75 * factor);
    }
  }

  void controls_stay_apart_data() {
    QTest::addColumn<double>("wanted");
    QTest::addColumn<QSize>("screen");  // empty: the least client size
    for (const double wanted : {1.5, 2.0}) {
      const QString f = QString::number(wanted);
      QTest::newRow(qPrintable(f + " at 1920x1080")) << wanted << QSize(1920, 1080);
      QTest::newRow(qPrintable(f + " at 1366x768")) << wanted << QSize(1366, 768);
      QTest::newRow(qPrintable(f + " at 1024x768")) << wanted << QSize(1024, 768);
      QTest::newRow(qPrintable(f + " at the least size")) << wanted << QSize();
    }
  }

  // Whatever the screen, with the factor that fits it, every control lies in
  // the client area, apart from the others, in a font grown by the factor.
  void controls_stay_apart() {
    QFETCH(double, wanted);
    QFETCH(QSize, screen);
    ShownForm shown;
    Form1& form = shown.form;
    const double base_points = form.Label1->font().pointSizeF();
    const int ball = form.device().ball()->width();
    const int bar = form.menuBar()->sizeHint().height();
    const double factor =
        screen.isEmpty() ? wanted : fitting_factor(wanted, {screen.width(), screen.height() - bar});
    form.setViewFactor(factor);
    QCOMPARE(form.viewFactor(), factor);
    if (screen.isEmpty()) {
      form.resize(100, 100);  // the least size holds
      const ClientSize least = minimum_client_size(factor);
      QCOMPARE(form.centralWidget()->size(), QSize(least.width, least.height));
    } else {
      resize_client(form, QSize(screen.width(), screen.height() - bar));
    }
    const QList<QWidget*> list = controls(form);
    QCOMPARE(list.size(), 16 + 6 + 3);
    for (int i = 0; i < list.size(); ++i) {
      QVERIFY2(form.centralWidget()->rect().contains(list[i]->geometry()),
               qPrintable(list[i]->objectName()));
      for (int j = i + 1; j < list.size(); ++j) {
        QVERIFY2(!list[i]->geometry().intersects(list[j]->geometry()),
                 qPrintable(list[i]->objectName() + " " + list[j]->objectName()));
      }
    }
    QCOMPARE(form.Label1->font().pointSizeF(), base_points * factor);
    // The plot draws at the factor times the screen's own pixel ratio.
    QCOMPARE(form.Picture1->viewScale(), factor);
    QCOMPARE(form.Picture1->picture().devicePixelRatio(),
             form.Picture1->devicePixelRatioF() * factor);
    QCOMPARE(form.Picture1->picture().size(),
             (QSizeF(form.Picture1->size()) * form.Picture1->devicePixelRatioF()).toSize());
    QVERIFY(std::abs(form.device().ball()->width() - ball * factor) <= 1);
  }

  // Off again, the window is the one that never had the view, pixel for pixel.
  void view_off_is_the_window_as_it_was() {
    ShownForm plain;
    ShownForm toggled;
    toggled.form.setViewFactor(2);
    QVERIFY(toggled.form.centralWidget()->size() != plain.form.centralWidget()->size());
    toggled.form.setViewFactor(1);
    toggled.form.resize(plain.form.size());
    QCOMPARE(toggled.form.centralWidget()->size(), plain.form.centralWidget()->size());
    QCOMPARE(toggled.form.Picture1->picture(), plain.form.Picture1->picture());
    const QImage a = plain.form.centralWidget()->grab().toImage();
    const QImage b = toggled.form.centralWidget()->grab().toImage();
    QCOMPARE(a.size(), b.size());
    QVERIFY(a == b);
    for (const QWidget* w : controls(plain.form)) {
      const auto* other = toggled.form.centralWidget()->findChild<QWidget*>(w->objectName());
      QVERIFY(other);
      QCOMPARE(other->geometry(), w->geometry());
      QCOMPARE(other->font(), w->font());
    }
  }

  // The items remember the view for the next start; the window opens with it.
  void the_view_is_remembered() {
    FakePlatform platform;
    {
      Form1 form(platform);
      form.show();
      QVERIFY(!form.mnuExperimentProjector->isChecked());
      QCOMPARE(form.viewFactor(), 1.0);
      form.mnuExperimentProjectorDouble->trigger();
      QCOMPARE(form.viewFactor(), 1.0);  // only a choice of size while off
      form.mnuExperimentProjector->trigger();
      QVERIFY(form.viewFactor() > 1);
      QVERIFY(form.viewFactor() <= Form1::kDoubleViewFactor);
    }
    QCOMPARE(platform.settings.value("view/projector").toBool(), true);
    QCOMPARE(platform.settings.value("view/projector_double").toBool(), true);
    Form1 again(platform);
    again.show();
    QVERIFY(again.mnuExperimentProjector->isChecked());
    QVERIFY(again.viewFactor() > 1);
    again.mnuExperimentProjector->trigger();
    QCOMPARE(again.viewFactor(), 1.0);
    QCOMPARE(platform.settings.value("view/projector").toBool(), false);
  }

  // Measuring reads metres under the pointer in the view's larger pixels.
  void measuring_follows_the_view() {
    ShownForm shown;
    Form1& form = shown.form;
    form.setViewFactor(2);
    form.mnuExperimentMeasure->trigger();
    MeasureOverlay* overlay = form.measureOverlay();
    QVERIFY(overlay && overlay->isActive());
    const ScaleMapping& m = form.Picture1->mapping();
    const double x = form.xmax / 2, y = form.ymin / 3;
    const QPoint pixel(static_cast<int>(m.to_px_x(x) * 2), static_cast<int>(m.to_px_y(y) * 2));
    QTest::mouseMove(overlay, pixel);
    const double tolerance = 2 * overlay->pixelMetres();
    QVERIFY(std::abs(overlay->cursorPoint().x - x) <= tolerance);
    QVERIFY(std::abs(overlay->cursorPoint().y - y) <= tolerance);
    QCOMPARE(overlay->pixelMetres(), m.unit_per_px_x() / 2);
  }
};

QTEST_MAIN(TestProjectorView)
#include "test_projector_view.moc"
