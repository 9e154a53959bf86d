#include "console/terminal/descriptor_stream.h"

#include "console/terminal/key_mode.h"
#include "console/terminal/terminal.h"

namespace vergleichsspannung {

ByteSource DescriptorSource(int fd) {
  ByteSource source;
  source.read = [fd](char* buffer, std::size_t size) {
    return terminal::ReadSome(fd, buffer, size);
  };
  source.await = [fd] { return terminal::AwaitReady(fd, false); };
  return source;
}

ByteSink DescriptorSink(int fd) {
  ByteSink sink;
  sink.terminal = terminal::IsTerminal(fd);
  if (sink.terminal) {
    // A signal that ends the program ends the line the text left open first.
    sink.write = [fd](const char* data, std::size_t size) {
      const IoResult written = terminal::WriteSome(fd, data, size);
      if (written.count > 0) terminal::NoteOpenLine(data[written.count - 1] == '\n' ? -1 : fd, 0);
      return written;
    };
  } else {
    sink.write = [fd](const char* data, std::size_t size) {
      return terminal::WriteSome(fd, data, size);
    };
  }
  sink.await = [fd] { return terminal::AwaitReady(fd, true); };
  return sink;
}

}  // namespace vergleichsspannung
