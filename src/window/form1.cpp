#include "window/form1.h"

#include <QAction>
#include <QCloseEvent>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include "feed/run_feed.h"
#include "model/start_values.h"
#include "platform/document_lookup.h"
#include "platform/platform.h"
#include "plot/device.h"
#include "plot/device_piece.h"
#include "plot/plot_surface.h"
#include "plot/resources.h"
#include "tools/experiment/experiment_files.h"
#include "tools/lab/lab_window.h"
#include "tools/self_check/self_check_window.h"
#include "tools/time_view/time_view.h"
#include "ui/app_setup.h"
#include "ui/fonts.h"
#include "ui/plot_look.h"
#include "ui/window_look.h"
#include "window/focus_mark.h"
#include "window/form2.h"
#include "window/layout_geometry.h"
#include "window/slow_down_scroll_bar.h"

namespace orvinda {

const QString Form1::kIdleCaption =
    QStringLiteral("Сложение перпендикулярных механических колебаний (фигуры Орвинда)");
const QString Form1::kRunningCaption = QStringLiteral("При работе размер окна изменить нельзя!");

namespace {

void describe(QWidget* widget, const QString& name, const QString& tooltip) {
  if (!name.isEmpty()) widget->setAccessibleName(name);
  if (!tooltip.isEmpty()) {
    widget->setToolTip(tooltip);
    widget->setAccessibleDescription(tooltip);
  }
}

}  // namespace

Form1::Form1(Platform& platform, QWidget* parent)
    : QMainWindow(parent), platform_(platform), feed_(new RunFeed(this)) {
  setObjectName(QStringLiteral("Form1"));
  document_folders_ = default_document_folders();
  setWindowTitle(kIdleCaption);
  setWindowIcon(program_icon());
  ensure_resources();
  createControls();
  createDevice();
  createMenus();
  applyTabOrder();
  Form_Load();
  resize(640, 530 + menuBar()->sizeHint().height());
  applyProjectorView();  // as it was left
  CmdOK->setFocus();
}

Form1::~Form1() {
  if (form2_) delete form2_.data();
  if (self_check_) delete self_check_.data();
  if (lab_) delete lab_.data();
  if (time_view_) delete time_view_.data();
}

void Form1::createControls() {
  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("client"));
  client_->setAutoFillBackground(true);
  paint_background(client_, QPalette::Window, window_color());
  setCentralWidget(client_);
  client_->installEventFilter(this);
  // Below this the controls would overlap; the menu bar comes on top of it.
  static const ClientSize minimum = minimum_client_size();
  client_->setMinimumSize(minimum.width, minimum.height);

  auto make_label = [this](const char* name, const QString& caption, const QString& tooltip,
                           bool bold = false) {
    auto* label = new QLabel(caption, client_);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(serif_font(bold));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setTextFormat(Qt::PlainText);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    describe(label, QString(), tooltip);
    return label;
  };

  struct Row {
    const char* label;
    const char* box;
    QString caption;
    QString tooltip;
  };
  const Row rows[6] = {
      {"Label1", "Text1", QStringLiteral("Wx(рад/с)="),
       QStringLiteral("Частота горизонтальных колебаний")},
      {"Label2", "Text2", QStringLiteral(" Xo(м)="),
       QStringLiteral("Начальная горизонтальная координата")},
      {"Label3", "Text3", QStringLiteral("Vox(м/c)="),
       QStringLiteral("Начальная горизонтальная скорость")},
      {"Label4", "Text4", QStringLiteral("Wy(рад/с)="),
       QStringLiteral("Частота вертикальных колебаний")},
      {"Label5", "Text5", QStringLiteral(" Yo(м)="),
       QStringLiteral("Начальная вертикальная координата")},
      {"Label6", "Text6", QStringLiteral("Voy(м/c)="),
       QStringLiteral("Начальная вертикальная скорость")},
  };
  QLabel** prompts[6] = {&Label1, &Label2, &Label3, &Label4, &Label5, &Label6};
  QLineEdit** boxes[6] = {&Text1, &Text2, &Text3, &Text4, &Text5, &Text6};
  for (int i = 0; i < 6; ++i) {
    QLabel* prompt = make_label(rows[i].label, rows[i].caption, rows[i].tooltip);
    *prompts[i] = prompt;
    auto* box = new QLineEdit(QString::fromLatin1(rows[i].box), client_);
    box->setObjectName(QString::fromLatin1(rows[i].box));
    box->setFont(serif_font());
    paint_background(box, QPalette::Base, box_color());
    describe(box, rows[i].caption, rows[i].tooltip);
    prompt->setBuddy(box);
    *boxes[i] = box;
  }
  // The horizontal frequency is shown, never edited; read-only tells a
  // screen reader so too.
  Text1->setReadOnly(true);

