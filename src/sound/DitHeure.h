#pragma once
// The time spoken when the user asks for it: now, without the chime, whatever the silent hours.

// Speaks the platform clock's current hour and minute. Returns false, saying nothing, while the
// chime or a spoken time is already under way, or once the close has begun.
bool DitHeure();
