#pragma once
// The fields of the dialog "Амплитуды и фазы": the texts it opens with and
// the check that ОК runs before anything in the window changes.

#include <optional>
#include <string>
#include <vector>

#include "model/characteristics.h"
#include "tools/experiment/model/initial_conditions.h"

namespace orvinda {

// Ax and Ay in metres, the phases in units of pi, Wy in rad/s; UTF-8.
struct AmplitudeFieldTexts {
  std::string ax;
  std::string fix;
  std::string ay;
  std::string fiy;
  std::string wy;
};

// One Russian message per field, empty where the field is fine.
struct AmplitudeFieldProblems {
  std::string ax;
  std::string fix;
  std::string ay;
  std::string fiy;
  std::string wy;

  bool any() const;
};

struct AmplitudeFieldsReading {
  std::optional<AmplitudesAndPhases> values;  // exactly when no field has a problem
  AmplitudeFieldProblems problems;
};

// Each field reads with parse_field_number. Refused: a text that is not one
// number, an amplitude below 0, Wy of 0 or less, and an amplitude whose
// initial velocity would not fit the box that holds it (a float for Voy).
// wx is the window's horizontal frequency.
AmplitudeFieldsReading read_amplitude_fields(const AmplitudeFieldTexts& texts, double wx);

// The current characteristics as the dialog opens with them, with a point
// and as many digits as it takes for ОК on an untouched dialog to give the
// boxes back; with a zero amplitude the phase, undefined, reads 0.5 as its
// label (pi/2) does. Ay and the vertical phase come from the single Voy:
// unless it is 0 they show the 7 digits it carries, "2", not "2.0000003".
AmplitudeFieldTexts amplitude_field_texts(const Characteristics& c, const MotionParameters& p);

struct AmplitudeDialogResult {
  std::optional<MotionParameters> parameters;  // exactly when no field has a problem
  AmplitudeFieldProblems problems;
};

// Every message a field can be refused with, for room beside the fields.
const std::vector<std::string>& amplitude_field_messages();

// What ОК does on the dialog opened for the current parameters: reads the
// fields and computes the initial conditions, except that an axis whose
// fields (and for the vertical one Wy) still hold the texts the dialog
// opened with keeps its current values exactly. Recomputing them would move
// the last of the boxes' 15 digits now and then, so ОК changes only what
// was edited.
AmplitudeDialogResult accept_amplitude_fields(const AmplitudeFieldTexts& entered,
                                              const MotionParameters& current);

}  // namespace orvinda
