// For tests, fuzzers and benchmarks only: byte sources and sinks in memory
// that behave as pipes do, including their awkward moments, so that the
// console the program runs is driven without any descriptor.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_MEMORY_STREAMS_H_
#define VERGLEICHSSPANNUNG_CONSOLE_MEMORY_STREAMS_H_

// Reached only through the dialogue library: a layer below it stops here.
#ifndef VS_LAYER_DIALOGUE
#error "a header of the dialogue layer, included from a layer below it"
#endif

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "console/console.h"
#include "console/terminal/byte_stream.h"
#include "console/terminal/input.h"
#include "console/terminal/piped_input.h"

namespace vergleichsspannung {

// What a memory stream does besides passing bytes: every `interrupt_every`-th
// call fails with EINTR, every `block_every`-th with EAGAIN (0: never), and the
// `fail_at`-th call (counting from 1; 0: none) fails with `error`, as does
// every call after it.
struct StreamFaults {
  int interrupt_every = 0;
  int block_every = 0;
  int fail_at = 0;
  int error = ENOSPC;
};

namespace memory_streams_internal {

// Counts the calls and returns the fault, if any, of the next one.
inline int NextFault(const StreamFaults& faults, int* calls) {
  ++*calls;
  if (faults.fail_at > 0 && *calls >= faults.fail_at) return faults.error;
  if (faults.interrupt_every > 0 && *calls % faults.interrupt_every == 0) return EINTR;
  if (faults.block_every > 0 && *calls % faults.block_every == 0) return EAGAIN;
  return 0;
}

}  // namespace memory_streams_internal

// Returns a source that delivers `text` at most `chunk` bytes per read.
// REQUIRES: chunk > 0; `text` outlives the source.
inline ByteSource MemorySource(std::string_view text, std::size_t chunk = 4096,
                               StreamFaults faults = StreamFaults()) {
  assert(chunk > 0);
  auto calls = std::make_shared<int>(0);
  auto rest = std::make_shared<std::string_view>(text);
  ByteSource source;
  source.read = [=](char* buffer, std::size_t size) {
    if (const int error = memory_streams_internal::NextFault(faults, calls.get())) {
      return Failure(error);
    }
    const std::size_t n = std::min({chunk, size, rest->size()});
    std::memcpy(buffer, rest->data(), n);
    rest->remove_prefix(n);
    return IoResult{static_cast<long>(n), 0};
  };
  source.await = [] { return IoResult{}; };
  return source;
}

// Returns a sink that appends everything written to *output, at most `chunk`
// bytes per write.
// REQUIRES: output != nullptr, chunk > 0.
inline ByteSink MemorySink(std::string* output, std::size_t chunk = 1 << 20,
                           StreamFaults faults = StreamFaults()) {
  assert(output != nullptr && chunk > 0);
  auto calls = std::make_shared<int>(0);
  ByteSink sink;
  sink.write = [=](const char* data, std::size_t size) {
    if (const int error = memory_streams_internal::NextFault(faults, calls.get())) {
      return Failure(error);
    }
    const std::size_t n = std::min(chunk, size);
    output->append(data, n);
    return IoResult{static_cast<long>(n), 0};
  };
  sink.await = [] { return IoResult{}; };
  return sink;
}

// A console over memory: keys from `keys` in reads of at most `chunk` bytes,
// the dialogue into `output`, warnings into `warnings`.
// REQUIRES: `keys` outlives the console.
struct MemoryConsole {
  explicit MemoryConsole(std::string_view keys, std::size_t chunk = 4096,
                         StreamFaults input_faults = StreamFaults(),
                         StreamFaults output_faults = StreamFaults())
      : input(MemorySource(keys, chunk, input_faults)),
        console(&input, MemorySink(&output, 1 << 20, output_faults), MemorySink(&warnings)) {}

  PipedInput input;
  std::string output;
  std::string warnings;
  Console console;
};

// A console on a terminal in memory: menu keys from `keys`, reply lines from
// `replies` (Ctrl-D once they are used up; one longer than a reply may be is
// refused whole), and in `screen` all a person would see: the output, each
// prompt with its typed reply, each reply shown for a prompt.
struct MemoryTerminal : Input {
  MemoryTerminal(std::string keys, std::vector<std::string> replies)
      : keys(std::move(keys)),
        replies(std::move(replies)),
        console(this, Screen(), MemorySink(&warnings)) {}
  MemoryTerminal(const MemoryTerminal&) = delete;
  MemoryTerminal& operator=(const MemoryTerminal&) = delete;

  bool terminal() const override { return true; }

  IoResult ReadForKey(std::vector<char>* buffer, KeyRead* read) override {
    *read = KeyRead();
    if (next_key == keys.size()) return IoResult{};
    (*buffer)[0] = keys[next_key++];
    return IoResult{1, 0};
  }

  IoResult ReadForReply(std::string_view prompt, std::vector<char>* buffer,
                        ReplyRead* read) override {
    screen.append(prompt);
    if (next_reply == replies.size()) return IoResult{};
    std::string line = replies[next_reply++];
    screen += line + "\n";
    read->too_long = line.size() > kMaxReplyLength;
    line = read->too_long ? "\n" : line + "\n";
    if (line.size() > buffer->size()) buffer->resize(line.size());
    std::copy(line.begin(), line.end(), buffer->begin());
    return IoResult{static_cast<long>(line.size()), 0};
  }

  IoResult ShowReply(std::string_view prompt, std::string_view text) override {
    screen.append(prompt);
    screen.append(text);
    screen += '\n';
    return IoResult{};
  }

  std::string keys;
  std::vector<std::string> replies;
  std::string screen;
  std::string warnings;
  std::size_t next_key = 0;
  std::size_t next_reply = 0;
  Console console;

 private:
  ByteSink Screen() {
    ByteSink sink = MemorySink(&screen);
    sink.terminal = true;
    return sink;
  }
};

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_MEMORY_STREAMS_H_
