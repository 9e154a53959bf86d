#include "console/terminal/byte_stream.h"

#include <cassert>
#include <cerrno>

namespace vergleichsspannung {

namespace {

bool WouldBlock(int error) { return error == EAGAIN || error == EWOULDBLOCK; }

}  // namespace

IoResult ReadAvailable(const ByteSource& source, char* buffer, std::size_t size) {
  assert(size > 0);
  for (;;) {
    const IoResult read = source.read(buffer, size);
    if (read.error == EINTR) continue;
    if (!WouldBlock(read.error)) return read;
    const IoResult ready = source.await();
    if (ready.failed() && ready.error != EINTR) return ready;
  }
}

IoResult WriteAll(const ByteSink& sink, std::string_view data) {
  while (!data.empty()) {
    const IoResult written = sink.write(data.data(), data.size());
    if (written.error == EINTR) continue;
    if (WouldBlock(written.error)) {
      const IoResult ready = sink.await();
      if (ready.failed() && ready.error != EINTR) return ready;
      continue;
    }
    if (written.failed()) return written;
    if (written.count <= 0) return Failure(EIO);  // a sink that takes nothing never will
    data.remove_prefix(static_cast<std::size_t>(written.count));
  }
  return IoResult{};
}

}  // namespace vergleichsspannung
