// Times the Windows program's PrintScreen capture of the whole screen, 15 times over, and prints
// the screen's size, the picture's bytes and the fastest, median and slowest capture.
#include "platform/win32/win32_screen_capture.h"

#include <algorithm>
#include <cstdio>
#include <vector>

int main() {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  std::vector<double> times;
  SIZE_T bytes = 0;
  for (int i = 0; i < 15; ++i) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    HGLOBAL picture = clipnest::win32::CaptureScreenDib(false);
    QueryPerformanceCounter(&end);
    bytes = picture ? GlobalSize(picture) : 0;
    if (picture) GlobalFree(picture);
    times.push_back(static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 /
                    static_cast<double>(frequency.QuadPart));
  }
  std::sort(times.begin(), times.end());
  std::printf("%d x %d: %zu bytes; fastest %.1f ms, median %.1f ms, slowest %.1f ms\n",
              GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN),
              static_cast<size_t>(bytes), times.front(), times[times.size() / 2], times.back());
}
