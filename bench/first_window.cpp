// Starts a program under X and prints the milliseconds until its first top-level
// window with the given title is mapped, then ends the program and prints its peak
// resident memory in kilobytes.
//
//   fondara_first_window TITLE PROGRAM [ARGS...]
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace {

std::string window_title(xcb_connection_t* connection, xcb_window_t window) {
  const auto cookie =
      xcb_get_property(connection, 0, window, XCB_ATOM_WM_NAME, XCB_ATOM_ANY, 0, 256);
  xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
  if (reply == nullptr) return {};
  const std::string title(static_cast<const char*>(xcb_get_property_value(reply)),
                          static_cast<std::size_t>(xcb_get_property_value_length(reply)));
  std::free(reply);
  return title;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "uso: %s TITOLO PROGRAMMA [ARGOMENTI...]\n", argv[0]);
    return 2;
  }
  const std::string wanted = argv[1];
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection)) {
    std::fprintf(stderr, "nessun display X\n");
    return 2;
  }
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(connection);

  const auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  if (posix_spawn(&child, argv[2], nullptr, nullptr, argv + 2, environ) != 0) {
    std::fprintf(stderr, "impossibile avviare %s\n", argv[2]);
    return 2;
  }
  int status = 1;
  while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
    const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
    const xcb_window_t window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
    std::free(event);
    if (mapped && window_title(connection, window) == wanted) {
      const auto elapsed = std::chrono::steady_clock::now() - start;
      std::printf("%.2f", std::chrono::duration<double, std::milli>(elapsed).count());
      status = 0;
      break;
    }
  }
  kill(child, SIGTERM);
  rusage usage{};
  wait4(child, nullptr, 0, &usage);
  std::printf(" %ld\n", usage.ru_maxrss);
  xcb_disconnect(connection);
  return status;
}
