// The process's descriptors as byte streams: what a program reads from a pipe,
// file or terminal byte for byte, and where it writes.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_DESCRIPTOR_STREAM_H_
#define VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_DESCRIPTOR_STREAM_H_

// Reached only through the terminal library: a layer below it stops here.
#ifndef VS_LAYER_TERMINAL
#error "a header of the terminal layer, included from a layer below it"
#endif

#include "console/terminal/byte_stream.h"

namespace vergleichsspannung {

// Returns the source that reads `fd` as it is, without key mode or line
// editing: for pipes and files, and for a terminal read as plain bytes.
ByteSource DescriptorSource(int fd);

// Returns the sink that writes `fd`. On a terminal it notes whether the text
// left a line open, so that a signal that ends the program ends that line.
ByteSink DescriptorSink(int fd);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_DESCRIPTOR_STREAM_H_
