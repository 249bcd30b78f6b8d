#include "tools/worksheet/worksheet_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/platform.h"
#include "platform/save_failure.h"
#include "tools/experiment/experiment_file.h"
#include "tools/experiment/model/experiment.h"
#include "tools/self_check/model/self_check_variant.h"

namespace orvinda {

namespace {
const QString kTitle = QStringLiteral("Лист заданий");
const QString kError = QStringLiteral("Ошибка");
}  // namespace

WorksheetDialog::WorksheetDialog(Platform& platform, QWidget* parent)
    : QDialog(parent), platform_(platform) {
  setWindowTitle(kTitle);
  variantRadio = new QRadioButton(QStringLiteral("Задания варианта «Проверь себя» №"), this);
  variantEdit = new QLineEdit(this);
  variantEdit->setAccessibleName(QStringLiteral("Номер варианта"));
  filesRadio = new QRadioButton(QStringLiteral("Фигуры опытов из файлов:"), this);
  filesList = new QListWidget(this);
  filesList->setAccessibleName(QStringLiteral("Файлы опытов"));
  addButton = new QPushButton(QStringLiteral("Добавить…"), this);
  removeButton = new QPushButton(QStringLiteral("Убрать"), this);
  perPageBox = new QComboBox(this);
  for (int n : kPerPageChoices) perPageBox->addItem(QString::number(n), n);
  perPageBox->setCurrentIndex(perPageBox->findData(kDefaultPerPage));
  keyCheck = new QCheckBox(QStringLiteral("Страница с ответами"), this);
  keyCheck->setChecked(true);
  variantRadio->setChecked(true);

  auto* variant_row = new QHBoxLayout;
  variant_row->addWidget(variantRadio);
  variant_row->addWidget(variantEdit);
  auto* file_buttons = new QHBoxLayout;
  file_buttons->addWidget(addButton);
  file_buttons->addWidget(removeButton);
  file_buttons->addStretch();
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Фигур на странице:"), perPageBox);
  auto* buttons = new QDialogButtonBox(this);
  saveButton = buttons->addButton(QStringLiteral("Сохранить…"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(variant_row);
  layout->addWidget(filesRadio);
  layout->addWidget(filesList);
  layout->addLayout(file_buttons);
  layout->addLayout(form);
  layout->addWidget(keyCheck);
  layout->addWidget(buttons);

  auto follow = [this] {
    const bool files = filesRadio->isChecked();
    variantEdit->setEnabled(!files);
    filesList->setEnabled(files);
    addButton->setEnabled(files);
    removeButton->setEnabled(files && filesList->count() > 0);
  };
  connect(variantRadio, &QRadioButton::toggled, this, follow);
  connect(addButton, &QPushButton::clicked, this, [this, follow] {
    addFile();
    follow();
  });
  connect(removeButton, &QPushButton::clicked, this, [this, follow] {
    delete filesList->takeItem(std::max(0, filesList->currentRow()));
    follow();
  });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  follow();
}

void WorksheetDialog::addFile() {
  const QString path = platform_.open_file_name(this, QStringLiteral("Добавить опыт"),
                                                {QStringLiteral("Опыты (*.orv)")});
  if (path.isEmpty()) return;
  auto* item = new QListWidgetItem(QDir::toNativeSeparators(path), filesList);
  item->setData(Qt::UserRole, path);
  filesList->setCurrentItem(item);
}

void WorksheetDialog::refuse(const QString& text) {
  platform_.message_box(this, text, kError, MessageButtons::Ok);
}

std::optional<Worksheet> WorksheetDialog::worksheet() {
  Worksheet sheet;
  sheet.per_page = perPageBox->currentData().toInt();
  sheet.key = keyCheck->isChecked();
  if (variantRadio->isChecked()) {
    const std::optional<int> code = parse_variant_code(variantEdit->text().toStdString());
    if (!code) {
      refuse(QStringLiteral("Номер варианта — целое число от %1 до %2.")
                 .arg(kMinVariantCode)
                 .arg(kMaxVariantCode));
      return std::nullopt;
    }
    sheet.code = *code;
    sheet.items = variant_items(*code);
    return sheet;
  }
  if (filesList->count() == 0) {
    refuse(QStringLiteral("Добавьте хотя бы один файл опыта."));
    return std::nullopt;
  }
  for (int i = 0; i < filesList->count(); ++i) {
    const QString path = filesList->item(i)->data(Qt::UserRole).toString();
    const ExperimentReading reading = read_experiment_file(path);
    if (!reading.experiment) {
      refuse(QStringLiteral("Не удалось открыть опыт из файла «%1»:\r\n%2.")
                 .arg(QDir::toNativeSeparators(path), reading.problem));
      return std::nullopt;
    }
    sheet.items.push_back(file_item(experiment_parameters(*reading.experiment)));
  }
  return sheet;
}

void make_worksheet(QWidget* parent, Platform& platform) {
  WorksheetDialog dialog(platform, parent);
  std::optional<Worksheet> sheet;
  // Asked again while the choices cannot make a sheet.
  while (!sheet) {
    if (!platform.run_dialog(dialog)) return;
    sheet = dialog.worksheet();
  }
  const QString suggested = sheet->code ? QStringLiteral("лист заданий %1.pdf").arg(*sheet->code)
                                        : QStringLiteral("лист заданий.pdf");
  QString path =
      platform.save_file_name(parent, QStringLiteral("Сохранить лист заданий"),
                              {QStringLiteral("Документ PDF (*.pdf)")}, suggested, nullptr);
  if (path.isEmpty()) return;
  const QString reason = write_worksheet(path, *sheet);
  if (!reason.isEmpty()) {
    platform.message_box(parent, save_failure_message(QStringLiteral("лист заданий"), path, reason),
                         kError, MessageButtons::Ok);
  }
}

}  // namespace orvinda
