// The worksheet's pages and answers: cells inside the margins and apart,
// page counts, and a key that is the self-check's own judgement.

#include <QtTest>
#include <cmath>

#include "tools/self_check/model/quarter_phase.h"
#include "tools/self_check/model/self_check_answer.h"
#include "tools/self_check/model/self_check_grading.h"
#include "tools/self_check/model/self_check_variant.h"
#include "tools/worksheet/model/worksheet_item.h"
#include "tools/worksheet/model/worksheet_layout.h"

using namespace orvinda;

Q_DECLARE_METATYPE(orvinda::MotionParameters)

namespace {

bool overlap(const SheetBox& a, const SheetBox& b) {
  return a.x < b.right() - 1e-9 && b.x < a.right() - 1e-9 && a.y < b.bottom() - 1e-9 &&
         b.y < a.bottom() - 1e-9;
}

bool inside(const SheetBox& inner, const SheetBox& outer) {
  return inner.x >= outer.x - 1e-9 && inner.y >= outer.y - 1e-9 &&
         inner.right() <= outer.right() + 1e-9 && inner.bottom() <= outer.bottom() + 1e-9;
}

// x = ax cos(t - fix), y = ay cos(wy t - fiy), as the boxes take it.
MotionParameters motion(double wy, double ax, double fix, double ay, double fiy) {
  MotionParameters p;
  p.wy = wy;
  p.x0 = ax * std::cos(fix);
  p.vx0 = ax * std::sin(fix);
  p.y0 = ay * std::cos(fiy);
  p.vy0 = static_cast<float>(ay * wy * std::sin(fiy));
  return p;
}

constexpr double kExactPi = 3.14159265358979323846;

}  // namespace

