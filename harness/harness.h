#pragma once
// Everything a desk test needs to drive the suite's programs.
#include "harness/files.h"
#include "harness/message_box.h"
#include "harness/messages.h"
#include "harness/process.h"
#include "harness/registry.h"
#include "harness/wait.h"
#include "harness/window.h"
#include "harness/windows_version.h"
