#include "tools/lab/lab_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>
#include <numbers>

#include "platform/platform.h"
#include "platform/safe_save.h"
#include "platform/save_failure.h"
#include "tools/lab/lab_file.h"
#include "tools/lab/lab_report.h"
#include "tools/lab/lab_screen.h"
#include "tools/lab/lab_texts.h"
#include "tools/measure/measure_overlay.h"
#include "tools/self_check/model/self_check_variant.h"

namespace orvinda {

namespace {

constexpr int kFrameMs = 16;
constexpr double kGains[] = {0.05, 0.1, 0.2, 0.5, 1, 2, 5};  // В/дел
constexpr int kDefaultGain = 4;                              // 1 В/дел
constexpr double kMostDivisions = 10;
const QSize kSnapshotSize(200, 160);
constexpr int kThumbHeight = 64;
const QString kWorkFilter = QStringLiteral("Лабораторная работа (*.orvlab)");

QComboBox* gain_combo(const QString& name) {
  auto* combo = new QComboBox;
  for (double g : kGains)
    combo->addItem(comma_number(g, g < 0.1 ? 2 : g < 1 ? 1 : 0) + " В/дел", g);
  combo->setCurrentIndex(kDefaultGain);
  combo->setAccessibleName(name);
  return combo;
}

QDoubleSpinBox* position_spin(const QString& name) {
  auto* spin = new QDoubleSpinBox;
  spin->setRange(-5, 5);
  spin->setSingleStep(0.1);
  spin->setDecimals(1);
  spin->setSuffix(QStringLiteral(" дел"));
  spin->setAccessibleName(name);
  return spin;
}

QLineEdit* field(const QString& name, int width = 70) {
  auto* edit = new QLineEdit;
  edit->setAccessibleName(name);
  edit->setMaximumWidth(width);
  return edit;
}

QLabel* message_label() {
  auto* label = new QLabel;
  label->setStyleSheet(QStringLiteral("color: #b00000"));
  label->setWordWrap(true);
  return label;
}

QTableWidgetItem* cell(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  return item;
}

QTableWidgetItem* thumb(const QImage& image) {
  auto* item = cell(image.isNull() ? QStringLiteral("—") : QString());
  if (!image.isNull()) {
    item->setData(Qt::DecorationRole,
                  QPixmap::fromImage(image.scaledToHeight(kThumbHeight, Qt::SmoothTransformation)));
  }
  return item;
}

QTableWidget* table(const QStringList& headers, const QString& name) {
  auto* t = new QTableWidget(0, static_cast<int>(headers.size()));
  t->setHorizontalHeaderLabels(headers);
  t->verticalHeader()->hide();
  t->verticalHeader()->setDefaultSectionSize(kThumbHeight + 6);
  t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  t->setEditTriggers(QAbstractItemView::NoEditTriggers);
  t->setAccessibleName(name);
  t->setMinimumHeight(160);
  return t;
}

Tilt current_tilt(const QComboBox* combo) {
  return combo->currentIndex() == 1 ? Tilt::kSecondFourth : Tilt::kFirstThird;
}

}  // namespace

LabWindow::LabWindow(Platform& platform, QWidget* parent) : QDialog(parent), platform_(platform) {
  setWindowTitle(QStringLiteral("Лабораторная работа с осциллографом"));
  setObjectName(QStringLiteral("labWindow"));
  setModal(false);

  auto* top = new QHBoxLayout;
  nameEdit = field(QStringLiteral("Фамилия и имя"), 220);
  groupEdit = field(QStringLiteral("Группа"), 90);
  variantEdit = field(QStringLiteral("Код варианта"), 80);
  startButton = new QPushButton(QStringLiteral("Начать"));
  startButton->setAccessibleName(QStringLiteral("Начать вариант"));
  newVariantButton = new QPushButton(QStringLiteral("Новый вариант"));
  newVariantButton->setAccessibleName(QStringLiteral("Новый вариант"));
  top->addWidget(new QLabel(QStringLiteral("Студент:")));
  top->addWidget(nameEdit);
  top->addWidget(new QLabel(QStringLiteral("Группа:")));
  top->addWidget(groupEdit);
  top->addSpacing(12);
  top->addWidget(new QLabel(QStringLiteral("Вариант:")));
  top->addWidget(variantEdit);
  top->addWidget(startButton);
  top->addWidget(newVariantButton);
  top->addStretch();

  auto* middle = new QHBoxLayout;
  middle->addWidget(createScreenPanel(), 3);
  tasks = new QTabWidget;
  tasks->setAccessibleName(QStringLiteral("Задания"));
  tasks->addTab(createFrequencyTask(), QStringLiteral("Частота по фигуре"));
  tasks->addTab(createPhaseTask(), QStringLiteral("Сдвиг фаз методом эллипса"));
  middle->addWidget(tasks, 4);

  auto* bottom = new QHBoxLayout;
  checkButton = new QPushButton(QStringLiteral("Проверить работу"));
  checkButton->setAccessibleName(QStringLiteral("Проверить работу"));
  saveReportButton = new QPushButton(QStringLiteral("Сохранить отчёт…"));
  saveReportButton->setAccessibleName(QStringLiteral("Сохранить отчёт"));
  saveWorkButton = new QPushButton(QStringLiteral("Сохранить работу…"));
  saveWorkButton->setAccessibleName(QStringLiteral("Сохранить работу"));
  openWorkButton = new QPushButton(QStringLiteral("Открыть работу…"));
  openWorkButton->setAccessibleName(QStringLiteral("Открыть работу"));
  bottom->addWidget(checkButton);
  bottom->addStretch();
  bottom->addWidget(openWorkButton);
  bottom->addWidget(saveWorkButton);
  bottom->addWidget(saveReportButton);
  verdictLabel = new QLabel;
  verdictLabel->setWordWrap(true);
  verdictLabel->setTextFormat(Qt::PlainText);
  verdictLabel->setAccessibleDescription(QStringLiteral("Итог проверки"));

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(middle, 1);
  layout->addLayout(bottom);
  layout->addWidget(verdictLabel);

  frames_ = new QTimer(this);
  frames_->setInterval(kFrameMs);
  connect(frames_, &QTimer::timeout, this, &LabWindow::advanceFrame);
  connect(startButton, &QPushButton::clicked, this, &LabWindow::startTyped);
  connect(variantEdit, &QLineEdit::returnPressed, this, &LabWindow::startTyped);
  // Enter records the row being typed; no button is the dialog's default,
  // or Enter in a field would start the variant over.
  for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(false);
  connect(ngEdit, &QLineEdit::returnPressed, this, &LabWindow::recordFrequency);
  connect(nvEdit, &QLineEdit::returnPressed, this, &LabWindow::recordFrequency);
  connect(bEdit, &QLineEdit::returnPressed, this, &LabWindow::recordPhase);
  connect(aEdit, &QLineEdit::returnPressed, this, &LabWindow::recordPhase);
  connect(newVariantButton, &QPushButton::clicked, this, &LabWindow::startNew);
  connect(recordFrequencyButton, &QPushButton::clicked, this, &LabWindow::recordFrequency);
  connect(recordPhaseButton, &QPushButton::clicked, this, &LabWindow::recordPhase);
  connect(checkButton, &QPushButton::clicked, this, &LabWindow::checkWork);
  connect(saveReportButton, &QPushButton::clicked, this, &LabWindow::saveReport);
  connect(saveWorkButton, &QPushButton::clicked, this, &LabWindow::saveWork);
  connect(openWorkButton, &QPushButton::clicked, this, &LabWindow::openWork);
  connect(tasks, &QTabWidget::currentChanged, this, &LabWindow::routeSignals);
  connect(tiltCombo, &QComboBox::currentIndexChanged, this, &LabWindow::refreshTables);

  startVariant(variant_code_from_entropy(QRandomGenerator::system()->generate()));
}

LabWindow::~LabWindow() = default;

QWidget* LabWindow::createScreenPanel() {
  auto* panel = new QWidget;
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  screen = new LabScreen;
  screen->setFixedSize(500, 400);
  overlay = new MeasureOverlay(screen);
  overlay->setUnit(QStringLiteral("дел"));
  overlay->setMarksOnly(true);
  measureCheck = new QCheckBox(QStringLiteral("Измерения: линии и отрезки"));
  measureCheck->setAccessibleName(QStringLiteral("Измерения на экране"));
  connect(measureCheck, &QCheckBox::toggled, overlay, &MeasureOverlay::setActive);
  layout->addWidget(screen);
  layout->addWidget(measureCheck);

  auto* knobs = new QGridLayout;
  gainXCombo = gain_combo(QStringLiteral("Чувствительность X"));
  gainYCombo = gain_combo(QStringLiteral("Чувствительность Y"));
  positionXSpin = position_spin(QStringLiteral("Смещение X"));
  positionYSpin = position_spin(QStringLiteral("Смещение Y"));
  knobs->addWidget(new QLabel(QStringLiteral("X:")), 0, 0);
  knobs->addWidget(gainXCombo, 0, 1);
  knobs->addWidget(positionXSpin, 0, 2);
  knobs->addWidget(new QLabel(QStringLiteral("Y:")), 1, 0);
  knobs->addWidget(gainYCombo, 1, 1);
  knobs->addWidget(positionYSpin, 1, 2);
  persistenceSpin = new QSpinBox;
  persistenceSpin->setRange(20, 2000);
  persistenceSpin->setSingleStep(20);
  persistenceSpin->setValue(300);
  persistenceSpin->setSuffix(QStringLiteral(" мс"));
  persistenceSpin->setAccessibleName(QStringLiteral("Послесвечение"));
  knobs->addWidget(new QLabel(QStringLiteral("Послесвечение:")), 2, 0, 1, 2);
  knobs->addWidget(persistenceSpin, 2, 2);
  layout->addLayout(knobs);

  auto* generator = new QGroupBox(QStringLiteral("Звуковой генератор (вход Y)"));
  auto* g = new QGridLayout(generator);
  coarseSpin = new QSpinBox;
  coarseSpin->setRange(static_cast<int>(kMinDialHz), static_cast<int>(kMaxDialHz));
  coarseSpin->setValue(100);
  coarseSpin->setSuffix(QStringLiteral(" Гц"));
  coarseSpin->setAccessibleName(QStringLiteral("Частота генератора, грубо"));
  fineSpin = new QDoubleSpinBox;
  fineSpin->setRange(0, 0.99);
  fineSpin->setSingleStep(0.01);
  fineSpin->setDecimals(2);
  fineSpin->setSuffix(QStringLiteral(" Гц"));
  fineSpin->setAccessibleName(QStringLiteral("Частота генератора, точно"));
  dialLabel = new QLabel;
  dialLabel->setAccessibleDescription(QStringLiteral("Шкала генератора"));
  auto* scale_class = new QLabel(QStringLiteral("погрешность шкалы ±1 %"));
  g->addWidget(new QLabel(QStringLiteral("Грубо:")), 0, 0);
  g->addWidget(coarseSpin, 0, 1);
  g->addWidget(new QLabel(QStringLiteral("Точно:")), 0, 2);
  g->addWidget(fineSpin, 0, 3);
  g->addWidget(dialLabel, 1, 0, 1, 2);
  g->addWidget(scale_class, 1, 2, 1, 2);
  layout->addWidget(generator);
  connect(coarseSpin, &QSpinBox::valueChanged, this, &LabWindow::refreshDial);
  connect(fineSpin, &QDoubleSpinBox::valueChanged, this, &LabWindow::refreshDial);
  return panel;
}

QWidget* LabWindow::createFrequencyTask() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* hint = new QLabel(QStringLiteral(
      "На входе X — исследуемый сигнал, на входе Y — генератор. Добейтесь неподвижной фигуры, "
      "сосчитайте пересечения с горизонтальной (Nг) и вертикальной (Nв) линиями и запишите "
      "строку. fx = fген·Nв/Nг. Нужно не меньше пяти разных отношений."));
  hint->setWordWrap(true);
  layout->addWidget(hint);
  auto* row = new QHBoxLayout;
  ngEdit = field(QStringLiteral("Nг, пересечения с горизонтальной линией"));
  nvEdit = field(QStringLiteral("Nв, пересечения с вертикальной линией"));
  recordFrequencyButton = new QPushButton(QStringLiteral("Записать"));
  recordFrequencyButton->setAccessibleName(QStringLiteral("Записать строку частоты"));
  row->addWidget(new QLabel(QStringLiteral("Nг:")));
  row->addWidget(ngEdit);
  row->addWidget(new QLabel(QStringLiteral("Nв:")));
  row->addWidget(nvEdit);
  row->addWidget(recordFrequencyButton);
  row->addStretch();
  layout->addLayout(row);
  frequencyMessage = message_label();
  frequencyMessage->setAccessibleDescription(QStringLiteral("Сообщение к строке частоты"));
  layout->addWidget(frequencyMessage);
  frequencyTable =
      table({QStringLiteral("№"), QStringLiteral("Фигура"), QStringLiteral("Nг"),
             QStringLiteral("Nв"), QStringLiteral("fген, Гц"), QStringLiteral("fx, Гц")},
            QStringLiteral("Таблица частот"));
  layout->addWidget(frequencyTable, 1);
  frequencyResult = new QLabel;
  frequencyResult->setWordWrap(true);
  frequencyResult->setAccessibleDescription(QStringLiteral("Результат: частота"));
  layout->addWidget(frequencyResult);
  return page;
}