  Label10 = make_label("Label10", QStringLiteral("Параметры задачи"),
                       QStringLiteral("Параметры задачи"), true);
  Label11 = make_label("Label11", QStringLiteral("Характеристики"),
                       QStringLiteral("Характеристики движения"), true);

  struct Output {
    const char* name;
    QString tooltip;
  };
  const Output outputs[7] = {
      {"Label12", QStringLiteral("Амплитуда горизонтальных колебаний")},
      {"Label13", QStringLiteral("Фаза горизонтальных колебаний")},
      {"Label14", QStringLiteral("Амплитуда вертикальных колебаний")},
      {"Label15", QStringLiteral("Фаза вертикальных колебаний")},
      {"Label16", QStringLiteral("Отношение амплитуд Ay/Ax")},
      {"Label17", QStringLiteral("Сдвиг фаз fi_y-fi_x")},
      {"Label18", QStringLiteral("отношение частот Wy/Wx")},
  };
  QLabel** output_labels[7] = {&Label12, &Label13, &Label14, &Label15,
                               &Label16, &Label17, &Label18};
  for (int i = 0; i < 7; ++i) {
    QLabel* label =
        make_label(outputs[i].name, QString::fromLatin1(outputs[i].name), outputs[i].tooltip);
    label->setAutoFillBackground(true);
    paint_background(label, QPalette::Window, output_color());
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setLineWidth(1);
    label->setIndent(3);
    *output_labels[i] = label;
  }

  Label21 = make_label("Label21", QStringLiteral("label21"), QStringLiteral("Замедление времени"));
  Label21->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);

  CmdOK = new QPushButton(QStringLiteral("ПУСК"), client_);
  CmdOK->setObjectName(QStringLiteral("CmdOK"));
  CmdOK->setFont(sans_font(true));
  CmdOK->setAutoDefault(true);  // Enter presses it too
  describe(CmdOK, QString(), QStringLiteral("Запуск (остановка) установки"));
  connect(CmdOK, &QPushButton::clicked, this, [this] { CmdOK_Click(); });

  HScroll1 = new SlowDownScrollBar(client_);
  HScroll1->setObjectName(QStringLiteral("HScroll1"));
  HScroll1->setRange(1, 9);
  HScroll1->setValue(kStartSlowDown);
  HScroll1->setSingleStep(1);
  HScroll1->setPageStep(1);
  HScroll1->setFocusPolicy(Qt::StrongFocus);
  describe(HScroll1, QStringLiteral("Замедление времени"), QString());
  new FocusMark(HScroll1);
  connect(HScroll1, &QScrollBar::valueChanged, this, [this] { HScroll1_Change(); });

  Picture1 = new PlotSurface(client_);
  Picture1->setObjectName(QStringLiteral("Picture1"));
  style_plot_surface(Picture1);
  Picture1->setFocusPolicy(Qt::StrongFocus);
  describe(Picture1, QStringLiteral("Анимация движения"), QStringLiteral("Анимация движения"));
  new FocusMark(Picture1);

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setSingleShot(true);
  Timer1->setTimerType(Qt::PreciseTimer);
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });

  connect(Text1, &QLineEdit::textChanged, this, [this] { Text1_Change(); });
  connect(Text2, &QLineEdit::textChanged, this, [this] { Text2_Change(); });
  connect(Text3, &QLineEdit::textChanged, this, [this] { Text3_Change(); });
  connect(Text4, &QLineEdit::textChanged, this, [this] { Text4_Change(); });
  connect(Text5, &QLineEdit::textChanged, this, [this] { Text5_Change(); });
  connect(Text6, &QLineEdit::textChanged, this, [this] { Text6_Change(); });
  for (int n = 1; n <= 6; ++n) {
    QLineEdit* box = *boxes[n - 1];
    // Emitted before textChanged: the handler then knows the user typed.
    connect(box, &QLineEdit::textEdited, this, [this, n] { box_editing_[n].typed = true; });
    connect(box, &QLineEdit::returnPressed, this, [this, n] { commitBox(n); });
    box->installEventFilter(this);
  }
}

