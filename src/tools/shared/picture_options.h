#pragma once
// What a saved or printed picture shows besides the figure. The defaults are
// the picture as it always was: the device and the values, no arrow, no title.

#include <QString>

namespace orvinda {

struct PictureOptions {
  bool device = true;
  bool values = true;  // the parameters and characteristics below the plot
  bool arrow = false;  // the start point and the way the point moves
  bool title = false;
  QString title_text;  // drawn only with title on, and when not blank
  friend bool operator==(const PictureOptions&, const PictureOptions&) = default;
};

}  // namespace orvinda