QWidget* LabWindow::createPhaseTask() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* hint = new QLabel(QStringLiteral(
      "Оба входа получают одну частоту генератора через фазовращатель. Измерьте отрезками хорду b "
      "на вертикальной оси и высоту эллипса a в делениях (точность отсчёта 0,1 дел) при трёх и "
      "более положениях ручек. sin φ₀ = b/a."));
  hint->setWordWrap(true);
  layout->addWidget(hint);
  auto* row = new QHBoxLayout;
  bEdit = field(QStringLiteral("b, хорда на вертикальной оси, дел"));
  aEdit = field(QStringLiteral("a, высота эллипса, дел"));
  recordPhaseButton = new QPushButton(QStringLiteral("Записать"));
  recordPhaseButton->setAccessibleName(QStringLiteral("Записать строку хорд"));
  row->addWidget(new QLabel(QStringLiteral("b:")));
  row->addWidget(bEdit);
  row->addWidget(new QLabel(QStringLiteral("a:")));
  row->addWidget(aEdit);
  row->addWidget(recordPhaseButton);
  row->addStretch();
  layout->addLayout(row);
  tiltCombo = new QComboBox;
  tiltCombo->addItem(tilt_text(Tilt::kFirstThird));
  tiltCombo->addItem(tilt_text(Tilt::kSecondFourth));
  tiltCombo->setAccessibleName(QStringLiteral("Наклон эллипса"));
  layout->addWidget(tiltCombo);
  phaseMessage = message_label();
  phaseMessage->setAccessibleDescription(QStringLiteral("Сообщение к строке хорд"));
  layout->addWidget(phaseMessage);
  phaseTable = table({QStringLiteral("№"), QStringLiteral("Фигура"), QStringLiteral("b, дел"),
                      QStringLiteral("a, дел"), QStringLiteral("sin φ₀"), QStringLiteral("φ₀, °"),
                      QStringLiteral("δφ, °")},
                     QStringLiteral("Таблица хорд"));
  layout->addWidget(phaseTable, 1);
  phaseResult = new QLabel;
  phaseResult->setWordWrap(true);
  phaseResult->setAccessibleDescription(QStringLiteral("Результат: сдвиг фаз"));
  layout->addWidget(phaseResult);
  return page;
}