void Form1::createDevice() {
  device_ = std::make_unique<Device>(Picture1);
  Shape1 = device_->ball();
  Shape2 = device_->block();
  Image1 = device_->hspring();
  Image2 = device_->vspring();
  Image3 = device_->bar();
}

void Form1::createMenus() {
  mnuFile = menuBar()->addMenu(QStringLiteral("&Файл"));
  mnuFile->setObjectName(QStringLiteral("mnuFile"));
  mnuFilespravka = mnuFile->addAction(QStringLiteral("Справка1"));
  mnuFilespravka->setObjectName(QStringLiteral("mnuFilespravka"));
  mnuFilespravka2 = mnuFile->addAction(QStringLiteral("Справка2"));
  mnuFilespravka2->setObjectName(QStringLiteral("mnuFilespravka2"));
  mnuFilesHistory1 = mnuFile->addAction(QStringLiteral("Орвинда"));
  mnuFilesHistory1->setObjectName(QStringLiteral("mnuFilesHistory1"));

  mnuExperiment = menuBar()->addMenu(QStringLiteral("&Опыт"));
  mnuExperiment->setObjectName(QStringLiteral("mnuExperiment"));
  createExperimentItems();  // Примеры … Сохранить опыт, and a separator
  mnuExperimentSavePicture = mnuExperiment->addAction(QStringLiteral("Сохранить рисунок…"));
  mnuExperimentSavePicture->setObjectName(QStringLiteral("mnuExperimentSavePicture"));
  mnuExperimentPrint = mnuExperiment->addAction(QStringLiteral("Печать…"));
  mnuExperimentPrint->setObjectName(QStringLiteral("mnuExperimentPrint"));
  mnuExperimentPrint->setShortcut(QKeySequence(QStringLiteral("Ctrl+P")));
  mnuExperimentWorksheet = mnuExperiment->addAction(QStringLiteral("Лист заданий…"));
  mnuExperimentWorksheet->setObjectName(QStringLiteral("mnuExperimentWorksheet"));
  mnuExperimentSaveSound = mnuExperiment->addAction(QStringLiteral("Сохранить звук…"));
  mnuExperimentSaveSound->setObjectName(QStringLiteral("mnuExperimentSaveSound"));
  mnuExperimentSep3 = mnuExperiment->addSeparator();
  mnuExperimentSep3->setObjectName(QStringLiteral("mnuExperimentSep3"));
  mnuExperimentTimeView = mnuExperiment->addAction(QStringLiteral("Развёртка колебаний"));
  mnuExperimentTimeView->setObjectName(QStringLiteral("mnuExperimentTimeView"));
  mnuExperimentMeasure = mnuExperiment->addAction(QStringLiteral("Измерения"));
  mnuExperimentMeasure->setObjectName(QStringLiteral("mnuExperimentMeasure"));
  mnuExperimentMeasure->setCheckable(true);
  createSoundItems();  // Звук, Высота и громкость звука…, and a separator
  mnuExperimentSelfCheck = mnuExperiment->addAction(QStringLiteral("Проверь себя…"));
  mnuExperimentSelfCheck->setObjectName(QStringLiteral("mnuExperimentSelfCheck"));
  mnuExperimentLab =
      mnuExperiment->addAction(QStringLiteral("Лабораторная работа с осциллографом…"));
  mnuExperimentLab->setObjectName(QStringLiteral("mnuExperimentLab"));
  createProjectorItems();

  mnuHelp = menuBar()->addMenu(QStringLiteral("&Помощь"));
  mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
  mnuHelpInstruction = mnuHelp->addAction(QStringLiteral("Инструкция"));
  mnuHelpInstruction->setObjectName(QStringLiteral("mnuHelpInstruction"));
  mnuHelpUprav = mnuHelp->addAction(QStringLiteral("Управление"));
  mnuHelpUprav->setObjectName(QStringLiteral("mnuHelpUprav"));
  mnuHelpSep1 = mnuHelp->addSeparator();
  mnuHelpSep1->setObjectName(QStringLiteral("mnuHelpSep1"));
  mnuHelpAvtors = mnuHelp->addAction(QStringLiteral("Авторы"));
  mnuHelpAvtors->setObjectName(QStringLiteral("mnuHelpAvtors"));
  mnuHelpAbout = mnuHelp->addAction(QStringLiteral("О программе"));
  mnuHelpAbout->setObjectName(QStringLiteral("mnuHelpAbout"));

  connect(mnuFilespravka, &QAction::triggered, this, [this] { mnuFilespravka_Click(); });
  connect(mnuFilespravka2, &QAction::triggered, this, [this] { mnuFilespravka2_Click(); });
  connect(mnuFilesHistory1, &QAction::triggered, this, [this] { mnuFilesHistory1_Click(); });
  connect(mnuHelpInstruction, &QAction::triggered, this, [this] { mnuHelpInstruction_Click(); });
  connect(mnuHelpUprav, &QAction::triggered, this, [this] { mnuHelpUprav_Click(); });
  connect(mnuHelpAvtors, &QAction::triggered, this, [this] { mnuHelpAvtors_Click(); });
  connect(mnuHelpAbout, &QAction::triggered, this, [this] { mnuHelpAbout_Click(); });
  connect(mnuExperimentSavePicture, &QAction::triggered, this,
          [this] { mnuExperimentSavePicture_Click(); });
  connect(mnuExperimentPrint, &QAction::triggered, this, [this] { mnuExperimentPrint_Click(); });
  connect(mnuExperimentWorksheet, &QAction::triggered, this,
          [this] { mnuExperimentWorksheet_Click(); });
  connect(mnuExperimentTimeView, &QAction::triggered, this,
          [this] { mnuExperimentTimeView_Click(); });
  connect(mnuExperimentSelfCheck, &QAction::triggered, this,
          [this] { mnuExperimentSelfCheck_Click(); });
  connect(mnuExperimentLab, &QAction::triggered, this, [this] { mnuExperimentLab_Click(); });
  connect(mnuExperimentMeasure, &QAction::toggled, this, [this] { mnuExperimentMeasure_Click(); });
}

