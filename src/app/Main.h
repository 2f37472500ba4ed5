#pragma once
// The start-up routine: one instance, shared state, start clip, clock window, notification icon,
// then the event loop. Returns the process exit code.
int Main(int argc, char** argv);
