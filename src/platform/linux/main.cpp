#include "app/program.h"
#include "platform/linux/desktop/canberra_sound.h"
#include "platform/linux/desktop/desktop_shell.h"
#include "platform/linux/desktop/desktop_tools.h"
#include "platform/linux/global_keys.h"
#include "platform/linux/posix/disk_ini_store.h"
#include "platform/linux/posix/locale_code_page.h"
#include "platform/linux/posix/posix_clock.h"
#include "platform/linux/posix/posix_files.h"
#include "platform/linux/posix/posix_process.h"
#include "platform/linux/posix/single_instance.h"
#include "platform/linux/posix/termination_signals.h"
#include "platform/linux/qt/guarded_application.h"
#include "platform/linux/qt/qt_colour_chooser.h"
#include "platform/linux/qt/qt_message_boxes.h"
#include "platform/linux/qt/qt_window_system.h"
#include "platform/linux/x11/x11_clipboard.h"
#include "platform/platform.h"

#include <QIcon>

#include <malloc.h>

#include <clocale>

int main(int, char** argv) {
  using namespace clipnest;
  // A save's large buffers (a text, a picture, its pixels) go back to the system when the save
  // is done: the C library would otherwise keep the room of large buffers it freed for later
  // ones, and the program at rest would grow with every save. The transfer's pieces of a few
  // megabytes keep their room from one save to the next.
  mallopt(M_MMAP_THRESHOLD, 8 << 20);
  mallopt(M_TRIM_THRESHOLD, 16 << 20);
  // The program lives on X11: under Wayland it asks for XWayland.
  qputenv("QT_QPA_PLATFORM", "xcb");
  // The program reads no command line, not even Qt's own options.
  int qt_argc = 1;
  char* qt_argv[] = {argv[0], nullptr};
  linux_backend::GuardedApplication application(qt_argc, qt_argv);
  // The dialogs come and go; only the exit button ends the program.
  application.setQuitOnLastWindowClosed(false);
  application.setWindowIcon(QIcon(QStringLiteral(":/pictures/clipnest.ico")));

  linux_backend::SingleInstance instance;
  linux_backend::PosixProcess process(instance);
  const char* locale_name = std::setlocale(LC_CTYPE, "");
  linux_backend::LocaleCodePage ansi(locale_name ? locale_name : "C");
  linux_backend::DiskIniStore ini_store;
  IniProfileStrings profile(ini_store, ansi);
  linux_backend::QtWindowSystem windows;
  linux_backend::QtMessageBoxes messages;
  linux_backend::CanberraSound sound;
  linux_backend::PosixClock clock;
  linux_backend::X11Clipboard clipboard;
  linux_backend::PosixFiles files;
  linux_backend::GlobalKeys global_keys = linux_backend::SessionGlobalKeys();

  linux_backend::QtColourChooser colours;
  linux_backend::DesktopShell shell;
  linux_backend::DesktopTools tools;
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
  linux_backend::TerminationSignals termination(
      [&program] { program.form1().form().input().CloseRequested(); });
  program.Start();
  return application.exec();
}
