#pragma once
// The picture options as the program remembers them between sessions. The
// title's text is not kept: it starts as the open experiment's comment.

#include "tools/shared/picture_options.h"

namespace orvinda {

class Platform;

PictureOptions remembered_picture_options(const Platform& platform);
void remember_picture_options(Platform& platform, const PictureOptions& options);

}  // namespace orvinda