double LabWindow::gain(const QComboBox* combo) const { return combo->currentData().toDouble(); }

double LabWindow::dialHz() const {
  return std::min(kMaxDialHz, coarseSpin->value() + std::round(fineSpin->value() * 100) / 100);
}

void LabWindow::setDial(double hz) {
  const double clamped = std::clamp(hz, kMinDialHz, kMaxDialHz);
  const double whole = std::floor(clamped + 1e-9);
  coarseSpin->setValue(static_cast<int>(whole));
  fineSpin->setValue(std::round((clamped - whole) * 100) / 100);
}

void LabWindow::refreshDial() {
  dialLabel->setText(QStringLiteral("Шкала: %1 Гц").arg(comma_number(dialHz(), 2)));
  routeSignals();
}

// What each input carries in the task shown.
void LabWindow::routeSignals() {
  const double generator = variant_.output_hz(dialHz());
  if (tasks->currentIndex() == 0) {
    beam_.x = {variant_.fx_hz(), variant_.ax_volts(), 0};
    beam_.y = {generator, kGeneratorVolts, 0};
  } else {
    const double shift = variant_.shift_deg() * std::numbers::pi / 180;
    // Both from one generator: the phases stay locked, the shifter delays Y.
    beam_.set_phases(beam_.phase_x(), beam_.phase_x());
    beam_.x = {generator, variant_.shifter_ax_volts(), 0};
    beam_.y = {generator, variant_.shifter_ay_volts(), shift};
  }
}

