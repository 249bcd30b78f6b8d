#pragma once
// The main window on the recording platform, shown: how the window tests
// begin. Members are destroyed in reverse, so the window goes first.

#include "platform/fake_platform.h"
#include "window/form1.h"

namespace orvinda {

struct ShownForm {
  FakePlatform platform;
  Form1 form{platform};
  ShownForm() { form.show(); }
};

}  // namespace orvinda
