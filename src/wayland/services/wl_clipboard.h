#pragma once
// The clipboard on Wayland: the seat's selection set to a source of the program that serves
// the clip in the text forms editors ask for, for as long as the program runs or until
// another program takes the selection. Through the data-control protocol where the
// compositor offers it (no keyboard focus needed, and clipboard managers see it), else
// through wl_data_device with the serial of the key or click that chose the slot.
#include <string>
#include <vector>

#include "desktop/desktop_services.h"
#include "wayland/base/wl_connection.h"

struct zwlr_data_control_device_v1;
struct zwlr_data_control_source_v1;

namespace qv::wl {

class WlClipboard : public Clipboard {
 public:
  WlClipboard(Connection& connection, PollLoop& loop);
  ~WlClipboard() override;
  WlClipboard(const WlClipboard&) = delete;
  WlClipboard& operator=(const WlClipboard&) = delete;

  bool PutClipboardText(const std::string& text) override;
  // The selection is still the program's.
  bool Owned() const { return controlSource_ || deviceSource_; }
  // At the end: what readers have asked for is written out first.
  void FinishWrites();

  struct Callbacks;

 private:
  void Send(const std::string& mimeType, int fd);
  void WriteSome();
  void Dropped();

  Connection& c_;
  std::string text_;
  zwlr_data_control_device_v1* controlDevice_ = nullptr;
  zwlr_data_control_source_v1* controlSource_ = nullptr;
  wl_data_device* device_ = nullptr;
  wl_data_source* deviceSource_ = nullptr;
  struct Write {
    int fd;
    std::string bytes;
    std::size_t done = 0;
  };
  std::vector<Write> writes_;  // readers being served, without blocking the loop
};

}  // namespace qv::wl