void LabWindow::startTyped() {
  const std::optional<int> code = parse_variant_code(variantEdit->text().toStdString());
  if (!code) {
    platform_.message_box(this, QStringLiteral("Код варианта — целое число от 1 до 99999."),
                          QStringLiteral("Ошибка"), MessageButtons::Ok);
    return;
  }
  if (mayDropWork()) startVariant(*code);
}

void LabWindow::startNew() {
  if (mayDropWork())
    startVariant(variant_code_from_entropy(QRandomGenerator::system()->generate()));
}

bool LabWindow::mayDropWork() {
  if (frequency_rows_.empty() && chord_rows_.empty()) return true;
  return platform_.message_box(this,
                               QStringLiteral("Начать другой вариант? Записанные строки и "
                                              "проверки этого варианта будут удалены."),
                               windowTitle(), MessageButtons::YesNo) == MessageAnswer::Yes;
}

void LabWindow::startVariant(int code) {
  variant_ = lab_variant(code);
  variantEdit->setText(QString::number(code));
  frequency_rows_.clear();
  frequency_snapshots_.clear();
  chord_rows_.clear();
  chord_snapshots_.clear();
  checks_.clear();
  mistakes_.clear();
  beam_.set_phases(variant_.phase_x_rad(), 0);
  screen->clearGlow();
  overlay->clearMeasurements();
  frequencyMessage->clear();
  phaseMessage->clear();
  refreshDial();
  refreshTables();
}

