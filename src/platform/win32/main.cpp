#include "app/program.h"
#include "platform/platform.h"
#include "platform/win32/win32_ansi_code_page.h"
#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_colour_chooser.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_key_state.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_process_control.h"
#include "platform/win32/win32_profile_strings.h"
#include "platform/win32/win32_regional_clock.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_sound_player.h"
#include "platform/win32/win32_system_screenshot.h"
#include "platform/win32/win32_window_system.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  using namespace clipnest;
  win32::Win32WindowSystem windows(instance);
  win32::Win32ProfileStrings profile;
  win32::Win32MessageBoxes messages;
  win32::Win32SoundPlayer sound;
  win32::Win32ProcessControl process;
  win32::Win32RegionalClock clock;
  win32::Win32AnsiCodePage ansi;
  win32::Win32Clipboard clipboard;
  win32::Win32Files files;
  win32::Win32KeyState keys;
  win32::Win32SystemScreenshot screenshot;
  win32::Win32ColourChooser colours;
  win32::Win32Shell shell;
  win32::Win32Tools tools;
  Platform platform{.windows = windows,
                    .profile = profile,
                    .messages = messages,
                    .sound = sound,
                    .process = process,
                    .clock = clock,
                    .ansi = ansi,
                    .clipboard = clipboard,
                    .files = files,
                    .keys = keys,
                    .screenshot = screenshot,
                    .colours = colours,
                    .shell = shell,
                    .tools = tools};

  Program program(platform);
  program.Start();
  // The program ends only through its exit button or a request to close, which end the process.
  return windows.RunMessageLoop();
}
