// Everything of the Windows interface that the library calls, in one include.
#pragma once

#include "platform/crt.h"
#include "platform/direct3d.h"
#include "platform/directdraw.h"
#include "platform/directsound.h"
#include "platform/wgl.h"
#include "platform/win32_display.h"
#include "platform/win32_files.h"
#include "platform/win32_input.h"
#include "platform/win32_joystick.h"
#include "platform/win32_kernel.h"
#include "platform/win32_mm.h"
#include "platform/win32_shell.h"
#include "platform/win32_types.h"
#include "platform/win32_user.h"
#include "platform/win32_version.h"