void LabWindow::advanceFrame() {
  const std::int64_t now = platform_.clock_ns();
  const double dt = (now - last_ns_) * 1e-9;
  last_ns_ = now;
  if (!(dt > 0)) return;
  const double persistence = persistenceSpin->value() / 1000.0;
  stretch_ = beam_.advance(dt, persistence);
  const double gx = gain(gainXCombo), gy = gain(gainYCombo);
  const double px = positionXSpin->value(), py = positionYSpin->value();
  std::vector<TracePoint> divisions;
  divisions.reserve(stretch_.size());
  for (const BeamPoint& p : stretch_) divisions.push_back({p.x / gx + px, p.y / gy + py});
  screen->frame(divisions, afterglow_brightness(dt, persistence));
}

void LabWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  last_ns_ = platform_.clock_ns();
  frames_->start();
}

void LabWindow::hideEvent(QHideEvent* event) {
  frames_->stop();
  QDialog::hideEvent(event);
}

QImage LabWindow::takeSnapshot() const { return screen->snapshot(kSnapshotSize); }

void LabWindow::recordFrequency() {
  const auto ng = parse_count(ngEdit->text().toStdString());
  const auto nv = parse_count(nvEdit->text().toStdString());
  if (!ng || !nv) {
    frequencyMessage->setText(QStringLiteral("%1: введите целое число пересечений от 1 до 99.")
                                  .arg(!ng ? QStringLiteral("Nг") : QStringLiteral("Nв")));
    (!ng ? ngEdit : nvEdit)->setFocus();
    return;
  }
  if (frequency_rows_.size() >= static_cast<std::size_t>(kMostLabRows)) {
    frequencyMessage->setText(QStringLiteral("Таблица заполнена."));
    return;
  }
  frequency_rows_.push_back({*ng, *nv, dialHz()});
  frequency_snapshots_.push_back(takeSnapshot());
  frequencyMessage->clear();
  ngEdit->clear();
  nvEdit->clear();
  refreshTables();
}

