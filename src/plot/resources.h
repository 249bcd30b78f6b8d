#pragma once

namespace orvinda {

// Makes the program's pictures available; they live in a static library,
// whose resources need a nudge. Safe to call often.
void ensure_resources();

}  // namespace orvinda
