#pragma once

// The scene as start-up prepares it once a window and its GL context exist:
// the base render state, the default texture and the ten texture files (a
// file that cannot be loaded ends the program with status 1), the sheet laid
// out and pinned, and the lights. Shared by the program and the recorder.
void prepareScene();
