#pragma once
#include <QString>

namespace orvinda {

// The eleven lines of the About box, CR LF between them.
QString about_text();

}  // namespace orvinda
