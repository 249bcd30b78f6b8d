#include "tools/self_check/self_check_window.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "platform/platform.h"
#include "platform/save_failure.h"
#include "plot/plot_surface.h"
#include "tools/self_check/model/quarter_phase.h"
#include "tools/self_check/model/self_check_result.h"
#include "tools/self_check/model/self_check_variant.h"
#include "tools/self_check/self_check_explanation.h"
#include "tools/self_check/self_check_figure.h"
#include "tools/self_check/self_check_report.h"
#include "ui/app_setup.h"
#include "ui/plot_look.h"

namespace orvinda {

namespace {

const QString kTitle = QStringLiteral("Проверь себя");

QString q(const std::string& text) { return QString::fromStdString(text); }

// "1 : 2, Δφ = π/2, замкнутая": the table's column says what the ratio is.
QString short_answer(const Answer& answer) {
  return q(ratio_text(answer.ratio)) + QStringLiteral(", Δφ = ") +
         q(quarters_text(answer.phase_quarters)) + QStringLiteral(", ") +
         q(third_choice_text(answer.third));
}

// Keeps its one child the largest square that fits, at the top, centred across.
class SquareHolder : public QWidget {
 public:
  SquareHolder(QWidget* child, QWidget* parent) : QWidget(parent), child_(child) {
    child_->setParent(this);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  }
  QSize sizeHint() const override { return {460, 460}; }
  QSize minimumSizeHint() const override { return {300, 300}; }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    const int side = std::min(width(), height());
    child_->setGeometry((width() - side) / 2, 0, side, side);
  }

 private:
  QWidget* child_;
};

void name(QWidget* widget, const QString& accessible, const QString& tooltip = QString()) {
  widget->setAccessibleName(accessible);
  if (!tooltip.isEmpty()) {
    widget->setToolTip(tooltip);
    widget->setAccessibleDescription(tooltip);
  }
}

void uncheck_all(QButtonGroup* group) {
  group->setExclusive(false);
  for (QAbstractButton* button : group->buttons()) button->setChecked(false);
  group->setExclusive(true);
}

}  // namespace

SelfCheckWindow::SelfCheckWindow(Platform& platform, QWidget* parent)
    : QDialog(parent), platform_(platform) {
  setObjectName(QStringLiteral("SelfCheckWindow"));
  setWindowTitle(kTitle);
  setWindowIcon(program_icon());
  setWindowFlag(Qt::WindowMinMaxButtonsHint, true);
  setModal(false);
  createControls();
  resize(920, 700);
  startVariant(variant_code_from_entropy(QRandomGenerator::system()->generate()));
}

SelfCheckWindow::~SelfCheckWindow() = default;

