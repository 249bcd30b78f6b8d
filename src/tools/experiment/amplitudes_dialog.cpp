#include "tools/experiment/amplitudes_dialog.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "tools/experiment/model/amplitude_fields.h"
#include "ui/fonts.h"
#include "ui/window_look.h"

namespace orvinda {

namespace {

const QColor kProblemColor(160, 0, 0);

QString text_of(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace

AmplitudesDialog::AmplitudesDialog(const MotionParameters& current, QWidget* parent)
    : QDialog(parent), current_(current) {
  setObjectName(QStringLiteral("AmplitudesDialog"));
  setWindowTitle(QStringLiteral("Амплитуды и фазы"));
  setAccessibleName(QStringLiteral("Амплитуды и фазы"));
  setAutoFillBackground(true);
  paint_background(this, QPalette::Window, window_color());
  QPalette text_palette = palette();
  text_palette.setColor(QPalette::WindowText, Qt::black);
  setPalette(text_palette);

  auto* hint =
      new QLabel(QStringLiteral("x = Ax·cos(Wx·t − φx),  y = Ay·cos(Wy·t − φy),  Wx = 1 рад/с.\n"
                                "Фазы — в долях π: 0.5 означает π/2."),
                 this);
  hint->setObjectName(QStringLiteral("hint"));
  hint->setFont(serif_font());
  hint->setTextFormat(Qt::PlainText);

  struct Row {
    const char* name;
    QString caption;
    QString accessible;
    QLineEdit** field;
    QLabel** problem;
  };
  const Row rows[] = {
      {"Ax", QStringLiteral("Ax (м) ="), QStringLiteral("Амплитуда горизонтальных колебаний Ax, м"),
       &fieldAx, &problemAx},
      {"Fix", QStringLiteral("φx (в долях π) ="),
       QStringLiteral("Начальная фаза горизонтальных колебаний φx, в долях π"), &fieldFix,
       &problemFix},
      {"Ay", QStringLiteral("Ay (м) ="), QStringLiteral("Амплитуда вертикальных колебаний Ay, м"),
       &fieldAy, &problemAy},
      {"Fiy", QStringLiteral("φy (в долях π) ="),
       QStringLiteral("Начальная фаза вертикальных колебаний φy, в долях π"), &fieldFiy,
       &problemFiy},
      {"Wy", QStringLiteral("Wy (рад/с) ="),
       QStringLiteral("Частота вертикальных колебаний Wy, рад/с"), &fieldWy, &problemWy},
  };

  const AmplitudeFieldTexts texts =
      amplitude_field_texts(compute_characteristics(current, 0, false), current);
  const std::string* const initial[] = {&texts.ax, &texts.fix, &texts.ay, &texts.fiy, &texts.wy};

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(8);
  const int field_width =
      QFontMetrics(serif_font()).horizontalAdvance(QString(22, QLatin1Char('0')));
  for (int i = 0; i < 5; ++i) {
    const Row& row = rows[i];
    auto* caption = new QLabel(row.caption, this);
    caption->setFont(serif_font());
    caption->setTextFormat(Qt::PlainText);
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* field = new QLineEdit(text_of(*initial[i]), this);
    field->setObjectName(QStringLiteral("field") + QLatin1String(row.name));
    field->setFont(serif_font());
    field->setMinimumWidth(field_width);
    paint_background(field, QPalette::Base, box_color());
    field->setAccessibleName(row.accessible);
    field->setToolTip(row.accessible);
    caption->setBuddy(field);

    auto* problem = new QLabel(this);
    problem->setObjectName(QStringLiteral("problem") + QLatin1String(row.name));
    problem->setFont(serif_font());
    problem->setTextFormat(Qt::PlainText);
    QPalette problem_palette = problem->palette();
    problem_palette.setColor(QPalette::WindowText, kProblemColor);
    problem->setPalette(problem_palette);
    // Its name is the message it shows; which field, the description says.
    problem->setAccessibleDescription(QStringLiteral("Ошибка: ") + row.accessible);
    // Hidden while empty, so a screen reader does not announce five errors
    // that are not there.
    problem->hide();
    QSizePolicy keeps_room = problem->sizePolicy();
    keeps_room.setRetainSizeWhenHidden(true);
    problem->setSizePolicy(keeps_room);

    grid->addWidget(caption, i, 0);
    grid->addWidget(field, i, 1);
    grid->addWidget(problem, i, 2);
    *row.field = field;
    *row.problem = problem;
  }
  grid->setColumnStretch(2, 1);
  // Room for the longest message from the start: the dialog does not grow
  // under the user's hands when a field is refused.
  int message_width = 0;
  for (const std::string& message : amplitude_field_messages()) {
    message_width =
        std::max(message_width, QFontMetrics(serif_font()).horizontalAdvance(text_of(message)));
  }
  grid->setColumnMinimumWidth(2, message_width);

  okButton = new QPushButton(QStringLiteral("ОК"), this);
  okButton->setObjectName(QStringLiteral("okButton"));
  cancelButton = new QPushButton(QStringLiteral("Отмена"), this);
  cancelButton->setObjectName(QStringLiteral("cancelButton"));
  for (QPushButton* button : {okButton, cancelButton}) {
    button->setFont(sans_font(true));
    button->setAccessibleName(button->text());
    button->setMinimumWidth(
        QFontMetrics(button->font()).horizontalAdvance(QStringLiteral("Отмена")) + 32);
  }
  okButton->setAccessibleDescription(QStringLiteral("Записать значения в параметры задачи"));
  cancelButton->setAccessibleDescription(QStringLiteral("Закрыть, ничего не меняя"));
  // Enter anywhere in the dialog is ОК; Esc is Отмена, as QDialog has it.
  okButton->setDefault(true);
  okButton->setAutoDefault(true);
  cancelButton->setAutoDefault(false);
  connect(okButton, &QPushButton::clicked, this, [this] { okClicked(); });
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(okButton);
  buttons->addWidget(cancelButton);

  auto* column = new QVBoxLayout(this);
  column->addWidget(hint);
  column->addSpacing(6);
  column->addLayout(grid);
  column->addSpacing(6);
  column->addLayout(buttons);
  // The dialog grows when a message appears beside a field.
  column->setSizeConstraint(QLayout::SetFixedSize);

  setTabOrder(fieldAx, fieldFix);
  setTabOrder(fieldFix, fieldAy);
  setTabOrder(fieldAy, fieldFiy);
  setTabOrder(fieldFiy, fieldWy);
  setTabOrder(fieldWy, okButton);
  setTabOrder(okButton, cancelButton);
  fieldAx->setFocus();
  fieldAx->selectAll();
}

void AmplitudesDialog::okClicked() {
  const AmplitudeFieldTexts entered{fieldAx->text().toStdString(), fieldFix->text().toStdString(),
                                    fieldAy->text().toStdString(), fieldFiy->text().toStdString(),
                                    fieldWy->text().toStdString()};
  const AmplitudeDialogResult result = accept_amplitude_fields(entered, current_);
  const std::pair<QLineEdit*, QLabel*> rows[] = {{fieldAx, problemAx},
                                                 {fieldFix, problemFix},
                                                 {fieldAy, problemAy},
                                                 {fieldFiy, problemFiy},
                                                 {fieldWy, problemWy}};
  const std::string* const problems[] = {&result.problems.ax, &result.problems.fix,
                                         &result.problems.ay, &result.problems.fiy,
                                         &result.problems.wy};
  QLineEdit* first_refused = nullptr;
  for (int i = 0; i < 5; ++i) {
    const QString problem = text_of(*problems[i]);
    rows[i].second->setText(problem);
    rows[i].second->setVisible(!problem.isEmpty());
    // A screen reader on the field hears why it was refused.
    rows[i].first->setAccessibleDescription(problem);
    if (!problem.isEmpty() && !first_refused) first_refused = rows[i].first;
  }
  if (!result.parameters) {
    if (first_refused) {
      first_refused->setFocus();
      first_refused->selectAll();
    }
    return;
  }
  parameters_ = result.parameters;
  accept();
}

}  // namespace orvinda
