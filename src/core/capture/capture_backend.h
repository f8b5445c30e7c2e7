#pragma once
// The FFmpeg capture back end as a whole.

namespace miravela {

// Registers FFmpeg's input devices and quiets its console messages (the program keeps
// no log). Safe to call any number of times from any thread.
void InitCaptureBackend();

// Whether FFmpeg can capture at all here: an input device for cameras or filter
// graphs, the decoders cameras use, and the pixel converter.
bool CaptureBackendAvailable();

}  // namespace miravela