void SelfCheckWindow::createControls() {
  auto* variant_label = new QLabel(QStringLiteral("&Вариант №"), this);
  variantEdit = new QLineEdit(this);
  variantEdit->setObjectName(QStringLiteral("variantEdit"));
  variantEdit->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), this));
  variantEdit->setMaxLength(5);
  variantEdit->setFixedWidth(80);
  name(variantEdit, QStringLiteral("Номер варианта"),
       QStringLiteral("Номер от 1 до 99999: один номер даёт одни и те же задания на любом "
                      "компьютере. Enter начинает вариант."));
  variant_label->setBuddy(variantEdit);
  variantEdit->installEventFilter(this);

  startButton = new QPushButton(QStringLiteral("Начать"), this);
  startButton->setObjectName(QStringLiteral("startButton"));
  name(startButton, QStringLiteral("Начать вариант с этим номером"));
  connect(startButton, &QPushButton::clicked, this, [this] { startTyped(); });

  newVariantButton = new QPushButton(QStringLiteral("Новый вариант"), this);
  newVariantButton->setObjectName(QStringLiteral("newVariantButton"));
  name(newVariantButton, QStringLiteral("Новый вариант"),
       QStringLiteral("Начать серию со случайным номером варианта"));
  connect(newVariantButton, &QPushButton::clicked, this, [this] { startNew(); });

  auto* student_label = new QLabel(QStringLiteral("&Ученик"), this);
  studentEdit = new QLineEdit(this);
  studentEdit->setObjectName(QStringLiteral("studentEdit"));
  studentEdit->setMaxLength(80);
  studentEdit->setMinimumWidth(160);
  name(studentEdit, QStringLiteral("Фамилия и имя ученика"),
       QStringLiteral("Печатается в итоге; остаётся для следующих вариантов"));
  student_label->setBuddy(studentEdit);
  auto* class_label = new QLabel(QStringLiteral("&Класс"), this);
  classEdit = new QLineEdit(this);
  classEdit->setObjectName(QStringLiteral("classEdit"));
  classEdit->setMaxLength(20);
  classEdit->setFixedWidth(70);
  name(classEdit, QStringLiteral("Класс"),
       QStringLiteral("Печатается в итоге; остаётся для следующих вариантов"));
  class_label->setBuddy(classEdit);

  auto* top = new QHBoxLayout;
  top->addWidget(variant_label);
  top->addWidget(variantEdit);
  top->addWidget(startButton);
  top->addSpacing(12);
  top->addWidget(newVariantButton);
  top->addStretch(1);
  top->addWidget(student_label);
  top->addWidget(studentEdit, 1);
  top->addSpacing(8);
  top->addWidget(class_label);
  top->addWidget(classEdit);

  figure = new PlotSurface;
  figure->setObjectName(QStringLiteral("figure"));
  style_plot_surface(figure);
  name(figure, QStringLiteral("Фигура задания"),
       QStringLiteral("Фигура, начальная точка и стрелка направления движения; после проверки "
                      "на ней отмечены касания со сторонами и отсчёт разности фаз"));
  figure->installEventFilter(this);
  auto* holder = new SquareHolder(figure, this);

  taskLabel = new QLabel(this);
  taskLabel->setObjectName(QStringLiteral("taskLabel"));
  QFont bold = taskLabel->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.2);
  taskLabel->setFont(bold);

  pages = new QStackedWidget(this);
  pages->addWidget(createAnswerPage());
  pages->addWidget(createResultPage());

  auto* column = new QWidget(this);
  column->setMinimumWidth(300);
  column->setMaximumWidth(430);
  column->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  auto* right = new QVBoxLayout(column);
  right->setContentsMargins(0, 0, 0, 0);
  right->addWidget(taskLabel);
  right->addWidget(pages, 1);

  auto* middle = new QHBoxLayout;
  middle->addWidget(holder, 1);
  middle->addWidget(column, 1);

  explanationLabel = new QLabel(this);
  explanationLabel->setObjectName(QStringLiteral("explanationLabel"));
  explanationLabel->setWordWrap(true);
  explanationLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  explanationLabel->setTextFormat(Qt::RichText);
  explanationLabel->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                            Qt::TextSelectableByKeyboard);
  explanationLabel->setFocusPolicy(Qt::NoFocus);
  // The name is the text itself, as on every readout; what it is, is said
  // by the description.
  explanationLabel->setAccessibleDescription(QStringLiteral("Объяснение"));
  auto* scroll = new QScrollArea(this);
  scroll->setWidget(explanationLabel);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setMinimumHeight(130);
  scroll->setFocusPolicy(Qt::NoFocus);
  name(scroll, QStringLiteral("Объяснение"));

  showInMainButton = new QPushButton(QStringLiteral("Показать в главном окне"), this);
  showInMainButton->setObjectName(QStringLiteral("showInMainButton"));
  name(showInMainButton, QStringLiteral("Показать в главном окне"),
       QStringLiteral("Записать значения этой фигуры в поля главного окна (кроме времени опыта)"));
  connect(showInMainButton, &QPushButton::clicked, this, [this] { sendToMainWindow(); });
  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(showInMainButton);

  auto* all = new QVBoxLayout(this);
  all->addLayout(top);
  all->addLayout(middle, 1);
  all->addWidget(scroll);
  all->addLayout(bottom);

  setTabOrder(variantEdit, startButton);
  setTabOrder(startButton, newVariantButton);
  setTabOrder(newVariantButton, studentEdit);
  setTabOrder(studentEdit, classEdit);
}

