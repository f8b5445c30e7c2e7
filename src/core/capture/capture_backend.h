#pragma once
// The FFmpeg capture back end as a whole.

struct AVInputFormat;

namespace miravela {

// Quiets FFmpeg's console messages (the program keeps no log). Safe to call any number
// of times from any thread.
void InitCaptureBackend();

// Whether FFmpeg can capture at all here: a way in for network cameras, the decoders
// cameras use, and the pixel converter.
bool CaptureBackendAvailable();

// FFmpeg's input device of this name ("video4linux2", "lavfi"), or null. The device
// library drags most of the system's media stack in with it, so it is loaded on the
// first call: a program that watches a network camera, or none, never maps it.
const AVInputFormat* DeviceInputFormat(const char* name);

}  // namespace miravela
