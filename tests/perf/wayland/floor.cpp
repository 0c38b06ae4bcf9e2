// The least a Wayland hot-key list does, the floor `make bench-wayland` measures against: it
// connects, is told of its key by sway's IPC (a `nop floor` binding), and shows a 249 x 496
// layer surface filled with one colour; each frame's time goes to stdout. It prints
// "ready T" once connected and subscribed, "frame T" when a frame is shown (steady clock, us).
#include <poll.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "wlr-layer-shell-unstable-v1-client.h"

namespace {

wl_compositor* g_compositor;
wl_shm* g_shm;
zwlr_layer_shell_v1* g_layers;
wl_surface* g_surface;
zwlr_layer_surface_v1* g_layer;
bool g_painted;
constexpr int kW = 249, kH = 496;

uint64_t NowUs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<uint64_t>(t.tv_sec) * 1000000u + static_cast<uint64_t>(t.tv_nsec) / 1000u;
}

void Global(void*, wl_registry* r, uint32_t name, const char* iface, uint32_t) {
  if (!std::strcmp(iface, wl_compositor_interface.name))
    g_compositor =
        static_cast<wl_compositor*>(wl_registry_bind(r, name, &wl_compositor_interface, 4));
  if (!std::strcmp(iface, wl_shm_interface.name))
    g_shm = static_cast<wl_shm*>(wl_registry_bind(r, name, &wl_shm_interface, 1));
  if (!std::strcmp(iface, zwlr_layer_shell_v1_interface.name))
    g_layers = static_cast<zwlr_layer_shell_v1*>(
        wl_registry_bind(r, name, &zwlr_layer_shell_v1_interface, 1));
}
void GlobalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener kRegistry{Global, GlobalRemove};

void FrameDone(void*, wl_callback* callback, uint32_t) {
  wl_callback_destroy(callback);
  if (!g_layer) return;
  std::printf("frame %llu\n", static_cast<unsigned long long>(NowUs()));
  std::fflush(stdout);
  zwlr_layer_surface_v1_destroy(g_layer);
  wl_surface_destroy(g_surface);
  g_layer = nullptr;
}
const wl_callback_listener kFrame{FrameDone};

void Configure(void*, zwlr_layer_surface_v1* layer, uint32_t serial, uint32_t, uint32_t) {
  zwlr_layer_surface_v1_ack_configure(layer, serial);
  if (g_painted) return;  // a second configure of the same showing
  g_painted = true;
  const int size = kW * kH * 4;
  const int fd = memfd_create("floor", MFD_CLOEXEC);
  if (ftruncate(fd, size) != 0) std::exit(1);
  auto* pixels =
      static_cast<uint32_t*>(mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0));
  for (int i = 0; i < kW * kH; ++i) pixels[i] = 0xFFFFFFCC;
  munmap(pixels, size);
  wl_shm_pool* pool = wl_shm_create_pool(g_shm, fd, size);
  wl_buffer* buffer = wl_shm_pool_create_buffer(pool, 0, kW, kH, kW * 4, WL_SHM_FORMAT_XRGB8888);
  wl_shm_pool_destroy(pool);
  close(fd);
  wl_surface_attach(g_surface, buffer, 0, 0);
  wl_surface_damage(g_surface, 0, 0, kW, kH);
  wl_callback_add_listener(wl_surface_frame(g_surface), &kFrame, nullptr);
  wl_surface_commit(g_surface);
}
void Closed(void*, zwlr_layer_surface_v1*) {}
const zwlr_layer_surface_v1_listener kLayer{Configure, Closed};

void Show() {
  if (g_layer) return;
  g_painted = false;
  g_surface = wl_compositor_create_surface(g_compositor);
  g_layer = zwlr_layer_shell_v1_get_layer_surface(g_layers, g_surface, nullptr,
                                                  ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, "floor");
  zwlr_layer_surface_v1_add_listener(g_layer, &kLayer, nullptr);
  zwlr_layer_surface_v1_set_size(g_layer, kW, kH);
  zwlr_layer_surface_v1_set_keyboard_interactivity(g_layer, 1);
  wl_surface_commit(g_surface);
}

}  // namespace

int main() {
  wl_display* display = wl_display_connect(nullptr);
  if (!display) return 1;
  wl_registry_add_listener(wl_display_get_registry(display), &kRegistry, nullptr);
  wl_display_roundtrip(display);
  const int ipc = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, std::getenv("SWAYSOCK"), sizeof address.sun_path - 1);
  if (connect(ipc, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) return 2;
  const std::string payload = "[\"binding\"]";
  char header[14] = {'i', '3', '-', 'i', 'p', 'c'};
  const uint32_t fields[2] = {static_cast<uint32_t>(payload.size()), 2};
  std::memcpy(header + 6, fields, 8);
  if (write(ipc, header, 14) != 14 || write(ipc, payload.data(), payload.size()) < 0) return 3;
  std::printf("ready %llu\n", static_cast<unsigned long long>(NowUs()));
  std::fflush(stdout);
  std::string events;
  for (;;) {
    wl_display_flush(display);
    pollfd fds[2] = {{wl_display_get_fd(display), POLLIN, 0}, {ipc, POLLIN, 0}};
    poll(fds, 2, -1);
    if (fds[0].revents & POLLIN && wl_display_dispatch(display) < 0) return 0;
    if (fds[1].revents & POLLIN) {
      char buffer[4096];
      const ssize_t n = read(ipc, buffer, sizeof buffer);
      if (n <= 0) return 0;
      events.append(buffer, static_cast<size_t>(n));
      while (events.size() >= 14) {
        uint32_t length = 0;
        std::memcpy(&length, events.data() + 6, 4);
        if (events.size() < 14 + length) break;
        if (events.substr(14, length).find("nop floor") != std::string::npos) Show();
        events.erase(0, 14 + length);
      }
    }
  }
}
