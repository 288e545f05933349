#include "app/program.h"
#include "platform/linux/canberra_sound.h"
#include "platform/linux/desktop_shell.h"
#include "platform/linux/desktop_tools.h"
#include "platform/linux/disk_ini_store.h"
#include "platform/linux/global_keys.h"
#include "platform/linux/guarded_application.h"
#include "platform/linux/locale_code_page.h"
#include "platform/linux/posix_clock.h"
#include "platform/linux/posix_files.h"
#include "platform/linux/posix_process.h"
#include "platform/linux/qt_colour_chooser.h"
#include "platform/linux/qt_message_boxes.h"
#include "platform/linux/qt_window_system.h"
#include "platform/linux/single_instance.h"
#include "platform/linux/termination_signals.h"
#include "platform/linux/x11_clipboard.h"
#include "platform/platform.h"

#include <QIcon>

#include <clocale>

int main(int, char** argv) {
  using namespace clipnest;
  // The program lives on X11: under Wayland it asks for XWayland.
  qputenv("QT_QPA_PLATFORM", "xcb");
  // The program reads no command line, not even Qt's own options.
  int qt_argc = 1;
  char* qt_argv[] = {argv[0], nullptr};
  x11::GuardedApplication application(qt_argc, qt_argv);
  // The dialogs come and go; only the exit button ends the program.
  application.setQuitOnLastWindowClosed(false);
  application.setWindowIcon(QIcon(QStringLiteral(":/pictures/clipnest.ico")));

  x11::SingleInstance instance;
  x11::PosixProcess process(instance);
  const char* locale_name = std::setlocale(LC_CTYPE, "");
  x11::LocaleCodePage ansi(locale_name ? locale_name : "C");
  x11::DiskIniStore ini_store;
  IniProfileStrings profile(ini_store, ansi);
  x11::QtWindowSystem windows;
  x11::QtMessageBoxes messages;
  x11::CanberraSound sound;
  x11::PosixClock clock;
  x11::X11Clipboard clipboard;
  x11::PosixFiles files;
  x11::GlobalKeys global_keys = x11::SessionGlobalKeys();

  x11::QtColourChooser colours;
  x11::DesktopShell shell;
  x11::DesktopTools tools;
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
                    .shell = shell,
                    .tools = tools};
  Program program(platform);
  x11::TerminationSignals termination(
      [&program] { program.form1().form().input().CloseRequested(); });
  program.Start();
  return application.exec();
}
