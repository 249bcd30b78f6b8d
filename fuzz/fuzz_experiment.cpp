// Reading experiment files from arbitrary bytes. Whatever a file holds, the
// reader must not crash, must never accept values that the window's own
// checks refuse, and what it accepts must come back unchanged when written
// out again and read once more, or saving an opened file would alter it.
// Writing is held to the same from the other side, on raw values.

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QStringDecoder>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tools/experiment/experiment_file.h"
#include "tools/experiment/model/experiment.h"

using orvinda::Experiment;
using orvinda::ExperimentReading;

namespace {

void check(bool ok, const char* what, const QByteArray& input) {
  if (ok) return;
  std::fprintf(stderr, "fuzz_experiment: %s\ninput: %s\n", what,
               input.left(400).toPercentEncoding(" {}[]\":,").constData());
  std::abort();
}

bool same_bits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool same(const Experiment& a, const Experiment& b) {
  return same_bits(a.wx, b.wx) && same_bits(a.x0, b.x0) && same_bits(a.vx0, b.vx0) &&
         same_bits(a.wy, b.wy) && same_bits(a.y0, b.y0) && same_bits(a.vy0, b.vy0) &&
         same_bits(a.zam, b.zam) && a.comment == b.comment;
}

bool finite_and_no_minus_zero(const Experiment& e) {
  for (double v : {e.wx, e.x0, e.vx0, e.wy, e.y0, e.vy0, e.zam}) {
    if (!std::isfinite(v) || (v == 0 && std::signbit(v))) return false;
  }
  return true;
}

// The same bytes as an experiment to write: seven raw doubles, then the
// comment. A written file opens exactly when the values pass the checks,
// and then with the same bits (-0 aside, which is written as 0).
void check_writing(const QByteArray& input) {
  Experiment e;
  double* const fields[] = {&e.wx, &e.x0, &e.vx0, &e.wy, &e.y0, &e.vy0, &e.zam};
  constexpr qsizetype kValuesSize = sizeof(double) * 7;
  if (input.size() < kValuesSize) return;
  for (std::size_t i = 0; i < 7; ++i) {
    std::memcpy(fields[i], input.constData() + i * sizeof(double), sizeof(double));
  }
  e.comment = input.mid(kValuesSize).toStdString();

  const QByteArray written = orvinda::experiment_bytes(e, {});
  if (written.size() > orvinda::kMaxExperimentBytes) return;
  const ExperimentReading r = orvinda::read_experiment(written);
  const bool valid = !orvinda::experiment_problem(e).has_value();
  check(r.experiment.has_value() == valid,
        valid ? "valid values written cannot be read" : "invalid values written were accepted",
        input);
  if (!valid) return;
  Experiment expected = e;
  for (double* f : {&expected.wx, &expected.x0, &expected.vx0, &expected.wy, &expected.y0,
                    &expected.vy0, &expected.zam}) {
    *f += 0.0;
  }
  // Bytes that are not UTF-8 are stored as Qt decodes them.
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
  expected.comment = QString(decoder(input.mid(kValuesSize))).toStdString();
  check(same(*r.experiment, expected), "written values read back changed", input);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  check_writing(input);

  const ExperimentReading first = orvinda::read_experiment(input);
  check(first.experiment.has_value() == first.problem.isEmpty(),
        "a reading must hold either an experiment or a problem", input);
  if (!first.experiment) return 0;

  // Whatever is accepted is JSON to Qt's reader too, except numbers beyond
  // a double and nesting near the limit, which unknown keys may hold.
  QJsonParseError error;
  QJsonDocument::fromJson(input, &error);
  check(error.error == QJsonParseError::NoError || error.error == QJsonParseError::IllegalNumber ||
            error.error == QJsonParseError::DeepNesting,
        "accepted a file that is not JSON", input);

  const Experiment& e = *first.experiment;
  check(!orvinda::experiment_problem(e).has_value(), "accepted values that the checks refuse",
        input);
  check(finite_and_no_minus_zero(e), "accepted a value the boxes cannot hold", input);
  const orvinda::MotionParameters p = orvinda::experiment_parameters(e);
  check(std::isfinite(p.vy0), "vy0 does not fit a float", input);
  const std::int16_t zam = orvinda::experiment_zam(e);
  check(zam >= 1 && zam <= 9, "zam out of the scroll bar's range", input);

  // Saving refuses what would not fit; anything else must read back as is.
  const QByteArray written = orvinda::experiment_bytes(e, first.extras);
  if (written.size() > orvinda::kMaxExperimentBytes) return 0;
  const ExperimentReading again = orvinda::read_experiment(written);
  check(again.experiment.has_value(),
        ("what was written cannot be read: " + again.problem).toUtf8().constData(), input);
  check(same(*again.experiment, e), "values changed on the way through a file", input);
  // Byte for byte, names and values, in their order.
  check(again.extras == first.extras, "unknown keys changed on the way through a file", input);
  for (const orvinda::ExperimentExtra& extra : first.extras) {
    check(input.contains(extra.name_text), "an unknown key is not the file's own text", input);
    check(input.contains(extra.value_text), "an unknown value is not the file's own text", input);
  }
  check(orvinda::experiment_bytes(*again.experiment, again.extras) == written,
        "saving an opened file again changes it", input);
  return 0;
}
