#include "app/program.h"
#include "canberra_sound.h"
#include "desktop_shell.h"
#include "disk_ini_store.h"
#include "global_keys.h"
#include "guarded_application.h"
#include "locale_code_page.h"
#include "platform/platform.h"
#include "posix_clock.h"
#include "posix_files.h"
#include "posix_process.h"
#include "qt_colour_chooser.h"
#include "qt_message_boxes.h"
#include "qt_window_system.h"
#include "single_instance.h"
#include "termination_signals.h"
#include "x11_clipboard.h"

#include <QIcon>

#include <clocale>

int main(int, char** argv) {
  using namespace clipnest;
  // The program lives on X11: under Wayland it asks for XWayland.
  qputenv("QT_QPA_PLATFORM", "xcb");
  // The program reads no command line, not even Qt's own options.
  int qt_argc = 1;
  char* qt_argv[] = {argv[0], nullptr};
  GuardedApplication application(qt_argc, qt_argv);
  // The dialogs come and go; only the exit button ends the program.
  application.setQuitOnLastWindowClosed(false);
  application.setWindowIcon(QIcon(QStringLiteral(":/pictures/clipnest.ico")));

  SingleInstance instance;
  PosixProcess process(instance);
  const char* locale_name = std::setlocale(LC_CTYPE, "");
  LocaleCodePage ansi(locale_name ? locale_name : "C");
  DiskIniStore ini_store;
  IniProfileStrings profile(ini_store, ansi);
  QtWindowSystem windows;
  QtMessageBoxes messages;
  CanberraSound sound;
  PosixClock clock;
  X11Clipboard clipboard;
  PosixFiles files;
  GlobalKeys global_keys = SessionGlobalKeys();

  QtColourChooser colours;
  DesktopShell shell;
  Platform platform{.windows = windows,
                    .profile = profile,
                    .messages = messages,
                    .sound = sound,
                    .process = process,
                    .clock = clock,
                    .ansi = ansi,
                    .clipboard = clipboard,
                    .files = files,
                    .keys = *global_keys.keys,
                    .screenshot = *global_keys.screenshot,
                    .colours = colours,
                    .shell = shell};
  Program program(platform);
  TerminationSignals termination([&program] { program.form1().form().input().CloseRequested(); });
  program.Start();
  return application.exec();
}
