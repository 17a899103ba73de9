#pragma once
// The decoder thread of streamed music: it keeps every playing StreamCursor's buffer topped up, so the
// audio callback only copies decoded frames.
#include <memory>

class StreamCursor;

// Hands a new play to the decoder thread (started on first use); the thread lets go of a cursor once
// nothing else holds it.
void FeedStream(std::shared_ptr<StreamCursor> cursor);