void Form1::applyTabOrder() {
  // As the eye reads the window: the inputs from the top, then the button,
  // the slow-down bar and the plot; Text1 is skipped while disabled.
  const QWidget* order[] = {Text1, Text2, Text3, Text4, Text5, Text6, CmdOK, HScroll1, Picture1};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
    QWidget::setTabOrder(const_cast<QWidget*>(order[i]), const_cast<QWidget*>(order[i + 1]));
  }
}

void Form1::Form_Load() {
  wx = kStartParameters.wx;
  x0 = kStartParameters.x0;
  vx0 = kStartParameters.vx0;
  wy = kStartParameters.wy;
  y0 = kStartParameters.y0;
  vy0 = kStartParameters.vy0;
  zam = kStartSlowDown;
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
  if (const int box = boxNumber(watched); box > 0 && boxEvent(box, event)) return true;
  // A click on a label or between the controls commits too.
  if (watched == client_ && event->type() == QEvent::MouseButtonPress) commitEditing();
  if (watched == client_ && event->type() == QEvent::Resize) {
    if (size_locked_) {
      // Forced from outside during a run: the next step goes back, once
      // however many came, and the run's picture stays.
      if (size() != locked_size_) resize_back_due_ = true;
    } else if (rejections_ > 0) {
      redraw_waiting_ = true;
    } else {
      redrawForResize();
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void Form1::closeEvent(QCloseEvent* event) {
  commitEditing();
  if (Form_Unload()) {
    event->ignore();
    return;
  }
  event->accept();
}

bool Form1::Form_Unload() {
  const MessageAnswer answer =
      platform_.message_box(this, QStringLiteral("Вы абсолютно уверены?"),
                            QStringLiteral("На Выход"), MessageButtons::YesNo);
  if (answer != MessageAnswer::Yes) return true;
  program_ended_ = true;
  if (form2_) form2_->close();
  if (self_check_) self_check_->close();
  if (lab_) lab_->close();
  if (time_view_) time_view_->close();
  platform_.end_program();
  return false;
}

}  // namespace orvinda