void LabWindow::recordPhase() {
  const auto b = parse_reading(bEdit->text().toStdString());
  const auto a = parse_reading(aEdit->text().toStdString());
  if (!b || !a || *b > kMostDivisions || *a > kMostDivisions) {
    phaseMessage->setText(
        QStringLiteral("%1: введите число делений от 0 до 10, например 2,4.")
            .arg(!b || *b > kMostDivisions ? QStringLiteral("b") : QStringLiteral("a")));
    return;
  }
  const ChordReading reading = phase_from_chords(*b, *a);
  if (!reading.accepted()) {
    phaseMessage->setText(QString::fromStdString(reading.refusal));
    return;
  }
  if (chord_rows_.size() >= static_cast<std::size_t>(kMostLabRows)) {
    phaseMessage->setText(QStringLiteral("Таблица заполнена."));
    return;
  }
  chord_rows_.push_back({*b, *a});
  chord_snapshots_.push_back(takeSnapshot());
  phaseMessage->clear();
  bEdit->clear();
  aEdit->clear();
  refreshTables();
}

void LabWindow::refreshTables() {
  frequencyTable->setRowCount(static_cast<int>(frequency_rows_.size()));
  for (int i = 0; i < frequencyTable->rowCount(); ++i) {
    const FrequencyRow& r = frequency_rows_[static_cast<std::size_t>(i)];
    frequencyTable->setItem(i, 0, cell(QString::number(i + 1)));
    frequencyTable->setItem(i, 1, thumb(frequency_snapshots_[static_cast<std::size_t>(i)]));
    frequencyTable->setItem(i, 2, cell(QString::number(r.ng)));
    frequencyTable->setItem(i, 3, cell(QString::number(r.nv)));
    frequencyTable->setItem(i, 4, cell(comma_number(r.dial_hz, 2)));
    frequencyTable->setItem(i, 5, cell(comma_number(r.fx_hz(), 2)));
  }
  frequencyResult->setText(frequency_result_lines(frequency_rows_).join('\n'));

  phaseTable->setRowCount(static_cast<int>(chord_rows_.size()));
  for (int i = 0; i < phaseTable->rowCount(); ++i) {
    const ChordRow& r = chord_rows_[static_cast<std::size_t>(i)];
    const ChordReading p = phase_from_chords(r.b, r.a);
    phaseTable->setItem(i, 0, cell(QString::number(i + 1)));
    phaseTable->setItem(i, 1, thumb(chord_snapshots_[static_cast<std::size_t>(i)]));
    phaseTable->setItem(i, 2, cell(comma_number(r.b, 2)));
    phaseTable->setItem(i, 3, cell(comma_number(r.a, 2)));
    phaseTable->setItem(i, 4, cell(comma_number(p.sin_phi0, 3)));
    phaseTable->setItem(i, 5, cell(comma_number(p.phi0_deg, 1)));
    phaseTable->setItem(i, 6,
                        cell(p.interval ? QStringLiteral("%1 … 90").arg(comma_number(p.low_deg, 1))
                                        : comma_number(p.error_deg, 1)));
  }
  phaseResult->setText(phase_result_lines(chord_rows_, current_tilt(tiltCombo)).join('\n'));
  refreshVerdict();
}

void LabWindow::refreshVerdict() {
  QStringList lines;
  for (const CheckRecord& c : checks_) lines << QStringLiteral("Проверка ") + check_text(c);
  lines << mistakes_;
  if (revealed()) lines << hidden_text(variant_);
  verdictLabel->setText(lines.join('\n'));
}

