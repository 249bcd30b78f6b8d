// Menus, the Authors window, the About box and closing, with the fake platform.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/document_lookup.h"
#include "platform/fake_platform.h"
#include "window/about_text.h"
#include "window/form1.h"
#include "window/form2.h"

using namespace orvinda;

namespace {
void touch(const QString& path) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write("x");
}
}  // namespace

class TestMenus : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void documents_open_by_name_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("editor");
    // clang-format off
    QTest::newRow("Справка1") << "mnuFilespravka" << "spravka.pdf" << false;
    QTest::newRow("Справка2") << "mnuFilespravka2" << "spravka2.pdf" << false;
    QTest::newRow("Орвинда") << "mnuFilesHistory1" << "Orvinda.pdf" << false;
    QTest::newRow("Управление") << "mnuHelpUprav" << "uprav.pdf" << false;
    QTest::newRow("Инструкция") << "mnuHelpInstruction" << "instruction.txt" << true;
    // clang-format on
  }

  void documents_open_by_name() {
    QFETCH(QString, action);
    QFETCH(QString, file);
    QFETCH(bool, editor);
    QTemporaryDir dir;
    touch(dir.filePath(file));
    FakePlatform platform;
    Form1 form(platform);
    form.setDocumentFolders({dir.path()});
    form.findChild<QAction*>(action)->trigger();
    const QString expected = QDir(dir.path()).absoluteFilePath(file);
    QCOMPARE(editor ? platform.started_editors : platform.opened_documents, QStringList{expected});
    QCOMPARE(editor ? platform.opened_documents : platform.started_editors, QStringList{});
    QVERIFY(platform.messages.empty());
  }

  void lookup_takes_the_first_folder_that_has_it() {
    QTemporaryDir first, second, third;
    touch(second.filePath("uprav.pdf"));
    touch(third.filePath("uprav.pdf"));
    const DocumentLookup found =
        find_document("uprav.pdf", {first.path(), second.path(), third.path()});
    QCOMPARE(found.path, QDir(second.path()).absoluteFilePath("uprav.pdf"));
    QCOMPARE(found.searched.size(), 2);
  }

  void default_folders_start_with_the_current_one() {
    const QStringList folders = default_document_folders();
    QCOMPARE(folders[0], QDir::cleanPath(QDir::currentPath()));
    const qsizetype beside =
        folders.indexOf(QDir::cleanPath(QCoreApplication::applicationDirPath()));
    const qsizetype installed = folders.indexOf(
        QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/orvinda"));
    QVERIFY(beside >= 0);
    QVERIFY(installed > beside);
    QCOMPARE(folders.size(), QSet<QString>(folders.begin(), folders.end()).size());
  }

  void missing_document_is_reported() {
    QTemporaryDir a, b;
    FakePlatform platform;
    Form1 form(platform);
    form.setDocumentFolders({a.path(), b.path()});
    form.mnuFilespravka2->trigger();
    QVERIFY(platform.opened_documents.isEmpty());
    QCOMPARE(platform.messages.size(), std::size_t(1));
    const auto& message = platform.messages[0];
    QCOMPARE(message.title, QStringLiteral("Ошибка"));
    QCOMPARE(message.buttons, MessageButtons::Ok);
    QVERIFY(message.text.contains("spravka2.pdf"));
    QVERIFY(message.text.contains(QDir::toNativeSeparators(a.path())));
    QVERIFY(message.text.contains(QDir::toNativeSeparators(b.path())));
  }

  void document_the_desktop_cannot_open_is_reported() {
    QTemporaryDir dir;
    touch(dir.filePath("spravka.pdf"));
    FakePlatform platform;
    platform.open_succeeds = false;
    Form1 form(platform);
    form.setDocumentFolders({dir.path()});
    form.mnuFilespravka->trigger();
    QCOMPARE(platform.messages.size(), std::size_t(1));
    QCOMPARE(platform.messages[0].title, QStringLiteral("Ошибка"));
    QVERIFY(platform.messages[0].text.contains("spravka.pdf"));
  }

  void about_box() {
    FakePlatform platform;
    Form1 form(platform);
    form.mnuHelpAbout->trigger();
    QCOMPARE(platform.messages.size(), std::size_t(1));
    const auto& message = platform.messages[0];
    QCOMPARE(message.title, QStringLiteral("О ПРОГРАММЕ"));
    QCOMPARE(message.buttons, MessageButtons::Ok);
    QCOMPARE(message.text, about_text());
    QVERIFY(!message.text.endsWith("\r\n"));
    const QStringList lines = message.text.split("\r\n");
    QCOMPARE(lines.size(), 11);
    QCOMPARE(
        lines[0],
        QStringLiteral("Программа моделирует сложение перпендикулярных механических колебаний"));
    QCOMPARE(lines[1], QStringLiteral("  и получение фигур Орвинда"));
    QCOMPARE(lines[2], QStringLiteral(" "));
    QCOMPARE(lines[3], QStringLiteral("История версий:"));
    QVERIFY(lines[4].contains(QStringLiteral(ORVINDA_VERSION)));
    QCOMPARE(lines[5], QStringLiteral(" "));
    for (const QString& line : lines) QVERIFY(!line.contains('\n') && !line.contains('\r'));
  }

  void authors_window_once_and_centred() {
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    form.move(100, 80);
    form.mnuHelpAvtors->trigger();
    QPointer<Form2> first = form.authorsWindow();
    QVERIFY(first);
    QVERIFY(first->isVisible());
    QCOMPARE(first->windowTitle(), QStringLiteral("Авторы"));
    QCOMPARE(first->size(), QSize(222, 297));
    QCOMPARE(first->minimumSize(), first->maximumSize());
    QCOMPARE(first->Image1->geometry(), QRect(32, 8, 150, 180));
    QCOMPARE(first->Label1->geometry(), QRect(8, 200, 209, 81));
    const QStringList lines = first->Label1->text().split("\r\n");
    QCOMPARE(lines.size(), 6);
    for (int i = 0; i < 5; ++i) QCOMPARE(lines[i].size(), 36);

    auto centred = [&form](const QWidget* w) {
      const QRect main = form.frameGeometry();
      const QRect own = w->frameGeometry();
      return own.topLeft() == QPoint((main.width() - own.width()) / 2 + main.left(),
                                     (main.height() - own.height()) / 2 + main.top());
    };
    QVERIFY(centred(first));
    form.mnuHelpAvtors->trigger();
    QCOMPARE(form.authorsWindow(), first.data());
    const QWidgetList windows = QApplication::topLevelWidgets();
    QCOMPARE(std::count_if(windows.begin(), windows.end(),
                           [](QWidget* w) { return qobject_cast<Form2*>(w) && w->isVisible(); }),
             1);

    form.move(300, 200);
    form.mnuHelpAvtors->trigger();
    QVERIFY(centred(first));

    QTest::keyClick(first, Qt::Key_Escape);  // Esc closes it, and closing releases it
    QTRY_VERIFY(first.isNull());
    form.mnuHelpAvtors->trigger();
    QVERIFY(form.authorsWindow());
    QVERIFY(form.authorsWindow()->isVisible());
  }

  void closing_with_no_changes_nothing() {
    FakePlatform platform;
    platform.answers = {MessageAnswer::No};
    Form1 form(platform);
    form.show();
    const QImage picture = form.grab().toImage();
    QVERIFY(!form.close());
    QVERIFY(form.isVisible());
    QCOMPARE(platform.messages.size(), std::size_t(1));
    QCOMPARE(platform.messages[0].text, QStringLiteral("Вы абсолютно уверены?"));
    QCOMPARE(platform.messages[0].title, QStringLiteral("На Выход"));
    QCOMPARE(platform.messages[0].buttons, MessageButtons::YesNo);
    QCOMPARE(platform.end_program_calls, 0);
    QCOMPARE(form.CmdOK->text(), QStringLiteral("ПУСК"));
    QCOMPARE(form.x0, 3.0);
    QCOMPARE(form.grab().toImage(), picture);
  }

  void closing_with_yes_ends_the_program_and_the_authors_window() {
    FakePlatform platform;
    platform.answers = {MessageAnswer::Yes};
    Form1 form(platform);
    form.show();
    form.mnuHelpAvtors->trigger();
    QPointer<Form2> authors = form.authorsWindow();
    form.close();
    QCOMPARE(platform.end_program_calls, 1);
    QVERIFY(form.programEnded());
    QTRY_VERIFY(authors.isNull() || !authors->isVisible());
  }
};

QTEST_MAIN(TestMenus)
#include "test_menus.moc"
