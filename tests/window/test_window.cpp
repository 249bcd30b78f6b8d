// The main window as it opens: controls, texts, placement, focus and menus.

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include "platform/fake_platform.h"
#include "plot/plot_surface.h"
#include "ui/app_setup.h"
#include "window/form1.h"
#include "window/layout_geometry.h"

using namespace orvinda;

namespace {

struct Placement {
  const char* name;
  QRect rect;
};

void resize_client(Form1& form, int width, int height) {
  const QSize frame = form.size() - form.centralWidget()->size();
  form.resize(QSize(width, height) + frame);
  QCOMPARE(form.centralWidget()->size(), QSize(width, height));
}

}  // namespace

class TestWindow : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void opens_with_client_640_by_530() {
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    QCOMPARE(form.centralWidget()->size(), QSize(640, 530));
    QCOMPARE(form.windowTitle(),
             QStringLiteral("Сложение перпендикулярных механических колебаний (фигуры Орвинда)"));
    QCOMPARE(form.centralWidget()->palette().color(QPalette::Window), QColor(224, 224, 224));
    QVERIFY(!form.windowIcon().isNull());
  }

  void icon_drawn_once_at_the_title_bar_sizes() {
    // Every window shares one drawing; the start would pay for each again.
    const QIcon icon = program_icon();
    QCOMPARE(program_icon().cacheKey(), icon.cacheKey());
    for (const int side : {16, 24, 32, 48, 64, 128}) {
      QVERIFY2(icon.availableSizes().contains(QSize(side, side)),
               qPrintable(QString::number(side)));
      const QImage picture = icon.pixmap(side).toImage();
      QCOMPARE(picture.pixelColor(side / 2, side / 2).alpha(), 255);  // drawn, not blank
    }
  }

  void start_values_in_the_boxes() {
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    const QStringList expected = {" 1", " 3", " 3", " 1.8", " 3", " 2"};
    QLineEdit* boxes[] = {form.Text1, form.Text2, form.Text3, form.Text4, form.Text5, form.Text6};
    for (int i = 0; i < 6; ++i) QCOMPARE(boxes[i]->text(), expected[i]);
    QVERIFY(!form.Text1->isEnabled());
    for (int i = 1; i < 6; ++i) QVERIFY(boxes[i]->isEnabled());
    QCOMPARE(form.Label21->text(), QStringLiteral("5"));
    QCOMPARE(form.HScroll1->value(), 5);
    QCOMPARE(form.HScroll1->minimum(), 1);
    QCOMPARE(form.HScroll1->maximum(), 9);
    QCOMPARE(form.HScroll1->singleStep(), 1);
    QCOMPARE(form.HScroll1->pageStep(), 1);
    QCOMPARE(form.CmdOK->text(), QStringLiteral("ПУСК"));
    QCOMPARE(form.zam, std::int16_t(5));
    QCOMPARE(form.vy0, 2.0f);
  }

  void no_design_text_survives() {
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    for (QLabel* label : form.findChildren<QLabel*>()) {
      QVERIFY2(!label->text().startsWith(QStringLiteral("Label")), qPrintable(label->objectName()));
      QVERIFY2(label->text() != QStringLiteral("label21"), qPrintable(label->objectName()));
    }
    for (QLineEdit* box : form.findChildren<QLineEdit*>()) {
      QVERIFY2(!box->text().startsWith(QStringLiteral("Text")), qPrintable(box->objectName()));
    }
  }

  void placement_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    // clang-format off
    QTest::newRow("as opened") << 640 << 530;
    QTest::newRow("wider by 100") << 740 << 630;
    QTest::newRow("higher") << 640 << 700;
    // clang-format on
  }

  // The rectangles at the opening size, and how they follow the client size:
  // the columns keep their distance from the right edge, the plot follows the
  // width, the button, the scroll bar and its digit follow the height.
  void placement() {
    QFETCH(int, width);
    QFETCH(int, height);
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    resize_client(form, width, height);
    const int dw = width - 640, dh = height - 530;
    const Placement expected[] = {
        {"Label10", QRect(495 + dw, 5, 140, 25)},
        {"Label1", QRect(495 + dw, 35, 70, 25)},
        {"Label6", QRect(495 + dw, 185, 70, 25)},
        {"Text1", QRect(565 + dw, 35, 70, 25)},
        {"Text4", QRect(565 + dw, 125, 70, 25)},
        {"Text6", QRect(565 + dw, 185, 70, 25)},
        {"Label11", QRect(495 + dw, 215, 140, 25)},
        {"Label12", QRect(495 + dw, 245, 140, 25)},
        {"Label18", QRect(495 + dw, 425, 140, 25)},
        {"CmdOK", QRect(565 + dw, 500 + dh, 70, 25)},
        {"HScroll1", QRect(5, 493 + dh, 485 + dw, 12)},
        {"Label21", QRect(239 + dw / 2, 505 + dh, 17, 25)},
        {"Picture1", QRect(5, 5, 485 + dw, 485 + dw)},
    };
    for (const Placement& p : expected) {
      auto* widget = form.findChild<QWidget*>(QString::fromLatin1(p.name));
      QVERIFY2(widget, p.name);
      QCOMPARE(widget->geometry(), p.rect);
    }
  }

  // A window much wider than high keeps the square plot above the scroll bar.
  void wide_low_window_keeps_plot_above_scroll_bar() {
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    resize_client(form, 1200, 500);
    QVERIFY(form.Picture1->geometry().bottom() < form.HScroll1->geometry().top());
    QCOMPARE(form.Picture1->width(), form.Picture1->height());
  }

  void tiny_window_has_no_negative_size_and_recovers() {
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    resize_client(form, 640, 530);
    const QRect plot = form.Picture1->geometry();
    form.setMinimumSize(0, 0);
    for (QSize size : {QSize(100, 40), QSize(1, 1), QSize(154, 600), QSize(600, 30)}) {
      const QSize frame = form.size() - form.centralWidget()->size();
      form.resize(size + frame);
      for (QWidget* child : form.centralWidget()->findChildren<QWidget*>()) {
        QVERIFY(child->width() >= 0 && child->height() >= 0);
      }
    }
    resize_client(form, 640, 530);
    QCOMPARE(form.Picture1->geometry(), plot);
    QCOMPARE(form.Text2->text(), QStringLiteral(" 3"));
  }

  void text1_stays_disabled_after_every_redraw() {
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    form.Text1->setEnabled(true);
    form.Form_Resize();
    QVERIFY(!form.Text1->isEnabled());
    resize_client(form, 700, 560);
    QVERIFY(!form.Text1->isEnabled());
  }

  void fonts_colours_and_tooltips() {
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    QCOMPARE(form.Text2->font().family(), QStringLiteral("Times New Roman"));
    QCOMPARE(form.Text2->font().pointSizeF(), 11.25);
    QCOMPARE(form.Label10->font().bold(), true);
    QCOMPARE(form.CmdOK->font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(form.CmdOK->font().bold(), true);
    QCOMPARE(form.Text2->palette().color(QPalette::Base), QColor(255, 255, 192));
    QCOMPARE(form.Label12->palette().color(QPalette::Window), QColor(192, 255, 255));
    QCOMPARE(form.Picture1->palette().color(QPalette::Window), QColor(Qt::white));

    const QList<QPair<QWidget*, QString>> tips = {
        {form.Label1, "Частота горизонтальных колебаний"},
        {form.Text1, "Частота горизонтальных колебаний"},
        {form.Text2, "Начальная горизонтальная координата"},
        {form.Label3, "Начальная горизонтальная скорость"},
        {form.Text4, "Частота вертикальных колебаний"},
        {form.Text5, "Начальная вертикальная координата"},
        {form.Label6, "Начальная вертикальная скорость"},
        {form.Label10, "Параметры задачи"},
        {form.Label11, "Характеристики движения"},
        {form.Label16, "Отношение амплитуд Ay/Ax"},
        {form.Label17, "Сдвиг фаз fi_y-fi_x"},
        {form.Label18, "отношение частот Wy/Wx"},
        {form.Label21, "Замедление времени"},
        {form.CmdOK, "Запуск (остановка) установки"},
        {form.Picture1, "Анимация движения"},
    };
    for (const auto& [widget, tip] : tips) {
      QCOMPARE(widget->toolTip(), tip);
      QCOMPARE(widget->accessibleDescription(), tip);
    }
    QCOMPARE(form.Text2->accessibleName(), QStringLiteral(" Xo(м)="));
    QCOMPARE(form.Text3->accessibleName(), QStringLiteral("Vox(м/c)="));
  }

  void focus_and_tab_order() {
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(QApplication::focusWidget(), form.CmdOK);
    // As the eye reads the window, round and back to the button.
    const QWidget* order[] = {form.CmdOK, form.HScroll1, form.Picture1, form.Text2, form.Text3,
                              form.Text4, form.Text5,    form.Text6,    form.CmdOK};
    const auto mark_shown = [](const QWidget* control) {
      const QWidget* mark = control->findChild<QWidget*>(QStringLiteral("focusMark"));
      return mark && mark->isVisible() && mark->geometry() == control->rect();
    };
    for (std::size_t i = 1; i < std::size(order); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), order[i]);
      // The scroll bar and the plot draw no focus of their own: a mark does.
      QCOMPARE(mark_shown(form.HScroll1), order[i] == form.HScroll1);
      QCOMPARE(mark_shown(form.Picture1), order[i] == form.Picture1);
    }
  }

  void menus() {
    FakePlatform platform;
    Form1 form(platform);
    const QList<QAction*> bar = form.menuBar()->actions();
    QCOMPARE(bar.size(), 3);
    QCOMPARE(bar[0]->text(), QStringLiteral("&Файл"));
    QCOMPARE(bar[1]->text(), QStringLiteral("&Опыт"));
    QCOMPARE(bar[2]->text(), QStringLiteral("&Помощь"));
    QStringList file, help;
    for (QAction* a : form.mnuFile->actions()) file << a->objectName() + "=" + a->text();
    for (QAction* a : form.mnuHelp->actions()) {
      help << a->objectName() + "=" + (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    QCOMPARE(file, QStringList({"mnuFilespravka=Справка1", "mnuFilespravka2=Справка2",
                                "mnuFilesHistory1=Орвинда"}));
    QCOMPARE(help,
             QStringList({"mnuHelpInstruction=Инструкция", "mnuHelpUprav=Управление",
                          "mnuHelpSep1=-", "mnuHelpAvtors=Авторы", "mnuHelpAbout=О программе"}));
    for (QAction* a : form.mnuFile->actions() + form.mnuHelp->actions()) {
      QVERIFY(a->shortcut().isEmpty());
    }
    QStringList experiment;
    for (QAction* a : form.mnuExperiment->actions()) {
      experiment << a->objectName() + "=" + (a->isSeparator() ? QStringLiteral("-") : a->text()) +
                        (a->shortcut().isEmpty() ? QString() : " " + a->shortcut().toString());
    }
    QCOMPARE(experiment, QStringList({"mnuExperimentExamples=Примеры",
                                      "mnuExperimentAmplitudes=Амплитуды и фазы…",
                                      "mnuExperimentSep1=-",
                                      "mnuExperimentOpen=Открыть опыт… Ctrl+O",
                                      "mnuExperimentSave=Сохранить опыт… Ctrl+S",
                                      "mnuExperimentDescription=Описание опыта…",
                                      "mnuExperimentSep2=-",
                                      "mnuExperimentSavePicture=Сохранить рисунок…",
                                      "mnuExperimentPrint=Печать… Ctrl+P",
                                      "mnuExperimentWorksheet=Лист заданий…",
                                      "mnuExperimentSaveSound=Сохранить звук…",
                                      "mnuExperimentSep3=-",
                                      "mnuExperimentTimeView=Развёртка колебаний",
                                      "mnuExperimentMeasure=Измерения",
                                      "mnuExperimentSound=Звук",
                                      "mnuExperimentSoundSettings=Высота и громкость звука…",
                                      "mnuExperimentSep4=-",
                                      "mnuExperimentSelfCheck=Проверь себя…",
                                      "mnuExperimentLab=Лабораторная работа с осциллографом…",
                                      "mnuExperimentSep5=-",
                                      "mnuExperimentProjector=Крупно (для проектора)",
                                      "mnuExperimentProjectorDouble=Крупно: в 2 раза"}));
    QVERIFY(form.mnuExperiment->actions()[0]->menu() == form.mnuExperimentExamples);
    QVERIFY(form.mnuExperimentMeasure->isCheckable());
    QVERIFY(!form.mnuExperimentMeasure->isChecked());
    QVERIFY(form.mnuExperimentProjector->isCheckable());
    QVERIFY(!form.mnuExperimentProjector->isChecked());  // off until chosen
  }

  void scroll_bar_keys_move_as_it_looks_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("value");
    // clang-format off
    QTest::newRow("left") << int(Qt::Key_Left) << 4;
    QTest::newRow("up") << int(Qt::Key_Up) << 4;
    QTest::newRow("page up") << int(Qt::Key_PageUp) << 4;
    QTest::newRow("right") << int(Qt::Key_Right) << 6;
    QTest::newRow("down") << int(Qt::Key_Down) << 6;
    QTest::newRow("page down") << int(Qt::Key_PageDown) << 6;
    QTest::newRow("home") << int(Qt::Key_Home) << 1;
    QTest::newRow("end") << int(Qt::Key_End) << 9;
    // clang-format on
  }

  void scroll_bar_keys_move_as_it_looks() {
    QFETCH(int, key);
    QFETCH(int, value);
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    QTest::keyClick(form.HScroll1, Qt::Key(key));
    QCOMPARE(form.HScroll1->value(), value);
    QCOMPARE(form.Label21->text(), QString::number(value));
  }

  void scroll_bar_updates_slow_down() {
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    form.HScroll1->setValue(9);
    QCOMPARE(form.zam, std::int16_t(9));
    QCOMPARE(form.Label21->text(), QStringLiteral("9"));
    form.HScroll1->setValue(1);
    QCOMPARE(form.Label21->text(), QStringLiteral("1"));
  }

  // The smallest client size is measured: one pixel less either way and two
  // controls overlap or one leaves the window. ПУСК meets Wy/Wx below 480.
  void smallest_window_is_measured() {
    const ClientSize minimum = minimum_client_size();
    QCOMPARE(minimum.height, 480);
    QVERIFY(layout_fits(minimum.width, minimum.height));
    QVERIFY(!layout_fits(minimum.width - 1, minimum.height));
    QVERIFY(!layout_fits(minimum.width, minimum.height - 1));
    QVERIFY(!layout_fits(640, 479));
    QVERIFY(layout_fits(640, 530));
    const ClientSize projector = minimum_client_size(1.5);
    QCOMPARE(projector.height, 720);
    QCOMPARE(projector.width, static_cast<int>(std::ceil(minimum.width * 1.5)));
  }

  void smallest_window_keeps_controls_apart_data() {
    QTest::addColumn<bool>("longValues");
    QTest::newRow("start values") << false;
    QTest::newRow("long values") << true;
  }

  // The window cannot be made smaller than that, and there nothing overlaps.
  void smallest_window_keeps_controls_apart() {
    QFETCH(bool, longValues);
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    if (longValues) {
      form.Text2->setText(QStringLiteral("-1.41421356237310"));
      form.Text5->setText(QStringLiteral("123456789012345"));
      form.Text6->setText(QStringLiteral("-1.234567e-30"));
    }
    form.resize(100, 100);
    const ClientSize minimum = minimum_client_size();
    QCOMPARE(form.centralWidget()->size(), QSize(minimum.width, minimum.height));
    QList<QWidget*> controls;
    for (QObject* child : form.centralWidget()->children()) {
      if (auto* widget = qobject_cast<QWidget*>(child); widget && widget->isVisible()) {
        controls << widget;
      }
    }
    QCOMPARE(controls.size(), 16 + 6 + 3);
    for (int i = 0; i < controls.size(); ++i) {
      QVERIFY(form.centralWidget()->rect().contains(controls[i]->geometry()));
      for (int j = i + 1; j < controls.size(); ++j) {
        QVERIFY2(!controls[i]->geometry().intersects(controls[j]->geometry()),
                 qPrintable(controls[i]->objectName() + " " + controls[j]->objectName()));
      }
    }
  }

  void layout_formulas_are_exact_at_the_opening_size() {
    const WindowLayout l = compute_layout(640, 530);
    QCOMPARE(l.scroll_bar.top, 492.5);
    QCOMPARE(l.scroll_bar.height, 12.5);
    QCOMPARE(l.scroll_value.left, 238.75);
    QCOMPARE(l.scroll_value.width, 17.5);
    QCOMPARE(l.plot.width, 485.0);
    QCOMPARE(l.outputs[6].top, 425.0);
  }
};

QTEST_MAIN(TestWindow)
#include "test_window.moc"