QWidget* SelfCheckWindow::createAnswerPage() {
  auto* page = new QWidget;
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(0, 0, 0, 0);

  ratioBox = new QGroupBox(QStringLiteral("&Отношение частот ωx : ωy"), page);
  ratioBox->setObjectName(QStringLiteral("ratioBox"));
  name(ratioBox, QStringLiteral("Отношение частот"));
  ratio_group_ = new QButtonGroup(this);
  auto* ratio_grid = new QGridLayout(ratioBox);
  for (std::size_t i = 0; i < answer_ratios().size(); ++i) {
    const QString text = q(ratio_text(answer_ratios()[i]));
    auto* button = new QRadioButton(text, ratioBox);
    name(button, QStringLiteral("Отношение частот ") + text);
    ratio_group_->addButton(button, static_cast<int>(i));
    button->installEventFilter(this);
    ratio_grid->addWidget(button, static_cast<int>(i) / 3, static_cast<int>(i) % 3);
    ratioButtons << button;
  }
  connect(ratio_group_, &QButtonGroup::idToggled, this, [this](int, bool on) {
    if (on) ratioChosen();
  });

  phaseBox = new QGroupBox(QStringLiteral("&Разность фаз Δφ"), page);
  phaseBox->setObjectName(QStringLiteral("phaseBox"));
  name(phaseBox, QStringLiteral("Разность фаз"));
  phase_group_ = new QButtonGroup(this);
  auto* phase_row = new QHBoxLayout(phaseBox);
  for (int quarters = 0; quarters <= 4; ++quarters) {
    const QString text = q(quarters_text(quarters));
    auto* button = new QRadioButton(text, phaseBox);
    name(button, QStringLiteral("Разность фаз ") + text);
    phase_group_->addButton(button, quarters);
    button->installEventFilter(this);
    phase_row->addWidget(button);
    phaseButtons << button;
  }
  connect(phase_group_, &QButtonGroup::idToggled, this, [this] { updateCheckButton(); });

  thirdBox = new QGroupBox(page);
  thirdBox->setObjectName(QStringLiteral("thirdBox"));
  third_group_ = new QButtonGroup(this);
  third_layout_ = new QGridLayout(thirdBox);
  third_note_ = new QLabel(QStringLiteral("Сначала выберите отношение частот"), thirdBox);
  third_layout_->addWidget(third_note_, 0, 0);
  {
    // As tall as with its most choices (three, for 1 : 1) in every state, so
    // the buttons below stay where they are while the answer is chosen.
    thirdBox->setTitle(QStringLiteral("&Направление обхода"));
    third_note_->hide();
    std::vector<std::unique_ptr<QRadioButton>> most;
    for (int row = 0; row < 3; ++row) {
      most.push_back(std::make_unique<QRadioButton>(QStringLiteral("против часовой стрелки")));
      third_layout_->addWidget(most.back().get(), row, 0);
      most.back()->ensurePolished();
    }
    thirdBox->setMinimumHeight(thirdBox->sizeHint().height());
    third_layout_->setAlignment(Qt::AlignTop);  // fewer choices stand at the top
    most.clear();
    third_note_->show();
  }
  connect(third_group_, &QButtonGroup::idToggled, this, [this] { updateCheckButton(); });

  checkButton = new QPushButton(QStringLiteral("Проверить"), page);
  checkButton->setObjectName(QStringLiteral("checkButton"));
  name(checkButton, QStringLiteral("Проверить ответ"),
       QStringLiteral("Оценить ответ и показать объяснение (Enter)"));
  connect(checkButton, &QPushButton::clicked, this, [this] { check(); });
  nextButton = new QPushButton(QStringLiteral("Следующее"), page);
  nextButton->setObjectName(QStringLiteral("nextButton"));
  name(nextButton, QStringLiteral("Следующее задание"),
       QStringLiteral("К следующему заданию (Enter после проверки)"));
  connect(nextButton, &QPushButton::clicked, this, [this] { next(); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(checkButton);
  buttons->addWidget(nextButton);
  buttons->addStretch(1);

  column->addWidget(ratioBox);
  column->addWidget(phaseBox);
  column->addWidget(thirdBox);
  column->addLayout(buttons);
  column->addStretch(1);
  return page;
}

QWidget* SelfCheckWindow::createResultPage() {
  auto* page = new QWidget;
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(0, 0, 0, 0);

  scoreLabel = new QLabel(page);
  scoreLabel->setObjectName(QStringLiteral("scoreLabel"));
  QFont large = scoreLabel->font();
  large.setBold(true);
  large.setPointSizeF(large.pointSizeF() * 1.4);
  scoreLabel->setFont(large);
  scoreLabel->setAccessibleDescription(QStringLiteral("Итог"));

  resultTable = new QTableWidget(0, 4, page);
  resultTable->setObjectName(QStringLiteral("resultTable"));
  resultTable->setHorizontalHeaderLabels({QStringLiteral("№"), QStringLiteral("Ваш ответ"),
                                          QStringLiteral("Правильный ответ"),
                                          QStringLiteral("Итог")});
  resultTable->verticalHeader()->hide();
  resultTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  resultTable->setSelectionBehavior(QAbstractItemView::SelectRows);
  resultTable->setSelectionMode(QAbstractItemView::SingleSelection);
  resultTable->setWordWrap(true);
  resultTable->setTabKeyNavigation(false);
  resultTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  resultTable->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  resultTable->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
  resultTable->horizontalHeader()->setSectionResizeMode(3, QHeaderView::ResizeToContents);
  name(resultTable, QStringLiteral("Ответы по заданиям"),
       QStringLiteral("Выберите строку, чтобы увидеть фигуру задания с объяснением"));
  connect(resultTable, &QTableWidget::currentCellChanged, this, [this](int row) {
    if (row >= 0 && row < static_cast<int>(tasks_.size())) reviewTask(row);
  });

  savePdfButton = new QPushButton(QStringLiteral("Сохранить в PDF…"), page);
  savePdfButton->setObjectName(QStringLiteral("savePdfButton"));
  name(savePdfButton, QStringLiteral("Сохранить итог в PDF"),
       QStringLiteral("Итог, ответы и фигуры с объяснениями — в документ PDF"));
  connect(savePdfButton, &QPushButton::clicked, this, [this] { savePdf(); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(savePdfButton);
  buttons->addStretch(1);

  column->addWidget(scoreLabel);
  column->addWidget(resultTable, 1);
  column->addLayout(buttons);
  return page;
}

bool SelfCheckWindow::showingResult() const { return pages->currentIndex() == 1; }

std::optional<Answer> SelfCheckWindow::chosenAnswer() const {
  const int ratio = ratio_group_->checkedId();
  const int phase = phase_group_->checkedId();
  const int third = third_group_->checkedId();
  if (ratio < 0 || phase < 0 || third < 0) return std::nullopt;
  if (third >= static_cast<int>(third_values_.size())) return std::nullopt;
  return Answer{answer_ratios()[static_cast<std::size_t>(ratio)], phase,
                third_values_[static_cast<std::size_t>(third)]};
}

void SelfCheckWindow::startVariant(int code) {
  code_ = code;
  tasks_ = variant_tasks(code);
  answers_.assign(tasks_.size(), std::nullopt);
  saved_ = false;
  variantEdit->setText(QString::number(code));
  showTask(0);
}

bool SelfCheckWindow::mayDropAnswers(int code) {
  const bool answered = std::any_of(answers_.begin(), answers_.end(),
                                    [](const std::optional<Answer>& a) { return a.has_value(); });
  if (!answered || saved_) return true;
  const QString text = QStringLiteral("Начать вариант № %1? Ответы этой серии пропадут.").arg(code);
  return platform_.message_box(this, text, kTitle, MessageButtons::YesNo) == MessageAnswer::Yes;
}

void SelfCheckWindow::startTyped() {
  const std::optional<int> code = parse_variant_code(variantEdit->text().toStdString());
  if (!code) {
    platform_.message_box(this, QStringLiteral("Номер варианта — целое число от 1 до 99999."),
                          QStringLiteral("Ошибка"), MessageButtons::Ok);
    variantEdit->setFocus();
    variantEdit->selectAll();
    return;
  }
  if (mayDropAnswers(*code)) {
    startVariant(*code);
  } else {
    variantEdit->setText(QString::number(code_));
  }
}

void SelfCheckWindow::startNew() {
  const int code = variant_code_from_entropy(QRandomGenerator::system()->generate());
  if (mayDropAnswers(code)) startVariant(code);
}

void SelfCheckWindow::showTask(int index) {
  index_ = index;
  shown_ = index;
  pages->setCurrentIndex(0);
  taskLabel->setText(QStringLiteral("Задание %1 из %2").arg(index + 1).arg(tasks_.size()));
  clearChoices();
  for (QGroupBox* box : {ratioBox, phaseBox, thirdBox}) box->setEnabled(true);
  rebuildThirdChoices();
  nextButton->setEnabled(false);
  nextButton->setText(index + 1 < static_cast<int>(tasks_.size()) ? QStringLiteral("Следующее")
                                                                  : QStringLiteral("Итог"));
  checkButton->setDefault(true);
  updateCheckButton();
  redrawFigure();
  showExplanation();
  updateShowInMain();
  ratioButtons.front()->setFocus();
}

void SelfCheckWindow::clearChoices() {
  uncheck_all(ratio_group_);
  uncheck_all(phase_group_);
  uncheck_all(third_group_);
}

void SelfCheckWindow::ratioChosen() {
  rebuildThirdChoices();
  updateCheckButton();
}

// The third group's choices follow the kind of ratio chosen; a choice made
// stays while the kind does not change.
void SelfCheckWindow::rebuildThirdChoices() {
  const int ratio = ratio_group_->checkedId();
  int kind = 0;
  if (ratio >= 0) kind = is_one_to_one(answer_ratios()[static_cast<std::size_t>(ratio)]) ? 2 : 1;
  if (kind == third_kind_) return;
  third_kind_ = kind;

  for (QRadioButton* button : thirdButtons) {
    third_group_->removeButton(button);
    delete button;
  }
  thirdButtons.clear();
  third_values_.clear();
  if (kind == 0) {
    thirdBox->setTitle(QStringLiteral("Третий ответ"));
    name(thirdBox, QStringLiteral("Третий ответ: направление обхода или замкнутость"));
    third_note_->show();
    return;
  }
  third_note_->hide();
  const bool direction = kind == 2;
  thirdBox->setTitle(direction ? QStringLiteral("&Направление обхода") : QStringLiteral("&Фигура"));
  name(thirdBox, direction ? QStringLiteral("Направление обхода") : QStringLiteral("Фигура"));
  int id = 0;
  QWidget* previous = phaseButtons.back();
  for (ThirdChoice choice : third_choices(answer_ratios()[static_cast<std::size_t>(ratio)])) {
    const QString text = q(third_choice_text(choice));
    auto* button = new QRadioButton(text, thirdBox);
    name(button, (direction ? QStringLiteral("Направление: ") : QStringLiteral("Фигура: ")) + text);
    third_group_->addButton(button, id);
    button->installEventFilter(this);
    third_layout_->addWidget(button, id, 0);
    button->show();  // at once, not at the next turn of the event loop: Tab must find it
    ++id;
    thirdButtons << button;
    third_values_.push_back(choice);
    setTabOrder(previous, button);
    previous = button;
  }
  setTabOrder(previous, checkButton);
}

void SelfCheckWindow::updateCheckButton() {
  const bool answered = index_ < static_cast<int>(answers_.size()) && answers_[index_];
  checkButton->setEnabled(!answered && chosenAnswer().has_value());
}

void SelfCheckWindow::check() {
  if (showingResult() || index_ >= static_cast<int>(tasks_.size()) || answers_[index_]) return;
  const std::optional<Answer> answer = chosenAnswer();
  if (!answer) return;
  answers_[index_] = answer;
  saved_ = false;
  shown_ = index_;
  for (QGroupBox* box : {ratioBox, phaseBox, thirdBox}) box->setEnabled(false);
  checkButton->setEnabled(false);
  nextButton->setEnabled(true);
  nextButton->setDefault(true);
  nextButton->setFocus();
  redrawFigure();
  showExplanation();
  updateShowInMain();
}

void SelfCheckWindow::next() {
  if (showingResult() || !answers_[index_]) return;
  if (index_ + 1 < static_cast<int>(tasks_.size())) {
    showTask(index_ + 1);
  } else {
    showResult();
  }
}

void SelfCheckWindow::showResult() {
  index_ = static_cast<int>(tasks_.size());
  pages->setCurrentIndex(1);
  taskLabel->setText(QStringLiteral("Итог варианта № %1").arg(code_));
  checkButton->setDefault(false);
  nextButton->setDefault(false);

  const SeriesResult result = series_result(tasks_, answers_);
  scoreLabel->setText(q(result.score));
  const QSignalBlocker quiet(resultTable);
  resultTable->setRowCount(static_cast<int>(tasks_.size()));
  for (std::size_t i = 0; i < tasks_.size(); ++i) {
    const int row = static_cast<int>(i);
    const QString given = answers_[i] ? short_answer(*answers_[i]) : QStringLiteral("нет ответа");
    const ResultRow& r = result.rows[i];
    // A task counts whole only with all its parts; otherwise the parts it earned.
    const QString verdict =
        r.right ? QStringLiteral("верно")
                : QStringLiteral("%1 из %2").arg(r.parts.count()).arg(kPartsPerTask);
    const QString cells[4] = {QString::number(i + 1), given, short_answer(right_answer(tasks_[i])),
                              verdict};
    for (int column = 0; column < 4; ++column) {
      resultTable->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    QTableWidgetItem* last = resultTable->item(row, 3);
    last->setForeground(r.right ? QColor(0, 100, 0) : QColor(176, 0, 0));
    if (r.answered) {
      const auto part = [](bool right) {
        return right ? QStringLiteral("верно") : QStringLiteral("неверно");
      };
      last->setToolTip(QStringLiteral("Отношение частот: %1; разность фаз: %2; третий ответ: %3")
                           .arg(part(r.parts.ratio), part(r.parts.phase), part(r.parts.third)));
    }
  }
  resultTable->resizeRowsToContents();
  resultTable->setCurrentCell(0, 0);
  reviewTask(0);
  resultTable->setFocus();
}

void SelfCheckWindow::reviewTask(int index) {
  shown_ = index;
  redrawFigure();
  showExplanation();
  updateShowInMain();
}

void SelfCheckWindow::redrawFigure() {
  if (shown_ < 0 || shown_ >= static_cast<int>(tasks_.size())) return;
  draw_self_check_figure(*figure, tasks_[shown_], answers_[shown_].has_value());
}

void SelfCheckWindow::showExplanation() {
  if (shown_ < 0 || shown_ >= static_cast<int>(tasks_.size())) return;
  if (!answers_[shown_]) {
    explanationLabel->setText(
        QStringLiteral("Рассмотрите фигуру: точка начинает движение в чёрной точке и идёт по "
                       "стрелке. Выберите отношение частот ωx : ωy, разность фаз Δφ и третий "
                       "ответ, затем нажмите «Проверить» (Enter)."));
    return;
  }
  const TaskExplanation e = explain_task(tasks_[shown_], answers_[shown_]);
  QString verdict = e.verdict;
  if (showingResult()) verdict = QStringLiteral("Задание %1. ").arg(shown_ + 1) + verdict;
  // The verdict stands out; the rest reads as plain sentences.
  QString html = QStringLiteral("<b style=\"color:%1\">%2</b>")
                     .arg(e.right ? QStringLiteral("#006400") : QStringLiteral("#b00000"),
                          verdict.toHtmlEscaped());
  QStringList rest;
  if (showingResult()) rest << e.given;
  rest << e.reasons << e.reading << e.right_answer << e.parameters;
  for (const QString& line : rest) html += QStringLiteral("<br>") + line.toHtmlEscaped();
  explanationLabel->setText(html);
}

void SelfCheckWindow::setMainWindowRunning(bool running) {
  main_running_ = running;
  updateShowInMain();
}

void SelfCheckWindow::updateShowInMain() {
  const bool answered =
      shown_ >= 0 && shown_ < static_cast<int>(answers_.size()) && answers_[shown_].has_value();
  showInMainButton->setEnabled(answered && !main_running_);
}

void SelfCheckWindow::sendToMainWindow() {
  if (!showInMainButton->isEnabled()) return;
  Q_EMIT showInMainWindow(main_window_values(task_parameters(tasks_[shown_])));
}

void SelfCheckWindow::savePdf() {
  QString filter;
  const QString path = platform_.save_file_name(
      this, QStringLiteral("Сохранить итог"), {QStringLiteral("Документ PDF (*.pdf)")},
      QStringLiteral("проверь_себя_вариант_%1.pdf").arg(code_), &filter);
  if (path.isEmpty()) return;
  const QString reason = write_self_check_report(
      path, {code_, tasks_, answers_, studentEdit->text(), classEdit->text()});
  if (reason.isEmpty()) {
    saved_ = true;
    return;
  }
  platform_.message_box(this, save_failure_message(QStringLiteral("итог"), path, reason),
                        QStringLiteral("Ошибка"), MessageButtons::Ok);
}

bool SelfCheckWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == variantEdit && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      startTyped();
      return true;
    }
  }
  // The arrow keys select within a group, also before anything is chosen
  // there: the stock buttons only move the focus until one is checked.
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    auto* button = qobject_cast<QRadioButton*>(watched);
    const bool arrow =
        key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
    if (button && arrow && button->isEnabled() && !button->isChecked() &&
        (ratioButtons.contains(button) || phaseButtons.contains(button) ||
         thirdButtons.contains(button))) {
      button->setChecked(true);  // the stock handler then moves the check on
    }
  }
  // A new size clears the surface; the figure is drawn again for it.
  if (watched == figure && event->type() == QEvent::Resize) redrawFigure();
  return QDialog::eventFilter(watched, event);
}

}  // namespace orvinda
