#pragma once

// The scene in words, for those who cannot see the picture: what is drawn,
// what the program is doing and what the hand holds. It changes with the
// keys and the hand; a page reads it out when they act, never per frame.

#include <string>

// stepsTaken: the steps since start-up, as the caller counts them.
std::string sceneDescription(long stepsTaken);