void LabWindow::checkWork() {
  const bool frequency = frequency_ready(frequency_rows_);
  const bool phase = phase_ready(chord_rows_);
  if (!frequency && !phase) {
    platform_.message_box(this,
                          QStringLiteral("Проверять пока нечего: нужно не меньше пяти строк с "
                                         "разными отношениями\r\nв первом задании или трёх строк "
                                         "во втором."),
                          windowTitle(), MessageButtons::Ok);
    return;
  }
  CheckRecord c;
  c.time =
      QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")).toStdString();
  mistakes_.clear();
  if (frequency) {
    const Verdict v = grade_frequency(frequency_rows_, kScaleClass, variant_.fx_hz());
    c.frequency_graded = true;
    c.frequency_passed = v.passed;
    if (!v.mistake.empty())
      mistakes_ << QStringLiteral("Частота: ") + QString::fromStdString(v.mistake);
  }
  if (phase) {
    const Verdict v = grade_phase(chord_rows_, current_tilt(tiltCombo), variant_.shift_deg());
    c.phase_graded = true;
    c.phase_passed = v.passed;
    if (!v.mistake.empty())
      mistakes_ << QStringLiteral("Сдвиг фаз: ") + QString::fromStdString(v.mistake);
  }
  checks_.push_back(c);
  refreshVerdict();
}

LabState LabWindow::state() const {
  LabState s;
  s.code = variant_.code;
  s.name = nameEdit->text().toStdString();
  s.group = groupEdit->text().toStdString();
  s.frequency_rows = frequency_rows_;
  s.chord_rows = chord_rows_;
  s.tilt = current_tilt(tiltCombo);
  s.checks = checks_;
  return s;
}

void LabWindow::saveWork() {
  const QString path = platform_.save_file_name(
      this, QStringLiteral("Сохранить работу"), {kWorkFilter},
      QStringLiteral("лабораторная-%1.orvlab").arg(variant_.code), nullptr);
  if (path.isEmpty()) return;
  const QByteArray bytes = lab_file_bytes({state(), frequency_snapshots_, chord_snapshots_});
  const QString error =
      save_safely(path, [&bytes](QSaveFile& file) { return file.write(bytes) == bytes.size(); });
  if (!error.isEmpty()) {
    platform_.message_box(this, save_failure_message(QStringLiteral("работу"), path, error),
                          QStringLiteral("Ошибка"), MessageButtons::Ok);
  }
}

void LabWindow::openWork() {
  const QString path =
      platform_.open_file_name(this, QStringLiteral("Открыть работу"), {kWorkFilter});
  if (path.isEmpty()) return;
  QFile file(path);
  LabFileRead read;
  if (!file.open(QIODevice::ReadOnly)) {
    read.error = QStringLiteral("Файл не открыт: его нельзя прочитать.");
  } else {
    read = read_lab_file(file.read(kLabFileMostBytes + 1));
  }
  if (!read.file) {
    platform_.message_box(this, read.error, QStringLiteral("Ошибка"), MessageButtons::Ok);
    return;
  }
  const LabState& s = read.file->state;
  // A check once made stays on record, whatever the file says.
  const std::vector<CheckRecord> kept =
      s.code == variant_.code ? merged_checks(checks_, s.checks) : s.checks;
  startVariant(s.code);
  nameEdit->setText(QString::fromStdString(s.name));
  groupEdit->setText(QString::fromStdString(s.group));
  tiltCombo->setCurrentIndex(s.tilt == Tilt::kSecondFourth ? 1 : 0);
  frequency_rows_ = s.frequency_rows;
  frequency_snapshots_ = read.file->frequency_snapshots;
  chord_rows_ = s.chord_rows;
  chord_snapshots_ = read.file->chord_snapshots;
  checks_ = kept;
  refreshTables();
}

void LabWindow::saveReport() {
  const QString path = platform_.save_file_name(
      this, QStringLiteral("Сохранить отчёт"), {QStringLiteral("Документ PDF (*.pdf)")},
      QStringLiteral("отчёт-%1.pdf").arg(variant_.code), nullptr);
  if (path.isEmpty()) return;
  LabReport report;
  report.file = {state(), frequency_snapshots_, chord_snapshots_};
  report.variant = variant_;
  report.date = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
  const QString error = write_lab_report(path, report);
  if (!error.isEmpty()) {
    platform_.message_box(this, save_failure_message(QStringLiteral("отчёт"), path, error),
                          QStringLiteral("Ошибка"), MessageButtons::Ok);
  }
}

}  // namespace orvinda