class TestWorksheetModel : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cells_data() {
    QTest::addColumn<int>("per_page");
    for (int n : kPerPageChoices) QTest::addRow("%d a page", n) << n;
  }

  void cells() {
    QFETCH(int, per_page);
    const SheetBox page{0, 0, kPaperWidthMm, kPaperHeightMm};
    const SheetBox area = figure_area();
    QVERIFY(inside(area, page));
    QVERIFY(area.x >= 15 && area.y >= 15 && kPaperWidthMm - area.right() >= 15 &&
            kPaperHeightMm - area.bottom() >= 15);
    std::vector<SheetBox> boxes;
    for (int slot = 0; slot < per_page; ++slot) {
      const CellLayout cell = cell_layout(per_page, slot);
      QCOMPARE(cell.figure.width, cell.figure.height);
      // Large enough to read from: at least 5 cm a side.
      QVERIFY2(cell.figure.width >= 50, qPrintable(QString::number(cell.figure.width)));
      QVERIFY(cell.answers.y >= cell.figure.bottom() - 1e-9);
      QVERIFY(cell.figure.y >= cell.number.bottom() - 1e-9);
      for (const SheetBox& b : {cell.number, cell.figure, cell.answers}) {
        QVERIFY(inside(b, area));
        boxes.push_back(b);
      }
    }
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      for (std::size_t j = i + 1; j < boxes.size(); ++j) {
        QVERIFY2(!overlap(boxes[i], boxes[j]), qPrintable(QStringLiteral("%1, %2").arg(i).arg(j)));
      }
    }
  }

  void pages_data() {
    QTest::addColumn<int>("figures");
    QTest::addColumn<int>("per_page");
    QTest::addColumn<int>("pages");
    QTest::newRow("10 by 1") << 10 << 1 << 10;
    QTest::newRow("10 by 2") << 10 << 2 << 5;
    QTest::newRow("10 by 4") << 10 << 4 << 3;
    QTest::newRow("10 by 6") << 10 << 6 << 2;
    QTest::newRow("6 by 6") << 6 << 6 << 1;
    QTest::newRow("7 by 6") << 7 << 6 << 2;
    QTest::newRow("none") << 0 << 6 << 0;
  }

  void pages() {
    QFETCH(int, figures);
    QFETCH(int, per_page);
    QFETCH(int, pages);
    QCOMPARE(figure_pages(figures, per_page), pages);
  }

  void per_page_choices() {
    for (int n = -1; n <= 8; ++n)
      QCOMPARE(per_page_offered(n), n == 1 || n == 2 || n == 4 || n == 6);
  }

  // The key of a variant is what the self-check takes as right: every phase
  // it lists is graded right, every other one wrong, and the third answer is
  // the right one.
  void variant_key_is_the_graders_data() {
    QTest::addColumn<int>("code");
    for (int code : {1, 12345, 777, 99999}) QTest::addRow("%d", code) << code;
  }

  void variant_key_is_the_graders() {
    QFETCH(int, code);
    const std::vector<Task> tasks = variant_tasks(code);
    const std::vector<WorksheetItem> items = variant_items(code);
    QCOMPARE(items.size(), tasks.size());
    for (std::size_t i = 0; i < tasks.size(); ++i) {
      const Task& task = tasks[i];
      QVERIFY(items[i].task && *items[i].task == task);
      QCOMPARE(items[i].parameters.wy, task_parameters(task).wy);
      const KeyEntry key = item_key(items[i]);
      QCOMPARE(key.ratio, "ωx : ωy = " + ratio_text(task.kind.ratio));
      const Answer right = right_answer(task);
      QCOMPARE(key.third, third_choice_text(right.third));
      QCOMPARE(third_question(items[i]) == ThirdQuestion::kDirection,
               is_one_to_one(task.kind.ratio));
      for (int quarters = 0; quarters <= 4; ++quarters) {
        Answer a = right;
        a.phase_quarters = quarters;
        const bool listed =
            key.phases == "Δφ = " + quarters_text(quarters) ||
            key.phases.find(" " + quarters_text(quarters) + " ") != std::string::npos ||
            key.phases.ends_with(" " + quarters_text(quarters));
        QCOMPARE(listed, grade_answer(task, a).phase.right);
      }
    }
  }

  void file_keys_data() {
    QTest::addColumn<MotionParameters>("p");
    QTest::addColumn<QString>("ratio");
    QTest::addColumn<QString>("phases");
    QTest::addColumn<QString>("third");
    QTest::addColumn<int>("turns");
    // clang-format off
    QTest::newRow("ellipse, counterclockwise")
        << motion(1, 3, 0, 2, kExactPi / 2) << "ωx : ωy = 1 : 1" << "Δφ = π/2"
        << "против часовой стрелки" << 1;
    QTest::newRow("ellipse, x started late")  // the same ellipse, from another point
        << motion(1, 3, kExactPi / 4, 2, 3 * kExactPi / 4) << "ωx : ωy = 1 : 1" << "Δφ = π/2"
        << "против часовой стрелки" << 1;
    QTest::newRow("segment") << motion(1, 3, 0, 2, kExactPi) << "ωx : ωy = 1 : 1" << "Δφ = π"
                             << "отрезок" << 1;
    QTest::newRow("parabola") << motion(0.5, 3, 0, 2, 0) << "ωx : ωy = 2 : 1" << "Δφ = 0 или π"
                              << "незамкнутая" << 2;
    QTest::newRow("figure eight") << motion(2, 3, 0, 2, kExactPi / 2) << "ωx : ωy = 1 : 2"
                                  << "Δφ = π/2" << "замкнутая" << 1;
    QTest::newRow("3 : 2 off the quarters") << motion(2.0 / 3, 3, 0, 2, 0.3) << "ωx : ωy = 3 : 2"
                                            << "Δφ ≈ 0,1π" << "замкнутая" << 3;
    QTest::newRow("5 : 1, not offered, open") << motion(0.2, 3, 0, 2, 0) << "ωx : ωy = 5 : 1"
                                              << "Δφ = 0" << "незамкнутая" << 5;
    QTest::newRow("never closes") << motion(std::sqrt(2.0), 3, 0, 2, 0) << "не замыкается"
                                  << "Δφ = 0" << "незамкнутая" << 20;
    // clang-format on
  }

  void file_keys() {
    QFETCH(MotionParameters, p);
    QFETCH(QString, ratio);
    QFETCH(QString, phases);
    QFETCH(QString, third);
    QFETCH(int, turns);
    const WorksheetItem item = file_item(p);
    const KeyEntry key = item_key(item);
    QCOMPARE(QString::fromStdString(key.ratio), ratio);
    QCOMPARE(QString::fromStdString(key.phases), phases);
    QCOMPARE(QString::fromStdString(key.third), third);
    QCOMPARE(item_turns(item), turns);
  }
};

QTEST_MAIN(TestWorksheetModel)
#include "test_worksheet_model.moc"
