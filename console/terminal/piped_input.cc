#include "console/terminal/piped_input.h"

#include <cassert>

namespace vergleichsspannung {

IoResult PipedInput::ReadForKey(std::vector<char>* buffer, KeyRead* read) {
  assert(!buffer->empty());
  *read = KeyRead();
  return ReadAvailable(source_, buffer->data(), buffer->size());
}

IoResult PipedInput::ReadForReply(std::string_view, std::vector<char>* buffer, ReplyRead* read) {
  assert(!buffer->empty());
  *read = ReplyRead();
  return ReadAvailable(source_, buffer->data(), buffer->size());
}

IoResult PipedInput::ShowReply(std::string_view, std::string_view) { return IoResult{}; }

}  // namespace vergleichsspannung
